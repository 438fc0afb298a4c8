#pragma once
// Opens a widget's right-click menu the way the window system does and picks
// one of its items, as a user would with the keyboard.

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QObject>
#include <QTimer>

struct Menu_Pick {
  bool opened = false;   // a menu came up
  QStringList offered;   // items the user can choose (shown and enabled)
  bool picked = false;   // the wanted item was among them and was chosen
};

// An item's caption as a user reads it: without the accelerator mark and
// the shortcut shown after a tab.
inline QString Menu_Caption(const QAction* a) {
  QString t = a->text();
  if (const int tab = t.indexOf('\t'); tab >= 0) t.truncate(tab);
  return t.remove('&');
}

// Right-clicks w and chooses the item captioned `item` (an empty item chooses
// nothing and closes the menu). A menu that runs its own loop is handled in
// that loop; one that stays open after the click, once the click returns.
inline Menu_Pick Context_Menu_Pick(QWidget* w, const QString& item) {
  Menu_Pick r;
  bool done = false;
  const auto pick = [&] {
    if (done) return;
    done = true;
    auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!m) return;
    r.opened = true;
    QAction* wanted = nullptr;
    for (QAction* a : m->actions()) {
      if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
      r.offered << Menu_Caption(a);
      if (!item.isEmpty() && Menu_Caption(a) == item) wanted = a;
    }
    if (!wanted) {
      m->close();
      return;
    }
    m->setActiveAction(wanted);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m, &enter);
    r.picked = true;
  };
  QObject guard;
  QTimer::singleShot(0, &guard, pick);
  const QPoint at(4, 4);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
  QApplication::sendEvent(w, &click);
  pick();
  return r;
}
