// The 5-tone editor's transfer against the simulated radio on a pty.
#include <QLabel>
#include <QProgressBar>

#include "editors/image_rows.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/tone5_area.h"
#include "link/link_engine.h"
#include "platform/vb_grid.h"
#include "support/sim_fixture.h"

namespace {
class Tone5Link : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Image_Fill();
    Tone5_Default();
    f = Forms::Load<frm_5tone>();
    f->Engine()->Profile_Mutable().Retry_Delay = 150;  // the retries, without their real pause
    rec.Clear();
  }
  // Image rows marked so that no radio byte matches by chance.
  void Mark_Rows() {
    for (int r = 0; r < Image_Rows; ++r)
      for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r + 3 * c) % 251);
  }
  frm_5tone* f = nullptr;
};
}  // namespace

TEST_F(Tone5Link, ReadFillsRowsFrom0x2400AndRedraws) {
  const auto mem = Random_Memory();
  Mark_Rows();
  const Image_Table before = Radio_Image;
  std::vector<QString> labels;
  std::vector<int> bars;
  f->Command_read_Click();
  EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Spin_Until([&] {
    const QString l = f->Label_tr_count->text();
    if (labels.empty() || labels.back() != l) {
      labels.push_back(l);
      bars.push_back(f->ProgressBar1->value());
    }
    return !rec.calls.empty();
  }, 20000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Read Signal parameters in gear. ");
  EXPECT_EQ(f->ProgressBar1->value(), 100);
  EXPECT_FALSE(f->ProgressBar1->isHidden()) << "shown again after the redraw hid it";
  EXPECT_EQ(labels[1], "Reading 3 Data Block");
  EXPECT_EQ(bars[1], 33);
  std::vector<std::pair<int, int>> blocks;
  for (const auto& r : Reads())
    if (r.second == 64) blocks.push_back(r);
  ASSERT_EQ(blocks.size(), 8u);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(blocks[k].first, 0x2400 + 64 * k);
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 16; ++c) {
      const int want = r >= 576 && r <= 607 ? mem[r * 16 + c] : before[r][c];
      ASSERT_EQ(Radio_Image[r][c], want) << "row " << r << " column " << c;
    }
  // The window shows what was read.
  EXPECT_EQ(f->MSF_Chann->Text_At(1, 1), QString::number(mem[576 * 16] * 10 + 20));
  EXPECT_FALSE(f->Busy());
}

TEST_F(Tone5Link, WriteSendsRows512To607AsTheyStand) {
  Random_Memory();
  Mark_Rows();  // the tone-table rows too: the editor's write does not rebuild them
  const Image_Table before = Radio_Image;
  f->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete Written Signal parameters to the transceiver."});
  EXPECT_EQ(f->Label_tr_count->text(), "Complete Written Signal parameters ");
  EXPECT_EQ(f->ProgressBar1->value(), 98);
  std::vector<int> addrs;
  for (const auto& fr : sim.Frames())
    if (fr.kind == radiosim::Frame_Kind::Write) addrs.push_back(fr.addr);
  ASSERT_EQ(addrs.size(), 96u);
  for (int b = 0; b < 96; ++b) EXPECT_EQ(addrs[b], 0x2000 + 16 * b);
  const auto radio = sim.Peek(0x2000, 96 * 16);
  for (int r = 512; r <= 607; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(radio[(r - 512) * 16 + c], before[r][c]) << r << "/" << c;
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(Tone5Link, AFaultAtBlockNLeavesTheImageUnchanged) {
  using radiosim::Fault;
  struct Case { const char* name; Fault fault; } cases[] = {
      {"silence", {.kind = Fault::Silent, .on = radiosim::Reply::Data, .nth = 5, .persistent = true}},
      {"garbage", {.kind = Fault::Garbage, .on = radiosim::Reply::Data, .nth = 3, .persistent = true}},
      {"short", {.kind = Fault::Short, .on = radiosim::Reply::Data, .nth = 8, .persistent = true, .arg = 2}},
  };
  Random_Memory();
  for (const auto& c : cases) {
    sim.Clear_Faults();
    sim.Clear_Log();
    sim.Add_Fault(c.fault);
    Mark_Rows();
    f->Tone5_Show();
    const Image_Table before = Radio_Image;
    const QString shown = f->MSF_Chann->Text_At(1, 1);
    rec.Clear();
    f->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000)) << c.name;
    EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."}) << c.name;
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_EQ(f->Label_tr_count->text(), "Communication fault.");
    EXPECT_EQ(f->ProgressBar1->value(), 0);
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << c.name;
    EXPECT_EQ(f->MSF_Chann->Text_At(1, 1), shown) << "not redrawn";
    EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4) << c.name;
  }
}

TEST_F(Tone5Link, BusyWindowRefusesItsButtonsAndCloseBox) {
  Random_Memory();
  f->Command_read_Click();
  ASSERT_TRUE(f->Busy());
  f->Command_Write_Click();
  f->Command_def_Click();
  f->close();
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .", "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver ."}));
  EXPECT_FALSE(f->Unloaded());
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() == 4; }, 20000));
  EXPECT_EQ(rec.calls[3].text, "Complete reading the data from transceiver.");
  // Unloading at program exit stops a running transfer cleanly.
  f->Command_Write_Click();
  ASSERT_TRUE(f->Busy());
  Forms::Unload_All();
  Spin_For(300);
  EXPECT_EQ(rec.calls.size(), 4u) << "no report after the window went";
}
