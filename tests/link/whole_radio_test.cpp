// The whole-radio read and write dialogs against the simulated radio.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "data/image_map.h"
#include "data/tone5_tables.h"
#include "link/transfer_dialogs.h"
#include "support/sim_fixture.h"

namespace {
// The dialogs' own profiles with a short retry delay, for the tests that
// wait through time-outs.
Link_Profile Quick(Link_Profile p) { return Quicken(p); }
}  // namespace

class WholeRead : public Sim_Test {};
class WholeWrite : public Sim_Test {};

TEST_F(WholeRead, ReadsEveryBlockAndReplacesRows0To787) {
  const auto mem = Random_Memory();
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  auto* d = Forms::Reload<Form_Comm_Read>(Patient(Comm_Read_Profile()));
  d->Command_read_Click();
  EXPECT_EQ(d->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading data from the transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(d->Label_tr_count->text(), QString::fromUtf8("Read Data is Ok ！"));
  EXPECT_EQ(d->ProgressBar1->value(), 99);
  EXPECT_FALSE(d->Engine()->MSC.Is_Open());

  for (int r = 0; r <= 787; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], mem[r * 16 + c]) << r << "," << c;
  for (int r = 788; r < Image_Rows; ++r) ASSERT_EQ(Radio_Image[r], before[r]) << r;
  for (int r = 0; r <= 787; ++r) ASSERT_EQ(Radio_Image[r][16], before[r][16]);

  // Password block, then the first block twice, then every block up to 0x31C0.
  const auto reads = Reads_Once(202);
  ASSERT_EQ(reads.size(), 202u);
  EXPECT_EQ(reads[0], std::make_pair(0x3DF0, 16));
  EXPECT_EQ(reads[1], std::make_pair(0x0000, 64));
  for (int r = 2; r <= 201; ++r) ASSERT_EQ(reads[r], std::make_pair((r - 2) * 64, 64)) << r;
  // The identification and every block reply are acknowledged; the password
  // block's acknowledgement leads the first request.
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Ack, 1 + 1 + 201), 1 + 1 + 201);
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1);
  EXPECT_EQ(Count(radiosim::Frame_Kind::Write), 0);
  const auto frames = sim.Frames();
  EXPECT_EQ(frames[1].kind, radiosim::Frame_Kind::Ack);
  EXPECT_EQ(frames[2].kind, radiosim::Frame_Kind::Read);
  EXPECT_EQ(frames[3].kind, radiosim::Frame_Kind::Ack) << "0x06 'S' 0 0 0x40";
  EXPECT_EQ(frames[4].addr, 0x0000);
  // The identification replaced the band limits and filled the status bar.
  EXPECT_EQ(Status_Text(8), " 136-- 174");
  EXPECT_EQ(Status_Text(2), "R47X  ");
}

TEST_F(WholeRead, AFaultAtBlockNLeavesTheImageUnchanged) {
  using radiosim::Fault;
  struct Case { const char* name; Fault fault; } cases[] = {
      {"silence", {.kind = Fault::Silent, .on = radiosim::Reply::Data, .nth = 6, .persistent = true}},
      {"garbage", {.kind = Fault::Garbage, .on = radiosim::Reply::Data, .nth = 6, .persistent = true}},
      {"short", {.kind = Fault::Short, .on = radiosim::Reply::Data, .nth = 6, .persistent = true, .arg = 2}},
      {"wrong address", {.kind = Fault::Wrong_Addr, .on = radiosim::Reply::Data, .nth = 6, .persistent = true}},
      {"'X' late", {.kind = Fault::Patch, .on = radiosim::Reply::Data, .nth = 6, .persistent = true, .arg = 1, .byte = 0x06}},
  };
  Random_Memory();
  for (const auto& c : cases) {
    sim.Clear_Faults();
    sim.Clear_Log();
    sim.Add_Fault(c.fault);
    Radio_Image = Marked_Image();
    const Image_Table before = Radio_Image;
    rec.Clear();
    auto* d = Forms::Reload<Form_Comm_Read>(Quick(Comm_Read_Profile()));
    d->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000)) << c.name;
    EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."}) << c.name;
    EXPECT_EQ(d->Label_tr_count->text(), "Communication fault.") << c.name;
    EXPECT_EQ(d->ProgressBar1->value(), 0);
    EXPECT_TRUE(d->ProgressBar1->isVisible() || !d->isVisible());
    EXPECT_EQ(Radio_Image, before) << c.name << ": a failed read touched the image";
    EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Connect, 4), 4) << c.name << ": four attempts";
    // Each attempt stopped at the faulty block and never acknowledged it.
    EXPECT_LE(Reads().size(), 4u * 7u) << c.name;
  }
}

