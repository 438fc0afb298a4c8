// The 5-tone editor window: its pages drawn from the image, every edit
// stored at once, the undo rule of its lists, the busy guard and the
// signalling file it loads and saves on request.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cerrno>

#include "data/tone5_tables.h"
#include "editors/image_rows.h"
#include "editors/signalling/frm_5tone.h"
#include "files/file_dialogs.h"
#include "files/bounded_read.h"
#include "files/sig_file.h"
#include "link/link_engine.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/app_fixture.h"
#include "support/full_disk.h"
#include "support/grid_input.h"
#include "support/sim_fixture.h"

namespace {
constexpr int F = 0xFF;

void Key_Into(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
}
void Type_Into_List(Vb_Combo* c, const QString& text) {
  for (QChar ch : text) Key_Into(c->lineEdit(), 0, QString(ch));
}

class Tone5Window : public Program_Test {
protected:
  void SetUp() override {
    Program_Test::SetUp();
    f = Forms::Load<frm_5tone>();
    rec.Clear();
  }
  frm_5tone* f = nullptr;
};

std::array<int, 5> Frame_Bytes(int row, int first) {
  std::array<int, 5> out{};
  for (int k = 0; k < 5; ++k) out[k] = Radio_Image[row][first + k];
  return out;
}
}  // namespace

TEST_F(Tone5Window, LoadsItsTextsListsAndFirstStandard) {
  EXPECT_EQ(f->windowTitle(), "5 Tone Encode/Decode ");
  ASSERT_EQ(f->TabStrip1->Tabs_Count(), 2) << "no tab reaches the decode page";
  EXPECT_EQ(f->TabStrip1->Tab_Caption(1), "Standard");
  EXPECT_EQ(f->TabStrip1->Tab_Caption(2), "Encode");
  EXPECT_EQ(f->TabStrip1->Selected(), 1);
  EXPECT_FALSE(f->Frame_std->isHidden());
  EXPECT_TRUE(f->Frame_Encode->isHidden());
  EXPECT_TRUE(f->Frame_Decode->isHidden());
  EXPECT_EQ(f->Combo_stxh->Text(), "CCIR1");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(f->Label_freq[i]->text(), Freq_Text[0][i].trimmed()) << i;
  EXPECT_EQ(f->Label_freq[0]->text(), "1981.0");
  for (Vb_Combo* c : f->Combo_Enc_ys) {
    ASSERT_EQ(c->List_Count(), 101);
    EXPECT_EQ(c->List(0), "0");
    EXPECT_EQ(c->List(100), "1000");
  }
  ASSERT_EQ(f->Combo_Dec_Res_Time->List_Count(), 80);
  EXPECT_EQ(f->Combo_Dec_Res_Time->List(79), "8000");
  EXPECT_EQ(f->Combo_Dec_Back_Time->List_Count(), Tone5_Reply_Delay_Count) << "the reply delays have items";
  EXPECT_EQ(f->MSF_Encode->Text_At(0, 1), " Frame 1 ");
  EXPECT_EQ(f->MSF_Chann->Text_At(15, 0), "MODAT");
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 0), "15");
  EXPECT_TRUE(f->ProgressBar1->isHidden());
  EXPECT_TRUE(f->Text_PassWord->isHidden());
  // Picking the second tab shows the encode page, and back.
  f->TabStrip1->Click_Tab(2);
  EXPECT_TRUE(f->Frame_std->isHidden());
  EXPECT_FALSE(f->Frame_Encode->isHidden());
  f->TabStrip1->Click_Tab(1);
  EXPECT_FALSE(f->Frame_std->isHidden());

  // Sized from the main window and centred in its client area.
  const QRect main = Forms::Main()->frameGeometry();
  const QSize client = Forms::Mdi_Area()->size();
  const QRect g = f->Host()->geometry();
  EXPECT_NEAR(g.width(), main.width() / 1.3, 2);
  EXPECT_NEAR(g.height(), main.height() / 1.25, 2);
  EXPECT_NEAR(g.left(), (client.width() - main.width() / 1.3) / 2, 2);
  EXPECT_NEAR(g.top(), (client.height() - main.height() / 1.25) / 2, 2);

  f->Unload();
  Lang_Flag = -1;
  f = Forms::Load<frm_5tone>();
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("5音信令编解码参数编辑"));
  EXPECT_EQ(f->TabStrip1->Tab_Caption(1), QString::fromUtf8("标准"));
  EXPECT_EQ(f->TabStrip1->Tab_Caption(2), QString::fromUtf8("编解码"));
  EXPECT_EQ(f->Check_Decode_HJ[2]->text(), QString::fromUtf8("第 3 帧"));
}

