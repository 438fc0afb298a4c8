// The option editor's read and write of radio 0x0E00..0x0FFF against the
// simulated radio.
#include <QLabel>
#include <QProgressBar>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/tone_table.h"
#include "editors/image_rows.h"
#include "editors/options/frm_option.h"
#include "editors/options/opt_lists.h"
#include "link/link_engine.h"
#include "support/sim_fixture.h"

namespace {
class OptionLink : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Tone_Init();
    Opt_PosInit();
    Image_Fill();
    Opt_Default();
  }
  frm_option* Open(bool quick = false) {
    auto* f = Forms::Reload<frm_option>();
    if (quick) {
      Link_Profile& p = f->Engine()->Profile_Mutable();
      p.Watchdog_After_Ms = 250;
      p.Watchdog_In_Frame_Ms = 250;
      p.Retry_Delay = 150;
    }
    rec.Clear();
    return f;
  }
  bool Idle(frm_option* f) { return !f->Busy() && !f->Engine()->Timer3.Enabled(); }
};
}  // namespace

TEST_F(OptionLink, ReadRequestsEightBlocksFromE00AndRedraws) {
  const auto mem = Random_Memory(3);
  frm_option* f = Open();
  const Image_Table before = Radio_Image;
  std::vector<int> bar;
  QObject::connect(f->ProgressBar1, &QProgressBar::valueChanged, [&](int v) { bar.push_back(v); });
  // The end of a read shows bar and label before its message.
  QString label_at_message;
  rec.on_call = [&](const Msg_Call&) { label_at_message = f->Label_tr_count->text(); };
  f->Command_read_Click();
  EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Read optional parameters in gear. ");
  EXPECT_EQ(label_at_message, "Read optional parameters in gear. ");
  EXPECT_EQ(f->ProgressBar1->value(), 100);
  EXPECT_EQ(bar, (std::vector<int>{33, 44, 55, 66, 77, 88, 100}));
  EXPECT_FALSE(f->Engine()->MSC.Is_Open());
  // The password block, then 0x0E00, 0x0E40, ..., 0x0FC0, each once.
  const auto reads = Reads();
  ASSERT_EQ(reads.size(), 9u);
  EXPECT_EQ(reads[0], std::make_pair(0x3DF0, 16));
  for (int k = 0; k < 8; ++k) EXPECT_EQ(reads[1 + k], std::make_pair(0x0E00 + 64 * k, 64)) << k;
  EXPECT_EQ(Count(radiosim::Frame_Kind::Write), 0);
  // Rows 224..255 hold the radio's bytes, as the redraw normalised them:
  // every list byte within its list, the rest of the block and the rows no
  // control shows exactly as read.
  auto mem_byte = [&](int k) { return static_cast<int>(mem[0x0E00 + k]); };
  for (const Opt_Block_List& l : Opt_Block_Lists()) {
    const int k = *l.pos;
    EXPECT_EQ(Radio_Image[224 + k / 16][k % 16], std::min(mem_byte(k), l.items->Count() - 1)) << l.combo;
  }
  for (int k = 0x3E; k <= 0xCF; ++k)
    ASSERT_EQ(Radio_Image[224 + k / 16][k % 16], mem_byte(k)) << k;
  for (int r : {248, 249, 250, 251, 252, 253, 255})
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], mem[r * 16 + c]) << r;
  for (int r = 0; r < Image_Rows; ++r) {
    if (r >= 224 && r <= 255) continue;
    ASSERT_EQ(Radio_Image[r], before[r]) << r;
  }
  // The window shows what was read.
  const int sql = std::min(mem_byte(0x02), 9);
  EXPECT_EQ(f->Combo("Combo_Sql")->List_Index(), sql);
}

