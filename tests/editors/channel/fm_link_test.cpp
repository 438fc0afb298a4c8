// The FM preset editor's transfers against the simulated radio.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "editors/channel/frm_fm.h"
#include "editors/image_rows.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "support/sim_fixture.h"

namespace {
using radiosim::Fault;
using radiosim::Frame_Kind;

// The window's own profile with a short watchdog and retry delay, for the
// tests that wait through time-outs.
Link_Profile Quick() {
  Link_Profile p = Fm_Link_Profile();
  p.Watchdog_After_Ms = 250;
  p.Watchdog_In_Frame_Ms = 250;
  p.Retry_Delay = 150;
  return p;
}

Image_Table Marked_Image() {
  Image_Table t{};
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 17; ++c) t[r][c] = static_cast<int16_t>((r + 3 * c) % 251);
  return t;
}

bool Idle(frm_FM* f) { return !f->Busy() && !f->Engine()->Timer3.Enabled(); }
}  // namespace

class FmLink : public Sim_Test {
protected:
  frm_FM* Open(const Link_Profile& p = Fm_Link_Profile()) { return Forms::Reload<frm_FM>(p); }
  bool Wait_Message(int ms = 20000) {
    return Spin_Until([&] { return !rec.calls.empty(); }, ms);
  }
};

TEST_F(FmLink, ReadReplacesRows768To783AndRedraws) {
  const auto mem = Random_Memory();
  // Two presets the grid can show.
  sim.Poke(0x3000, {0, 9, 9, 5, 0, 0, 0, 0, 'R', 'A', 'D', 'I', 'O', ' ', '1', 0xFF});
  sim.Poke(0x30F0, {1, 0, 7, 1, 2, 3, 4, 5, 0xFF, 0xFF, 'A', 'B', 0xFF, 0xFF, 0xFF, 0xFF});
  const auto radio = sim.Memory();
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  Area_Toggle = -1;
  auto* f = Open();
  int bar_at_message = -1;
  QString label_at_message;
  rec.on_call = [&](const Msg_Call&) {
    bar_at_message = f->ProgressBar1->value();
    label_at_message = f->Label_tr_count->text();
  };
  f->Command_read->click();
  EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
  EXPECT_TRUE(f->ProgressBar1->isVisible());
  EXPECT_EQ(Area_Toggle, 0);
  ASSERT_TRUE(Wait_Message());
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(bar_at_message, 100) << "bar and label come before the message";
  EXPECT_EQ(label_at_message, "Read FM Radio parameters in gear. ");
  EXPECT_FALSE(f->Engine()->MSC.Is_Open());
  EXPECT_FALSE(f->Busy());

  for (int r = 768; r <= 783; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], radio[r * 16 + c]) << r << "," << c;
  for (int r = 0; r < Image_Rows; ++r) {
    if (r < 768 || r > 783) {
      ASSERT_EQ(Radio_Image[r], before[r]) << r;
    }
    ASSERT_EQ(Radio_Image[r][16], before[r][16]);
  }
  EXPECT_EQ(f->MSF_Chann->Text_At(1, 1), "99.50000");
  EXPECT_EQ(f->MSF_Chann->Text_At(1, 2), "RADIO1");
  EXPECT_EQ(f->MSF_Chann->Text_At(16, 1), "107.12345");
  EXPECT_EQ(f->MSF_Chann->Text_At(16, 2), "AB");

  // Connect, password block, then each block once.
  const std::vector<std::pair<int, int>> want = {
      {0x3DF0, 16}, {0x3000, 64}, {0x3040, 64}, {0x3080, 64}, {0x30C0, 64}};
  EXPECT_EQ(Reads(), want);
  EXPECT_EQ(Count(Frame_Kind::Connect), 1);
  EXPECT_EQ(Count(Frame_Kind::Write), 0);
  (void)mem;
}