TEST_F(Tone5Window, EachGridShowsTheHeaderAndAllItsRowsAtOnce) {
  for (Vb_Grid* g : {f->MSF_Chann, f->MSF_Encode, f->MSF_Decode}) {
    g->parentWidget()->show();
    Let_Events_Run();
    EXPECT_EQ(g->verticalScrollBar()->maximum(), 0) << "no row is left to scroll to";
    for (int r = 1; r <= 15; ++r) EXPECT_TRUE(Row_Shown_Whole(g, r)) << r;
  }
}

TEST_F(Tone5Window, DrawsTheStartUpImage) {
  const char* periods[] = {"100", "70", "70", "70", "70", "70", "70", "70", "70", "40", "30", "100", "70", "70", "40"};
  for (int n = 1; n <= 15; ++n) {
    EXPECT_EQ(f->MSF_Chann->Text_At(n, 1), periods[n - 1]) << n;
    EXPECT_EQ(f->MSF_Chann->Text_At(n, 2), "A");
    EXPECT_EQ(f->MSF_Chann->Text_At(n, 3), "E");
  }
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 1), "12345");
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 3), "56789");
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 4), "CCIR1");
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 3), "67890");
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 4), "MODAT");
  for (int n = 2; n <= 14; ++n) {
    EXPECT_EQ(f->MSF_Encode->Text_At(n, 2), "     ");
    EXPECT_EQ(f->MSF_Encode->Text_At(n, 4), "");
  }
  EXPECT_EQ(f->Combo_Enc_ys[0]->Text(), "200");
  EXPECT_EQ(f->Combo_Enc_ys[3]->Text(), "0");
  EXPECT_EQ(f->Combo_Decode_Std->Text(), "CCIR1");
  EXPECT_EQ(f->Check_Decode_HJ[0]->Value() * 1 + f->Check_Decode_HJ[1]->Value() * 2 + f->Check_Decode_HJ[2]->Value() * 4, 1);
  EXPECT_EQ(f->Check_Decode_Disp[0]->Value() * 1 + f->Check_Decode_Disp[1]->Value() * 2 + f->Check_Decode_Disp[2]->Value() * 4, 6);
  EXPECT_EQ(f->Combo_Dec_Res_Time->Text(), "6000");
  // A stored byte outside what the list shows: a period of 0xFF, digits above 15.
  Radio_Image[576][0] = 0xFF;
  Radio_Image[576][1] = 16;
  Radio_Image[592][1] = F;
  Radio_Image[592][2] = 0x20;
  const Image_Table before = Radio_Image;
  f->Tone5_Show();
  EXPECT_EQ(f->MSF_Chann->Text_At(1, 1), "2570");
  EXPECT_EQ(f->MSF_Chann->Text_At(1, 2), " ");
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 1), "1  45");
  EXPECT_TRUE(Same_Image(Radio_Image, before)) << "drawing stores nothing new";
}

TEST_F(Tone5Window, StandardsGridStoresEachPick) {
  struct Case { int row, col, item; const char* shown; int image_row, byte, stored; } cases[] = {
      {4, 1, 5, "70", 579, 0, 5},   // ZVEI1, 70 ms
      {1, 3, 10, "A", 576, 2, 10},  // CCIR1 repeat tone A
      {2, 1, 18, "200", 577, 0, 18},
      {2, 1, 0, "20", 577, 0, 0},
      {15, 2, 15, "F", 590, 1, 15},
  };
  for (const auto& c : cases) {
    f->MSF_Chann->Click_Cell(c.row, c.col);
    ASSERT_FALSE(f->Combo_edit->isHidden());
    EXPECT_EQ(f->Combo_edit->Text(), f->MSF_Chann->Text_At(c.row, c.col)) << "the list opens with the cell's value";
    EXPECT_EQ(f->Combo_edit->List_Count(), c.col == 1 ? 19 : 16);
    f->Combo_edit->Set_List_Index(c.item);
    EXPECT_EQ(Radio_Image[c.image_row][c.byte], c.stored) << c.shown;
    EXPECT_EQ(f->Combo_stxh->List_Index(), c.row - 1) << "the selector follows the clicked standard";
    // Another data cell: the picked text stays in the first, the list moves.
    const int other = c.row == 15 ? 14 : c.row + 1;
    f->MSF_Chann->Click_Cell(other, c.col);
    EXPECT_EQ(f->MSF_Chann->Text_At(c.row, c.col), c.shown);
    EXPECT_EQ(f->Combo_edit->Text(), f->MSF_Chann->Text_At(other, c.col));
  }
  // A column-0 click closes the list, and the cell shows the pick made in
  // it; a header click does nothing at all.
  f->Combo_edit->Set_List_Index(7);
  ASSERT_EQ(Radio_Image[589][1], 7);
  Click_Grid_Cell(f->MSF_Chann, 3, 0);
  EXPECT_TRUE(f->Combo_edit->isHidden());
  EXPECT_EQ(f->MSF_Chann->Text_At(14, 2), "7");
  const Image_Table before = Radio_Image;
  const int selected = f->Combo_stxh->List_Index();
  f->MSF_Chann->Click_Cell(0, 2);
  EXPECT_TRUE(f->Combo_edit->isHidden());
  EXPECT_EQ(f->Combo_stxh->List_Index(), selected);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // The row of EEA shows EEA's frequencies.
  f->MSF_Chann->Click_Cell(10, 1);
  EXPECT_EQ(f->Combo_stxh->Text(), "EEA");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(f->Label_freq[i]->text(), Freq_Text[9][i].trimmed());
  // The open list survives a visit to the other page.
  f->TabStrip1->Click_Tab(2);
  f->TabStrip1->Click_Tab(1);
  EXPECT_FALSE(f->Combo_edit->isHidden());
  EXPECT_TRUE(Same_Image(Radio_Image, before)) << "neither the selector nor the pages store anything";
}

