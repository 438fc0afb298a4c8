// The 2-tone editor: display, the encode and decode grids with their in-cell
// editors, the tone boxes, lists, page switch, buttons and close rules.
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QProgressBar>

#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/tone2_grids.h"
#include "link/link_engine.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "sig2_fixture.h"
#include "support/grid_input.h"

namespace {
constexpr int F = 0xFF;
const char* const Range_En = "Frequency range 300Hz to 3000Hz";
}  // namespace

using Tone2Editor = Editor_Test<frm_2tone>;

TEST_F(Tone2Editor, StartUpShowsTheFactoryArea) {
  EXPECT_EQ(w->windowTitle(), "2 TONE");
  EXPECT_EQ(w->TabStrip1->Tabs_Count(), 2);
  EXPECT_EQ(w->TabStrip1->Tab_Caption(2), "Decode");
  EXPECT_TRUE(w->Frame_Encode->isVisible());
  EXPECT_FALSE(w->Frame_Decode->isVisible());
  EXPECT_EQ(w->Text_A->Text(), "1981.0");
  EXPECT_EQ(w->Text_B->Text(), "1124.0");
  EXPECT_EQ(w->Text_C->Text(), "1197.0");
  EXPECT_EQ(w->Text_D->Text(), "1275.0");
  EXPECT_EQ(w->MSF_Encode->Text_At(1, 1), "1981.0");
  EXPECT_EQ(w->MSF_Encode->Text_At(1, 2), "1124.0");
  for (int n = 4; n <= 11; ++n) EXPECT_EQ(w->MSF_Encode->Text_At(n, 1) + w->MSF_Encode->Text_At(n, 2), "") << n;
  EXPECT_EQ(w->MSF_Encode->Text_At(0, 1), " 1st Frequency(HZ)");
  EXPECT_EQ(w->Combo_Enc_ys1->Text(), "600");
  EXPECT_EQ(w->Combo_Enc_ys2->Text(), "600");
  EXPECT_EQ(w->Combo_enc_ys3->Text(), "300");
  EXPECT_EQ(w->Combo_Enc_ys1->List_Count(), 101);
  EXPECT_EQ(w->Combo_Enc_ys1->List(100), "1000");
  EXPECT_EQ(w->Combo_Dec_Res_Time->List_Count(), 80);
  EXPECT_EQ(w->Combo_Dec_Res_Time->List(79), "8000");
  EXPECT_EQ(w->Combo_Dec_Res_Time->Text(), "6000");
  QStringList row1, row15;
  for (int c = 1; c <= 12; ++c) {
    row1 << w->MSF_Decode->Text_At(1, c);
    row15 << w->MSF_Decode->Text_At(15, c);
  }
  EXPECT_EQ(row1, (QStringList{"A-B", "1.Alert", "1", "B-C", "2.Transpond", "2", "C-D",
                               "3.Alert+Transpond", "3", "D-A", "0.None", "4"}));
  EXPECT_EQ(row15, (QStringList{"D-A", "0.None", "4", "C-D", "3.Alert+Transpond", "3", "B-C",
                                "2.Transpond", "2", "A-B", "1.Alert", "1"}));
  for (int n = 3; n <= 13; ++n)
    for (int c = 1; c <= 12; ++c) EXPECT_EQ(w->MSF_Decode->Text_At(n, c), "") << n << "," << c;
  for (int n = 1; n <= 15; ++n) {
    EXPECT_EQ(w->MSF_Encode->Text_At(n, 0), QString::number(n));
    EXPECT_EQ(w->MSF_Decode->Text_At(n, 0), QString::number(n));
  }
  EXPECT_EQ(w->Frame_Dec_xx->title(), " 1 Decode 2 Tone Frequency");
  EXPECT_FALSE(w->ProgressBar1->isVisible());
}

