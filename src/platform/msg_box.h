#pragma once
// The one message-box function of the program. Every window reports through
// it; tests install a handler that records the call and answers at once.

#include <QString>
#include <functional>

enum class Msg_Icon { None, Exclamation, Critical, Information, Question };
enum class Msg_Buttons { Ok, Ok_Cancel, Yes_No, Yes_No_Cancel };
enum class Msg_Answer { Ok, Cancel, Yes, No };

struct Msg_Call {
  QString text;
  QString title;
  Msg_Icon icon = Msg_Icon::None;
  Msg_Buttons buttons = Msg_Buttons::Ok;
};

using Msg_Handler = std::function<Msg_Answer(const Msg_Call&)>;

// Shows a modal message box (or hands the call to the installed handler) and
// returns the button the user chose.
Msg_Answer Msg_Box(const QString& text, Msg_Icon icon, const QString& title,
                   Msg_Buttons buttons = Msg_Buttons::Ok);

// Installs a handler in place of the real message box; an empty handler
// restores the real one. Returns the handler that was installed before.
Msg_Handler Msg_Set_Handler(Msg_Handler handler);

// How many message boxes are open right now (nested inside each other).
int Msg_Box_Depth();

// One user action that may raise the same warning many times over (a paste
// typed key by key) reports once: while a batch lives, the first message box
// shows and every later one with only an OK button is skipped, answered OK.
// A box that asks a question always shows, and so does whatever else comes
// up inside a shown box's own event loop (a timer's or a transfer's message):
// that is no part of the action. A batch opened there starts afresh.
class Msg_Batch {
public:
  Msg_Batch();
  ~Msg_Batch();
  Msg_Batch(const Msg_Batch&) = delete;
  Msg_Batch& operator=(const Msg_Batch&) = delete;

private:
  friend Msg_Answer Msg_Box(const QString&, Msg_Icon, const QString&, Msg_Buttons);
  Msg_Batch* outer_;
  int depth_;  // the boxes open when the action began
  bool shown_ = false;
};
