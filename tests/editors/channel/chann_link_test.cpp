// The channel editor's transfer of the channel and name areas against the
// simulated radio.
#include <QLabel>
#include <QProgressBar>

#include "data/image_map.h"
#include "data/tone_table.h"
#include "editors/channel/frm_chann.h"
#include "link/chann_link.h"
#include "platform/vb_grid.h"
#include "support/sim_fixture.h"

class ChannLink : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Tone_Init();
    Chann_Count = 200;
  }
  // quick: a short watchdog and retry delay, for radios that fail anyway;
  // a transfer that must get through keeps the real watchdog.
  frm_chann* Window(bool quick = false, int watchdog_ms = 200) {
    auto* w = Forms::Reload<frm_chann>();
    if (quick) {
      Link_Profile& p = w->Engine()->Profile_Mutable();
      p.Watchdog_After_Ms = watchdog_ms;
      p.Watchdog_In_Frame_Ms = std::max(watchdog_ms, p.Watchdog_In_Frame_Ms);
      p.Retry_Delay = 100;
    }
    return w;
  }
  // Radio memory without empty channels (a redraw erases those from the image).
  std::vector<uint8_t> Channel_Memory(unsigned seed = 7) {
    auto m = Random_Memory(seed);
    for (int c = 0; c < 200; ++c)
      if (m[c * 16] == 0xFF) m[c * 16] = 0x01;
    sim.Set_Memory(m);
    return m;
  }
  // The reads of attempt n (1 the first; 0 the last), as (address, length).
  std::vector<std::pair<int, int>> Reads_Of_Attempt(int n) {
    const auto frames = sim.Frames();
    std::vector<size_t> starts;
    for (size_t i = 0; i < frames.size(); ++i)
      if (frames[i].kind == radiosim::Frame_Kind::Connect) starts.push_back(i);
    std::vector<std::pair<int, int>> out;
    if (starts.empty()) return out;
    const size_t k = n == 0 ? starts.size() - 1 : static_cast<size_t>(n - 1);
    if (k >= starts.size()) return out;
    const size_t end = k + 1 < starts.size() ? starts[k + 1] : frames.size();
    for (size_t i = starts[k]; i < end; ++i)
      if (frames[i].kind == radiosim::Frame_Kind::Read && !frames[i].ignored)
        out.push_back({frames[i].addr, frames[i].len});
    return out;
  }
};

TEST_F(ChannLink, ReadAlternatesTheAreasAndFillsOnlyTheirRows) {
  const auto mem = Channel_Memory();
  auto* w = Window();
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  w->Command_read_Click();
  EXPECT_EQ(w->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading data from the transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(w->Label_tr_count->text(), QString::fromUtf8("Read Channel Data is Ok ！"));
  EXPECT_EQ(w->ProgressBar1->value(), 100);
  EXPECT_FALSE(w->Engine()->MSC.Is_Open());

  // The password block, then channel block b and name block b for b = 0..50
  // (in the attempt that completed: a machine under load may have let an
  // earlier one time out).
  const auto reads = Reads_Of_Attempt(0);
  ASSERT_EQ(reads.size(), 1u + 102u);
  EXPECT_EQ(reads[0], std::make_pair(0x3DF0, 16));
  for (int b = 0; b <= 50; ++b) {
    ASSERT_EQ(reads[1 + 2 * b], std::make_pair(b * 64, 64)) << b;
    ASSERT_EQ(reads[2 + 2 * b], std::make_pair(0x1000 + b * 64, 64)) << b;
  }
  // Every reply acknowledged, the identification and the password block too.
  if (Count(radiosim::Frame_Kind::Connect) == 1) {
    EXPECT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Ack) == 1 + 1 + 102; }, 2000))
        << Count(radiosim::Frame_Kind::Ack);
  }

  for (int r = 0; r < Image_Rows; ++r) {
    const bool chann = r <= 199, name = r >= 256 && r <= 455;
    for (int c = 0; c < 16; ++c) {
      if (chann || name)
        ASSERT_EQ(Radio_Image[r][c], mem[r * 16 + c]) << r << "," << c;
      else
        ASSERT_EQ(Radio_Image[r][c], before[r][c]) << "row " << r << " is outside both areas";
    }
    ASSERT_EQ(Radio_Image[r][16], before[r][16]);
  }
  // The grid shows what came; the identification of this window sets three pairs.
  EXPECT_EQ(w->MSF_Chann->Text_At(1, 1), "VHF/UHF ");
  EXPECT_EQ(Status_Text(8), " 136-- 174");
  EXPECT_EQ(Status_Text(14), "");
  EXPECT_EQ(Area_Toggle, 0);
}

