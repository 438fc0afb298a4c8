// The FM preset editor window, offscreen, in a started program.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/image_rows.h"
#include "files/file_dialogs.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "support/app_fixture.h"
#include "support/grid_input.h"

namespace {
constexpr int F = 0xFF;

class FmWindow : public Program_Test {
protected:
  frm_FM* Open() {
    auto* f = Forms::Load<frm_FM>();
    Let_Events_Run();
    rec.Clear();
    return f;
  }
  void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
  // Opens the box on a cell by a click, types text into it, then clicks
  // another cell, which commits.
  void Edit_Cell(frm_FM* f, int r, int c, const QString& text, int next_r = 16, int next_c = 0) {
    f->MSF_Chann->Click_Cell(r, c);
    f->Text_Edit->selectAll();
    // An empty entry: the user deletes the selected text (a paste of nothing changes nothing).
    if (text.isEmpty()) f->Text_Edit->del();
    else f->Text_Edit->Type_Text(text);
    f->MSF_Chann->Click_Cell(next_r, next_c == 0 ? 1 : next_c);
  }
  QString Cell(frm_FM* f, int r, int c) { return f->MSF_Chann->Text_At(r, c); }
};
}  // namespace

TEST_F(FmWindow, CaptionsHeadersAndRowsInBothLanguages) {
  struct Lang {
    int16_t flag;
    const char* caption;
    QStringList headers;
    QStringList buttons;  // Read, Write, Clear, Save, Open, Close, Default
    const char* password;
  } langs[] = {
      {0, "FM Radio Information",
       {"FM  Channel", " Receive Frequency (MHZ)", " FM Station Name  "},
       {"Read", "Write", "Clear", "Save", "Open", "Close", "Default"}, "PassWord"},
      {-1, "FM 收音机频道编辑",
       {"FM 频 道 号", "  接  收  频  率 (MHZ)  ", "     电    台    名    称    "},
       {"读 取", "写  入", "清  除", "保  存", "打  开", "关  闭", "默认"}, "读写密码"},
  };
  for (const auto& l : langs) {
    Lang_Flag = l.flag;
    Forms::Unload<frm_FM>();
    Let_Events_Run();
    auto* f = Open();
    EXPECT_EQ(f->windowTitle(), QString::fromUtf8(l.caption));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(f, 0, c), l.headers[c]) << c;
    const QPushButton* b[] = {f->Command_read, f->Command_Write, f->Command_Clear, f->Command_save,
                              f->Command_open, f->Command_close, f->Command_def};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(b[k]->text(), l.buttons[k]) << k;
    EXPECT_EQ(f->Label_PassWord->text(), QString::fromUtf8(l.password));
    EXPECT_EQ(f->Text_PassWord->text(), "580417");
  }
  Lang_Flag = 0;
}

TEST_F(FmWindow, LoadShowsTheSixteenPresetsFromTheImage) {
  Fm_Default();
  Fill16(768 + 4, F);  // an erased record
  auto* f = Open();
  EXPECT_EQ(f->MSF_Chann->Rows(), 18);
  EXPECT_EQ(f->MSF_Chann->Row(), 1);
  EXPECT_EQ(f->MSF_Chann->Col(), 0);
  for (int r = 1; r <= 16; ++r) EXPECT_EQ(Cell(f, r, 0), QString::number(r));
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(f, 17, c), "") << "the spare row stays blank";
  EXPECT_EQ(Cell(f, 1, 1), "88.90000");
  EXPECT_EQ(Cell(f, 1, 2), "VRNEW");
  EXPECT_EQ(Cell(f, 12, 1), "103.90000");
  EXPECT_EQ(Cell(f, 16, 2), "CCTV9");
  EXPECT_EQ(Cell(f, 3, 1), "");
  EXPECT_EQ(Cell(f, 5, 1), "28333.33305");
  EXPECT_EQ(Cell(f, 5, 2), "");
  EXPECT_TRUE(f->Text_Edit->isHidden());
  EXPECT_TRUE(f->ProgressBar1->isHidden());
  EXPECT_EQ(f->Label_tr_count->text(), "");
  EXPECT_EQ(Pass_Typed[0], 0) << "the box's start text is no typed password";
  // The menu item that leads here closes the channel editor first.
  Forms::Unload<frm_FM>();
  Let_Events_Run();
  w->fm_chann_edit_Click();
  EXPECT_NE(Forms::Find<frm_FM>(), nullptr);
  EXPECT_EQ(Forms::Find<frm_chann>(), nullptr);
}