TEST_F(Tone2Editor, CellAndBoxTexts) {
  struct Case { int lo, hi; const char* encode; const char* tone; } cases[] = {
      {0x2C, 0x01, "300.0", "300.0"},   {0xB8, 0x0B, "3000.0", "3000.0"},
      {0x2B, 0x01, "", "299.0"},        {0xB9, 0x0B, "", "3001.0"},
      {0x00, 0x00, "", ""},             {0xFF, 0xFF, "", ""},
      {0xFF, 0x00, "", "255.0"},
  };
  for (const auto& c : cases) {
    Radio_Image[722][8] = c.lo;
    Radio_Image[722][9] = c.hi;
    Radio_Image[752][4] = c.lo;
    Radio_Image[752][5] = c.hi;
    w->Tone2_Show();
    EXPECT_EQ(w->MSF_Encode->Text_At(3, 2), c.encode) << c.lo << " " << c.hi;
    EXPECT_EQ(w->Text_C->Text(), c.tone) << c.lo << " " << c.hi;
  }
  struct Dec { int pair, resp, alert; QStringList shown; } decs[] = {
      {F, F, F, {"", "", ""}},
      {12, 7, 0, {"", "0.None", "0"}},
      {11, 3, 16, {"D-C", "3.Alert+Transpond", "16"}},
      {F, 1, 17, {"", "1.Alert", ""}},
  };
  for (const auto& d : decs) {
    Radio_Image[740][3] = d.pair;
    Radio_Image[740][4] = d.resp;
    Radio_Image[740][5] = d.alert;
    w->Tone2_Show();
    EXPECT_EQ((QStringList{w->MSF_Decode->Text_At(5, 4), w->MSF_Decode->Text_At(5, 5),
                           w->MSF_Decode->Text_At(5, 6)}),
              d.shown);
  }
}

TEST_F(Tone2Editor, EncodeCellCommitRules) {
  struct Case { const char* typed; int lo, hi; const char* shown; bool message; } cases[] = {
      {"1981.4", 0xBD, 0x07, "1981.0", false}, {"1981.5", 0xBE, 0x07, "1982.0", false},
      {"299.6", 0, 0, "", true},               {"3000.4", 0, 0, "", true},
      {"300", 0x2C, 0x01, "300.0", false},     {"3000", 0xB8, 0x0B, "3000.0", false},
      {"", 0, 0, "", false},                   {".", 0, 0, "", true},
  };
  for (const auto& c : cases) {
    rec.Clear();
    w->MSF_Encode->Click_Cell(1, 1);
    ASSERT_FALSE(w->Text_Encode->isHidden());
    EXPECT_EQ(w->Text_Encode->geometry().topLeft(),
              w->MSF_Encode->Cell_Rect_At(1, 1).topLeft() + w->MSF_Encode->geometry().topLeft());
    w->Text_Encode->Set_Text(c.typed);
    w->MSF_Encode->Click_Cell(2, 1);  // leaving the cell commits it
    EXPECT_EQ(Bytes(720, 0, 2), (std::vector<int>{c.lo, c.hi})) << c.typed;
    EXPECT_EQ(w->MSF_Encode->Text_At(1, 1), c.shown) << c.typed;
    EXPECT_EQ(rec.Texts(), c.message ? QStringList{Range_En} : QStringList{}) << c.typed;
    if (c.message) {
      EXPECT_EQ(rec.calls[0].title, "Operate Prompt\"");
    }
    EXPECT_EQ(Bytes(720, 2, 6), std::vector<int>(6, F)) << "reserved bytes stay";
  }
  // Emptying the second tone of code 3.
  w->MSF_Encode->Click_Cell(3, 2);
  w->Text_Encode->Set_Text("");
  w->MSF_Encode->Click_Cell(3, 1);
  EXPECT_EQ(Bytes(722, 8, 2), (std::vector<int>{0, 0}));
}