TEST_F(Tone5Window, TypingIntoAListPutsItsTextBack) {
  f->MSF_Chann->Click_Cell(4, 1);
  Type_Into_List(f->Combo_edit, "9x");
  EXPECT_EQ(f->Combo_edit->Text(), "70");
  f->Combo_stxh->Set_List_Index(11);
  Type_Into_List(f->Combo_stxh, "Q");
  EXPECT_EQ(f->Combo_stxh->Text(), "EURO");
  EXPECT_EQ(f->Label_freq[0]->text(), "979.8");
  // A delay list showing 120 after it got the focus.
  Radio_Image[607][0] = 12;
  f->Tone5_Show();
  f->Combo_Enc_ys[0]->GotFocus();
  const Image_Table before = Radio_Image;
  Type_Into_List(f->Combo_Enc_ys[0], "a5");
  EXPECT_EQ(f->Combo_Enc_ys[0]->Text(), "120");
  // The decode standard drops every key.
  Type_Into_List(f->Combo_Decode_Std, "Z");
  EXPECT_EQ(f->Combo_Decode_Std->Text(), "CCIR1");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(Tone5Window, FrameBoxStoresEveryKey) {
  f->TabStrip1->Click_Tab(2);
  f->MSF_Encode->Click_Cell(15, 2);
  ASSERT_FALSE(f->Text_Encode->isHidden());
  EXPECT_EQ(f->Text_Encode->Text(), "45678");
  const int keys[] = {'1', 'a', '2', 'B', '3'};
  const std::array<int, 5> want = {1, 10, 2, 11, 3};
  for (int k = 0; k < 5; ++k) {
    f->Text_Encode->Type_Key(keys[k]);
    EXPECT_EQ(Radio_Image[606][5 + k], want[k]) << "key " << k;
  }
  f->Text_Encode->Type_Key('4');  // a sixth digit
  f->Text_Encode->Type_Key(' ');
  f->Text_Encode->Type_Key('G');
  f->Text_Encode->Type_Key('*');
  EXPECT_EQ(f->Text_Encode->Text(), "1a2B3");
  f->Text_Encode->Type_Key(8);
  EXPECT_EQ(f->Text_Encode->Text(), "1a2B");
  EXPECT_EQ(Radio_Image[606][9], F);
  f->Text_Encode->Type_Key('3');
  f->MSF_Encode->Click_Cell(15, 3);  // commits frame 2
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 2).toStdString(), "1A2B3") << "as stored";
  EXPECT_TRUE(rec.calls.empty());
  f->Text_Encode_LostFocus();
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 2).toStdString(), "1A2B3");
  EXPECT_EQ(Frame_Bytes(606, 5), want);

  // Emptying frame 3 of entry 1 stores 0xFF without a message.
  f->MSF_Encode->Click_Cell(1, 3);
  EXPECT_EQ(f->Text_Encode->Text(), "56789");
  f->Text_Encode->Type_Key(8);
  EXPECT_EQ(Frame_Bytes(592, 10), (std::array<int, 5>{F, F, F, F, F}));
  f->MSF_Encode->Click_Cell(1, 1);
  EXPECT_TRUE(rec.calls.empty());
  f->Text_Encode_LostFocus();
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 3), "     ");

  // Three digits: a warning on leaving; the image keeps them.
  f->MSF_Encode->Click_Cell(2, 1);
  for (int k : {'1', '2', '3'}) f->Text_Encode->Type_Key(k);
  f->MSF_Encode->Click_Cell(3, 1);
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, "Encode Digit is 5 Bits.");
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt\"");
  EXPECT_EQ(Frame_Bytes(593, 0), (std::array<int, 5>{1, 2, 3, F, F}));
  f->Text_Encode_LostFocus();
  EXPECT_EQ(f->MSF_Encode->Text_At(2, 1), "123  ");
}