TEST_F(FmWindow, SizedFromTheMainWindowAndEverythingInside) {
  auto* f = Open();
  QWidget* host = f->Host();
  ASSERT_NE(host, nullptr);
  const QRect main = Forms::Main()->frameGeometry();
  EXPECT_NEAR(host->width(), main.width() / 1.8, 2);
  EXPECT_NEAR(host->height(), main.height() / 1.5, 2);
  const QRect area = Forms::Mdi_Area()->viewport()->rect();
  EXPECT_TRUE(area.contains(host->geometry())) << "inside the client area";
  const QRect inside = f->rect();
  QWidget* controls[] = {f->MSF_Chann,     f->Command_read,  f->Command_Write, f->Command_Clear,
                         f->Command_save,  f->Command_open,  f->Command_close, f->Command_def,
                         f->Label_PassWord, f->Text_PassWord, f->Label_tr_count, f->ProgressBar1};
  for (QWidget* c : controls) EXPECT_TRUE(inside.contains(c->geometry())) << c->metaObject()->className();
  for (QWidget* a : controls)
    for (QWidget* b : controls)
      if (a != b) {
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << a->metaObject()->className() << " / " << b->metaObject()->className();
      }
  // No column is cut: the grid is at least as wide as its columns.
  int cols = 0;
  for (int c = 0; c < 3; ++c) cols += f->MSF_Chann->Col_Width(c);
  EXPECT_GE(f->MSF_Chann->viewport()->width(), cols - f->MSF_Chann->Col_Width(0));
  // The grid's height shows the header and every preset without scrolling.
  for (int r = 1; r <= 16; ++r) EXPECT_TRUE(Row_Shown_Whole(f->MSF_Chann, r)) << r;
}

