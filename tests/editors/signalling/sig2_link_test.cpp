// The DTMF and 2-tone editors' transfers against the simulated radio.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QProgressBar>
#include <algorithm>

#include "app/lang_texts.h"
#include "data/image_map.h"
#include "editors/image_rows.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/tone2_area.h"
#include "files/file_dialogs.h"
#include "files/image_file.h"
#include "link/link_engine.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/sim_fixture.h"

namespace {
constexpr int Fail_Wait_Ms = 30000;

// A DTMF area the editor shows as it is: compact code rows, list bytes
// inside their lists; every other byte a pattern of its own.
void Valid_Dtmf_Area(std::vector<uint8_t>& m) {
  for (int r = 0; r < 32; ++r) {
    uint8_t* row = &m[0x2900 + 16 * r];
    for (int c = 0; c < 16; ++c) row[c] = static_cast<uint8_t>(0x30 + r + 3 * c);
    const bool code = r <= 14 || (r >= 16 && r <= 21) || r == 29 || r == 30;
    if (code) {
      const int len = (r * 5) % 17;
      for (int c = 0; c < 16; ++c) row[c] = c < len ? static_cast<uint8_t>((r + 7 * c) % 16) : 0xFF;
    }
  }
  uint8_t* timing = &m[0x29F0];
  timing[0] = 100;
  timing[1] = 20;
  const uint8_t settings[8] = {0, 0x35, 0xAA, 0x02, 12, 13, 10, 150};
  for (int c = 0; c < 8; ++c) m[0x2AF0 + c] = settings[c];
}

// A 2-tone area whose list bytes lie inside their lists.
void Valid_Tone2_Area(std::vector<uint8_t>& m) {
  for (int c = 0; c < 3; ++c) m[0x2DF0 + c] = static_cast<uint8_t>(m[0x2DF0 + c] % 101);
  m[0x2FF0] = static_cast<uint8_t>(m[0x2FF0] % 80);
}

// The image with rows first.. taken from radio memory at addr.
Image_Table With_Rows(Image_Table img, int first, int rows, const std::vector<uint8_t>& m, int addr) {
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < 16; ++c) img[first + r][c] = m[addr + 16 * r + c];
  return img;
}

std::vector<int> Addresses(const std::vector<std::pair<int, int>>& reads) {
  std::vector<int> out;
  for (const auto& r : reads) out.push_back(r.first);
  return out;
}
}  // namespace

class Sig2Link : public Sim_Test {
protected:
  void SetUp() override {
    Sim_Test::SetUp();
    Image_Fill();
    Dtmf_Default();
    Tone2_Default();
    Text_Lang();
  }
  std::vector<int> Write_Addresses() const {
    std::vector<int> out;
    for (const auto& f : sim.Frames())
      if (f.kind == radiosim::Frame_Kind::Write && !f.ignored) out.push_back(f.addr);
    return out;
  }
  std::vector<int> Write_Sizes() const {
    std::vector<int> out;
    for (const auto& f : sim.Frames())
      if (f.kind == radiosim::Frame_Kind::Write && !f.ignored) out.push_back(static_cast<int>(f.raw.size()));
    return out;
  }
  bool Wait_Message() {
    return Spin_Until([&] { return !rec.calls.empty(); }, 20000);
  }
};

TEST_F(Sig2Link, DtmfReadFillsItsRowsAndRedrawsBeforeTheMessage) {
  auto m = Random_Memory();
  Valid_Dtmf_Area(m);
  sim.Set_Memory(m);
  sim.Set_Password("999999");  // the box's 580417 matches nothing: read all the same
  auto* w = Forms::Load<frm_dtmf>();
  const Image_Table before = Radio_Image;
  QString label, box;
  int bar = -1;
  rec.on_call = [&](const Msg_Call&) {
    label = w->Label_tr_count->text();
    bar = w->ProgressBar1->value();
    box = w->Text_tx_Encode[1]->Text();
  };
  w->Command_read_Click();
  EXPECT_EQ(w->Label_tr_count->text(), "Connecting with transceiver. ");
  ASSERT_TRUE(Wait_Message());
  std::vector<int> want = {0x3DF0};
  for (int a = 0x2900; a <= 0x2AC0; a += 0x40) want.push_back(a);
  EXPECT_EQ(Addresses(Reads()), want);
  EXPECT_TRUE(Same_Image(Radio_Image, With_Rows(before, 656, 32, m, 0x2900)));
  EXPECT_EQ(rec.calls[0].text, "Complete reading the data from transceiver.");
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(label, "Read DTMF Signal parameters in gear. ");
  EXPECT_EQ(bar, 100);
  EXPECT_EQ(box, w->Text_tx_Encode[1]->Text());
  EXPECT_EQ(box.size(), 5) << "the code of row 657 shows while the message is up";
  EXPECT_FALSE(w->Busy());
}