TEST_F(FmLink, WriteSendsRows768To783AndTouchesNothingElse) {
  Random_Memory(11);
  const auto radio_before = sim.Memory();
  Radio_Image = Marked_Image();
  Fm_Default();
  auto* f = Open();
  QString label_at_message;
  int bar_at_message = -1;
  rec.on_call = [&](const Msg_Call&) {
    label_at_message = f->Label_tr_count->text();
    bar_at_message = f->ProgressBar1->value();
  };
  f->Command_Write->click();
  ASSERT_TRUE(Wait_Message());
  ASSERT_EQ(rec.Texts(), QStringList{"Complete Written FM parameters to the transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(label_at_message, "Writing  15  Data Block") << "the message comes before the end label";
  EXPECT_EQ(bar_at_message, 93);
  EXPECT_EQ(f->Label_tr_count->text(), "Complete Written FM parameters ");
  EXPECT_EQ(f->ProgressBar1->value(), 93);
  EXPECT_FALSE(f->Engine()->MSC.Is_Open());

  const auto radio = sim.Memory();
  for (int a = 0; a < radiosim::Memory_Bytes; ++a) {
    if (a >= 0x3000 && a <= 0x30FF)
      ASSERT_EQ(radio[a], Img_Byte(a / 16, a % 16)) << std::hex << a;
    else
      ASSERT_EQ(radio[a], radio_before[a]) << std::hex << a;
  }
  // One 20-byte frame, then fifteen behind the 0x06 for the one before.
  std::vector<int> addrs;
  for (const auto& fr : sim.Frames())
    if (fr.kind == Frame_Kind::Write) addrs.push_back(fr.addr);
  ASSERT_EQ(addrs.size(), 16u);
  for (int n = 0; n < 16; ++n) EXPECT_EQ(addrs[n], 0x3000 + 16 * n);
  EXPECT_EQ(Reads(), (std::vector<std::pair<int, int>>{{0x3DF0, 16}}));
}

TEST_F(FmLink, PasswordIsTheWindowsOwnBoxAtThePress) {
  struct Case {
    const char* name;
    std::string user, super;
    bool user_ff;           // the radio's first slot holds six 0xFF bytes
    const char* box;        // this window's box at the press
    const char* other;      // another window's box, edited after this one ("" none)
    bool accepted;
  } cases[] = {
      {"no password set", "", "", false, "", "", true},
      {"six 0xFF bytes: no password", "", "", true, "zzz", "", true},
      {"the first password", "580417", "", false, "580417", "", true},
      {"four characters match four plus two blanks", "1234", "", false, "1234", "", true},
      {"the second password", "1234", "777777", false, "777777", "", true},
      {"wrong", "1234", "777777", false, "12345", "", false},
      {"case counts", "abcd", "", false, "ABCD", "", false},
      {"an empty box against a password", "1234", "777777", false, "", "", false},
      {"another window's box does not count", "1234", "", false, "9999", "1234", false},
      {"this window's box counts", "1234", "", false, "1234", "9999", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    rec.Clear();
    Random_Memory(3);
    sim.Set_Password(c.user);
    sim.Set_Super(c.super);
    if (c.user_ff) sim.Poke(0x3DF0, std::vector<uint8_t>(6, 0xFF));
    sim.Clear_Log();
    Radio_Image = Marked_Image();
    const Image_Table before = Radio_Image;
    auto* f = Open();
    f->Text_PassWord->Set_Text(c.box);
    if (*c.other) Link_Engine::Text_PassWord_Change(c.other);
    f->Command_read->click();
    ASSERT_TRUE(Wait_Message());
    if (c.accepted) {
      EXPECT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
      EXPECT_EQ(Reads().size(), 5u);
      continue;
    }
    ASSERT_EQ(rec.Texts(), QStringList{"PassWord Error, Reading Stop"});
    EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
    EXPECT_TRUE(Same_Image(Radio_Image, before));
    EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
    EXPECT_TRUE(f->ProgressBar1->isVisible());
    EXPECT_EQ(f->ProgressBar1->value(), 0);
    EXPECT_FALSE(f->Busy());
    EXPECT_FALSE(f->Engine()->MSC.Is_Open());
    EXPECT_EQ(Reads(), (std::vector<std::pair<int, int>>{{0x3DF0, 16}})) << "no data read";
  }
}

TEST_F(FmLink, RejectedWriteSendsNoDataFrameAndIsNotRetried) {
  Random_Memory(5);
  sim.Set_Password("1234");
  const auto radio_before = sim.Memory();
  Fm_Default();
  auto* f = Open(Quick());
  f->Text_PassWord->Set_Text("4321");
  f->Command_Write->click();
  ASSERT_TRUE(Wait_Message());
  ASSERT_EQ(rec.Texts(), QStringList{"PassWord Error, Reading Stop"});
  Spin_For(800);  // longer than a watchdog and a retry delay
  EXPECT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(Count(Frame_Kind::Write), 0);
  EXPECT_EQ(Count(Frame_Kind::Connect), 1);
  EXPECT_EQ(sim.Memory(), radio_before);
  EXPECT_TRUE(Idle(f));
}

TEST_F(FmLink, SilentRadioOrAFaultAtABlockLeavesTheImageAndReportsTheFailure) {
  struct Case {
    const char* name;
    bool write;
    std::vector<Fault> faults;
    bool silent;
  } cases[] = {
      {"silent radio, read", false, {}, true},
      {"silent radio, write", true, {}, true},
      {"no reply to block 3", false, {{.kind = Fault::Silent, .on = radiosim::Reply::Data, .nth = 3, .persistent = true}}, false},
      {"junk for block 2", false, {{.kind = Fault::Garbage, .on = radiosim::Reply::Data, .nth = 2, .persistent = true}}, false},
      {"wrong address in block 4", false, {{.kind = Fault::Wrong_Addr, .on = radiosim::Reply::Data, .nth = 4, .persistent = true}}, false},
      {"row 6 refused", true, {{.kind = Fault::Refuse, .on = radiosim::Reply::Write_Ack, .nth = 6, .persistent = true}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    rec.Clear();
    sim.Clear_Faults();
    Random_Memory(9);
    sim.Set_Silent(c.silent);
    for (const auto& fault : c.faults) sim.Add_Fault(fault);
    sim.Clear_Log();
    Radio_Image = Marked_Image();
    const Image_Table before = Radio_Image;
    auto* f = Open(Quick());
    if (c.write)
      f->Command_Write->click();
    else
      f->Command_read->click();
    ASSERT_TRUE(Wait_Message(30000));
    ASSERT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_EQ(f->Label_tr_count->text(), "Communication fault.");
    EXPECT_EQ(f->ProgressBar1->value(), 0);
    EXPECT_TRUE(f->ProgressBar1->isVisible());
    EXPECT_TRUE(Idle(f));
    EXPECT_FALSE(f->Engine()->MSC.Is_Open());
    EXPECT_EQ(Count(Frame_Kind::Connect), 4) << "the first attempt and three restarts";
    EXPECT_TRUE(Same_Image(Radio_Image, before));
    sim.Set_Silent(false);
  }
}

TEST_F(FmLink, ProgramExitDuringATransferStopsTheEngine) {
  Random_Memory(4);
  sim.Set_Paced(true);
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  auto* f = Open();
  QPointer<Fm_Link> engine(f->Engine());
  f->Command_read->click();
  ASSERT_TRUE(Spin_Until([&] { return Reads().size() >= 2; }, 10000));
  ASSERT_TRUE(f->Busy());
  Forms::Unload_All();  // what the program's end does
  EXPECT_TRUE(rec.calls.empty()) << "the end asks nothing";
  if (engine) {
    EXPECT_TRUE(engine->Dead());
    EXPECT_FALSE(engine->MSC.Is_Open());
  }
  // What was on the line when the engine stopped may still arrive; after
  // that nothing more comes.
  Spin_For(300);
  const size_t frames = sim.Frame_Count();
  Spin_For(1500);
  EXPECT_EQ(sim.Frame_Count(), frames) << "nothing more is sent";
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(FmLink, ButtonsRefuseWhileATransferRuns) {
  Random_Memory(2);
  sim.Set_Paced(true);
  auto* f = Open();
  f->Command_read->click();
  ASSERT_TRUE(f->Busy());
  f->Command_Write->click();
  f->Command_read->click();
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .",
                                      "Read-write operating with transceiver ."}));
  rec.Clear();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(Reads().size(), 5u) << "one transfer only";
}

TEST_F(FmLink, ProgressShowsTheBlockAndRowNumbers) {
  Random_Memory(6);
  // The radio answers the password read and then only so many requests; the
  // window keeps showing the progress of the request left unanswered.
  struct Case {
    bool write;
    int answered;  // data requests answered
    int16_t lang;
    const char* label;
    int bar;
  } cases[] = {
      {false, 1, 0, "Reading 3 Data Block", 60},
      {false, 2, 0, "Reading 4 Data Block", 80},
      {false, 3, -1, "正在读取 5 数据块", 100},
      {true, 1, 0, "Writing  1  Data Block", 6},
      {true, 8, 0, "Writing  8  Data Block", 50},
      {true, 15, -1, "正在写入  15  数据块", 93},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Lang_Flag = c.lang;
    sim.Clear_Log();
    sim.Set_Stop_After(1 + c.answered);
    auto* f = Open();
    if (c.write)
      f->Command_Write->click();
    else
      f->Command_read->click();
    const auto kind = c.write ? Frame_Kind::Write : Frame_Kind::Read;
    const int sent = c.write ? c.answered + 1 : c.answered + 2;  // the password read counts
    ASSERT_TRUE(Spin_Until([&] { return Count(kind) >= sent; }, 10000));
    EXPECT_EQ(f->Label_tr_count->text(), QString::fromUtf8(c.label));
    EXPECT_EQ(f->ProgressBar1->value(), c.bar);
    EXPECT_TRUE(f->ProgressBar1->isVisible());
    Forms::Unload<frm_FM>();
    Spin_For(50);
  }
  Lang_Flag = 0;
  sim.Set_Stop_After(-1);
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(FmLink, PortThatDoesNotOpenStartsNothing) {
  Port_No = 2;  // no device behind it
  auto* f = Open();
  f->Label_tr_count->setText("before");
  f->Command_read->click();
  ASSERT_EQ(rec.Texts(),
            QStringList{QString::fromUtf8("Communication port is error, please setting right communication port . ！")});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(Port_Error, -1);
  EXPECT_FALSE(f->Busy());
  EXPECT_EQ(f->Label_tr_count->text(), "before");
  EXPECT_TRUE(f->ProgressBar1->isHidden());
  Spin_For(100);
  EXPECT_EQ(sim.Frame_Count(), 0u);
}

TEST(FmPassword, Decision) {
  auto typed = [](const char* s) {
    std::array<int16_t, 17> t{};
    Link_Engine::Password_Codes(t, QString::fromUtf8(s), 6);
    return t;
  };
  auto block = [](const char* first, const char* second) {
    std::array<uint8_t, 17> b{};
    for (int k = 0; k < 6; ++k) {
      b[k] = static_cast<uint8_t>(first[k]);
      b[6 + k] = static_cast<uint8_t>(second[k]);
    }
    return b;
  };
  std::array<uint8_t, 17> ffs = block("      ", "999999");
  for (int k = 0; k < 6; ++k) ffs[k] = 0xFF;
  std::array<int16_t, 17> zeros{};  // nothing typed anywhere since the start
  struct Case {
    const char* name;
    std::array<int16_t, 17> typed;
    std::array<uint8_t, 17> block;
    bool accepted;
  } cases[] = {
      {"no password", typed("x"), block("      ", "999999"), true},
      {"six 0xFF bytes", typed("x"), ffs, true},
      {"first", typed("1234"), block("1234  ", "999999"), true},
      {"second", typed("999999"), block("1234  ", "999999"), true},
      {"neither", typed("123"), block("1234  ", "999999"), false},
      {"a two-byte character never matches", typed("中"), block("?     ", "999999"), false},
      {"zeros match only zeros", zeros, block("1234  ", "999999"), false},
      {"zeros against a zero second password", zeros, block("1234  ", "\0\0\0\0\0\0"), true},
  };
  for (const auto& c : cases) EXPECT_EQ(Fm_Password_Accepted(c.typed, c.block), c.accepted) << c.name;
}