TEST_F(Tone5Window, PastedTextIsFilteredLikeKeys) {
  f->TabStrip1->Click_Tab(2);
  f->MSF_Encode->Click_Cell(5, 1);
  QApplication::clipboard()->setText("1x2-3G\r\n45678");
  Key_Into(f->Text_Encode, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(f->Text_Encode->Text(), "12345");
  EXPECT_EQ(Frame_Bytes(596, 0), (std::array<int, 5>{1, 2, 3, 4, 5}));
  f->Text_Encode->selectAll();
  f->Text_Encode->Type_Text(QString::fromUtf8("中 ab"));
  EXPECT_EQ(f->Text_Encode->Text(), "ab");
  EXPECT_EQ(Frame_Bytes(596, 0), (std::array<int, 5>{10, 11, F, F, F}));
}

TEST_F(Tone5Window, StandardCellAndDelays) {
  f->TabStrip1->Click_Tab(2);
  f->MSF_Encode->Click_Cell(7, 4);
  ASSERT_FALSE(f->Combo_Encode->isHidden()) << "a frame 1 of five blanks allows the edit";
  EXPECT_EQ(f->Combo_Encode->List_Index(), -1) << "0xFF selects nothing";
  EXPECT_EQ(Radio_Image[598][15], F);
  f->MSF_Chann->Click_Cell(2, 1);  // the other page's selection does not matter
  f->Combo_Encode->Set_List_Index(3);
  EXPECT_EQ(Radio_Image[598][15], 3);
  // Leaving an entry without frame 1 shows what it stores: the pick.
  f->MSF_Encode->Click_Cell(1, 4);
  EXPECT_EQ(f->MSF_Encode->Text_At(7, 4).toStdString(), "ZVEI1");
  EXPECT_EQ(Radio_Image[598][15], 3);
  EXPECT_EQ(f->Combo_Encode->List_Index(), 0) << "entry 1 is CCIR1";
  f->Combo_Encode->Set_List_Index(3);
  EXPECT_EQ(Radio_Image[592][15], 3);
  f->MSF_Encode->Click_Cell(14, 1);
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 4).toStdString(), "ZVEI1");
  f->MSF_Encode->Click_Cell(1, 0);
  EXPECT_TRUE(f->Combo_Encode->isHidden());
  EXPECT_TRUE(f->Text_Encode->isHidden());
  f->Combo_Enc_ys[1]->Set_List_Index(50);
  EXPECT_EQ(Radio_Image[607][1], 50);
  f->Combo_Enc_ys[3]->Set_List_Index(0);
  EXPECT_EQ(Radio_Image[607][3], 0);
  // Switching pages hides the encode page's editors.
  f->MSF_Encode->Click_Cell(1, 2);
  ASSERT_FALSE(f->Text_Encode->isHidden());
  f->TabStrip1->Click_Tab(1);
  f->TabStrip1->Click_Tab(2);
  EXPECT_TRUE(f->Text_Encode->isHidden());
}

TEST_F(Tone5Window, ClearedEntriesAreClearedInTheImage) {
  f->TabStrip1->Click_Tab(2);
  // By double-click on the entry number.
  f->MSF_Encode->Double_Click_Cell(1, 0);
  EXPECT_EQ(Image_Row16(592), Row_Of(F));
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(f->MSF_Encode->Text_At(1, c), "     ") << "an empty frame";
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 4), "");
  // By emptying frame 1.
  f->MSF_Encode->Click_Cell(15, 1);
  for (int k = 0; k < 5; ++k) f->Text_Encode->Type_Key(8);
  f->MSF_Encode->Click_Cell(5, 1);
  EXPECT_EQ(Image_Row16(606), Row_Of(F));
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(f->MSF_Encode->Text_At(15, c), "     ") << "an empty frame";
  EXPECT_EQ(f->MSF_Encode->Text_At(15, 4), "");
  // A double-click on the header changes nothing.
  const Image_Table before = Radio_Image;
  f->MSF_Encode->Double_Click_Cell(0, 0);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(f->MSF_Encode->Text_At(14, 1), "     ");
}

namespace {
// Encode entry 2 as a radio may hold it: frame 1 empty, frame 2 = 12345,
// standard ZVEI1.
void Put_Entry_Without_Frame_1() {
  for (int c = 0; c < 16; ++c) Radio_Image[593][c] = F;
  for (int k = 0; k < 5; ++k) Radio_Image[593][5 + k] = static_cast<int16_t>(k + 1);
  Radio_Image[593][15] = 3;
}
}  // namespace

