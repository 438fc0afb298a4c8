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

#include "platform/vb_grid.h"

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
      held_.push_back(w);
      continue;
    }
    Collect(w);
  }
}

void Input_Lock::Disable(QWidget* w) {
  // Qt keeps what the window said last in the control's explicit flag; the
  // lock leaves that flag as the window set it and only disables. A window
  // that disables a locked control changes no state Qt would report, but
  // the flag keeps its word for the unlocking.
  const bool window_off = w->testAttribute(Qt::WA_ForceDisabled);
  ++applying_;
  w->setEnabled(false);
  w->setAttribute(Qt::WA_ForceDisabled, window_off);
  --applying_;
}

void Input_Lock::Set_Locked(bool on) {
  wanted_ = on;
  // A message of an edit's end runs the event loop: the transfer may end
  // meanwhile, and what is asked last counts once the edits are over.
  if (ending_ || on == locked_ || !root_) return;
  if (on) {
    ending_ = true;
    End_Grid_Edits(root_);
    ending_ = false;
    if (!wanted_ || !root_) return;
  }
  locked_ = on;
  if (on) {
    held_.clear();
    Collect(root_);
    // The control being typed into is left first, as a click elsewhere
    // leaves it: disabling it would hand the focus on to its neighbours.
    if (QWidget* focus = QApplication::focusWidget()) {
      for (const QPointer<QWidget>& w : held_) {
        if (focus != w && !w->isAncestorOf(focus)) continue;
        focus->clearFocus();
        break;
      }
    }
    for (const QPointer<QWidget>& w : held_) {
      if (!w) continue;
      watched_.push_back(w);
      for (QWidget* part : w->findChildren<QWidget*>()) watched_.push_back(part);
    }
    for (const QPointer<QWidget>& w : watched_) w->installEventFilter(this);
    for (const QPointer<QWidget>& w : held_)
      if (w) Disable(w);
    return;
  }
  for (const QPointer<QWidget>& w : watched_)
    if (w) w->removeEventFilter(this);
  watched_.clear();
  std::vector<QPointer<QWidget>> held;
  held.swap(held_);
  for (const QPointer<QWidget>& w : held) {
    if (!w) continue;
    ++applying_;
    w->setEnabled(!w->testAttribute(Qt::WA_ForceDisabled));
    --applying_;
  }
}

bool Input_Lock::eventFilter(QObject* o, QEvent* e) {
  if (locked_ && User_Input(e->type())) {
    e->ignore();
    return true;
  }
  if (e->type() == QEvent::EnabledChange && locked_ && applying_ == 0) {
    // The window enabled a locked control (or the frame it lies in): it
    // stays locked, and gets that once the lock goes.
    for (const QPointer<QWidget>& w : held_) {
      if (w != o) continue;
      if (w->isEnabled()) Disable(w);
      break;
    }
  }
  return QObject::eventFilter(o, e);
}