TEST_F(WholeRead, AOneOffFaultIsRetriedAndTheReadCompletes) {
  const auto mem = Random_Memory(11);
  sim.Add_Fault({.kind = radiosim::Fault::Garbage, .on = radiosim::Reply::Data, .nth = 40});
  // One time-out, one retry: the watchdog long enough that no other reply
  // times out on a loaded machine.
  Link_Profile p = Quick(Comm_Read_Profile());
  p.Watchdog_After_Ms = 3000;
  auto* d = Forms::Reload<Form_Comm_Read>(p);
  d->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading data from the transceiver."});
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Connect, 2), 2);
  for (int r = 0; r <= 787; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], mem[r * 16 + c]);
}

TEST_F(WholeRead, BusyRefusalsAndCancel) {
  Random_Memory();
  auto* d = Forms::Reload<Form_Comm_Read>(Patient(Comm_Read_Profile()));
  d->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return Reads().size() >= 5; }, 5000));
  d->Command_read_Click();
  d->Command_Cancel_Click();
  ASSERT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .",
                                      QString::fromUtf8("Read-write operating，don't close the window. ,")}));
  EXPECT_FALSE(d->Unloaded());
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() == 3; }, 20000));
  EXPECT_EQ(rec.calls[2].text, "Complete reading data from the transceiver.") << "the transfer went on";
  d->Command_Cancel_Click();  // idle now: closes
  EXPECT_TRUE(d->Unloaded());
}

// The pause between a time-out and the retry belongs to the transfer: Read
// is refused there as during an attempt, and the retry goes on to finish
// the read.
TEST_F(WholeRead, ReadIsRefusedWhileARetryIsPendingAndTheRetryFinishes) {
  const auto mem = Random_Memory(5);
  Link_Profile p = Comm_Read_Profile();
  p.Watchdog_After_Ms = 3000;
  p.Retry_Delay = 1500;
  sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = radiosim::Reply::Data, .nth = 3});
  auto* d = Forms::Reload<Form_Comm_Read>(p);
  d->Command_read->click();
  ASSERT_TRUE(Spin_Until([&] { return d->Engine()->Retry_Pending(); }, 10000));
  EXPECT_TRUE(d->Busy());
  d->Command_read->click();
  EXPECT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  EXPECT_FALSE(d->Unloaded());
  EXPECT_TRUE(d->Engine()->Retry_Pending()) << "the retry still waits";
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 2; }, 20000));
  EXPECT_EQ(rec.calls[1].text, "Complete reading data from the transceiver.");
  EXPECT_TRUE(Transfer_Idle(d));
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Connect, 2), 2);
  EXPECT_EQ(Radio_Image[787][15], mem[787 * 16 + 15]);
}

namespace {
const QString kCloseRefused = QString::fromUtf8("Read-write operating，don't close the window. ,");

// The dialog's title-bar close box.
void Close_Box(Transfer_Dialog* d) { (d->Host() ? d->Host() : static_cast<QWidget*>(d))->close(); }

// A whole-radio dialog and the profile it is loaded with.
struct Dialog_Case {
  const char* name;
  std::function<Transfer_Dialog*(Link_Profile)> load;
  Link_Profile profile;
};
}  // namespace

class WholeDialogs : public Sim_Test {};

