// Engine behaviour that does not depend on one dialog.
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <chrono>
#include <functional>

#include "app/mdi_main.h"
#include "link/link_engine.h"
#include "link/transfer_dialogs.h"
#include "platform/twips.h"
#include "support/sim_fixture.h"

TEST(PasswordBox, TrimmedCodesBlankPadded) {
  Pass_Typed.fill(0);
  Pass_Typed[7] = 99;
  Link_Engine::Text_PassWord_Change(" 12 ");
  EXPECT_EQ((std::array<int16_t, 6>{Pass_Typed[0], Pass_Typed[1], Pass_Typed[2], Pass_Typed[3],
                                    Pass_Typed[4], Pass_Typed[5]}),
            (std::array<int16_t, 6>{'1', '2', 0x20, 0x20, 0x20, 0x20}));
  EXPECT_EQ(Pass_Typed[7], 99) << "positions beyond the text keep what they held";
  Link_Engine::Text_PassWord_Change("a b");
  EXPECT_EQ(Pass_Typed[1], 0x20);
}

class Engine : public Sim_Test {};

TEST_F(Engine, EnforcedPasswordStopsBeforeAnyDataMoves) {
  Random_Memory();
  sim.Set_Password("580417");
  sim.Set_Super("123456");  // a blank second password would match an empty box
  Link_Profile p = Patient(Comm_Read_Profile());
  p.Pass = Pass_Mode::Enforced;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  struct Case { const char* typed; bool accepted; } cases[] = {
      {"58041", false}, {"580417", true}, {"", false}, {"123456", true}};
  for (const auto& c : cases) {
    rec.Clear();
    sim.Clear_Log();
    Link_Engine::Text_PassWord_Change(c.typed);
    Radio_Image = {};
    auto* d = Forms::Reload<Form_Comm_Read>(p);
    d->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000)) << c.typed;
    if (c.accepted) {
      EXPECT_EQ(rec.calls[0].text, "Complete reading data from the transceiver.");
    } else {
      EXPECT_EQ(rec.calls[0].text, "PassWord Error, Reading Stop");
      EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
      EXPECT_EQ(Reads_Once(1).size(), 1u) << "only the password block was read";
      EXPECT_FALSE(d->Busy());
      EXPECT_EQ(d->Label_tr_count->text(), "Connecting with transceiver. ");
      EXPECT_EQ(Radio_Image[0][0], 0);
      Spin_For(300);
      EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1) << "no retry after a rejection";
    }
  }
}

// After a time-out the transfer stays busy through the retry pause, and
// however it ends from there (its last attempt failed, the port gone at the
// retry, the dialog unloaded in the pause) it is idle afterwards: the
// dialog closes again.
TEST_F(Engine, BusyThroughTheRetryPauseAndIdleHoweverItEnds) {
  sim.Set_Silent(true);
  const struct {
    const char* name;
    int retries;
    std::function<void(Form_Comm_Read*)> in_pause;
    const char* message;  // the one message that reports the end, or nullptr
  } cases[] = {
      {"last attempt failed", 0, [](Form_Comm_Read*) {}, "Fail connect with transceiver."},
      {"port gone at the retry", 1, [](Form_Comm_Read*) { Port_Table_Set(1, "/nonexistent/cvr47x-retry"); },
       "Communication port is error, please setting right communication port . ！"},
      {"dialog unloaded", 1, [](Form_Comm_Read* d) { d->Unload(); }, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    rec.Clear();
    sim.Clear_Log();
    Port_Table_Set(1, QString::fromStdString(sim.Tty_Path()));
    Link_Profile p = Comm_Read_Profile();
    Quicken(p).Retry_Delay = 400;
    p.Retry_Read = c.retries;
    QPointer<Form_Comm_Read> d = Forms::Reload<Form_Comm_Read>(p);
    d->Command_read->click();
    ASSERT_TRUE(Spin_Until([&] { return d->Engine()->Retry_Pending(); }, 10000));
    EXPECT_TRUE(d->Busy());
    c.in_pause(d);
    if (!c.message) {
      EXPECT_TRUE(d->Engine()->Dead());
      EXPECT_FALSE(d->Busy());
      Spin_For(800);  // past the retry delay
      EXPECT_TRUE(rec.calls.empty());
      EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1);
      continue;
    }
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 10000));
    EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(Transfer_Idle(d.data()));
    d->Command_Cancel->click();
    EXPECT_TRUE(d->Unloaded());
  }
}

