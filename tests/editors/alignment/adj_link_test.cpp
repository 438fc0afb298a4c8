// The alignment editor's read and write against the simulated radio.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include "editors/alignment/adj_area.h"
#include "editors/alignment/frm_adj_txp.h"
#include "files/adj_file.h"
#include "link/link_engine.h"
#include "support/sim_fixture.h"

namespace {
constexpr int kArea = 0x3C00;

// A radio whose alignment area holds values every page shows as they are,
// so that a read can be compared byte for byte; the other bytes are random.
std::vector<uint8_t> Alignment_Memory(std::vector<uint8_t> m) {
  auto at = [&](int r, int c) -> uint8_t& { return m[kArea + 16 * r + c]; };
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 16; ++c) at(r, c) = static_cast<uint8_t>(at(r, c) % 64);
  for (int r = 8; r < 16; r += 2)
    for (int c = 0; c < 16; ++c) {
      at(r, c) = static_cast<uint8_t>(at(r, c) % 101);
      at(r + 1, c) = static_cast<uint8_t>(at(r + 1, c) % 11);
    }
  const int items[14] = {128, 64, 64, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 128};
  for (int c = 0; c < 14; ++c) at(16, c) = static_cast<uint8_t>(at(16, c) % items[c]);
  for (int r = 24; r < 28; ++r) {
    for (int c = 0; c < 6; ++c) at(r, c) = static_cast<uint8_t>(at(r, c) % 10);
    at(r, 7) = static_cast<uint8_t>(at(r, 7) % 2);
  }
  const char* pass = " AB12  -9+Z ";  // user "AB12" and super "-9+Z", centred
  for (int c = 0; c < 12; ++c) at(31, c) = static_cast<uint8_t>(pass[c]);
  return m;
}
}  // namespace

class AdjLink : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Adj_DefaultFill();
    for (int r = 0; r < 32; ++r)
      for (int c = 0; c < 16; ++c) Adj_Image[r][c] = Adj_Default[r][c];
    f = Forms::Load<frm_Adj_Txp>();
    ASSERT_NE(f, nullptr);
    rec.Clear();
  }
  void Bar_Log() {
    QObject::connect(f->ProgressBar1, &QProgressBar::valueChanged, f, [this](int v) { bars.push_back(v); });
  }
  std::vector<radiosim::Frame> Data_Frames() const {
    std::vector<radiosim::Frame> out;
    for (const auto& fr : sim.Frames())
      if (!fr.ignored && fr.kind != radiosim::Frame_Kind::Connect) out.push_back(fr);
    return out;
  }
  frm_Adj_Txp* f = nullptr;
  std::vector<int> bars;
};

TEST_F(AdjLink, ReadFillsTheWholeAreaAndRedraws) {
  const std::vector<uint8_t> m = Alignment_Memory(Random_Memory(11));
  sim.Set_Memory(m);
  Bar_Log();
  f->Command_read_Click();
  EXPECT_TRUE(f->Busy());
  EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Read optional parameters in gear. ");
  EXPECT_FALSE(f->Busy());
  for (int i = 0; i < 512; ++i) ASSERT_EQ(Adj_Image[i / 16][i % 16], m[kArea + i]) << "byte " << i;
  // The page shown was redrawn from the radio's values.
  EXPECT_EQ(f->Text_user_PassWord->Text(), "AB12 ");
  EXPECT_EQ(f->Text_Super_PassWord->Text(), "-9+Z ");
  EXPECT_EQ(f->Text_Freq_L[1]->Text(), " " + QString::number(100 * m[0x3D90] + 10 * m[0x3D91] + m[0x3D92]));
  // Connect, then the identification acknowledged by the first request
  // (0x06 'S' 0x3C 0x00 0x40), eight requests in all, each reply acknowledged.
  ASSERT_TRUE(Spin_Until([&] { return sim.Counts().acks >= 9; }, 2000));
  const auto frames = Data_Frames();
  ASSERT_EQ(frames.size(), 17u);
  EXPECT_EQ(frames[0].kind, radiosim::Frame_Kind::Ack);
  EXPECT_EQ(frames[1].raw, (std::vector<uint8_t>{0x53, 0x3C, 0x00, 0x40}));
  for (int b = 0; b < 8; ++b) {
    EXPECT_EQ(frames[1 + 2 * b].kind, radiosim::Frame_Kind::Read);
    EXPECT_EQ(frames[1 + 2 * b].addr, kArea + 64 * b);
    EXPECT_EQ(frames[1 + 2 * b].len, 64);
    EXPECT_EQ(frames[2 + 2 * b].kind, radiosim::Frame_Kind::Ack);
  }
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 1);
  EXPECT_EQ(bars, (std::vector<int>{0, 33, 44, 55, 66, 77, 88, 100}));
}

