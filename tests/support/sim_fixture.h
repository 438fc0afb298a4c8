#pragma once
// A simulated radio on a pseudo-terminal, with COM1 pointed at it, for tests
// that drive the real serial code.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <random>

#include "data/shared_state.h"
#include "link/link_engine.h"
#include "link/protocol.h"
#include "platform/port_table.h"
#include "platform/status_panels.h"
#include "platform/vb_form.h"
#include "support/msg_recorder.h"
#include "support/spin.h"
#include "tools/radiosim/radio_sim.h"

// A transfer profile given a short retry delay, for the tests that wait
// through time-outs. The watchdog keeps a margin that a loaded machine
// meets: a reply late by a few hundred milliseconds must not pass for a
// silent radio.
template <class Profile>
Profile& Quicken(Profile& p) {
  p.Watchdog_After_Ms = 1000;
  p.Watchdog_In_Frame_Ms = 1000;
  p.Retry_Delay = 150;
  return p;
}

// A window or dialog whose transfer has ended for good: not busy, no retry
// pending.
template <class Window>
bool Transfer_Idle(Window* w) {
  return !w->Busy() && !w->Engine()->Timer3.Enabled();
}

// An image that no read or default leaves as it is: every cell, the 17th
// column included, marked with a value of its own.
inline Image_Table Marked_Image() {
  Image_Table t{};
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 17; ++c) t[r][c] = static_cast<int16_t>((r + 3 * c) % 251);
  return t;
}

// A window's own profile with watchdogs long enough that a reply held up
// for a second or two on a loaded machine does not pass for a silent radio:
// for the tests of a transfer's success, which are about its bytes, not its
// time-outs.
inline Link_Profile Patient(Link_Profile p) {
  p.Watchdog_After_Ms = std::max(p.Watchdog_After_Ms, 8000);
  p.Watchdog_In_Frame_Ms = std::max(p.Watchdog_In_Frame_Ms, 8000);
  return p;
}

class Sim_Test : public ::testing::Test {
protected:
  void SetUp() override {
    Shared_Reset();
    Status_Clear_All();
    for (int i = 0; i < 8; ++i) Hand_Cmd[i] = proto::Connect_Command[i];
    Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
    std::string why;
    ASSERT_TRUE(sim.Start(&why)) << why;
    Port_Table_Clear();
    for (int n = 1; n <= Port_Max; ++n) Port_Table_Set(n, QString("/nonexistent/com%1").arg(n));
    Port_Table_Set(1, QString::fromStdString(sim.Tty_Path()));
    Port_No = 1;
  }
  void TearDown() override {
    Forms::Unload_All();
    Spin_For(20);
    sim.Stop();
    Port_Table_Clear();
  }

  // Fills the radio's memory with a pattern that no default matches.
  std::vector<uint8_t> Random_Memory(unsigned seed = 7) {
    std::mt19937 g(seed);
    std::vector<uint8_t> m(proto::Memory_Size);
    for (auto& b : m) b = static_cast<uint8_t>(g());
    // Keep the password row blank (no password).
    for (int k = 0; k < 12; ++k) m[0x3DF0 + k] = 0x20;
    sim.Set_Memory(m);
    return m;
  }