TEST_F(Sig2Link, DtmfWriteSendsRows656To687) {
  Random_Memory();
  auto* w = Forms::Load<frm_dtmf>();
  // An area that the window's activation redraw stores back unchanged.
  std::vector<uint8_t> area(0x4000, 0xFF);
  Valid_Dtmf_Area(area);
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[656 + r][c] = area[0x2900 + 16 * r + c];
  w->Dtmf_Show();
  w->Command_Write_Click();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(rec.calls[0].text, "Complete Written DTMF Signal parameters to the transceiver.");
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  std::vector<int> want;
  for (int b = 0; b < 32; ++b) want.push_back(0x2900 + 16 * b);
  EXPECT_EQ(Write_Addresses(), want);
  const auto radio = sim.Peek(0x2900, 512);
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(radio[16 * r + c], area[0x2900 + 16 * r + c]) << r << "," << c;
  EXPECT_EQ(w->Label_tr_count->text(), "Complete Written DTMF Signal parameters ");
  EXPECT_EQ(w->ProgressBar1->value(), 96);
}

TEST_F(Sig2Link, Tone2ReadRequestsTwelveBlocks) {
  auto m = Random_Memory(11);
  Valid_Tone2_Area(m);
  sim.Set_Memory(m);
  sim.Set_Password("999999");
  auto* w = Forms::Load<frm_2tone>();
  const Image_Table before = Radio_Image;
  QString label, cell;
  rec.on_call = [&](const Msg_Call&) {
    label = w->Label_tr_count->text();
    cell = w->MSF_Encode->Text_At(1, 1);
  };
  w->Command_read_Click();
  ASSERT_TRUE(Wait_Message());
  std::vector<int> want = {0x3DF0};
  for (int a = 0x2D00; a <= 0x2FC0; a += 0x40) want.push_back(a);
  EXPECT_EQ(Addresses(Reads()), want);
  EXPECT_TRUE(Same_Image(Radio_Image, With_Rows(before, 720, 48, m, 0x2D00)));
  EXPECT_EQ(rec.calls[0].text, "Complete reading the data from transceiver.");
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(label, "Read Signal parameters in gear. ");
  const int f = m[0x2D00] + 256 * m[0x2D01];
  EXPECT_EQ(cell, f >= 300 && f <= 3000 ? QString::number(f) + ".0" : QString());
  EXPECT_TRUE(w->ProgressBar1->isVisible());
  EXPECT_EQ(w->ProgressBar1->value(), 100);
}