TEST_F(Engine, MainWindowRefusesAFreshWriteDialogWhileOneWrites) {
  Port_Table_Set(20, "/nonexistent/x");
  Screen_Set_Size_Px(QSize(1280, 800));
  MDImain w;
  w.MDIForm_Load();
  // The start-up identification holds the port until it ends; on a loaded
  // machine that may take a few seconds.
  ASSERT_TRUE(Spin_Until([&] { return !Status_Text(2).isEmpty() && !w.Ident()->Busy(); }, 20000));
  rec.Clear();
  w.Prog_write_Click();
  auto* first = Forms::Find<Form_Comm_Write>();
  ASSERT_NE(first, nullptr);
  first->Command_Write_Click();
  ASSERT_TRUE(first->Busy());
  w.Prog_write_Click();
  w.Toolbar1_ButtonClick("write");
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .",
                                      "Read-write operating with transceiver ."}));
  EXPECT_EQ(Forms::Find<Form_Comm_Write>(), first);
  // A read dialog is replaced even while it reads; its read stops silently.
  w.Prog_read_Click();
  auto* r1 = Forms::Find<Form_Comm_Read>();
  first->Unload();
  Spin_For(20);
  r1->Command_read_Click();
  ASSERT_TRUE(r1->Busy());
  rec.Clear();
  w.Prog_read_Click();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_NE(Forms::Find<Form_Comm_Read>(), r1);
  Forms::Unload_All();
  Spin_For(20);
  Screen_Set_Size_Px(QSize());
}

// When the send pump's tick falls inside a pause, the frame goes out as the
// pause ends, not a whole tick later: a tick that finds the pause running
// sets the next tick to the pause's end. Times are taken on the program's
// side: the acknowledgement leaves from the receive handler, the next frame
// from the pump's tick.
TEST_F(Engine, TheFrameAfterAPauseGoesOutWhenThePauseEnds) {
  for (int pause : {link_timing::Pause_Long_Ms, link_timing::Pause_Frame_Ms}) {
    SCOPED_TRACE(pause);
    rec.Clear();
    Link_Profile p = Comm_Read_Profile();
    p.Ident_Pause_Ms = pause;
    auto* d = Forms::Reload<Form_Comm_Read>(p);
    Link_Engine* e = d->Engine();
    using Clock = std::chrono::steady_clock;
    std::vector<std::pair<char, Clock::time_point>> out;  // 'r': receive handler, 't': pump
    int held_ticks = 0;
    std::vector<std::pair<int, int>> held;  // (next tick's interval, pause left) after a held tick
    // The receive handler's time is taken as it starts: the acknowledgement
    // and the pause's start come no sooner, so a gap measured from it is
    // never too long.
    e->MSC.On_Comm = [&e, &out, inner = e->MSC.On_Comm] {
      const long long before = e->MSC.Bytes_Out();
      const Clock::time_point started = Clock::now();
      inner();
      if (e->MSC.Bytes_Out() > before) out.push_back({'r', started});
    };
    e->Timer1.On_Timer = [&, inner = e->Timer1.On_Timer] {
      const long long before = e->MSC.Bytes_Out();
      const bool holding = e->MSC.Holding();
      inner();
      if (e->MSC.Bytes_Out() > before) out.push_back({'t', Clock::now()});
      if (holding && e->MSC.Bytes_Out() == before && e->Timer1.Enabled()) {
        ++held_ticks;
        held.push_back({e->Timer1.Interval(), e->MSC.Hold_Left_Ms()});
      }
    };
    d->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return out.size() >= 3; }, 3000));
    // Connect command (pump), identification acknowledgement (receive), password request (pump).
    ASSERT_EQ(out[1].first, 'r');
    ASSERT_EQ(out[2].first, 't');
    const double gap = std::chrono::duration<double, std::milli>(out[2].second - out[1].second).count();
    EXPECT_GE(gap, pause - 1.0) << "the pause holds the frame back";
    for (const auto& [interval, left] : held)
      EXPECT_LE(interval, left + 1) << "a held tick waits for the pause's end, no longer";
    EXPECT_LE(held_ticks, 2);
    d->Unload();
    Spin_For(20);
  }
}