  // The reads the radio got, as (address, length), in order.
  std::vector<std::pair<int, int>> Reads() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& f : sim.Frames())
      if (f.kind == radiosim::Frame_Kind::Read && !f.ignored) out.push_back({f.addr, f.len});
    return out;
  }
  int Count(radiosim::Frame_Kind k) const {
    int n = 0;
    for (const auto& f : sim.Frames()) n += f.kind == k;
    return n;
  }
  // The simulator's thread logs a frame a moment after the program sent its
  // last byte, so the program may already show its message while the log
  // still lacks the frame. These wait (with a bound) until the log holds at
  // least n frames of kind k, or n reads, then give what it holds.
  int Count_Once(radiosim::Frame_Kind k, int n, int ms = 3000) const {
    Spin_Until([&] { return Count(k) >= n; }, ms);
    return Count(k);
  }
  std::vector<std::pair<int, int>> Reads_Once(size_t n, int ms = 3000) const {
    Spin_Until([&] { return Reads().size() >= n; }, ms);
    return Reads();
  }

  // Moments of an exchange's handshake at which another exchange may take
  // over the line: how the radio is set, before the exchange starts, so
  // that the moment lasts (Arrange), and whether engine e has reached it.
  struct Handshake_Moment {
    const char* name;
    bool paced;   // the radio answers at the line's pace
    int late_ms;  // it holds back its identification reply this long
    std::function<bool(const Link_Engine& e)> reached;
  };
  std::vector<Handshake_Moment> Handshake_Moments() {
    return {
        {"before its first byte", false, 0, [](const Link_Engine&) { return true; }},
        {"halfway through its connect command", false, 0, [](const Link_Engine& e) { return e.Tx_Pos >= 4; }},
        {"with its reply held back", true, 200,
         [this](const Link_Engine&) { return Count(radiosim::Frame_Kind::Connect) >= 1; }},
        {"with half its reply in", true, 0, [](const Link_Engine& e) { return e.MSC.In_Buffer_Count() >= 25; }},
    };
  }
  void Arrange(const Handshake_Moment& m) {
    sim.Set_Paced(m.paced);
    if (m.late_ms > 0)
      sim.Add_Fault({.kind = radiosim::Fault::Late, .on = radiosim::Reply::Ident, .arg = m.late_ms});
  }
  // Waits (with a bound) until engine e, its exchange started, has reached
  // moment m, or has ended: on a loaded machine the radio's reply may come
  // in one burst and the exchange end before the moment shows. False when
  // neither came.
  static bool Reach_Handshake(const Link_Engine& e, const Handshake_Moment& m) {
    return Spin_Until([&] { return (e.Attempt_Running() && m.reached(e)) || !e.Busy(); }, 10000);
  }

  // The bytes of every frame a radio logged.
  static long long Logged_Bytes(const radiosim::Radio_Sim& radio) {
    long long n = 0;
    for (const auto& f : radio.Frames()) n += static_cast<long long>(f.raw.size());
    return n;
  }
  // What the program sent a radio came in whole frames: nothing stray, and
  // nothing an answering radio ignored. First waits (with a bound) until
  // its log holds `bytes` bytes, what the program sent it.
  static void Check_Whole_Frames(const radiosim::Radio_Sim& radio, long long bytes, bool answering = true) {
    EXPECT_TRUE(Spin_Until([&] { return Logged_Bytes(radio) >= bytes; }, 3000))
        << Logged_Bytes(radio) << " of " << bytes << " bytes";
    for (const auto& f : radio.Frames()) {
      EXPECT_NE(f.kind, radiosim::Frame_Kind::Stray) << radiosim::Radio_Sim::Describe(f);
      if (answering) {
        EXPECT_FALSE(f.ignored) << radiosim::Radio_Sim::Describe(f);
      }
    }
  }

  // Loads a read dialog with profile p, where the radio falls silent at its
  // third data reply, presses Read and waits (with a bound) for the pause
  // before the retry, which then reads it all. Null when it never came.
  template <class Read_Dialog>
  Read_Dialog* Read_Into_Retry_Pause(Link_Profile p) {
    sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = radiosim::Reply::Data, .nth = 3});
    p.Watchdog_After_Ms = 1000;
    p.Retry_Delay = 1500;
    auto* d = Forms::Reload<Read_Dialog>(p);
    d->Command_read->click();
    return Spin_Until([&] { return d->Engine()->Retry_Pending(); }, 10000) ? d : nullptr;
  }

  radiosim::Radio_Sim sim;
  Msg_Recorder rec;
};