TEST_F(Tone5Window, AClickAndALeaveWithNoEditStoreNothing) {
  Put_Entry_Without_Frame_1();
  f->Tone5_Show();
  f->TabStrip1->Click_Tab(2);
  Let_Events_Run();
  Vb_Grid* g = f->MSF_Encode;
  struct Case {
    const char* name;
    int col;               // the cell of entry 2 clicked first
    int next_row, next_col;  // the cell clicked next, without an edit
  } cases[] = {
      {"standard, then another entry", 4, 5, 2},
      {"frame 2, then another entry", 2, 5, 4},
      {"frame 3, then another entry", 3, 7, 1},
      {"frame 1, then another entry", 1, 5, 1},
      {"standard, then frame 2 of the same entry", 4, 2, 2},
      {"frame 2, then the standard of the same entry", 2, 2, 4},
  };
  for (const Case& c : cases) {
    f->Tone5_Show();
    const Image_Table before = Radio_Image;
    Click_Grid_Cell(g, 2, c.col);
    QWidget* editor = c.col == 4 ? static_cast<QWidget*>(f->Combo_Encode) : f->Text_Encode;
    EXPECT_TRUE(editor->isVisible()) << c.name << ": five blanks in frame 1 allow the edit";
    Click_Grid_Cell(g, c.next_row, c.next_col);
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << c.name;
    // The row shows what it stores, without waiting for a redraw.
    EXPECT_EQ(g->Text_At(2, 2), "12345") << c.name;
    EXPECT_EQ(g->Text_At(2, 4), "ZVEI1") << c.name;
  }
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Tone5Window, FrameOneEmptiedByTheUserErasesTheEntry) {
  f->TabStrip1->Click_Tab(2);
  Let_Events_Run();
  Vb_Grid* g = f->MSF_Encode;
  Image_Table want = Radio_Image;
  for (int c = 0; c < 16; ++c) want[592][c] = F;
  Click_Grid_Cell(g, 1, 1);
  ASSERT_EQ(Focus_In(g), f->Text_Encode);
  Key_Into(Focus_In(g), Qt::Key_Backspace, "\b");  // the selected frame goes
  EXPECT_EQ(f->Text_Encode->Text(), "");
  Click_Grid_Cell(g, 5, 2);
  EXPECT_TRUE(Same_Image(Radio_Image, want));
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(g->Text_At(1, c), "     ") << c;
  EXPECT_EQ(g->Text_At(1, 4), "");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Tone5Window, APickedStandardShowsWhenTheNumberColumnIsClicked) {
  f->TabStrip1->Click_Tab(2);
  Let_Events_Run();
  Vb_Grid* g = f->MSF_Encode;
  Click_Grid_Cell(g, 1, 4);
  ASSERT_TRUE(f->Combo_Encode->isVisible());
  f->Combo_Encode->Set_List_Index(3);  // the user's pick: ZVEI1
  ASSERT_EQ(Radio_Image[592][15], 3);
  const Image_Table before = Radio_Image;
  Click_Grid_Cell(g, 6, 0);
  EXPECT_TRUE(f->Combo_Encode->isHidden());
  EXPECT_EQ(Widget_Over_Cell(g, 1, 4), g->viewport()) << "no list is left over the cell";
  EXPECT_EQ(g->Text_At(1, 4), "ZVEI1") << "the cell shows what is stored";
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(Tone5Window, DecodeSettings) {
  f->Check_Decode_HJ[2]->Set_Value(1);
  EXPECT_EQ(Radio_Image[607][9], 5);
  f->Check_Decode_HJ[0]->Set_Value(0);
  EXPECT_EQ(Radio_Image[607][9], 4);
  Radio_Image[607][9] = 0xF9;
  f->Tone5_Show();
  EXPECT_EQ(Radio_Image[607][9], 0xF9);
  f->Check_Decode_HJ[0]->Set_Value(0);
  EXPECT_EQ(Radio_Image[607][9], 0xF8) << "bits 3..7 never change";
  f->Check_Decode_Disp[0]->Set_Value(1);
  EXPECT_EQ(Radio_Image[607][10], 7);
  f->Combo_Decode_Std->Set_List_Index(11);
  EXPECT_EQ(Radio_Image[607][8], 11);
  f->Combo_Dec_Res_Time->Set_List_Index(59);
  EXPECT_EQ(Radio_Image[607][11], 59);
}

TEST_F(Tone5Window, SettingsOutsideTheirListsSelectNothing) {
  struct Case { int byte, value; Vb_Combo* frm_5tone::*list; } cases[] = {
      {0, 0xFF, nullptr}, {3, 101, nullptr}, {8, 15, &frm_5tone::Combo_Decode_Std},
      {8, 0xFF, &frm_5tone::Combo_Decode_Std}, {11, 80, &frm_5tone::Combo_Dec_Res_Time},
  };
  for (const auto& c : cases) {
    Tone5_Default();
    f->Tone5_Show();
    Radio_Image[607][c.byte] = static_cast<int16_t>(c.value);
    const Image_Table before = Radio_Image;
    f->Tone5_Show();
    Vb_Combo* list = c.list ? f->*c.list : f->Combo_Enc_ys[c.byte];
    EXPECT_EQ(list->List_Index(), -1) << c.byte << "=" << c.value;
    EXPECT_EQ(list->Text(), "") << c.byte << "=" << c.value;
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << c.byte << "=" << c.value;
  }
  // The frequencies without a selected standard: empty labels.
  f->Combo_stxh->Set_List_Index(-1);
  f->Freq_Show();
  for (QLabel* l : f->Label_freq) EXPECT_EQ(l->text(), "");
}

TEST_F(Tone5Window, DecodePageActionsAndWarnings) {
  f->MSF_Decode->Click_Cell(4, 2);  // no standard: no editor, but the entry's boxes
  EXPECT_TRUE(f->Text_Decode->isHidden());
  EXPECT_EQ(f->Frame_Dec_xx->title(), "Execute after Code 4 Decode Succeeded ");
  EXPECT_EQ(f->Action_Entry, 3);
  f->Check_Kz[1]->Set_Value(1);
  f->Check_zh[3][1]->Set_Value(1);
  EXPECT_EQ(f->Action_Flags[3][2], 4);
  EXPECT_EQ(f->Action_Flags[3][3], 8);
  f->MSF_Decode->Click_Cell(9, 2);
  EXPECT_EQ(f->Check_Kz[1]->Value(), 0);
  f->MSF_Decode->Click_Cell(4, 2);
  EXPECT_EQ(f->Check_Kz[1]->Value(), 1);
  EXPECT_EQ(f->Check_zh[3][1]->Value(), 1);
  EXPECT_EQ(f->Action_Flags[3][2], 4) << "showing the flags stores nothing";

  // A standard, then a code typed: a warning per character that is no digit.
  f->MSF_Decode->Click_Cell(1, 1);
  ASSERT_FALSE(f->Combo_Decode->isHidden());
  f->Combo_Decode->Set_List_Index(11);
  f->MSF_Decode->Click_Cell(1, 2);
  EXPECT_EQ(f->MSF_Decode->Text_At(1, 1), "EURO");
  ASSERT_FALSE(f->Text_Decode->isHidden());
  rec.Clear();
  for (int k : {'1', '2', 'a'}) f->Text_Decode->Type_Key(k);
  EXPECT_EQ(rec.Texts(), QStringList{"Group Digits only by 0 to 9 and A to F."});
  rec.Clear();
  for (int k : {'3', '4', '5'}) f->Text_Decode->Type_Key(k);
  EXPECT_EQ(rec.Texts(), (QStringList{"Group Digits only by 0 to 9 and A to F.",
                                      "Group Digits only by 0 to 9 and A to F.", "Decode Digit is 5 Bits."}));
  f->Text_Decode->Set_Text("12AB3");
  // A function whose code is empty is emptied when it is left.
  f->MSF_Decode->Click_Cell(1, 5);
  ASSERT_FALSE(f->Combo_Decode->isHidden());
  EXPECT_EQ(f->Combo_Decode->List_Count(), 9);
  f->Combo_Decode->Set_List_Index(6);
  f->MSF_Decode->Click_Cell(1, 3);
  EXPECT_EQ(f->MSF_Decode->Text_At(1, 5), "");
  EXPECT_EQ(f->MSF_Decode->Text_At(1, 2), "12AB3");
  f->Combo_Decode->Set_List_Index(6);
  f->MSF_Decode->Click_Cell(1, 8);
  EXPECT_EQ(f->MSF_Decode->Text_At(1, 3), "6.Stun");
  // Double-click on the entry's number clears it with its flags.
  f->MSF_Decode->Double_Click_Cell(4, 0);
  EXPECT_EQ(f->Action_Flags[3][2], 0);
  EXPECT_EQ(f->Check_Kz[1]->Value(), 0);
  // The reply controls: the delay list and the idle box follow the reply box.
  EXPECT_FALSE(f->Combo_Dec_Back_Time->isEnabled());
  f->Check_Dec_back->Set_Value(1);
  EXPECT_TRUE(f->Combo_Dec_Back_Time->isEnabled());
  EXPECT_EQ(f->Decode_Page().reply_delay_index, -1);
  f->Combo_Dec_Back_Time->Set_List_Index(4);
  EXPECT_EQ(f->Decode_Page().reply_delay_index, 4);
  EXPECT_TRUE(f->Decode_Page().reply);
}

TEST_F(Tone5Window, DefaultRestoresTheFactoryValues) {
  Radio_Image[592][0] = 7;
  Radio_Image[591][3] = 0x42;
  f->ProgressBar1->show();
  f->Label_tr_count->setText("x");
  f->Command_def_Click();
  EXPECT_TRUE(f->ProgressBar1->isHidden());
  EXPECT_EQ(f->Label_tr_count->text(), "");
  EXPECT_EQ(Radio_Image[592][0], 1);
  EXPECT_EQ(Radio_Image[591][3], 0x42);
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 1), "12345");
}

