// The main window's identification against the simulated radio.
#include <chrono>

#include "link/main_ident.h"
#include "support/sim_fixture.h"

namespace {
class Ident : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    ident = std::make_unique<Main_Ident>([this] { ++menus_enabled; });
  }
  void TearDown() override {
    ident.reset();
    Sim_Test::TearDown();
  }
  bool Identified() { return !Status_Text(2).isEmpty(); }

  std::unique_ptr<Main_Ident> ident;
  int menus_enabled = 0;
};
}  // namespace

TEST_F(Ident, BothReplyFormsFillTheStatusBarAndTheBandLimits) {
  for (auto form : {radiosim::Ident_Form::Ack_First, radiosim::Ident_Form::Plain}) {
    Status_Clear_All();
    Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
    sim.Set_Ident_Form(form);
    sim.Set_Ident({144, 148, 136, 174, 400, 470, 430, 440}, "R47XAB", "V2.31A");
    Status_Set(4, "old");
    menus_enabled = 0;
    ident->Ident_Start();
    ASSERT_TRUE(Spin_Until([&] { return Identified(); }, 3000));
    EXPECT_EQ(Status_Text(2), "R47XAB");
    EXPECT_EQ(Status_Text(6), "V2.31A");
    EXPECT_EQ(Status_Text(4), "");
    EXPECT_EQ(Status_Text(8), " 144-- 148");
    EXPECT_EQ(Status_Text(10), " 136-- 174");
    EXPECT_EQ(Status_Text(12), " 400-- 470");
    EXPECT_EQ(Status_Text(14), " 430-- 440");
    EXPECT_EQ(Band_Limits, (std::array<double, 8>{144, 148, 136, 174, 400, 470, 430, 440}));
    EXPECT_EQ(menus_enabled, 1);
    EXPECT_FALSE(ident->Port_Is_Open()) << "the port is closed after the reply";
    EXPECT_FALSE(ident->Timer2.Enabled());
    EXPECT_TRUE(rec.calls.empty());
  }
  // Nothing but the connect command went out: no acknowledgement, no password request.
  for (const auto& f : sim.Frames()) EXPECT_EQ(f.kind, radiosim::Frame_Kind::Connect);
}

TEST_F(Ident, ConnectCommandGoesOutAByteAt10Ms) {
  // Timed where the bytes leave: the radio's side sees them whenever its
  // thread gets to read them, which on a loaded machine may be in one go.
  using Clock = std::chrono::steady_clock;
  std::vector<std::pair<long long, Clock::time_point>> sent;  // bytes out so far, when
  // Each tick is timed as it starts, before the handler restarts the
  // timer's count: timed after it, a tick the machine holds up on its way
  // out would seem to start the schedule later than it did.
  ident->Timer1.On_Timer = [this, &sent, inner = ident->Timer1.On_Timer] {
    const Clock::time_point tick = Clock::now();
    const long long before = ident->MSC.Bytes_Out();
    inner();
    if (ident->MSC.Bytes_Out() > before) sent.push_back({ident->MSC.Bytes_Out() - before, tick});
  };
  ident->Ident_Start();
  ASSERT_TRUE(Spin_Until([&] { return Identified(); }, 3000));
  const auto frames = sim.Frames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].raw, std::vector<uint8_t>(proto::Connect_Command.begin(), proto::Connect_Command.end()));
  ASSERT_EQ(sent.size(), 8u) << "one byte a tick";
  for (size_t i = 0; i < sent.size(); ++i) EXPECT_EQ(sent[i].first, 1) << i;
  // The ticks follow a schedule set by the first byte, so a late tick
  // shortens the next gap but never the whole spread.
  const double spread = std::chrono::duration<double, std::milli>(sent.back().second - sent.front().second).count();
  EXPECT_GE(spread, 7 * 10 - 2.0) << "eight bytes one 10 ms tick apart";
}

TEST_F(Ident, AnInvalidReplyCountsAsNoReplyAndTheRetryTakesOver) {
  // Shorter watchdog and retry delay than the main window's, so the test is
  // quick, with a margin a loaded machine meets.
  Link_Profile p = Main_Ident_Profile();
  p.Watchdog_After_Ms = 1000;
  p.Retry_Delay = 200;
  ident = std::make_unique<Main_Ident>([this] { ++menus_enabled; }, nullptr, p);
  sim.Add_Fault({.kind = radiosim::Fault::Patch, .on = radiosim::Reply::Ident, .arg = 0, .byte = 0x02});
  ident->Ident_Start();
  ASSERT_TRUE(Spin_Until([&] { return Identified(); }, 8000));
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Connect, 2), 2);
  EXPECT_EQ(menus_enabled, 1);
}