// While a read or a write runs, the close box is refused as Cancel is, with
// Cancel's message; the transfer goes on to its end, and then the close box
// closes the dialog.
TEST_F(WholeDialogs, TheCloseBoxIsRefusedAsCancelIsWhileTheTransferRuns) {
  Link_Profile write = Patient(Comm_Write_Profile());
  write.Write_Count = 96;  // enough to be under way
  const Dialog_Case cases[] = {
      {"read", [](Link_Profile p) -> Transfer_Dialog* { return Forms::Reload<Form_Comm_Read>(p); },
       Patient(Comm_Read_Profile())},
      {"write", [](Link_Profile p) -> Transfer_Dialog* { return Forms::Reload<Form_Comm_Write>(p); }, write},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Random_Memory();
    sim.Clear_Log();
    rec.Clear();
    Transfer_Dialog* d = c.load(c.profile);
    d->Command_Go->click();
    ASSERT_TRUE(Spin_Until([&] { return sim.Frame_Count() >= 8; }, 10000));
    d->Command_Cancel->click();
    Close_Box(d);
    EXPECT_EQ(rec.Texts(), (QStringList{kCloseRefused, kCloseRefused}));
    EXPECT_FALSE(d->Unloaded());
    ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() >= 3; }, 30000));
    const Link_Texts& t = d->Engine()->Profile().Texts;
    EXPECT_EQ(rec.calls[2].text, (c.profile.Write_Count > 0 ? t.write_done : t.read_done).Get())
        << "the transfer went on to its end";
    EXPECT_TRUE(Transfer_Idle(d));
    Close_Box(d);
    EXPECT_TRUE(d->Unloaded());
    EXPECT_EQ(rec.calls.size(), 3u);
  }
  EXPECT_EQ(Count(radiosim::Frame_Kind::Write), 96) << "the write sent every row";
}

// Between a time-out and what follows it, Cancel and the close box end the
// transfer at once: no retry follows, a read leaves the image as it was;
// where the pause would have ended in the failure report (the write's only
// attempt, a read's last), the report comes there and then. Then the dialog
// closes.
TEST_F(WholeDialogs, CancelOrTheCloseBoxInTheRetryPauseEndsTheTransfer) {
  Link_Profile read = Comm_Read_Profile();
  read.Watchdog_After_Ms = 1000;
  read.Retry_Delay = 3000;
  Link_Profile last_read = read;
  last_read.Retry_Read = 0;
  Link_Profile write = Comm_Write_Profile();  // its own 5 s until the failure report
  write.Watchdog_After_Ms = 1000;
  const auto load_read = [](Link_Profile p) -> Transfer_Dialog* { return Forms::Reload<Form_Comm_Read>(p); };
  struct Case {
    Dialog_Case dialog;
    bool reports;  // the failure report is due at the end of the pause
  } cases[] = {
      {{"read", load_read, read}, false},
      {{"read, its last attempt", load_read, last_read}, true},
      {{"write", [](Link_Profile p) -> Transfer_Dialog* { return Forms::Reload<Form_Comm_Write>(p); }, write},
       true},
  };
  struct Way {
    const char* name;
    std::function<void(Transfer_Dialog*)> close;
  } ways[] = {{"Cancel", [](Transfer_Dialog* d) { d->Command_Cancel->click(); }}, {"close box", Close_Box}};
  Random_Memory();
  for (const auto& [c, reports] : cases)
    for (const auto& way : ways) {
      SCOPED_TRACE(std::string(c.name) + ", " + way.name);
      const bool writes = c.profile.Write_Count > 0;
      sim.Clear_Faults();
      sim.Clear_Log();
      rec.Clear();
      const radiosim::Reply silent_on = writes ? radiosim::Reply::Write_Ack : radiosim::Reply::Data;
      sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = silent_on, .nth = 3});
      Radio_Image = Marked_Image();
      const Image_Table before = Radio_Image;
      Transfer_Dialog* d = c.load(c.profile);
      QPointer<Link_Engine> engine = d->Engine();
      d->Command_Go->click();
      ASSERT_TRUE(Spin_Until([&] { return d->Engine()->Retry_Pending(); }, 10000));
      way.close(d);
      EXPECT_TRUE(d->Unloaded());
      EXPECT_EQ(rec.Texts(), reports ? QStringList{"Fail connect with transceiver."} : QStringList{});
      // The engine goes with the dialog: nothing of the transfer can follow.
      ASSERT_TRUE(Spin_Until([&] { return engine.isNull(); }, 2000));
      EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1) << "no retry";
      if (!writes) {
        EXPECT_TRUE(Radio_Image == before) << "the read left the image as it was";
      }
    }
}

// One transfer at a time: another window's start is refused with the busy
// message before it touches the port.
TEST_F(WholeRead, TwoWindowsCannotHoldOnePort) {
  Random_Memory();
  auto* r = Forms::Reload<Form_Comm_Read>();
  r->Command_read_Click();
  auto* w = Forms::Reload<Form_Comm_Write>();
  w->Command_Write_Click();
  EXPECT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  EXPECT_FALSE(w->Busy());
  EXPECT_FALSE(w->Engine()->MSC.Is_Open());
  EXPECT_TRUE(r->Busy());
  r->Unload();  // unloading mid-read ends it on the spot
  Spin_For(50);
}