TEST_F(AdjLink, WriteSendsTheFourBandLimitRowsOnly) {
  const std::vector<uint8_t> before = Random_Memory(5);
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = static_cast<int16_t>((r * 16 + c) * 7 % 256);
  Bar_Log();
  f->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000));
  EXPECT_EQ(rec.Texts(), QStringList{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(f->Label_tr_count->text(), "Complete writing optional parameters ");
  EXPECT_EQ(bars, (std::vector<int>{0, 100, 89, 92, 96}));
  const auto frames = Data_Frames();
  std::vector<radiosim::Frame> writes;
  for (const auto& fr : frames)
    if (fr.kind == radiosim::Frame_Kind::Write) writes.push_back(fr);
  ASSERT_EQ(writes.size(), 4u);
  ASSERT_EQ(frames[0].kind, radiosim::Frame_Kind::Ack) << "the identification's 0x06 leads the first frame";
  EXPECT_EQ(frames[1].seq, writes[0].seq);
  for (int k = 0; k < 4; ++k) {
    std::vector<uint8_t> want = {0x58, 0x3D, static_cast<uint8_t>(0x80 + 16 * k), 0x10};
    for (int c = 0; c < 16; ++c) want.push_back(static_cast<uint8_t>(Adj_Image[24 + k][c]));
    EXPECT_EQ(writes[k].raw, want) << "row " << 24 + k;
  }
  EXPECT_EQ(Count(radiosim::Frame_Kind::Read), 0) << "no password block is read";
  const std::vector<uint8_t> after = sim.Memory();
  for (int a = 0; a < proto::Memory_Size; ++a) {
    if (a >= 0x3D80 && a < 0x3DC0)
      ASSERT_EQ(after[a], Adj_Image[(a - kArea) / 16][a % 16]) << std::hex << a;
    else
      ASSERT_EQ(after[a], before[a]) << "written outside the band-limit rows at " << std::hex << a;
  }
}

TEST_F(AdjLink, ASilentRadioFailsInTheStatusBarOnly) {
  sim.Set_Silent(true);
  const Adj_Table was = Adj_Image;
  f->Command_read_Click();
  ASSERT_TRUE(Spin_Until([] { return Status_Text(2) == "Communication fault."; }, 30000));
  EXPECT_TRUE(rec.calls.empty()) << "no message box";
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4) << "the first attempt and three retries";
  EXPECT_FALSE(f->Busy());
  EXPECT_EQ(f->Label_tr_count->text(), "Connecting with transceiver. ");
  EXPECT_EQ(Adj_Image, was);
}

TEST_F(AdjLink, AReadThatStopsAtAnyBlockLeavesTheImageAlone) {
  Random_Memory(3);
  f->Engine()->Profile_Mutable().Retry_Read = 0;  // the first time-out is final
  const Adj_Table was = Adj_Image;
  for (int n : {1, 5, 8}) {
    sim.Clear_Log();
    Status_Set(2, QString());
    sim.Set_Stop_After(n - 1);  // block n gets no reply
    f->Command_read_Click();
    ASSERT_TRUE(Spin_Until([] { return Status_Text(2) == "Communication fault."; }, 10000)) << n;
    EXPECT_EQ(static_cast<int>(Reads().size()), n);
    EXPECT_EQ(Adj_Image, was) << "block " << n;
    EXPECT_TRUE(rec.calls.empty());
  }
}