TEST_F(OptionLink, WriteSendsThe32RowsOfTheArea) {
  Random_Memory(4);
  frm_option* f = Open();
  f->Combo("Combo_Sql")->Set_List_Index(7);
  f->Text_ANI->Set_Text("135");
  for (int r = 248; r <= 253; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r * 3 + c) % 256);
  const Image_Table image = Radio_Image;
  // The end of a write shows its label only once the message is closed.
  QString label_at_message;
  rec.on_call = [&](const Msg_Call&) { label_at_message = f->Label_tr_count->text(); };
  f->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Complete writing optional parameters ");
  EXPECT_EQ(label_at_message, "Writing  31  Data Block");
  EXPECT_EQ(f->ProgressBar1->value(), 96);
  std::vector<int> addrs;
  for (const auto& fr : sim.Frames())
    if (fr.kind == radiosim::Frame_Kind::Write) addrs.push_back(fr.addr);
  ASSERT_EQ(addrs.size(), 32u);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(addrs[k], 0x0E00 + 16 * k);
  const auto after = sim.Peek(0x0E00, 512);
  for (int k = 0; k < 512; ++k) ASSERT_EQ(after[k], image[224 + k / 16][k % 16]) << k;
  EXPECT_EQ(after[0x02], 7);
  EXPECT_EQ(after[0xD0], 1);
  EXPECT_TRUE(Same_Image(Radio_Image, image));
}

TEST_F(OptionLink, ASilentRadioGetsFourAttemptsThenTheFailureReport) {
  sim.Set_Silent(true);
  frm_option* f = Open(true);
  const Image_Table before = Radio_Image;
  f->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 15000));
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Communication fault.");
  EXPECT_EQ(f->ProgressBar1->value(), 0);
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4);
  EXPECT_TRUE(Idle(f));
  EXPECT_FALSE(f->Engine()->MSC.Is_Open());
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(OptionLink, AFaultAtBlockNLeavesTheImageAndTheWindowUnchanged) {
  using radiosim::Fault;
  struct Case {
    const char* name;
    Fault fault;
  } const cases[] = {
      {"silence", {.kind = Fault::Silent, .on = radiosim::Reply::Data, .nth = 5, .persistent = true}},
      {"garbage", {.kind = Fault::Garbage, .on = radiosim::Reply::Data, .nth = 5, .persistent = true}},
      {"short", {.kind = Fault::Short, .on = radiosim::Reply::Data, .nth = 5, .persistent = true, .arg = 2}},
      {"wrong address", {.kind = Fault::Wrong_Addr, .on = radiosim::Reply::Data, .nth = 8, .persistent = true}},
  };
  Random_Memory(9);
  for (const Case& c : cases) {
    sim.Clear_Faults();
    sim.Clear_Log();
    sim.Add_Fault(c.fault);
    frm_option* f = Open(true);
    const Image_Table before = Radio_Image;
    const QString sql = f->Combo("Combo_Sql")->Text();
    f->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 15000)) << c.name;
    EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."}) << c.name;
    EXPECT_EQ(f->Label_tr_count->text(), "Communication fault.") << c.name;
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << c.name;
    EXPECT_EQ(f->Combo("Combo_Sql")->Text(), sql) << c.name;
    EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4) << c.name;
    EXPECT_TRUE(Idle(f)) << c.name;
  }
}

TEST_F(OptionLink, AWrongPasswordDoesNotStopTheRead) {
  Random_Memory(6);
  sim.Set_Password("123456");
  frm_option* f = Open();
  f->Text_PassWord->Set_Text("999999");
  f->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(Reads().size(), 9u);
}

TEST_F(OptionLink, PortOpenErrorStartsNothing) {
  Port_No = 2;  // no such device
  frm_option* f = Open();
  f->Command_Write_Click();
  EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8("Communication Port Open Error ！")});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(Port_Error, -1);
  EXPECT_FALSE(f->Busy());
  EXPECT_FALSE(f->ProgressBar1->isVisible());
}

TEST_F(OptionLink, ClosingDuringATransferIsRefusedAndUnloadStopsIt) {
  Random_Memory(8);
  frm_option* f = Open();
  f->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Write) >= 3; }, 10000));
  // The close box, the Close button and the other buttons are refused.
  f->close();
  f->Command_close_Click();
  f->Command_def_Click();
  f->Command_read_Click();
  ASSERT_EQ(rec.Texts(), (QStringList{QString::fromUtf8("Read-write operating，don't close the window.,"),
                                      QString::fromUtf8("Read-write operating，don't close the window.,"),
                                      "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver ."}));
  EXPECT_FALSE(f->Unloaded());
  EXPECT_TRUE(f->Busy());
  // Unloading (program exit) stops the transfer with the port closed.
  Forms::Unload<frm_option>();
  // A frame already on the line may still arrive; nothing after it.
  Spin_For(150);
  const size_t frames = sim.Frame_Count();
  Spin_For(400);
  EXPECT_EQ(sim.Frame_Count(), frames);
  EXPECT_EQ(rec.calls.size(), 4u);
}