TEST_F(ChannLink, AfterAReadTheNameColumnComesFromTheRawReplies) {
  auto mem = Channel_Memory(3);
  // Channel 4: a name in the radio's own letter codes; channel 5 empty, with a name.
  const uint8_t coded[16] = {0x11, 0x12, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(coded, coded + 16, mem.begin() + 0x1000 + 4 * 16);
  mem[5 * 16] = 0xFF;
  const uint8_t z[16] = {'Z', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(z, z + 16, mem.begin() + 0x1000 + 5 * 16);
  sim.Set_Memory(mem);
  auto* w = Window();
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  EXPECT_EQ(w->MSF_Chann->Text_At(5, 15), "AB5");
  EXPECT_EQ(w->MSF_Chann->Text_At(6, 15), "Z") << "shown until the next redraw";
  for (int c = 0; c < 16; ++c) {
    EXPECT_EQ(Radio_Image[5][c], 0xFF);
    EXPECT_EQ(Radio_Image[256 + 5][c], 0xFF) << "the redraw of an empty channel erases its name";
  }
  w->Full_Redraw();
  EXPECT_EQ(w->MSF_Chann->Text_At(5, 15), QString::fromLatin1("\x11\x12\x05"));
  EXPECT_EQ(w->MSF_Chann->Text_At(6, 15), "");
}

TEST_F(ChannLink, WriteSendsTheChannelCountPairsOnly) {
  Random_Memory();
  const auto radio_before = sim.Memory();
  auto* w = Window();
  Radio_Image = Marked_Image();
  const Image_Table image = Radio_Image;
  w->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete writing the data to transceiver."});
  EXPECT_EQ(w->Label_tr_count->text(), QString::fromUtf8("Channel Data Writed ！"));
  EXPECT_EQ(w->ProgressBar1->value(), 100);
  ASSERT_TRUE(Spin_Until([&] { return !sim.In_Session() || sim.Counts().writes >= 400; }, 2000));

  // Channel row c, then name row c, for c = 0..199; nothing beyond. Every
  // frame after the first answers the radio's acknowledgement of the one before.
  // (A machine under load may have let one attempt time out: the attempt
  // that completed is the one after the last connect command.)
  const auto frames = sim.Frames();
  size_t from = 0;
  for (size_t i = 0; i < frames.size(); ++i)
    if (frames[i].kind == radiosim::Frame_Kind::Connect) from = i;
  std::vector<size_t> writes;
  for (size_t i = from; i < frames.size(); ++i)
    if (frames[i].kind == radiosim::Frame_Kind::Write) writes.push_back(i);
  ASSERT_EQ(writes.size(), 400u);
  for (int c = 0; c < 200; ++c) {
    ASSERT_EQ(frames[writes[2 * c]].addr, c * 16) << c;
    ASSERT_EQ(frames[writes[2 * c + 1]].addr, 0x1000 + c * 16) << c;
    ASSERT_EQ(frames[writes[2 * c]].len, 16);
  }
  EXPECT_EQ(frames[writes[0]].raw.size(), 20u);
  EXPECT_EQ(frames[writes[0]].raw[0], 'X');
  for (size_t k = 1; k < writes.size(); ++k)
    ASSERT_EQ(frames[writes[k] - 1].kind, radiosim::Frame_Kind::Ack) << k;

  const auto mem = sim.Memory();
  for (int r = 0; r < 1024; ++r)
    for (int c = 0; c < 16; ++c) {
      const bool ours = r <= 199 || (r >= 256 && r <= 455);
      ASSERT_EQ(mem[r * 16 + c], ours ? image[r][c] : radio_before[r * 16 + c]) << r << "," << c;
    }
}

TEST_F(ChannLink, ProgressEndsAtTheLastBlockAndChannel) {
  Channel_Memory();
  auto* w = Window();
  QStringList labels;
  QList<int> bars;
  rec.on_call = [&](const Msg_Call&) {
    labels << w->Label_tr_count->text();
    bars << w->ProgressBar1->value();
  };
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() == 1; }, 30000));
  w->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() == 2; }, 30000));
  EXPECT_EQ(rec.calls[1].text, "Complete writing the data to transceiver.");
  EXPECT_EQ(labels, (QStringList{"Reading 52 Data Block", "Writeing  199  Channel"}));
  EXPECT_EQ(bars, (QList<int>{100, 100}));
  Lang_Flag = -1;
  w->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return rec.calls.size() == 3; }, 30000));
  EXPECT_EQ(rec.calls[2].text, QString::fromUtf8("向对讲机写入数据完毕 ！"));
  EXPECT_EQ(rec.calls[2].title, QString::fromUtf8("操作提示"));
  EXPECT_EQ(labels[2], QString::fromUtf8("正在写入  199  信道"));
  EXPECT_EQ(w->Label_tr_count->text(), QString::fromUtf8("信道数据写入完毕 ！"));
  Lang_Flag = 0;
}