TEST_F(AdjLink, AGarbledBlockIsReadAgainFromTheConnectCommand) {
  const std::vector<uint8_t> m = Alignment_Memory(Random_Memory(9));
  sim.Set_Memory(m);
  sim.Add_Fault({.kind = radiosim::Fault::Garbage, .on = radiosim::Reply::Data, .nth = 4});
  f->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  EXPECT_EQ(rec.Texts(), QStringList{"Complete reading the data from transceiver."});
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 2);
  for (int i = 0; i < 512; ++i) ASSERT_EQ(Adj_Image[i / 16][i % 16], m[kArea + i]) << "byte " << i;
}

TEST_F(AdjLink, ButtonsAndTheCloseBoxRefuseWhileBusy) {
  sim.Set_Paced(true);
  f->Command_read_Click();
  ASSERT_TRUE(f->Busy());
  f->Command_Write_Click();
  f->Command_def_Click();
  f->Command_close_Click();
  f->close();
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      "Read-write operating，don't close the window.,",
                                      "Read-write operating，don't close the window.,"}));
  EXPECT_EQ(Forms::Find<frm_Adj_Txp>(), f);
  // Program exit stops the transfer on the spot.
  Forms::Unload_All();
  EXPECT_TRUE(f->Engine()->Dead());
  Spin_For(50);
}

// The pause between a time-out and the retry belongs to the read: the
// window refuses its buttons there, and a file request raised there waits
// until the retried read has ended, so the read cannot overwrite a file the
// window has already reported as loaded.
TEST_F(AdjLink, ARetryPauseRefusesDefaultAndHoldsAFileRequestTillTheReadEnds) {
  const std::vector<uint8_t> m = Alignment_Memory(Random_Memory(13));
  sim.Set_Memory(m);
  QTemporaryDir dir;
  // The file holds values of another radio, each one the window shows as it is.
  std::mt19937 g(29);
  std::vector<uint8_t> other(proto::Memory_Size);
  for (auto& b : other) b = static_cast<uint8_t>(g());
  other = Alignment_Memory(other);
  Adj_Table file{};
  for (int r = 0; r < Adj_File_Rows; ++r)
    for (int c = 0; c < 16; ++c) file[r][c] = other[kArea + 16 * r + c];
  QString why;
  ASSERT_TRUE(Adj_File_Save(dir.filePath("pause.adj"), file, &why)) << why.toStdString();
  sim.Set_Silent(true);
  f->Command_read->click();
  ASSERT_TRUE(Spin_Until([&] { return f->Engine()->Retry_Pending(); }, 10000));
  EXPECT_TRUE(f->Busy());
  // The radio answers the retry; its watchdog patient enough for a loaded machine.
  Link_Profile& p = f->Engine()->Profile_Mutable();
  p.Watchdog_After_Ms = p.Watchdog_In_Frame_Ms = 8000;
  sim.Set_Silent(false);
  File_Path = dir.filePath("pause.adj");
  Adj_Open_Flag = -1;
  f->Command_def->click();
  EXPECT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  // The file-request poll ticks several times in the pause.
  Spin_Until([&] { return Adj_Open_Flag == 0 || !f->Engine()->Retry_Pending(); }, 10000);
  EXPECT_EQ(Adj_Open_Flag, -1) << "the file was loaded inside the pause";
  const QString read_done = "Complete reading the data from transceiver.";
  ASSERT_TRUE(Spin_Until([&] { return rec.Texts().contains(read_done) && Adj_Open_Flag == 0; }, 30000));
  Spin_Until([&] { return rec.calls.size() >= 3; }, 3000);  // the load's message
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .", read_done,
                                      "Succeed fold the optional parameters from file."}));
  EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 2);
  for (int r = 0; r < Adj_File_Rows; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Adj_Image[r][c], file[r][c]) << "row " << r << " cell " << c;
  EXPECT_TRUE(Transfer_Idle(f));
}

TEST_F(AdjLink, APortThatDoesNotOpenIsReportedAndNothingStarts) {
  Port_Table_Set(1, "/nonexistent/cvr47x-adj");
  f->Command_Write_Click();
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, "Communication Port Open Error ！");
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
  EXPECT_EQ(Port_Error, -1);
  EXPECT_FALSE(f->Busy());
  EXPECT_FALSE(f->ProgressBar1->isVisible());
  EXPECT_EQ(f->Label_tr_count->text(), "");
  Spin_For(100);
  EXPECT_EQ(sim.Frame_Count(), 0u);
}
