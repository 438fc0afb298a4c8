#pragma once
// Records every message box shown while it lives and answers each at once.

#include <QStringList>
#include <vector>

#include "platform/msg_box.h"

class Msg_Recorder {
public:
  explicit Msg_Recorder(Msg_Answer answer = Msg_Answer::Ok) : answer_(answer) {
    previous_ = Msg_Set_Handler([this](const Msg_Call& c) {
      calls.push_back(c);
      if (on_call) on_call(c);
      return answer_;
    });
  }
  ~Msg_Recorder() { Msg_Set_Handler(std::move(previous_)); }
  Msg_Recorder(const Msg_Recorder&) = delete;
  Msg_Recorder& operator=(const Msg_Recorder&) = delete;

  QStringList Texts() const {
    QStringList out;
    for (const auto& c : calls) out << c.text;
    return out;
  }
  void Clear() { calls.clear(); }

  std::vector<Msg_Call> calls;
  // Runs inside the message box, while it would be open (for example a
  // nested event loop, to let timers and serial events run meanwhile).
  std::function<void(const Msg_Call&)> on_call;

private:
  Msg_Answer answer_;
  Msg_Handler previous_;
};
