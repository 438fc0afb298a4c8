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
