#include "platform/input_lock.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

Input_Lock::Input_Lock(QWidget* root) : QObject(root), root_(root) {}

namespace {
// What a user does to a control, one way or another.
bool User_Input(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
      return true;
    default:
      return false;
  }
}
}  // namespace

Input_Lock::~Input_Lock() {
  for (const QPointer<QWidget>& w : watched_)
    if (w) w->removeEventFilter(this);
}

bool Input_Lock::Is_Editing_Control(const QWidget* w) {
  if (qobject_cast<const QPushButton*>(w)) return false;
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w);
}

void Input_Lock::Collect(QWidget* parent) {
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    // A window of its own (a list's popup, a dialog) is no part of this one.
    if (!w || w->isWindow()) continue;
    if (Is_Editing_Control(w)) {
      // Its own parts (a list's edit field, a grid's views) go with it.
      held_.push_back({w, !w->testAttribute(Qt::WA_ForceDisabled)});
      continue;
    }
    Collect(w);
  }
}

void Input_Lock::Disable(QWidget* w) {
  ++applying_;
  w->setEnabled(false);
  --applying_;
}

void Input_Lock::Set_Locked(bool on) {
  if (on == locked_ || !root_) return;
  locked_ = on;
  if (on) {
    held_.clear();
    Collect(root_);
    // The control being typed into is left first, as a click elsewhere
    // leaves it: disabling it would hand the focus on to its neighbours.
    if (QWidget* focus = QApplication::focusWidget()) {
      for (Held& h : held_) {
        if (focus != h.w && !h.w->isAncestorOf(focus)) continue;
        focus->clearFocus();
        break;
      }
    }
    for (Held& h : held_) {
      if (!h.w) continue;
      watched_.push_back(h.w);
      for (QWidget* part : h.w->findChildren<QWidget*>()) watched_.push_back(part);
    }
    for (const QPointer<QWidget>& w : watched_) w->installEventFilter(this);
    for (Held& h : held_)
      if (h.w) Disable(h.w);
    return;
  }
  for (const QPointer<QWidget>& w : watched_)
    if (w) w->removeEventFilter(this);
  watched_.clear();
  std::vector<Held> held;
  held.swap(held_);
  for (Held& h : held) {
    if (!h.w) continue;
    ++applying_;
    h.w->setEnabled(h.wanted);
    --applying_;
  }
}

bool Input_Lock::eventFilter(QObject* o, QEvent* e) {
  if (locked_ && User_Input(e->type())) {
    e->ignore();
    return true;
  }
  if (e->type() == QEvent::EnabledChange && locked_ && applying_ == 0) {
    for (Held& h : held_) {
      if (h.w != o) continue;
      // The window changed it while locked: that is what it gets back.
      h.wanted = !h.w->testAttribute(Qt::WA_ForceDisabled);
      if (h.w->isEnabled()) Disable(h.w);
      break;
    }
  }
  return QObject::eventFilter(o, e);
}
