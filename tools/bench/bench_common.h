#pragma once
// What the benches share: waiting on the event loop, the simulated radio
// pacing its line at a true 9600 bit/s behind port 1, and timing one
// transfer up to its closing message box.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "data/shared_state.h"
#include "link/protocol.h"
#include "platform/msg_box.h"
#include "platform/port_table.h"
#include "tools/radiosim/radio_sim.h"

namespace bench {

// Runs the event loop until pred holds (true) or ms have passed (false).
inline bool Spin_Until(const std::function<bool()>& pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QEventLoop loop;
    QTimer::singleShot(1, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// Starts the simulator pacing its line, behind port 1, with the connect
// command in place; reports on stderr and returns false when it cannot start.
inline bool Start_Paced_Sim(radiosim::Radio_Sim& sim) {
  std::string why;
  if (!sim.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    return false;
  }
  sim.Set_Paced(true);
  Port_Table_Set(1, QString::fromStdString(sim.Tty_Path()));
  Port_No = 1;
  for (int i = 0; i < 8; ++i) Hand_Cmd[i] = proto::Connect_Command[i];
  return true;
}

// The seconds the logged bytes need on the wire, both ways (10 bits a byte).
inline double Wire_Secs(const radiosim::Counters& n) {
  return static_cast<double>(proto::Wire_Micros(n.rx_bytes + n.tx_bytes)) / 1e6;
}

// The logged frames that went through the send pump: all but the lone
// acknowledgements, which leave at once.
inline int Pumped_Frames(const radiosim::Radio_Sim& sim) {
  int frames = 0;
  for (const auto& f : sim.Frames()) frames += f.kind != radiosim::Frame_Kind::Ack;
  return frames;
}

// One timed transfer. While it lives, every message box is answered at once
// and its text kept; the simulator's log starts empty.
class Timed_Transfer {
public:
  explicit Timed_Transfer(radiosim::Radio_Sim& sim) {
    sim.Clear_Log();
    Msg_Set_Handler([this](const Msg_Call& c) {
      result_ = c.text;
      return Msg_Answer::Ok;
    });
  }
  ~Timed_Transfer() { Msg_Set_Handler(nullptr); }
  Timed_Transfer(const Timed_Transfer&) = delete;
  Timed_Transfer& operator=(const Timed_Transfer&) = delete;

  // Runs start, then waits up to limit_ms for the closing message; then a
  // moment more, so that the last acknowledgement reaches the radio.
  bool Run(const std::function<void()>& start, int limit_ms) {
    QElapsedTimer t;
    t.start();
    start();
    done_ = Spin_Until([this] { return !result_.isEmpty(); }, limit_ms);
    ms_ = static_cast<double>(t.elapsed());
    Spin_Until([] { return false; }, 50);
    return done_;
  }
  bool Done() const { return done_; }
  double Ms() const { return ms_; }
  double Secs() const { return ms_ / 1000.0; }
  // The closing message, or "did not finish".
  QByteArray Outcome() const { return done_ ? result_.toUtf8() : QByteArray("did not finish"); }

private:
  QString result_;
  bool done_ = false;
  double ms_ = 0;
};

}  // namespace bench