TEST_F(ChannLink, ATimeOutWhileANameBlockIsAwaitedIsRetried) {
  const auto mem = Channel_Memory(5);
  // The second data reply (name block 0) never comes: the restart finds the
  // toggle on the name area, takes channel block 0 as a stray name reply and
  // asks for it again.
  sim.Add_Fault({.kind = radiosim::Fault::Silent, .on = radiosim::Reply::Data, .nth = 2});
  auto* w = Window(true, 1000);
  Radio_Image = Marked_Image();
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  ASSERT_EQ(rec.Texts(), QStringList{"Complete reading data from the transceiver."});
  ASSERT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Connect) >= 2; }, 2000));
  const auto first = Reads_Of_Attempt(1);
  ASSERT_EQ(first.size(), 3u) << "password, channel block 0, name block 0 unanswered";
  EXPECT_EQ(first[2], std::make_pair(0x1000, 64));
  const auto second = Reads_Of_Attempt(2);
  ASSERT_GE(second.size(), 4u);
  EXPECT_EQ(second[1], std::make_pair(0x0000, 64));
  EXPECT_EQ(second[2], std::make_pair(0x0000, 64));
  EXPECT_EQ(second[3], std::make_pair(0x1000, 64));
  if (Count(radiosim::Frame_Kind::Connect) == 2) {
    EXPECT_EQ(second.size(), 1u + 103u);
  }
  for (int r = 0; r <= 455; ++r) {
    if (r > 199 && r < 256) continue;
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], mem[r * 16 + c]) << r;
  }
}

TEST_F(ChannLink, ASilentRadioLeavesTheImageAndReportsInTheStatusBar) {
  sim.Set_Silent(true);
  auto* w = Window(true);
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 15000));
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(Status_Text(2), "Communication fault.");
  EXPECT_EQ(w->Label_tr_count->text(), "Connecting with transceiver. ") << "the window's label keeps its text";
  EXPECT_EQ(Radio_Image, before);
  EXPECT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Connect) == 4; }, 2000))
      << "a read is tried four times, not " << Count(radiosim::Frame_Kind::Connect);
  EXPECT_TRUE(Transfer_Idle(w));
}

