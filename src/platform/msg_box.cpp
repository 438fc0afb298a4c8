#include "msg_box.h"

#include <QApplication>
#include <QMessageBox>

namespace {
Msg_Handler& Handler() {
  static Msg_Handler h;
  return h;
}

Msg_Answer Show_Real(const Msg_Call& call) {
  QMessageBox box;
  box.setWindowTitle(call.title);
  box.setText(call.text);
  switch (call.icon) {
    case Msg_Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Msg_Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Msg_Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Msg_Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Msg_Icon::Question: box.setIcon(QMessageBox::Question); break;
  }
  switch (call.buttons) {
    case Msg_Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Msg_Buttons::Ok_Cancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Msg_Buttons::Yes_No: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Msg_Buttons::Yes_No_Cancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  box.setWindowModality(Qt::ApplicationModal);
  switch (box.exec()) {
    case QMessageBox::Cancel: return Msg_Answer::Cancel;
    case QMessageBox::Yes: return Msg_Answer::Yes;
    case QMessageBox::No: return Msg_Answer::No;
    default: return Msg_Answer::Ok;
  }
}

int& Depth() {
  static int d = 0;
  return d;
}

Msg_Batch*& Innermost_Batch() {
  static Msg_Batch* b = nullptr;
  return b;
}
}  // namespace

Msg_Batch::Msg_Batch() : outer_(Innermost_Batch()), depth_(Depth()) { Innermost_Batch() = this; }

Msg_Batch::~Msg_Batch() { Innermost_Batch() = outer_; }

int Msg_Box_Depth() { return Depth(); }

Msg_Answer Msg_Box(const QString& text, Msg_Icon icon, const QString& title,
                   Msg_Buttons buttons) {
  Msg_Call call{text, title, icon, buttons};
  if (Msg_Batch* b = Innermost_Batch(); b && b->depth_ == Depth()) {
    if (b->shown_ && buttons == Msg_Buttons::Ok) return Msg_Answer::Ok;
    b->shown_ = true;
  }
  ++Depth();
  const Msg_Answer a = Handler() ? Handler()(call) : Show_Real(call);
  --Depth();
  return a;
}

Msg_Handler Msg_Set_Handler(Msg_Handler handler) {
  Msg_Handler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