TEST_F(Tone5Window, RefusesButtonsAndTheCloseBoxWhileBusy) {
  f->Engine()->Busy_Read = -1;
  Radio_Image[592][0] = 7;
  const Image_Table before = Radio_Image;
  f->Command_def_Click();
  f->Command_open_Click();
  f->Command_save_Click();
  f->Command_close_Click();
  f->Host()->close();
  ASSERT_EQ(rec.calls.size(), 5u);
  for (const auto& c : rec.calls) {
    EXPECT_EQ(c.text, "Read-write operating with transceiver .");
    EXPECT_EQ(c.title, "Operate prompt");
  }
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(Forms::Find<frm_5tone>(), f) << "the window stays open";
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  f->Engine()->Busy_Read = 0;
  rec.Clear();
  f->Host()->close();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Forms::Find<frm_5tone>(), nullptr);
}

TEST_F(Tone5Window, CloseButtonUnloadsTheOptionFileDialogs) {
  Forms::Load<Form_open_menu>();
  f->Command_close_Click();
  EXPECT_EQ(Forms::Find<frm_5tone>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_open_menu>(), nullptr);
}

// ---- the signalling file --------------------------------------------------------------

class Tone5File : public Tone5Window {
protected:
  void SetUp() override {
    Tone5Window::SetUp();
    ASSERT_TRUE(dir.isValid());
  }
  QString Path(const char* name) const { return dir.filePath(name); }
  // Raises a request and waits for the window's poll to carry it out.
  void Request(int16_t& flag, const QString& path) {
    rec.Clear();
    File_Path = path;
    flag = -1;
    ASSERT_TRUE(Spin_Until([&] { return !rec.calls.empty(); }, 3000)) << "no poll within 3 s";
    EXPECT_EQ(flag, 0);
  }
  QTemporaryDir dir;
};

