#pragma once
// What the benches share: waiting on the event loop, the simulated radio
// pacing its line at a true 9600 bit/s behind port 1, timing one transfer up
// to its closing message box, and printing it beside its protocol floor.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/shared_state.h"
#include "link/link_engine.h"
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

// A logged frame that went through the send pump: the connect command, a
// request, a row or the end mark. Lone acknowledgements leave at once, and an
// acknowledgement in front of a request is logged as one of its own.
inline bool Pumped(const radiosim::Frame& f) {
  using K = radiosim::Frame_Kind;
  return f.kind == K::Connect || f.kind == K::Read || f.kind == K::Write || f.kind == K::End;
}

inline int Pumped_Frames(const radiosim::Radio_Sim& sim) {
  int frames = 0;
  for (const auto& f : sim.Frames()) frames += Pumped(f);
  return frames;
}

// The protocol floor of the exchange the simulator logged, in seconds: the
// bytes on the wire both ways, plus what the profile makes the program wait
// for. That is the send pump's start before every pumped frame; the part of a
// pause after a handshake acknowledgement that outlasts the next frame's pump
// start, which runs alongside it; and the part of the pause after every frame
// that the frame and its reply on the line do not fill. A lone
// acknowledgement is on the line while the pump waits (or after the exchange
// has ended), so it adds nothing; one sent in front of a frame, which the
// simulator logs as a frame of its own that the next one follows at once,
// adds its byte.
inline double Floor_Secs(const radiosim::Radio_Sim& sim, const Link_Profile& p) {
  std::map<uint64_t, long long> reply_bytes;
  for (const auto& r : sim.Replies()) reply_bytes[r.frame] += static_cast<long long>(r.bytes.size());
  const auto excess = [&](int pause_ms) { return std::max(0, pause_ms - p.Pump_Start_Ms) * 1000LL; };
  const bool ident_pause = p.Ident_Ack == Ident_Ack_Mode::Separate;
  const bool pass_pause = p.Pass != Pass_Mode::None && p.Pass_Ack == Pass_Ack_Mode::Separate;
  const auto at_once = std::chrono::microseconds(2 * proto::Wire_Micros(1));
  const std::vector<radiosim::Frame> frames = sim.Frames();
  long long lone_ack_bytes = 0;
  long long waits_us = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    const radiosim::Frame& f = frames[i];
    if (f.kind == radiosim::Frame_Kind::Ack) {
      const bool leading = i + 1 < frames.size() && Pumped(frames[i + 1]) && frames[i + 1].first - f.last < at_once;
      if (!leading) lone_ack_bytes += static_cast<long long>(f.raw.size());
    }
    if (!Pumped(f)) continue;
    waits_us += p.Pump_Start_Ms * 1000LL;
    const long long line_us = proto::Wire_Micros(static_cast<long long>(f.raw.size()) + reply_bytes[f.seq]);
    waits_us += std::max(0LL, p.Frame_Pause_Ms * 1000LL - line_us);
    if (f.kind == radiosim::Frame_Kind::Connect && ident_pause) waits_us += excess(p.Ident_Pause_Ms);
    if (f.kind == radiosim::Frame_Kind::Read && f.addr == proto::Pass_Addr && f.len == proto::Row_Len &&
        pass_pause)
      waits_us += excess(p.Pass_Pause_Ms);
  }
  const auto n = sim.Counts();
  const long long wire_us = proto::Wire_Micros(n.rx_bytes + n.tx_bytes - lone_ack_bytes);
  return static_cast<double>(wire_us + waits_us) / 1e6;
}

// One timed transfer. While it lives, every message box is answered at once
// and its text kept; the simulator's log starts empty.
class Timed_Transfer {
public:
  explicit Timed_Transfer(radiosim::Radio_Sim& sim) {
    sim.Clear_Log();
    previous_ = Msg_Set_Handler([this](const Msg_Call& c) {
      result_ = c.text;
      return Msg_Answer::Ok;
    });
  }
  ~Timed_Transfer() { Msg_Set_Handler(std::move(previous_)); }
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

  // One line, alike in every bench: the time, the protocol floor (with the
  // wire time and the pumped frames it counts), their ratio, the bytes each
  // way and the closing message. Gives Done().
  bool Report(const char* name, const radiosim::Radio_Sim& sim, const Link_Profile& p) const {
    const auto n = sim.Counts();
    const double floor = Floor_Secs(sim, p);
    std::printf("%-14s %7.2f s   floor %7.2f s (wire %6.2f s, %3d frames)   ratio %.3f   "
                "(%lld bytes out, %lld back)  %s\n",
                name, Secs(), floor, Wire_Secs(n), Pumped_Frames(sim), floor > 0 ? Secs() / floor : 0.0,
                n.rx_bytes, n.tx_bytes, Outcome().constData());
    std::fflush(stdout);
    return done_;
  }

private:
  Msg_Handler previous_;
  QString result_;
  bool done_ = false;
  double ms_ = 0;
};

}  // namespace bench