TEST_F(Tone2Editor, EncodeEditorKeysAndPaste) {
  w->MSF_Encode->Click_Cell(2, 2);
  Vb_Text* t = w->Text_Encode;
  EXPECT_EQ(t->Text(), "1446.0");
  t->Type_Key(8);
  EXPECT_EQ(t->Text(), "1446.0") << "Backspace is refused";
  t->selectAll();
  t->Type_Text("1a2-3.5x");
  EXPECT_EQ(t->Text(), "123.5");
  t->Type_Key('e');
  EXPECT_EQ(t->Text(), "123.5");
}

TEST_F(Tone2Editor, ArrowKeysWithoutAnEditorChangeNoByte) {
  w->MSF_Encode->Click_Cell(1, 1);
  w->MSF_Encode->Click_Cell(1, 0);  // a click on the number column leaves the editor open
  w->Text_Encode->hide();           // as after a page switch
  const Image_Table before = Radio_Image;
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left})
    Send_Key(w->MSF_Encode, k);
  EXPECT_EQ(w->MSF_Encode->Row(), 2);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Tone2Editor, RedrawDuringAnEncodeEditClosesItWithoutStoring) {
  // An edit of code 2's second tone is open when Default redraws the window.
  w->MSF_Encode->Click_Cell(2, 2);
  w->Text_Encode->Set_Text("2500");
  w->Command_def_Click();
  EXPECT_TRUE(w->Text_Encode->isHidden());
  const Image_Table after_default = Radio_Image;
  w->MSF_Encode->Click_Cell(5, 1);  // leaving the edited cell
  w->MSF_Encode->Click_Cell(5, 0);
  EXPECT_TRUE(Same_Image(Radio_Image, after_default));
  EXPECT_EQ(w->MSF_Encode->Text_At(2, 2), "1446.0");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Tone2Editor, ToneBoxCommitRules) {
  struct Case { Vb_Text* box; int t; const char* typed; std::vector<int> tone, divider; bool message; } cases[] = {
      {w->Text_A, 0, "299.5", {0x2C, 0x01}, {0xBB, 0x82}, false},
      {w->Text_A, 0, "3000.5", {0xB8, 0x0B}, {0x13, 0x0D}, false},
      {w->Text_B, 1, "1000.5", {0xE8, 0x03}, {0x38, 0x27}, false},
      {w->Text_B, 1, "1001.5", {0xEA, 0x03}, {0x24, 0x27}, false},
      {w->Text_D, 3, "3000.6", {F, F}, {F, F}, true},
      {w->Text_C, 2, "", {F, F}, {F, F}, false},
  };
  for (const auto& c : cases) {
    rec.Clear();
    const Image_Table before = Radio_Image;
    c.box->Set_Text(c.typed);
    w->Tone_Box_LostFocus(c.t);
    EXPECT_EQ(Bytes(752, 2 * c.t, 2), c.tone) << c.typed;
    EXPECT_EQ(Bytes(752, 8 + 2 * c.t, 2), c.divider) << c.typed;
    EXPECT_EQ(rec.Texts(), c.message ? QStringList{Range_En} : QStringList{}) << c.typed;
    EXPECT_EQ(c.box->Text(), c.tone[0] == F ? QString() : QString::number(c.tone[0] + 256 * c.tone[1]) + ".0");
    for (int b : {2 * c.t, 2 * c.t + 1, 8 + 2 * c.t, 9 + 2 * c.t}) Radio_Image[752][b] = before[752][b];
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << "only the slot's four bytes: " << c.typed;
  }
}