TEST_F(Ident, ASilentRadioGetsFourAttemptsAtTheRealIntervalsThenTheStatusFailure) {
  sim.Set_Silent(true);
  Status_Set(3, "S I M:");
  // Each attempt's first byte, timed where it leaves (the radio's side takes
  // bytes whenever its thread runs, late on a loaded machine). The watchdog
  // is armed with the first byte, so the chain of timers runs from there.
  using Clock = std::chrono::steady_clock;
  std::vector<Clock::time_point> first_byte;
  ident->Timer1.On_Timer = [this, &first_byte, inner = ident->Timer1.On_Timer] {
    const long long before = ident->MSC.Bytes_Out();
    const Clock::time_point tick = Clock::now();
    inner();
    if (ident->MSC.Bytes_Out() > before && before % 8 == 0) first_byte.push_back(tick);
  };
  ident->Ident_Start();
  // Four attempts of about 5.1 s each, 1.5 s apart: the report about 26 s after the start.
  ASSERT_TRUE(Spin_Until([&] { return !Status_Text(4).isEmpty(); }, 40000));
  EXPECT_EQ(Status_Text(3), "Stat:");
  EXPECT_EQ(Status_Text(4), "Communication fault.");
  EXPECT_TRUE(rec.calls.empty()) << "no message box, only the status bar";
  ASSERT_TRUE(sim.Wait_Frames(4, 3000));
  const auto frames = sim.Frames();
  ASSERT_EQ(frames.size(), 4u);
  for (const auto& f : frames) EXPECT_EQ(f.kind, radiosim::Frame_Kind::Connect);
  ASSERT_EQ(first_byte.size(), 4u);
  for (size_t i = 1; i < first_byte.size(); ++i) {
    const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(first_byte[i] - first_byte[i - 1]);
    // The 5000 ms watchdog counts from the attempt's first byte (re-arming
    // it with the interval it has leaves its count alone), then the 1500 ms
    // retry delay and the pump's start; a loaded machine only adds to it
    // (a few ms are the timers' rounding).
    EXPECT_GE(gap.count(), 5000 + 1500 - 3) << "attempt " << i;
    EXPECT_LE(gap.count(), 5000 + 1500 + 15 + 700) << "attempt " << i;
  }
  EXPECT_FALSE(ident->Port_Is_Open());
}

TEST_F(Ident, NoPortMeansOneMessageAndNothingSent) {
  Port_No = 2;  // maps to nothing
  Lang_Flag = 0;
  ident->Ident_Start();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("Communication Port Open Error ！"));
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  Spin_For(100);
  EXPECT_EQ(sim.Frame_Count(), 0u);
  EXPECT_FALSE(ident->Timer1.Enabled());
}

TEST_F(Ident, ChineseFailureTexts) {
  Link_Profile p = Main_Ident_Profile();
  p.Watchdog_After_Ms = 100;
  p.Watchdog_In_Frame_Ms = 100;
  p.Retry_Delay = 50;
  ident = std::make_unique<Main_Ident>(nullptr, nullptr, p);
  sim.Set_Silent(true);
  Lang_Flag = -1;
  ident->Ident_Start();
  ASSERT_TRUE(Spin_Until([&] { return !Status_Text(4).isEmpty(); }, 3000));
  EXPECT_EQ(Status_Text(3), QString::fromUtf8("状态:"));
  EXPECT_EQ(Status_Text(4), QString::fromUtf8("联机故障 ！"));
  Lang_Flag = 0;
}

// Started again while it talks to the radio, as a Confirm on the same port
// starts it: the exchange running gives way as it does to a transfer, so
// the radio gets whole frames only, and the new identification takes none
// of the old one's reply and completes in its first attempt.
TEST_F(Ident, StartedAgainMidExchangeItCompletesInItsFirstAttempt) {
  for (const auto& m : Handshake_Moments()) {
    SCOPED_TRACE(m.name);
    sim.Clear_Log();
    sim.Clear_Faults();
    Status_Clear_All();
    Arrange(m);
    const long long before = ident->MSC.Bytes_Out();
    ident->Ident_Start();
    ASSERT_TRUE(Reach_Handshake(*ident, m));
    ident->Ident_Start();
    sim.Set_Paced(false);
    ASSERT_TRUE(Spin_Until([&] { return Identified() && !ident->Busy(); }, 5000));
    EXPECT_EQ(ident->Retry_Left, 3) << "it took a retry";
    Check_Whole_Frames(sim, ident->MSC.Bytes_Out() - before);
    EXPECT_LE(Count(radiosim::Frame_Kind::Connect), 2);
    EXPECT_TRUE(rec.calls.empty());
  }
}