TEST_F(ChannLink, AFaultAtBlockNLeavesTheImageUnchanged) {
  using radiosim::Fault;
  Channel_Memory();
  struct Case {
    const char* name;
    Fault fault;
  } cases[] = {
      {"silent name block", {.kind = Fault::Silent, .on = radiosim::Reply::Data, .nth = 8, .persistent = true}},
      {"garbage channel block", {.kind = Fault::Garbage, .on = radiosim::Reply::Data, .nth = 7, .persistent = true}},
      {"wrong address", {.kind = Fault::Wrong_Addr, .on = radiosim::Reply::Data, .nth = 30, .persistent = true}},
  };
  for (const auto& c : cases) {
    sim.Clear_Faults();
    sim.Clear_Log();
    sim.Add_Fault(c.fault);
    Radio_Image = Marked_Image();
    const Image_Table before = Radio_Image;
    rec.Clear();
    auto* w = Window(true);
    w->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 20000)) << c.name;
    EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."}) << c.name;
    EXPECT_EQ(Radio_Image, before) << c.name << ": a failed read touched the image";
    EXPECT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Connect) == 4; }, 2000))
        << c.name << ": " << Count(radiosim::Frame_Kind::Connect) << " attempts";
  }
}

TEST_F(ChannLink, AWriteFailingHalfWayIsTriedTwiceAndReported) {
  Random_Memory();
  sim.Set_Stop_After(31);  // the password read and 30 rows, in every session
  auto* w = Window(true, 1000);
  w->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 30000));
  EXPECT_EQ(rec.Texts(), QStringList{"Fail connect with transceiver."});
  EXPECT_TRUE(Spin_Until([&] { return Count(radiosim::Frame_Kind::Connect) == 2; }, 2000))
      << Count(radiosim::Frame_Kind::Connect);
  EXPECT_GE(sim.Counts().writes, 2 * 30) << "each attempt got as far as the radio answered";
  EXPECT_EQ(Status_Text(2), "Communication fault.");
}

TEST_F(ChannLink, BusyWindowRefusesAndUnloadingItStopsTheTransfer) {
  Channel_Memory();
  sim.Set_Paced(true);
  auto* w = Window();
  Radio_Image = Marked_Image();
  const Image_Table before = Radio_Image;
  w->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return Reads().size() >= 4; }, 10000));
  ASSERT_TRUE(w->Busy());
  w->Command_read_Click();
  w->Command_Write_Click();
  w->Command_open_Click();
  w->Command_Clear_Click();
  w->Command_def_Click();
  w->Command_close_Click();
  ASSERT_TRUE(w->Host() || w->isWindow());
  (w->Host() ? w->Host() : w)->close();  // the close box
  const QString close = QString::fromUtf8("Read-write operating，don't close the window. ,");
  EXPECT_EQ(rec.Texts(), (QStringList{"Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      QString::fromUtf8("Read-write operating，don't clear operate .,"),
                                      "Read-write operating with transceiver .", close, close}));
  EXPECT_FALSE(w->Unloaded()) << "neither the Close button nor the close box closes a busy window";
  EXPECT_EQ(Radio_Image, before) << "Clear and Default were refused";
  // Unloading it anyway ends its transfer on the spot (the exit commands
  // refuse before they unload while a transfer runs).
  Chann_Link* e = w->Engine();
  Forms::Unload_All();
  EXPECT_TRUE(e->Dead());
  EXPECT_FALSE(e->MSC.Is_Open());
  Spin_For(300);  // a frame already on the line may still arrive
  const size_t frames = sim.Frame_Count();
  Spin_For(400);
  EXPECT_EQ(sim.Frame_Count(), frames) << "nothing more goes out";
  EXPECT_EQ(Radio_Image, before);
  EXPECT_EQ(rec.calls.size(), 7u);
}