TEST_F(FmWindow, ClickEditLeaveCommitsTheCellIntoItsRecord) {
  Fm_Default();
  auto* f = Open();
  const Row16 first = Image_Row16(768);
  // The first click leaves cell (1, 0): nothing is committed, row 1 is not
  // re-saved (its factory name stays at byte 8).
  f->MSF_Chann->Click_Cell(2, 1);
  EXPECT_EQ(Image_Row16(768), first);
  ASSERT_TRUE(f->Text_Edit->isVisible());
  EXPECT_EQ(f->Text_Edit->text(), "90.40000");
  const QRect cell = f->MSF_Chann->Cell_Rect().translated(f->MSF_Chann->geometry().topLeft());
  EXPECT_EQ(f->Text_Edit->geometry(), cell) << "the box lies over the cell";
  f->Text_Edit->selectAll();
  f->Text_Edit->Type_Text("100");
  f->MSF_Chann->Click_Cell(2, 2);  // leaves (2, 1)
  EXPECT_EQ(Cell(f, 2, 1), "100.00000");
  // The row is written from its cells: the name moves to its place for five characters.
  EXPECT_EQ(Image_Row16(769), (Row16{1, 0, 0, 0, 0, 0, 0, 0, F, 'C', 'C', 'T', 'V', '1', F, F}));
  // The name box opened on (2, 2); a lower-case name goes in upper case.
  ASSERT_TRUE(f->Text_Edit->isVisible());
  EXPECT_EQ(f->Text_Edit->text(), "CCTV1");
  f->Text_Edit->selectAll();
  f->Text_Edit->Type_Text("ab");
  f->MSF_Chann->Click_Cell(3, 0);  // a number cell: the grid does not move there
  EXPECT_EQ(Cell(f, 2, 2), "AB") << "a click on the number column ends the edit as a leave does";
  EXPECT_FALSE(f->Text_Edit->isVisible());
  EXPECT_EQ(f->MSF_Chann->Row(), 2);
  f->MSF_Chann->Click_Cell(4, 1);
  EXPECT_EQ(Cell(f, 2, 2), "AB");
  EXPECT_EQ(Image_Row16(769), (Row16{1, 0, 0, 0, 0, 0, 0, 0, F, F, F, 'A', 'B', F, F, F}));
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(FmWindow, CellsLeftWithoutAnEditChangeNothing) {
  Fm_Default();
  // A radio name of eight characters, which the editor would cut to six.
  const int8_t name[8] = {'L', 'O', 'N', 'G', 'N', 'A', 'M', 'E'};
  for (int c = 0; c < 8; ++c) Radio_Image[768 + 3][8 + c] = name[c];
  const Image_Table before = Radio_Image;
  auto* f = Open();
  // Clicked and left unchanged, both columns.
  f->MSF_Chann->Click_Cell(1, 2);
  f->MSF_Chann->Click_Cell(4, 2);
  f->MSF_Chann->Click_Cell(4, 1);
  f->MSF_Chann->Click_Cell(1, 1);
  // Arrow keys move the current cell with no box opened (a stale box text
  // must not go anywhere either).
  f->MSF_Chann->setFocus();
  Key(f->MSF_Chann, Qt::Key_Down);  // leaves (1, 1), opened and unchanged
  EXPECT_EQ(f->MSF_Chann->Row(), 2);
  f->Text_Edit->setText("99");
  Key(f->MSF_Chann, Qt::Key_Down);
  Key(f->MSF_Chann, Qt::Key_Right);
  Key(f->MSF_Chann, Qt::Key_Up);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(Cell(f, 4, 2), "LONGNAME");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(FmWindow, FrequencyAndNameMessages) {
  Fm_Default();
  auto* f = Open();
  Edit_Cell(f, 3, 1, "86.99");
  ASSERT_EQ(rec.Texts(), QStringList{"Over the range of receive frequency ."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(Cell(f, 3, 1), "87.00000");
  EXPECT_EQ(Image_Row16(770)[2], 7);

  rec.Clear();
  Edit_Cell(f, 3, 2, "abcdefgh");
  ASSERT_EQ(rec.Texts(), QStringList{"The letter of channel name max 6 bit . "});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(Cell(f, 3, 2), "ABCDEF");
  EXPECT_EQ(Image_Row16(770), (Row16{0, 8, 7, 0, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', F, F}));

  // An empty frequency clears the preset, name and all.
  rec.Clear();
  Edit_Cell(f, 3, 1, "");
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Cell(f, 3, 1), "");
  EXPECT_EQ(Cell(f, 3, 2), "");
  EXPECT_EQ(Image_Row16(770), (Row16{0, 0, 0, 0, 0, 0, 0, 0, F, F, F, F, F, F, F, F}));
  // A name typed into a row without a frequency is dropped.
  Edit_Cell(f, 3, 2, "xyz");
  EXPECT_EQ(Cell(f, 3, 2), "");
  EXPECT_EQ(Image_Row16(770)[11], F);

  Lang_Flag = -1;
  rec.Clear();
  Edit_Cell(f, 5, 1, "abc");
  Edit_Cell(f, 5, 2, "1234567");
  EXPECT_EQ(rec.Texts(), (QStringList{QString::fromUtf8("接收频率超出范围 ！"),
                                      QString::fromUtf8("信道名称的字符个数最大为 6 位 ！")}));
  EXPECT_EQ(rec.calls[0].title, QString::fromUtf8("操作提示"));
  Lang_Flag = 0;
}

TEST_F(FmWindow, ScrollHidesTheBoxAndTheNextCommitStillApplies) {
  Fm_Default();
  auto* f = Open();
  Vb_Grid* g = f->MSF_Chann;
  g->resize(g->width(), g->height() / 2);  // fewer rows shown than there are presets
  Click_Grid_Cell(g, 1, 1);
  ASSERT_TRUE(f->Text_Edit->isVisible());
  f->Text_Edit->selectAll();
  f->Text_Edit->Type_Text("101.1");
  Wheel_Grid(g, 1);
  ASSERT_GT(g->Top_Row(), 1);
  EXPECT_TRUE(f->Text_Edit->isHidden());
  EXPECT_NE(Focus_In(g), f->Text_Edit) << "a hidden box takes no keys";
  EXPECT_EQ(f->Text_Edit->text(), "101.1");
  EXPECT_EQ(Cell(f, 1, 1), "88.90000") << "nothing committed by the scroll";
  Click_Grid_Cell(g, g->Top_Row() + 1, 2);
  EXPECT_EQ(Cell(f, 1, 1), "101.10000");
  EXPECT_EQ(Image_Row16(768)[3], 1);
}

TEST_F(FmWindow, SpareRowNeverWritesOutsideTheArea) {
  Fm_Default();
  for (int c = 0; c < 16; ++c) Radio_Image[784][c] = static_cast<int16_t>(0x40 + c);
  Fill16(767, 0x5A);
  const Image_Table before = Radio_Image;
  auto* f = Open();
  for (int c : {1, 2}) {
    f->MSF_Chann->Click_Cell(17, c);
    EXPECT_TRUE(f->Text_Edit->isHidden()) << "no box on the spare row";
    f->Text_Edit->setText("100");
    f->MSF_Chann->Click_Cell(17, 3 - c);
  }
  f->MSF_Chann->Click_Cell(16, 1);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(f, 17, c), "");
}

TEST_F(FmWindow, TwoByteCharactersInANameAreStoredAsQuestionMarks) {
  Fm_Default();
  auto* f = Open();
  Edit_Cell(f, 2, 2, QString::fromUtf8("中文台"));
  EXPECT_EQ(Image_Row16(769), (Row16{0, 9, 0, 4, 0, 0, 0, 0, F, F, '?', '?', '?', F, F, F}));
  EXPECT_EQ(Cell(f, 2, 2), "???") << "the cell shows what the record holds";
  Edit_Cell(f, 4, 2, QString::fromUtf8("é€ab"));
  for (int c = 0; c < 16; ++c) {
    EXPECT_GE(Radio_Image[771][c], 0);
    EXPECT_LE(Radio_Image[771][c], 255);
  }
}

TEST_F(FmWindow, ClearThenDefault) {
  Fm_Default();
  Fill16(767, 0x11);
  Fill16(784, 0x22);
  auto* f = Open();
  f->Label_tr_count->setText("something");
  f->ProgressBar1->show();
  f->MSF_Chann->Click_Cell(1, 2);
  f->Text_Edit->Type_Text("Q");
  f->Command_Clear->click();
  EXPECT_TRUE(rec.calls.empty()) << "no question";
  for (int r = 768; r <= 783; ++r) EXPECT_EQ(Image_Row16(r), Row_Of(0)) << r;
  EXPECT_EQ(Image_Row16(767), Row_Of(0x11));
  EXPECT_EQ(Image_Row16(784), Row_Of(0x22));
  for (int r = 1; r <= 16; ++r) {
    EXPECT_EQ(Cell(f, r, 0), QString::number(r));
    EXPECT_EQ(Cell(f, r, 1), "");
    EXPECT_EQ(Cell(f, r, 2), "");
  }
  EXPECT_TRUE(f->ProgressBar1->isHidden());
  EXPECT_EQ(f->Label_tr_count->text(), "");
  EXPECT_TRUE(f->Text_Edit->isHidden());
  // The box's text left from before the Clear is not committed.
  f->MSF_Chann->Click_Cell(5, 1);
  EXPECT_EQ(Image_Row16(768), Row_Of(0));

  f->Command_def->click();
  EXPECT_EQ(Cell(f, 1, 1), "88.90000");
  EXPECT_EQ(Cell(f, 3, 1), "");
  EXPECT_EQ(Cell(f, 16, 2), "CCTV9");
  EXPECT_EQ(Image_Row16(768), (Row16{0, 8, 8, 9, 0, 0, 0, 0, 'V', 'R', 'N', 'E', 'W', F, F, F}));
  EXPECT_EQ(Image_Row16(784), Row_Of(0x22));
}

TEST_F(FmWindow, ActivationRedrawsFromTheImage) {
  Fm_Default();
  auto* f = Open();
  Fill16(770, 0);
  Radio_Image[770][1] = 9;
  Radio_Image[770][2] = 9;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(Cell(f, 3, 1), "99.00000");
}

TEST_F(FmWindow, BusyRefusalsAndTheCloseBox) {
  Fm_Default();
  auto* f = Open();
  Radio_Image[768][1] = 9;  // no default
  f->Engine()->Busy_Read = -1;
  struct Case {
    QPushButton* button;
    const char* text;
  } cases[] = {
      {f->Command_Clear, "Read-write operating，don't clear operate .,"},
      {f->Command_def, "Read-write operating with transceiver ."},
      {f->Command_open, "Read-write operating with transceiver ."},
      {f->Command_save, "Read-write operating with transceiver ."},
      {f->Command_close, "Read-write operating，don't close the window. ,"},
      {f->Command_read, "Read-write operating with transceiver ."},
      {f->Command_Write, "Read-write operating with transceiver ."},
  };
  for (const auto& c : cases) {
    rec.Clear();
    c.button->click();
    Let_Events_Run();
    ASSERT_EQ(rec.Texts(), QStringList{QString::fromUtf8(c.text)}) << c.button->text().toStdString();
    EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  }
  EXPECT_EQ(Image_Row16(768)[0], 0) << "Clear refused";
  EXPECT_EQ(Image_Row16(768)[1], 9) << "Default refused";
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_save_chann>(), nullptr);
  EXPECT_EQ(Forms::Find<frm_FM>(), f);

  // The close box while busy: refused with the Close button's message.
  rec.Clear();
  f->Host()->close();
  Let_Events_Run();
  EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8("Read-write operating，don't close the window. ,")});
  EXPECT_EQ(Forms::Find<frm_FM>(), f);
  EXPECT_FALSE(f->Unloaded());

  // Idle again: the close box closes.
  rec.Clear();
  f->Engine()->Busy_Read = 0;
  QPointer<frm_FM> p(f);
  f->Host()->close();
  Let_Events_Run();
  EXPECT_TRUE(!p || p->Unloaded());
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(FmWindow, CloseButtonClosesTheFileDialogsToo) {
  auto* f = Open();
  f->Command_open->click();
  Let_Events_Run();
  ASSERT_NE(Forms::Find<Form_open_chann>(), nullptr);
  f->Command_save->click();
  Let_Events_Run();
  ASSERT_NE(Forms::Find<Form_save_chann>(), nullptr);
  f->Command_close->click();
  Let_Events_Run();
  EXPECT_EQ(Forms::Find<frm_FM>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_save_chann>(), nullptr);
}