TEST_F(Tone2Editor, ToneBoxLeftOnlyWhenTheFocusMovesWithinTheProgram) {
  // A tone read from a radio that the box would refuse, and a message box
  // of some other exchange taking the focus away for a moment.
  Radio_Image[752][2] = 0x2B;
  Radio_Image[752][3] = 0x01;
  w->Tone2_Show();
  ASSERT_EQ(w->Text_B->Text(), "299.0");
  const Image_Table before = Radio_Image;
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(w->Text_B, &away);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // Leaving the box for another control of the program commits it.
  QFocusEvent left(QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(w->Text_B, &left);
  EXPECT_EQ(rec.Texts(), QStringList{Range_En});
  EXPECT_EQ(Bytes(752, 2, 2), (std::vector<int>{F, F}));
}

TEST_F(Tone2Editor, ToneBoxKeysAndPaste) {
  Vb_Text* b = w->Text_B;
  b->Set_Text("1234.56");  // seven characters
  for (int key : {int('7'), int('.'), 13}) {
    int k = key;
    Key_Filter_Apply(*b->Filter(), k, b->Text().size());
    if (k) b->KeyPress(k);
    EXPECT_EQ(k, 0) << key;
  }
  b->Set_Text("12");
  b->Type_Key(8);
  EXPECT_EQ(b->Text(), "12") << "Backspace is refused in every box";
  b->Type_Key('x');
  EXPECT_EQ(b->Text(), "12");
  int enter = 13;
  Key_Filter_Apply(*b->Filter(), enter, 2);
  if (enter) b->KeyPress(enter);
  EXPECT_EQ(enter, 13) << "Enter passes a box that is not full";
  b->Set_Text("");
  b->Type_Text("1a2 3.456789");
  EXPECT_EQ(b->Text(), "123.456") << "a paste is filtered and stops at seven characters";
}

TEST_F(Tone2Editor, ScrollingHidesTheEncodeBoxAndWhatIsTypedReachesOnlyItsCell) {
  Vb_Grid* g = w->MSF_Encode;
  // Five codes fewer shown than there are, as with a larger font.
  g->resize(g->width(), g->height() - 5 * g->rowHeight(0));
  const std::vector<int> code7 = Bytes(726, 0, 2);
  Click_Grid_Cell(g, 7, 1);
  ASSERT_TRUE(w->Text_Encode->isVisible());
  const QPoint box_at = w->Frame_Encode->mapTo(w->window(), w->Text_Encode->geometry().center());
  Wheel_Grid(g, 1);
  ASSERT_EQ(g->Top_Row(), 4) << "one notch scrolls three codes";
  EXPECT_TRUE(w->Text_Encode->isHidden());
  EXPECT_EQ(Focus_In(g), g) << "keys go to the grid, not to the hidden box";
  // Where the box stood, code 10 shows now: the user clicks it, types and
  // leaves it.
  Click_At(w->window(), box_at);
  ASSERT_TRUE(w->Text_Encode->isVisible());
  EXPECT_EQ(g->Row(), 10);
  w->Text_Encode->selectAll();
  for (QChar ch : QString("1750")) Send_Key(Focus_In(g), Qt::Key(Qt::Key_0 + ch.digitValue()), ch);
  Send_Key(Focus_In(g), Qt::Key_Return, "\r");
  Click_Grid_Cell(g, 11, 1);
  EXPECT_EQ(Bytes(726, 0, 2), code7) << "code 7 keeps its tone";
  EXPECT_EQ(Bytes(729, 0, 2), (std::vector<int>{1750 % 256, 1750 / 256}));
  EXPECT_EQ(g->Text_At(10, 1), "1750.0");
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Tone2Editor, OpeningADecodeListStoresNothing) {
  // Decode code 4 holds no decoders: the list opens with nothing selected.
  const Image_Table before = Radio_Image;
  w->MSF_Decode->Click_Cell(4, 4);
  EXPECT_FALSE(w->Combo_Decode->isHidden());
  EXPECT_EQ(w->Combo_Decode->List_Count(), 12);
  EXPECT_EQ(w->Combo_Decode->List_Index(), -1);
  EXPECT_EQ(w->Combo_Decode->Text(), "");
  EXPECT_EQ(w->Dec_Index, 3);
  EXPECT_EQ(w->Frame_Dec_xx->title(), "4 Decode 2 Tone Frequency");
  w->MSF_Decode->Click_Cell(4, 5);
  EXPECT_EQ(w->Combo_Decode->List_Count(), 4);
  w->MSF_Decode->Click_Cell(4, 6);
  EXPECT_EQ(w->Combo_Decode->List_Count(), 16);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // A set decoder opens on its value.
  w->MSF_Decode->Click_Cell(1, 2);
  EXPECT_EQ(w->Combo_Decode->Text(), "1.Alert");
  EXPECT_EQ(w->Combo_Decode->List_Index(), 1);
  w->MSF_Decode->Click_Cell(1, 6);
  EXPECT_EQ(w->Combo_Decode->Text(), "2");
  w->MSF_Decode->Click_Cell(1, 7);
  EXPECT_EQ(w->Combo_Decode->Text(), "C-D");
  w->MSF_Decode->Click_Cell(2, 1);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(w->MSF_Decode->Text_At(1, 7), "C-D");
}

TEST_F(Tone2Editor, AClickOnTheCodeNumberLeavesNoListOverTheCellBefore) {
  w->TabStrip1->Click_Tab(2);
  QApplication::processEvents();
  Vb_Grid* g = w->MSF_Decode;
  const Image_Table before = Radio_Image;
  // Opened and left with no pick: nothing is stored.
  Click_Grid_Cell(g, 1, 2);
  ASSERT_TRUE(w->Combo_Decode->isVisible());
  Click_Grid_Cell(g, 5, 0);
  EXPECT_EQ(w->Dec_Index, 4) << "the click selects decode code 5";
  EXPECT_TRUE(w->Combo_Decode->isHidden());
  EXPECT_EQ(Widget_Over_Cell(g, 1, 2), g->viewport());
  EXPECT_EQ(g->Text_At(1, 2), "1.Alert");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // Picked, then the code number: the cell shows the pick that is stored.
  Click_Grid_Cell(g, 1, 2);
  ASSERT_TRUE(w->Combo_Decode->isVisible());
  w->Combo_Decode->Set_List_Index(2);
  const Image_Table picked = Radio_Image;
  Click_Grid_Cell(g, 6, 0);
  EXPECT_TRUE(w->Combo_Decode->isHidden());
  EXPECT_EQ(g->Text_At(1, 2), "2.Transpond");
  EXPECT_TRUE(Same_Image(Radio_Image, picked));
}

TEST_F(Tone2Editor, ADecodeByteOutsideItsListKeepsItsCell) {
  Radio_Image[736][2] = 0;  // alert number 0: shown, but no item of the list
  w->Tone2_Show();
  EXPECT_EQ(w->MSF_Decode->Text_At(1, 3), "0");
  const Image_Table before = Radio_Image;
  w->MSF_Decode->Click_Cell(1, 3);
  EXPECT_EQ(w->Combo_Decode->List_Index(), -1);
  EXPECT_EQ(w->Combo_Decode->Text(), "0");
  w->MSF_Decode->Click_Cell(2, 1);
  EXPECT_EQ(w->MSF_Decode->Text_At(1, 3), "0");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(Tone2Editor, DecodePicksStore) {
  w->MSF_Decode->Click_Cell(4, 4);
  w->Combo_Decode->Set_List_Index(0);  // "A-B"
  EXPECT_EQ(Radio_Image[739][3], 0);
  w->MSF_Decode->Click_Cell(4, 5);
  EXPECT_EQ(w->MSF_Decode->Text_At(4, 4), "A-B");
  w->Combo_Decode->Set_List_Index(1);
  EXPECT_EQ(Radio_Image[739][4], 1);
  w->MSF_Decode->Click_Cell(4, 6);
  w->Combo_Decode->Set_List_Index(15);
  EXPECT_EQ(Radio_Image[739][5], 16);
  w->MSF_Decode->Click_Cell(4, 7);
  EXPECT_EQ(w->MSF_Decode->Text_At(4, 6), "16");
  w->Tone2_Show();
  EXPECT_EQ(w->MSF_Decode->Text_At(4, 6), "16");
  EXPECT_EQ(w->MSF_Decode->Text_At(4, 5), "1.Alert");
  // Typing into the list is undone.
  w->MSF_Decode->Click_Cell(4, 5);
  Send_Key(w->Combo_Decode->lineEdit(), Qt::Key_X, "x");
  EXPECT_EQ(w->Combo_Decode->Text(), "1.Alert");
  w->Combo_Decode->lineEdit()->setText("3.Alert+Transpond");
  emit w->Combo_Decode->lineEdit()->textEdited("3.Alert+Transpond");
  EXPECT_EQ(w->Combo_Decode->Text(), "1.Alert");
  EXPECT_EQ(Radio_Image[739][4], 1);
}

TEST_F(Tone2Editor, DecodeCellsShowTheImageAndADoubleClickEmptiesTheCode) {
  // Decoder 1 of code 5 has an alert number but no tone pair: a Write sends
  // it, so its cell shows it, also once left.
  Radio_Image[740][2] = 3;
  w->Tone2_Show();
  EXPECT_EQ(w->MSF_Decode->Text_At(5, 3), "3");
  w->MSF_Decode->Click_Cell(5, 3);
  w->MSF_Decode->Click_Cell(6, 1);
  EXPECT_EQ(w->MSF_Decode->Text_At(5, 3), "3");
  EXPECT_EQ(Radio_Image[740][2], 3);
  // A double click on a code number empties the code, in the image as on
  // the screen, and shows its tones, which stay.
  Radio_Image[756][0] = 0x2C;
  Radio_Image[756][1] = 0x01;
  Image_Table want = Radio_Image;
  for (int c = 0; c < 16; ++c) want[736][c] = want[740][c] = 0xFF;
  w->MSF_Decode->Double_Click_Cell(1, 0);
  for (int c = 1; c <= 12; ++c) EXPECT_EQ(w->MSF_Decode->Text_At(1, c), "") << c;
  EXPECT_EQ(w->Text_A->Text(), "1981.0");
  w->MSF_Decode->Double_Click_Cell(5, 0);
  EXPECT_EQ(w->Text_A->Text(), "300.0");
  EXPECT_EQ(w->MSF_Decode->Text_At(5, 3), "");
  EXPECT_TRUE(Same_Image(Radio_Image, want));
  w->Tone2_Show();
  for (int c = 1; c <= 12; ++c) EXPECT_EQ(w->MSF_Decode->Text_At(1, c), "") << c;
  EXPECT_EQ(w->MSF_Decode->Text_At(15, 1), "D-A") << "another code keeps its decoders";
  // The header row selects nothing.
  w->MSF_Decode->Click_Cell(0, 4);
  EXPECT_EQ(w->Dec_Index, 4);
  EXPECT_EQ(w->Text_A->Text(), "300.0");
}

TEST_F(Tone2Editor, DecodeTabSelectsCodeOne) {
  w->TabStrip1->Click_Tab(2);
  EXPECT_TRUE(w->Frame_Decode->isVisible());
  EXPECT_FALSE(w->Frame_Encode->isVisible());
  w->MSF_Decode->Click_Cell(2, 0);
  EXPECT_EQ(w->Text_A->Text(), "1358.0");
  w->TabStrip1->Click_Tab(1);
  w->TabStrip1->Click_Tab(2);
  EXPECT_EQ(w->Dec_Index, 0);
  EXPECT_EQ(w->Frame_Dec_xx->title(), "1 Decode 2 Tone Frequency");
  EXPECT_EQ(w->Text_A->Text(), "1981.0");
  w->Text_A->Set_Text("2000");
  w->Tone_Box_LostFocus(0);
  EXPECT_EQ(Bytes(752, 0, 2), (std::vector<int>{0xD0, 0x07}));
  // A tab switch drops an open encode edit.
  w->TabStrip1->Click_Tab(1);
  w->MSF_Encode->Click_Cell(1, 1);
  w->Text_Encode->Set_Text("999");
  w->TabStrip1->Click_Tab(2);
  w->TabStrip1->Click_Tab(1);
  const Image_Table before = Radio_Image;
  w->MSF_Encode->Click_Cell(2, 1);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(Tone2Editor, ListsStoreTheirPositions) {
  struct Case { Vb_Combo* list; const char* item; int row, byte, want; } cases[] = {
      {w->Combo_Enc_ys1, "600", 735, 0, 60},   {w->Combo_enc_ys3, "1000", 735, 2, 100},
      {w->Combo_Enc_ys2, "0", 735, 1, 0},      {w->Combo_Dec_Res_Time, "100", 767, 0, 0},
      {w->Combo_Dec_Res_Time, "8000", 767, 0, 79},
  };
  for (const auto& c : cases) {
    c.list->Set_List_Index(c.list->findText(c.item));
    EXPECT_EQ(Radio_Image[c.row][c.byte], c.want) << c.item;
  }
  const Image_Table before = Radio_Image;
  Send_Key(w->Combo_Enc_ys1, Qt::Key_5, "5");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // Bytes beyond a list become its last position once shown.
  Radio_Image[735][1] = F;
  Radio_Image[767][0] = F;
  Reopen();
  EXPECT_EQ(w->Combo_Enc_ys2->Text(), "1000");
  EXPECT_EQ(Radio_Image[735][1], 100);
  EXPECT_EQ(w->Combo_Dec_Res_Time->Text(), "8000");
  EXPECT_EQ(Radio_Image[767][0], 79);
}

TEST_F(Tone2Editor, DefaultAndBusyRules) {
  w->Engine()->Busy_Read = -1;
  Fill16(720, 0x11);
  const Image_Table before = Radio_Image;
  w->Command_def_Click();
  w->Command_open_Click();
  w->Command_save_Click();
  w->Command_close_Click();
  EXPECT_EQ(rec.Texts(), QStringList(4, "Read-write operating with transceiver ."));
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  rec.Clear();
  w->close();
  EXPECT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  EXPECT_EQ(Forms::Find<frm_2tone>(), w);
  w->Engine()->Busy_Read = 0;
  w->ProgressBar1->show();
  w->Label_tr_count->setText("x");
  w->Command_def_Click();
  EXPECT_FALSE(w->ProgressBar1->isVisible());
  EXPECT_EQ(w->Label_tr_count->text(), "");
  const Image_Table after = Radio_Image;
  Signalling_Start_Image();
  EXPECT_TRUE(Same_Image(after, Radio_Image));
  w->Command_close_Click();
  EXPECT_EQ(Forms::Find<frm_2tone>(), nullptr);
}

TEST_F(Tone2Editor, AnImageLoadedMeanwhileShowsOnReopening) {
  Radio_Image[720][0] = 0x2C;
  Radio_Image[720][1] = 0x01;
  EXPECT_EQ(w->MSF_Encode->Text_At(1, 1), "1981.0") << "no redraw on its own";
  Reopen();
  EXPECT_EQ(w->MSF_Encode->Text_At(1, 1), "300.0");
}

TEST_F(Tone2Editor, ChineseTexts) {
  Forms::Unload_All();
  QApplication::processEvents();
  Lang_Flag = -1;
  Text_Lang();
  w = Forms::Load<frm_2tone>();
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("2 TONE 编解码参数编辑"));
  EXPECT_EQ(w->TabStrip1->Tab_Caption(1), QString::fromUtf8("编码"));
  EXPECT_EQ(w->MSF_Decode->Text_At(1, 2), QString::fromUtf8("1.提醒"));
  EXPECT_EQ(w->Label_PassWord->text(), QString::fromUtf8("读写密码"));
  w->Text_D->Set_Text("5");
  w->Tone_Box_LostFocus(3);
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].text, QString::fromUtf8("频率范围在 300.0 HZ - 3000.0 HZ 之间  ！"));
  EXPECT_EQ(rec.calls[0].title, QString::fromUtf8("操作提示"));
  Lang_Flag = 0;
  Text_Lang();
}