TEST_F(Tone5File, SaveThenLoadGivesBackTheImage) {
  // Bytes no control shows: the settings row's decode bytes and open bytes,
  // the standards' open bytes, row 591.
  for (int c = 3; c < 16; ++c) Radio_Image[580][c] = static_cast<int16_t>(c * 9);
  for (int c = 0; c < 16; ++c) Radio_Image[591][c] = static_cast<int16_t>(200 + c);
  Radio_Image[607][5] = 0x11;
  Radio_Image[607][8] = 13;
  Radio_Image[607][9] = 0xF3;
  Radio_Image[607][10] = 2;
  Radio_Image[607][11] = 33;
  Radio_Image[607][14] = 0x22;
  f->Tone5_Show();
  const Image_Table before = Radio_Image;
  Request(Sig_Save_Flag, Path("a.sig"));
  EXPECT_EQ(rec.Texts(), QStringList{"Complete storing Signal parameters."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_TRUE(Same_Image(Radio_Image, before)) << "a save changes nothing";
  Sig_Table t{};
  QString why;
  ASSERT_TRUE(Sig_File_Read(Path("a.sig"), true, &t, &why));
  for (int l = 144; l < 256; ++l) EXPECT_EQ(t[l], (std::array<int16_t, 16>{})) << "a new file after start-up";
  for (int r = 576; r <= 607; ++r) Fill16(r, 0x5A);
  Request(Sig_Open_Flag, Path("a.sig"));
  EXPECT_EQ(rec.Texts(), QStringList{"Succeed fold the Signal parameters from file."});
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(f->MSF_Encode->Text_At(1, 1), "12345") << "the window shows what was loaded";
}

TEST_F(Tone5File, SaveKeepsTheReplacedFilesLastLines) {
  Sig_Table old{};
  for (int l = 0; l < 256; ++l) old[l].fill(static_cast<int16_t>(l % 7));
  QString why;
  ASSERT_TRUE(Sig_File_Write(Path("b.sig"), old, &why));
  Request(Sig_Save_Flag, Path("b.sig"));
  Sig_Table t{};
  ASSERT_TRUE(Sig_File_Read(Path("b.sig"), true, &t, &why));
  for (int l = 144; l < 256; ++l) EXPECT_EQ(t[l], old[l]) << l;
  EXPECT_EQ(t[64][0], 8);
  // An existing file that cannot be read as one is not replaced.
  QFile bad(Path("c.sig"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("1 2 3");
  bad.close();
  Request(Sig_Save_Flag, Path("c.sig"));
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_TRUE(rec.calls[0].text.startsWith("Signal parameters not stored")) << rec.calls[0].text.toStdString();
  ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
  EXPECT_EQ(bad.readAll(), "1 2 3");
  // A save that cannot be written says so.
  Request(Sig_Save_Flag, dir.filePath("no/such/folder/d.sig"));
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_TRUE(rec.calls[0].text.startsWith("Storing Signal parameters failed")) << rec.calls[0].text.toStdString();
}

// The issue a user met: a save onto a full disk said it was stored and left
// the old file empty. The window now says it failed and why; the old file
// stays whole.
TEST_F(Tone5File, ASaveTheDiskCannotTakeSaysSoAndKeepsTheOldFile) {
  Sig_Table old{};
  old[0].fill(5);
  QString why;
  ASSERT_TRUE(Sig_File_Write(Path("old.sig"), old, &why));
  const QByteArray before = Bytes_On_Disk(Path("old.sig"));
  {
    File_Size_Limit full(0);
    ASSERT_TRUE(full.Active());
    Request(Sig_Save_Flag, Path("old.sig"));
  }
  EXPECT_EQ(rec.Texts().join('|').toStdString(),
            ("Storing Signal parameters failed (" + File_Error_Reason(EFBIG) + ").").toStdString());
  EXPECT_TRUE(Bytes_On_Disk(Path("old.sig")) == before) << "the old file was damaged";
  EXPECT_EQ(Everything_In(dir.path()), "old.sig");
}

TEST_F(Tone5File, BadFilesChangeNothing) {
  Sig_Table good{};
  for (int l = 64; l <= 95; ++l) good[l].fill(3);
  const QByteArray text = Sig_File_Text(good);
  QByteArray few = text.trimmed();
  few.truncate(few.lastIndexOf(' '));
  QByteArray token = text;
  token.replace(0, 4, " x  ");
  Sig_Table t70 = good;
  t70[70][2] = 256;
  QByteArray huge(10 * 1024 * 1024, ' ');
  huge.prepend(text);
  struct Case { const char* name; QByteArray content; const char* reason; } cases[] = {
      {"few.sig", few, "only 4095 numbers"},
      {"token.sig", token, "\"x\" in line 1"},
      {"line70.sig", Sig_File_Text(t70), "256 in line 71"},
      {"huge.sig", huge, "too large"},
  };
  Sig_Buffer[200][0] = 42;
  Radio_Image[592][0] = 9;  // the image and the window differ: neither may change
  const Image_Table before = Radio_Image;
  const auto buffer = Sig_Buffer;
  for (const auto& c : cases) {
    QFile out(Path(c.name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(c.content);
    out.close();
    for (int16_t lang : {int16_t(0), int16_t(-1)}) {
      Lang_Flag = lang;
      Request(Sig_Open_Flag, Path(c.name));
      ASSERT_EQ(rec.calls.size(), 1u) << c.name;
      const QString text = rec.calls[0].text;
      if (lang == 0) {
        EXPECT_TRUE(text.startsWith("Could not fold the Signal parameters from file")) << text.toStdString();
        EXPECT_TRUE(text.contains(c.reason)) << text.toStdString();
      } else {
        EXPECT_TRUE(text.startsWith(QString::fromUtf8("信令参数文件调入失败"))) << text.toStdString();
      }
      EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
      EXPECT_TRUE(Same_Image(Radio_Image, before)) << c.name;
      EXPECT_EQ(f->MSF_Encode->Text_At(1, 1), "12345") << "the window is not redrawn";
      EXPECT_EQ(Sig_Buffer, buffer);
    }
  }
  Lang_Flag = 0;
  // A folder and a missing file.
  for (const QString& p : {dir.path(), Path("none.sig")}) {
    Request(Sig_Open_Flag, p);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_TRUE(Same_Image(Radio_Image, before));
  }
  // Line ends do not matter: LF alone loads as CR LF does.
  QByteArray lf = text;
  lf.replace("\r\n", "\n");
  QFile out(Path("lf.sig"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(lf);
  out.close();
  Request(Sig_Open_Flag, Path("lf.sig"));
  EXPECT_EQ(rec.Texts(), QStringList{"Succeed fold the Signal parameters from file."});
  EXPECT_EQ(Image_Row16(592), Row_Of(3));
}

TEST_F(Tone5File, PollStopsWithTheWindow) {
  f->Command_close_Click();
  Spin_For(50);
  File_Path = Path("late.sig");
  Sig_Save_Flag = -1;
  Spin_For(1200);
  EXPECT_EQ(Sig_Save_Flag, -1) << "nobody polls while the window is closed";
  EXPECT_FALSE(QFile::exists(Path("late.sig")));
  Forms::Load<frm_5tone>();
  ASSERT_TRUE(Spin_Until([] { return Sig_Save_Flag == 0; }, 3000)) << "the next load carries it out";
  EXPECT_TRUE(QFile::exists(Path("late.sig")));
}

TEST_F(Tone5File, ARequestDuringATransferWaitsForItsEnd) {
  f->Engine()->Busy_Write = -1;
  File_Path = Path("busy.sig");
  Sig_Save_Flag = -1;
  Spin_For(1200);
  EXPECT_EQ(Sig_Save_Flag, -1);
  EXPECT_FALSE(QFile::exists(Path("busy.sig")));
  f->Engine()->Busy_Write = 0;
  ASSERT_TRUE(Spin_Until([] { return Sig_Save_Flag == 0; }, 3000));
  EXPECT_TRUE(QFile::exists(Path("busy.sig")));
}