TEST_F(Sig2Link, Tone2WriteSendsRows720To767) {
  Random_Memory();
  auto* w = Forms::Load<frm_2tone>();
  for (int r = 720; r <= 767; ++r) Fill16(r, (r * 3) % 256);
  w->Command_Write_Click();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(rec.calls[0].text, "Complete Written Signal parameters to the transceiver.");
  std::vector<int> want;
  for (int b = 0; b < 48; ++b) want.push_back(0x2D00 + 16 * b);
  EXPECT_EQ(Write_Addresses(), want);
  const auto radio = sim.Peek(0x2D00, 768);
  for (int r = 0; r < 48; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(radio[16 * r + c], ((720 + r) * 3) % 256) << r << "," << c;
  EXPECT_EQ(w->Label_tr_count->text(), "Complete Written Signal parameters ");
  EXPECT_EQ(w->ProgressBar1->value(), 97);
}

// A double click on a code number empties that code for good: the cells, a
// redraw, the window opened again, a saved file and a write to the radio
// all show it empty, and every other code as it was.
TEST_F(Sig2Link, Tone2DecodeDoubleClickEmptiesTheCodeEverywhere) {
  Random_Memory();
  auto* w = Forms::Load<frm_2tone>();
  w->TabStrip1->Click_Tab(2);
  const uint8_t decoders[12] = {0, 1, 1, 3, 2, 5, 6, 3, 16, 11, 0, 2};
  for (int c = 0; c < 12; ++c) Radio_Image[749][c] = decoders[c];
  w->Tone2_Show();
  ASSERT_EQ(w->MSF_Decode->Text_At(14, 1), "A-B");
  Image_Table want = Radio_Image;
  for (int c = 0; c < 16; ++c) want[749][c] = 0xFF;
  // The user's double click, as the mouse sends it, on the number "14".
  Vb_Grid* g = w->MSF_Decode;
  g->scrollTo(g->model()->index(13, 1));
  QWidget* top = g->window();
  const QPoint at = g->mapTo(top, g->Cell_Rect_At(14, 0).center());
  QWidget* target = top->childAt(at);
  ASSERT_NE(target, nullptr);
  const QPointF local = target->mapFrom(top, at);
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                         QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(t, local, target->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
  }
  const auto row_empty = [&] {
    for (int c = 1; c <= 12; ++c)
      if (!w->MSF_Decode->Text_At(14, c).isEmpty()) return false;
    return true;
  };
  EXPECT_TRUE(row_empty());
  EXPECT_TRUE(Same_Image(Radio_Image, want));
  w->Tone2_Show();
  EXPECT_TRUE(row_empty()) << "a redraw";
  Forms::Unload<frm_2tone>();
  Spin_For(20);
  w = Forms::Load<frm_2tone>();
  EXPECT_TRUE(row_empty()) << "the window opened again";
  EXPECT_EQ(w->MSF_Decode->Text_At(1, 1), "A-B");

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  w->Command_save->click();
  auto* d = Forms::Find<Form_save_chann>();
  ASSERT_NE(d, nullptr);
  d->Set_Folder(dir.path());
  d->Text1->setText("emptied.dat");
  d->Command_enter->click();
  ASSERT_EQ(rec.Texts(), QStringList{"Complete storing  parameter."});
  QFile f(dir.filePath("emptied.dat"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const auto file = Image_File_Parse(f.readAll(), nullptr);
  ASSERT_TRUE(file.has_value());
  EXPECT_TRUE(Same_Image(*file, want)) << "the saved file";

  rec.Clear();
  w->Command_Write_Click();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(rec.calls[0].text, "Complete Written Signal parameters to the transceiver.");
  ASSERT_TRUE(Spin_Until([&] { return Write_Addresses().size() >= 48; }, 5000));
  const auto radio = sim.Peek(0x2D00, 768);
  for (int r = 0; r < 48; ++r)
    for (int c = 0; c < 16; ++c) ASSERT_EQ(radio[16 * r + c], want[720 + r][c]) << r << "," << c;
}

// A radio that never answers, or stops answering after some blocks, in every
// attempt: the image stays as it was and the window reports as it should.
TEST_F(Sig2Link, DtmfFailuresShowOnlyInTheStatusBar) {
  Random_Memory();
  struct Case { bool silent; int stop_after; bool write; } cases[] = {
      {true, -1, false}, {false, 1 + 4, false}, {false, 1 + 10, true}};
  for (const auto& c : cases) {
    sim.Clear_Log();
    sim.Set_Silent(c.silent);
    sim.Set_Stop_After(c.stop_after);
    Status_Set(2, QString());
    rec.Clear();
    auto* w = Forms::Reload<frm_dtmf>();
    w->Engine()->Profile_Mutable().Retry_Delay = 100;  // the waits between attempts, shortened
    const Image_Table before = Radio_Image;
    c.write ? w->Command_Write_Click() : w->Command_read_Click();
    ASSERT_TRUE(Spin_Until([] { return Status_Text(2) == "Communication fault."; }, Fail_Wait_Ms));
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4);
    EXPECT_TRUE(Same_Image(Radio_Image, before));
    EXPECT_FALSE(w->Busy());
    if (c.silent) {
      EXPECT_EQ(w->Label_tr_count->text(), "Connecting with transceiver. ");
    }
  }
  sim.Set_Silent(false);
  sim.Set_Stop_After(-1);
}

TEST_F(Sig2Link, Tone2FailuresReportAndLeaveTheImage) {
  Random_Memory();
  struct Case { bool silent; int stop_after; bool write; } cases[] = {
      {true, -1, false}, {false, 1 + 7, false}, {false, 1 + 10, true}};
  for (const auto& c : cases) {
    sim.Clear_Log();
    sim.Set_Silent(c.silent);
    sim.Set_Stop_After(c.stop_after);
    rec.Clear();
    auto* w = Forms::Reload<frm_2tone>();
    w->Engine()->Profile_Mutable().Retry_Delay = 100;
    const Image_Table before = Radio_Image;
    c.write ? w->Command_Write_Click() : w->Command_read_Click();
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, Fail_Wait_Ms));
    EXPECT_EQ(rec.calls[0].text, "Fail connect with transceiver.");
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
    EXPECT_EQ(Count(radiosim::Frame_Kind::Connect), 4);
    EXPECT_TRUE(Same_Image(Radio_Image, before));
    EXPECT_EQ(w->Label_tr_count->text(), "Communication fault.");
    EXPECT_TRUE(w->ProgressBar1->isVisible());
    EXPECT_EQ(w->ProgressBar1->value(), 0);
  }
  sim.Set_Silent(false);
  sim.Set_Stop_After(-1);
}