TEST_F(WholeWrite, WritesRows0To783AfterRebuildingThe5ToneTables) {
  sim.Set_Memory(std::vector<uint8_t>(proto::Memory_Size, 0x00));
  for (int k = 0; k < 12; ++k) sim.Poke(0x3DF0 + k, {0x20});
  Radio_Image = Marked_Image();
  for (int r = 512; r <= 574; ++r) Radio_Image[r].fill(0x11);  // a file put other values here
  auto* d = Forms::Reload<Form_Comm_Write>(Patient(Comm_Write_Profile()));
  d->Command_Write_Click();
  // The tables were rebuilt on the click.
  Image_Table expected = Radio_Image;
  EXPECT_NE(Radio_Image[512][0], 0x11);
  EXPECT_EQ(Radio_Image[527][0], 0x11) << "row 527 is not part of the tables";
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 40000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete Written the data to transceiver."});
  EXPECT_EQ(d->Label_tr_count->text(), QString::fromUtf8("Data Writed ！"));
  EXPECT_EQ(d->ProgressBar1->value(), 99);
  const auto mem = sim.Memory();
  for (int r = 0; r <= 783; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(mem[r * 16 + c], Img_Byte(expected[r][c])) << r << "," << c;
  EXPECT_EQ(mem[0x3100], 0x00) << "nothing beyond row 783";

  // 784 row frames: the first without a leading acknowledgement.
  ASSERT_EQ(Count_Once(radiosim::Frame_Kind::Write, 784), 784);
  std::vector<radiosim::Frame> writes;
  for (const auto& f : sim.Frames())
    if (f.kind == radiosim::Frame_Kind::Write) writes.push_back(f);
  ASSERT_EQ(writes.size(), 784u);
  for (int n = 0; n < 784; ++n) ASSERT_EQ(writes[n].addr, n * 16) << n;
  const auto frames = sim.Frames();
  int acks_before_first_write = 0;
  for (const auto& f : frames) {
    if (f.kind == radiosim::Frame_Kind::Write) break;
    acks_before_first_write += f.kind == radiosim::Frame_Kind::Ack;
  }
  EXPECT_EQ(acks_before_first_write, 2) << "identification and password block";
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Ack, 2 + 783), 2 + 783);
  EXPECT_EQ(Reads(), (std::vector<std::pair<int, int>>{{0x3DF0, 16}}));
}

TEST_F(WholeWrite, ARefusedFrameGivesTheFailureReportWithoutASecondAttempt) {
  sim.Add_Fault({.kind = radiosim::Fault::Refuse, .on = radiosim::Reply::Write_Ack, .nth = 5});
  auto* d = Forms::Reload<Form_Comm_Write>(Quick(Comm_Write_Profile()));
  bool label_empty_at_message = false, bar_hidden_at_message = false;
  rec.on_call = [&](const Msg_Call&) {
    label_empty_at_message = d->Label_tr_count->text().isEmpty();
    bar_hidden_at_message = d->ProgressBar1->isHidden();
  };
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 10000));
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_TRUE(label_empty_at_message);
  EXPECT_TRUE(bar_hidden_at_message);
  EXPECT_EQ(d->Label_tr_count->text(), "Communication fault.");
  EXPECT_EQ(d->ProgressBar1->value(), 0);
  EXPECT_EQ(Count_Once(radiosim::Frame_Kind::Write, 5), 5);
  Spin_For(600);
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1) << "no second attempt";
  EXPECT_EQ(Count(radiosim::Frame_Kind::Write), 5);
  EXPECT_FALSE(d->Busy());
}

TEST_F(WholeWrite, NoPortShowsOnlyThePortMessageButTheTablesAreRebuilt) {
  Port_No = 3;
  for (int r = 512; r <= 574; ++r) Radio_Image[r].fill(0x11);
  auto* d = Forms::Reload<Form_Comm_Write>();
  d->Command_Write_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_NE(Radio_Image[512][0], 0x11);
  EXPECT_FALSE(d->Busy());
  EXPECT_TRUE(d->Label_tr_count->text().isEmpty());
}