TEST_F(Sig2Link, CloseBoxIsRefusedWhileATransferRuns) {
  auto m = Random_Memory();
  Valid_Tone2_Area(m);
  sim.Set_Memory(m);
  sim.Set_Paced(true);  // long enough to try closing in the middle
  auto* t = Forms::Load<frm_2tone>();
  t->Command_read_Click();
  ASSERT_TRUE(Spin_Until([&] { return Reads().size() >= 3; }, 10000));
  t->close();
  ASSERT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  EXPECT_EQ(Forms::Find<frm_2tone>(), t);
  // The Default button refuses too and leaves the image alone.
  const Image_Table before = Radio_Image;
  t->Command_def_Click();
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  rec.Clear();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(rec.calls[0].text, "Complete reading the data from transceiver.");
  EXPECT_EQ(Image_Row16(766)[3], m[0x2FE3]) << "the read ran to its end";
  t->close();
  EXPECT_EQ(Forms::Find<frm_2tone>(), nullptr);

  rec.Clear();
  sim.Clear_Log();
  auto* d = Forms::Load<frm_dtmf>();
  d->Command_Write_Click();
  ASSERT_TRUE(Spin_Until([&] { return Write_Addresses().size() >= 2; }, 10000));
  d->close();
  ASSERT_EQ(rec.Texts(), QStringList{"Read-write operating，don't close the window.,"});
  EXPECT_EQ(Forms::Find<frm_dtmf>(), d);
  rec.Clear();
  ASSERT_TRUE(Wait_Message());
  EXPECT_EQ(Write_Addresses().size(), 32u);
  sim.Set_Paced(false);
}

// The progress as the user sees it on a line at its true speed: the labels
// and bars seen while the transfer runs, in order.
TEST_F(Sig2Link, ProgressRunsAsTheRadioAnswers) {
  auto m = Random_Memory();
  Valid_Dtmf_Area(m);
  Valid_Tone2_Area(m);
  sim.Set_Memory(m);
  sim.Set_Paced(true);
  struct Case {
    bool dtmf, write;
    QString first, last;  // the first and the last progress label
    int first_bar, last_bar;
  } cases[] = {
      {true, false, "Reading 3 Data Block", "Reading 9 Data Block", 33, 100},
      {true, true, "Writing  1  Data Block", "Writing  31  Data Block", 3, 96},
      {false, false, "Reading 3 Data Block", "Reading 13 Data Block", 23, 100},
      {false, true, "Writing  0  Data Block", "Writing  46  Data Block", 2, 97},
  };
  for (const auto& c : cases) {
    rec.Clear();
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
    if (c.dtmf) {
      auto* w = Forms::Reload<frm_dtmf>();
      label = w->Label_tr_count;
      bar = w->ProgressBar1;
      c.write ? w->Command_Write_Click() : w->Command_read_Click();
    } else {
      auto* w = Forms::Reload<frm_2tone>();
      label = w->Label_tr_count;
      bar = w->ProgressBar1;
      c.write ? w->Command_Write_Click() : w->Command_read_Click();
    }
    QStringList labels;
    std::vector<int> bars;
    ASSERT_TRUE(Spin_Until(
        [&] {
          if (labels.isEmpty() || labels.back() != label->text()) {
            labels << label->text();
            bars.push_back(bar->value());
          }
          return !rec.calls.empty();
        },
        20000));
    QStringList progress;
    std::vector<int> progress_bars;
    for (int i = 0; i < labels.size(); ++i)
      if (labels[i].startsWith("Reading ") || labels[i].startsWith("Writing ")) {
        progress << labels[i];
        progress_bars.push_back(bars[i]);
      }
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(labels.front(), "Connecting with transceiver. ");
    EXPECT_EQ(progress.front(), c.first);
    EXPECT_EQ(progress.back(), c.last);
    EXPECT_EQ(progress_bars.front(), c.first_bar);
    EXPECT_TRUE(std::is_sorted(progress_bars.begin(), progress_bars.end()));
    // A read ends on the full bar; a write keeps the bar of its last row.
    EXPECT_EQ(c.write ? progress_bars.back() : bar->value(), c.last_bar);
  }
  sim.Set_Paced(false);
}

TEST_F(Sig2Link, PortThatWillNotOpen) {
  Port_No = 2;
  for (bool dtmf : {true, false}) {
    rec.Clear();
    if (dtmf) {
      auto* w = Forms::Load<frm_dtmf>();
      w->Command_read_Click();
      EXPECT_FALSE(w->Busy());
    } else {
      auto* w = Forms::Load<frm_2tone>();
      w->Command_Write_Click();
      EXPECT_FALSE(w->Busy());
    }
    ASSERT_EQ(rec.Texts(), QStringList{"Communication Port Open Error ！"});
    EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  }
  Port_No = 1;
}
