// The alignment editor window in a started program.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <cerrno>

#include "editors/alignment/frm_adj_txp.h"
#include "editors/image_rows.h"
#include "files/adj_file.h"
#include "files/bounded_read.h"
#include "files/file_dialogs.h"
#include "link/link_engine.h"
#include "support/app_fixture.h"
#include "support/full_disk.h"
#include "support/sim_fixture.h"

namespace {
const QString kTx63 = QString::fromUtf8(" 输入数字范围为 0 - 63 ！");
const QString kSql100 = QString::fromUtf8(" 输入数字范围为 0 - 100 ！");
const QString kSql10 = QString::fromUtf8(" 输入数字范围为 0 - 10 ！");
const QString kTitleZh = QString::fromUtf8("操作提示");

// Every element of the alignment image except the listed ones equals `was`.
::testing::AssertionResult Only_Changed(const Adj_Table& was, std::vector<std::pair<int, int>> cells) {
  for (int r = 0; r < Adj_Rows; ++r)
    for (int c = 0; c < Image_Cols; ++c) {
      bool listed = false;
      for (auto [lr, lc] : cells) listed = listed || (lr == r && lc == c);
      if (!listed && Adj_Image[r][c] != was[r][c])
        return ::testing::AssertionFailure() << "row " << r << " cell " << c << " changed from " << was[r][c]
                                             << " to " << Adj_Image[r][c];
    }
  return ::testing::AssertionSuccess();
}
}  // namespace

class AdjEditor : public Program_Test {
protected:
  void SetUp() override {
    Program_Test::SetUp();
    factory = Adj_Image;
    w->frm_adj_Click();
    f = Forms::Find<frm_Adj_Txp>();
    ASSERT_NE(f, nullptr);
  }
  void Page(int tab) {
    f->TabStrip1->Click_Tab(tab);
    ASSERT_EQ(f->Adj_Page, tab - 1);
  }
  frm_Adj_Txp* f = nullptr;
  Adj_Table factory{};
};

TEST_F(AdjEditor, OpensOnTheBandLimitPageInEnglish) {
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(f->windowTitle(), "Other ");
  EXPECT_EQ(f->Adj_Page, 4);
  EXPECT_TRUE(f->Frame_Other->isVisible());
  for (QWidget* hidden : {f->Frame_Frame, f->Frame_Sql, f->Frame_Dev}) EXPECT_FALSE(hidden->isVisible());
  EXPECT_EQ(f->TabStrip1->Selected(), 1) << "the load leaves the strip's selection alone";
  EXPECT_EQ(f->Command_read->text(), "Read");
  EXPECT_EQ(f->Command_Write->text(), "Write");
  EXPECT_EQ(f->Command_def->text(), "Default");
  EXPECT_EQ(f->Command_close->text(), "Close");
  EXPECT_FALSE(f->Command_open->isVisible());
  EXPECT_FALSE(f->Command_save->isVisible());
  EXPECT_FALSE(f->ProgressBar1->isVisible());
  EXPECT_EQ(f->Frame_Other->title(), "Adjustable  frequency  range ");
  EXPECT_EQ(f->TabStrip1->Tab_Caption(1), QString::fromUtf8("发射功率（高）"));
  EXPECT_EQ(f->TabStrip1->Tab_Caption(5), QString::fromUtf8("频率范围"));
  EXPECT_EQ(f->Frame4->title(), QString::fromUtf8("读写频密码"));
  const char* lows[4] = {" 136", " 136", " 400", " 400"};
  const char* highs[4] = {" 179", " 179", " 480", " 480"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(f->Text_Freq_L[k]->Text(), lows[k]);
    EXPECT_EQ(f->Text_Freq_H[k]->Text(), highs[k]);
    EXPECT_EQ(f->Check_Tx[k]->Value(), 1);
  }
  EXPECT_EQ(f->Text_user_PassWord->Text(), "580417");
  EXPECT_EQ(f->Text_Super_PassWord->Text(), "888888");
  EXPECT_EQ(f->Label_TXP_VHF[0]->text(), "130MHZ");
  EXPECT_EQ(f->Label_TXP_VHF[15]->text(), "190MHZ");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(f->Label_TXP_UHF0[i]->text(), QString::number(130 + 6 * i) + "MHZ");
  EXPECT_EQ(f->Label_Sq_Offset_Vhf[15]->text(), "190");
  EXPECT_EQ(Adj_Image, factory) << "showing the factory values stores the same values";
  // The menu item only loads: a second time changes nothing.
  w->frm_adj_Click();
  EXPECT_EQ(Forms::Find<frm_Adj_Txp>(), f);
}

TEST_F(AdjEditor, EachPageShowsItsRowsAndTabsSetChineseCaptions) {
  Page(1);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("发射功率调整（高功率）"));
  EXPECT_EQ(f->Frame_Frame->title(), QString::fromUtf8("发射功率调整（高功率）"));
  EXPECT_TRUE(f->Frame_Frame->isVisible());
  EXPECT_FALSE(f->Frame_Other->isVisible());
  for (int b = 0; b < 4; ++b)
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(f->Value_Box(Adj_Family::Tx_Power, b, i)->Text(), QString::number(Adj_Default[b][i]));
  Page(2);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("发射功率调整（低功率）"));
  EXPECT_EQ(f->Value_Box(Adj_Family::Tx_Power, 3, 15)->Text(), "15");
  Page(3);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("静噪等级调整"));
  EXPECT_TRUE(f->Frame_Sql->isVisible());
  for (int b = 0; b < 4; ++b) {
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(f->Value_Box(Adj_Family::Sql_Level, b, i)->Text(), QString::number(Adj_Default[8 + 2 * b][i]));
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(f->Value_Box(Adj_Family::Sql_Offset, b, i)->Text(), QString::number(Adj_Default[9 + 2 * b][i]));
  }
  Page(4);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("调制度、输出音量调整"));
  const int items[14] = {128, 64, 64, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 128};
  for (int cell = 0; cell < 14; ++cell) {
    EXPECT_EQ(f->List(cell)->List_Count(), items[cell]) << cell;
    EXPECT_EQ(f->List(cell)->List_Index(), Adj_Default[16][cell]) << cell;
  }
  EXPECT_EQ(f->Combo_Tone_Dev->List(5), " 5");
  Page(5);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("频率范围"));
  EXPECT_EQ(Adj_Image, factory);
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(AdjEditor, EachFieldKindStoresItsCellOnly) {
  struct Case {
    int tab;
    std::function<void(frm_Adj_Txp*)> act;
    int row, cell, value;
  } cases[] = {
      {1, [](frm_Adj_Txp* f) { f->Text_TXP_UHF1[5]->Set_Text("33"); }, 2, 5, 33},
      {2, [](frm_Adj_Txp* f) { f->Text_TXP_UHF1[5]->Set_Text("34"); }, 6, 5, 34},
      {3, [](frm_Adj_Txp* f) { f->Text_SQ_UHF2[9]->Set_Text("100"); }, 14, 9, 100},
      {3, [](frm_Adj_Txp* f) { f->Text_Sq_Offset_VHF[15]->Set_Text("10"); }, 9, 15, 10},
      {3, [](frm_Adj_Txp* f) { f->Text_SQ_VHF[3]->Set_Text("007"); }, 8, 3, 7},
      {1, [](frm_Adj_Txp* f) { f->Text_TXP_VHF[0]->Set_Text(""); }, 0, 0, 0},
      {4, [](frm_Adj_Txp* f) { f->Combo_Tone_Dev->Set_List_Index(0); }, 16, 13, 0},
      {4, [](frm_Adj_Txp* f) { f->Combo_Voice_Dev->Set_List_Index(127); }, 16, 0, 127},
      {4, [](frm_Adj_Txp* f) { f->Combo_UHF2_Drive->Set_List_Index(15); }, 16, 12, 15},
      {5, [](frm_Adj_Txp* f) { f->Check_Tx[2]->Set_Value(0); }, 26, 7, 0},
  };
  for (const auto& c : cases) {
    Page(c.tab);
    const Adj_Table was = Adj_Image;
    c.act(f);
    EXPECT_EQ(Adj_Image[c.row][c.cell], c.value) << "row " << c.row << " cell " << c.cell;
    EXPECT_TRUE(Only_Changed(was, {{c.row, c.cell}}));
  }
  Page(3);
  f->Text_SQ_VHF[3]->Set_Text("007");
  EXPECT_EQ(f->Text_SQ_VHF[3]->Text(), "007") << "the box keeps what it shows";
  EXPECT_EQ(Adj_Image[8][3], 7);
  Page(1);
  f->Text_TXP_VHF[0]->Set_Text("");
  EXPECT_EQ(f->Text_TXP_VHF[0]->Text(), "") << "an emptied box stays empty";
  EXPECT_EQ(Adj_Image[0][0], 0);
  EXPECT_TRUE(rec.calls.empty());
  // A list refuses typed keys.
  int key = '5';
  f->Combo_Beep_C->KeyPress(key);
  EXPECT_EQ(key, 0);
}

TEST_F(AdjEditor, BadValuesShowTheFamilyMessageAndPutTheFactoryValueBack) {
  struct Case { int tab; Adj_Family fam; int band, i; const char* text; int row; QString msg; } cases[] = {
      {1, Adj_Family::Tx_Power, 2, 4, "64", 2, kTx63},
      {2, Adj_Family::Tx_Power, 0, 1, "6a", 4, kTx63},
      {3, Adj_Family::Sql_Level, 1, 2, "101", 10, kSql100},
      {3, Adj_Family::Sql_Level, 0, 0, "-1", 8, kSql100},
      {3, Adj_Family::Sql_Offset, 3, 1, "11", 15, kSql10},
      {3, Adj_Family::Sql_Offset, 2, 0, "1 0", 13, kSql10},
      {3, Adj_Family::Sql_Offset, 2, 0, "1.5", 13, kSql10},
  };
  for (const auto& c : cases) {
    Page(c.tab);
    Vb_Text* box = f->Value_Box(c.fam, c.band, c.i);
    box->Set_Text("1");  // a value that differs from the factory one
    const Adj_Table was = Adj_Image;
    rec.Clear();
    box->Set_Text(c.text);
    ASSERT_EQ(rec.calls.size(), 1u) << c.text;
    EXPECT_EQ(rec.calls[0].text, c.msg);
    EXPECT_EQ(rec.calls[0].title, kTitleZh);
    EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Information);
    EXPECT_EQ(box->Text(), QString::number(Adj_Default[c.row][c.i])) << c.text;
    EXPECT_EQ(Adj_Image[c.row][c.i], Adj_Default[c.row][c.i]) << c.text;
    EXPECT_TRUE(Only_Changed(was, {{c.row, c.i}}));
  }
  // Typing 7 then 0: the 7 is stored, the 70 is refused.
  Page(1);
  rec.Clear();
  Vb_Text* box = f->Text_TXP_VHF[2];
  box->setFocus();
  box->selectAll();
  box->Type_Text("7");
  EXPECT_EQ(Adj_Image[0][2], 7);
  box->Type_Text("0");
  EXPECT_EQ(rec.Texts(), QStringList{kTx63});
  EXPECT_EQ(Adj_Image[0][2], 60);
  EXPECT_EQ(box->Text(), "60");
}

TEST_F(AdjEditor, OutOfRangeSquelchOnAHiddenPageIsRestoredWithoutTakingTheFocus) {
  ASSERT_EQ(f->Adj_Page, 4);
  Adj_Image[8][2] = 200;  // from a radio: the squelch page is hidden
  Adj_Image[11][15] = 255;
  w->activateWindow();
  ASSERT_TRUE(Spin_Until([&] { return w->isActiveWindow(); }, 2000));
  f->Text_user_PassWord->setFocus();
  f->Adj_Show();
  EXPECT_EQ(rec.Texts(), (QStringList{kSql100, kSql10}));
  EXPECT_EQ(Adj_Image[8][2], Adj_Default[8][2]);
  EXPECT_EQ(Adj_Image[11][15], Adj_Default[11][15]);
  Let_Events_Run(5);
  QWidget* focus = QApplication::focusWidget();
  EXPECT_EQ(focus, f->Text_user_PassWord) << "the focus stays where it was";
  EXPECT_NE(focus, f->Text_SQ_VHF[2]);
  EXPECT_NE(focus, f->Text_Sq_Offset_UHF0[15]);
  EXPECT_EQ(f->Adj_Page, 4);
  EXPECT_TRUE(f->Frame_Other->isVisible());
}

TEST_F(AdjEditor, ValuesTheControlsCannotShowAreLeftAsTheyAre) {
  Adj_Image[16][1] = 64;   // beyond the 0..63 list
  Adj_Image[16][13] = 200;
  Adj_Image[24][0] = 300;  // no byte value (a file from another tool)
  Adj_Image[31][7] = -5;
  Adj_Image[31][2] = 1000;
  const Adj_Table was = Adj_Image;
  Page(4);
  EXPECT_EQ(f->Combo_CT_Dev->List_Index(), -1);
  EXPECT_EQ(f->Combo_Tone_Dev->List_Index(), -1);
  EXPECT_EQ(f->Combo_DCS_Dev->List_Index(), 16) << "the rest of the page still shows";
  Page(5);
  EXPECT_EQ(f->Text_Freq_L[0]->Text(), "");
  EXPECT_EQ(f->Text_Freq_H[0]->Text(), " 179");
  EXPECT_EQ(f->Text_user_PassWord->Text(), "");
  EXPECT_EQ(f->Text_Super_PassWord->Text(), "");
  EXPECT_EQ(f->Text_Freq_L[2]->Text(), " 400");
  EXPECT_EQ(Adj_Image, was) << "no byte changes";
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(AdjEditor, BandLimitBoxesTakeFourCharactersAndCheckOnLeaving) {
  Vb_Text* lo = f->Text_Freq_L[0];
  lo->setFocus();
  lo->Set_Text("");
  lo->Type_Text("1234");
  EXPECT_EQ(lo->Text(), "1234");
  lo->Type_Key('5');
  EXPECT_EQ(lo->Text(), "1234") << "a fifth character is refused";
  lo->Type_Key(8);
  EXPECT_EQ(lo->Text(), "1234") << "Backspace too, with four characters";
  lo->Set_Text(" 14");
  lo->Type_Key(8);
  EXPECT_EQ(lo->Text(), " 1");
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Adj_Image, factory) << "nothing is stored while a box is edited";

  using V = Limit_Verdict;
  struct Case { bool upper; int band; const char* text; V verdict; const char* shown; } cases[] = {
      {true, 0, "179", V::Ok, "179"},
      {true, 0, "180", V::Upper_Above_Max, "179"},
      {true, 2, "520", V::Ok, "520"},
      {true, 2, "521", V::Upper_Above_Max, "520"},
      {true, 1, "", V::Upper_Below_Lower, "179"},
      {true, 1, "135", V::Upper_Below_Lower, "179"},
      {false, 3, "400", V::Ok, "400"},
      {false, 3, "399", V::Lower_Below_Min, "400"},
      {false, 1, "", V::Lower_Below_Min, "130"},
      {false, 1, "179", V::Ok, "179"},  // equal limits
      {false, 0, "18 0", V::Lower_Above_Upper, "130"},
  };
  for (const auto& c : cases) {
    Vb_Text* box = c.upper ? f->Text_Freq_H[c.band] : f->Text_Freq_L[c.band];
    // Start from the factory limits.
    Adj_Image = factory;
    f->Adj_Show();
    const Adj_Table was = Adj_Image;
    rec.Clear();
    box->Set_Text(c.text);
    if (c.upper)
      f->Text_Freq_H_LostFocus(c.band);
    else
      f->Text_Freq_L_LostFocus(c.band);
    EXPECT_EQ(box->Text(), c.shown) << c.text;
    if (c.verdict == V::Ok) {
      EXPECT_TRUE(rec.calls.empty()) << c.text;
      const int v = QString(c.text).toInt();
      const int first = c.upper ? 3 : 0;
      EXPECT_EQ(Adj_Image[24 + c.band][first], v / 100);
      EXPECT_EQ(Adj_Image[24 + c.band][first + 1], v / 10 % 10);
      EXPECT_EQ(Adj_Image[24 + c.band][first + 2], v % 10);
    } else {
      ASSERT_EQ(rec.calls.size(), 1u) << c.text;
      EXPECT_EQ(rec.calls[0].text, Limit_Message(c.verdict));
      EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
      EXPECT_EQ(rec.calls[0].icon, Msg_Icon::Exclamation);
      EXPECT_EQ(Adj_Image, was) << c.text << ": nothing stored";
    }
  }
  EXPECT_EQ(Limit_Message(V::Upper_Above_Max),
            "Receive frequency of upper limit can't more than the highest of work frequency. ");
}

TEST_F(AdjEditor, ARefusedLimitTakesTheFocusBackOnceTheMessageIsGone) {
  w->activateWindow();
  ASSERT_TRUE(Spin_Until([&] { return w->isActiveWindow(); }, 2000));
  f->Text_Freq_H[1]->setFocus();
  ASSERT_TRUE(f->Text_Freq_H[1]->hasFocus());
  f->Text_Freq_H[1]->Set_Text("200");
  f->Text_Freq_L[2]->setFocus();  // leaving the box runs its check
  EXPECT_EQ(rec.Texts(), QStringList{Limit_Message(Limit_Verdict::Upper_Above_Max)});
  EXPECT_EQ(f->Text_Freq_H[1]->Text(), "179");
  ASSERT_TRUE(Spin_Until([&] { return f->Text_Freq_H[1]->hasFocus(); }, 2000));
  Let_Events_Run(5);
  EXPECT_EQ(rec.calls.size(), 1u) << "the box left meanwhile holds a good limit: no further message";
  EXPECT_EQ(Adj_Image, factory);
}

TEST_F(AdjEditor, AnAcceptedLimitRewritesEveryBandAsWholeDigits) {
  // Limit rows from a radio: band 1 with a tens cell above 9 (146 all the
  // same), band 2 no three-digit number at all, band 3 below its band.
  const int rows[4][8] = {{1, 3, 6, 1, 7, 9, 0, 1},
                          {0, 14, 6, 1, 7, 9, 0, 1},
                          {25, 5, 5, 4, 8, 0, 0, 1},
                          {0, 0, 0, 4, 8, 0, 0, 1}};
  for (int k = 0; k < 4; ++k)
    for (int c = 0; c < 8; ++c) Adj_Image[24 + k][c] = static_cast<int16_t>(rows[k][c]);
  f->Adj_Show();
  EXPECT_EQ(f->Text_Freq_L[1]->Text(), " 146");
  EXPECT_EQ(f->Text_Freq_L[2]->Text(), " 2555") << "shown as it is";
  EXPECT_EQ(f->Text_Freq_L[3]->Text(), " 0");
  const Adj_Table was = Adj_Image;
  // A pasted fraction within the bounds is stored as whole MHz.
  f->Text_Freq_L[0]->Set_Text(" 140.7");
  f->Text_Freq_L_LostFocus(0);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Row16_Of(Adj_Image[24]), (Row16{1, 4, 0, 1, 7, 9, 0, 1}));
  EXPECT_EQ(Row16_Of(Adj_Image[25]), (Row16{1, 4, 6, 1, 7, 9, 0, 1}));
  EXPECT_EQ(Row16_Of(Adj_Image[26]), Row16_Of(was[26])) << "a limit the band does not accept keeps its cells";
  EXPECT_EQ(Row16_Of(Adj_Image[27]), Row16_Of(was[27]));
  for (int k = 0; k < 4; ++k)
    for (int c = 0; c < 6; ++c)
      if (Adj_Image[24 + k][c] != was[24 + k][c]) {
        EXPECT_LE(Adj_Image[24 + k][c], 9) << k << "," << c;
      }
  // The lower box of band 2, above the band, is refused although the upper
  // box beside it is no smaller.
  f->Text_Freq_H[2]->Set_Text("2555");
  f->Text_Freq_L[2]->Set_Text("530");
  f->Text_Freq_L_LostFocus(2);
  EXPECT_EQ(rec.Texts(), QStringList{Limit_Message(Limit_Verdict::Lower_Above_Upper)});
  EXPECT_EQ(f->Text_Freq_L[2]->Text(), "400");
}

TEST_F(AdjEditor, PasswordsTypedAreStoredCentred) {
  struct Case { Vb_Text* box; const char* typed; int first; std::array<int, 6> cells; } cases[] = {
      {f->Text_user_PassWord, "ab", 0, {32, 32, 'A', 'B', 32, 32}},
      {f->Text_user_PassWord, "12345", 0, {'1', '2', '3', '4', '5', 32}},
      {f->Text_user_PassWord, "", 0, {32, 32, 32, 32, 32, 32}},
      {f->Text_user_PassWord, "a b", 0, {32, 'A', 11, 'B', 32, 32}},
      {f->Text_Super_PassWord, "7", 6, {32, 32, '7', 32, 32, 32}},
      {f->Text_Super_PassWord, "+-Zz123", 6, {'+', '-', 'Z', 'Z', '1', '2'}},
  };
  for (const auto& c : cases) {
    const Adj_Table was = Adj_Image;
    c.box->setFocus();
    c.box->selectAll();
    c.box->del();
    c.box->Type_Text(c.typed);
    EXPECT_EQ(c.box->Text(), c.typed) << "the box keeps its text as typed";
    std::vector<std::pair<int, int>> cells;
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(Adj_Image[31][c.first + k], c.cells[k]) << c.typed << " cell " << k;
      cells.push_back({31, c.first + k});
    }
    EXPECT_TRUE(Only_Changed(was, cells));
  }
  // Shown again, a stored password reads back without its centring blanks.
  f->Adj_Show();
  EXPECT_EQ(f->Text_user_PassWord->Text(), "AB ");
}

TEST_F(AdjEditor, DefaultPutsEveryRowBackUnlessBusy) {
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = static_cast<int16_t>((r + c) % 10);
  f->Engine()->Busy_Read = -1;
  const Adj_Table was = Adj_Image;
  f->Command_def_Click();
  EXPECT_EQ(rec.Texts(), QStringList{"Read-write operating with transceiver ."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(Adj_Image, was);
  f->Engine()->Busy_Read = 0;
  rec.Clear();
  f->ProgressBar1->show();
  f->Label_tr_count->setText("x");
  f->Command_def_Click();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Adj_Image, factory);
  EXPECT_FALSE(f->ProgressBar1->isVisible());
  EXPECT_EQ(f->Label_tr_count->text(), "");
  EXPECT_EQ(f->Text_Freq_L[0]->Text(), " 136");
}

TEST_F(AdjEditor, ClosingWhileATransferRunsIsRefused) {
  f->Engine()->Busy_Write = -1;
  const QString refused = "Read-write operating，don't close the window.,";
  f->Command_close_Click();
  ASSERT_NE(f->Host(), nullptr);
  f->Host()->close();  // the window's own close box
  EXPECT_EQ(rec.Texts(), (QStringList{refused, refused}));
  EXPECT_EQ(Forms::Find<frm_Adj_Txp>(), f);
  f->Command_open_Click();
  f->Command_save_Click();
  EXPECT_EQ(rec.calls.size(), 4u);
  EXPECT_EQ(rec.calls[3].text, "Read-write operating with transceiver .");
  EXPECT_EQ(Forms::Find<Form_open_adj>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_save_adj>(), nullptr);
  f->Engine()->Busy_Write = 0;
  f->Host()->close();
  EXPECT_EQ(Forms::Find<frm_Adj_Txp>(), nullptr);
  Let_Events_Run();
  w->frm_adj_Click();
  f = Forms::Find<frm_Adj_Txp>();
  ASSERT_NE(f, nullptr);
  f->Command_close_Click();
  EXPECT_EQ(Forms::Find<frm_Adj_Txp>(), nullptr);
}

TEST_F(AdjEditor, ChineseMessagesAndCaptions) {
  f->Unload();
  Let_Events_Run();
  Lang_Flag = -1;
  w->frm_adj_Click();
  f = Forms::Find<frm_Adj_Txp>();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("其他"));
  EXPECT_EQ(f->Command_read->text(), QString::fromUtf8("读 取"));
  EXPECT_EQ(f->Label9[0]->text(), QString::fromUtf8("从"));
  f->Text_Freq_H[0]->Set_Text("200");
  f->Text_Freq_H_LostFocus(0);
  EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8("上限频率不可大于该频段最大工作频率")});
  EXPECT_EQ(rec.calls[0].title, kTitleZh);
}

// ---- the alignment file through the request flags ---------------------------------

class AdjEditorFile : public AdjEditor {
protected:
  QString Path(const char* name) { return dir.filePath(name); }
  void Write(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
  }
  QTemporaryDir dir;
};

TEST_F(AdjEditorFile, SaveThenLoadThroughTheFlags) {
  File_Path = Path("a.adj");
  Adj_Save_Flag = -1;
  ASSERT_TRUE(Spin_Until([this] { return !rec.calls.empty(); }, 3000));
  EXPECT_EQ(Adj_Save_Flag, 0);
  EXPECT_EQ(rec.Texts(), QStringList{"Complete storing optional parameters."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  // Changed in the image, then loaded back: the file's values return.
  Adj_Image[0][0] = 5;
  Adj_Image[24][0] = 3;
  f->ProgressBar1->show();
  rec.Clear();
  Adj_Open_Flag = -1;
  ASSERT_TRUE(Spin_Until([this] { return !rec.calls.empty(); }, 3000));
  EXPECT_EQ(rec.Texts(), QStringList{"Succeed fold the optional parameters from file."});
  EXPECT_EQ(Adj_Image, factory);
  EXPECT_EQ(f->Text_Freq_L[0]->Text(), " 136") << "the page shown is redrawn";
  EXPECT_FALSE(f->ProgressBar1->isVisible());
  // Both flags in one tick: loaded first, then saved.
  Write(Path("b.adj"), QByteArray(Adj_File_Text(factory)).replace(" 60 ", " 61 "));
  File_Path = Path("b.adj");
  rec.Clear();
  Adj_Open_Flag = -1;
  Adj_Save_Flag = -1;
  ASSERT_TRUE(Spin_Until([this] { return rec.calls.size() >= 2; }, 3000));
  EXPECT_EQ(rec.Texts(), (QStringList{"Succeed fold the optional parameters from file.",
                                      "Complete storing optional parameters."}));
  EXPECT_EQ(Adj_Image[0][0], 61);
}

TEST_F(AdjEditorFile, ARefusedFileChangesNothing) {
  QByteArray bad = Adj_File_Text(factory);
  bad.replace(" 60 ", " 256 ");
  Write(Path("bad.adj"), bad);
  Adj_Image[3][3] = 7;
  f->Text_Freq_L[0]->Set_Text("150");  // an edit not yet stored
  f->ProgressBar1->show();
  f->Label_tr_count->setText("keep");
  const Adj_Table was = Adj_Image;
  File_Path = Path("bad.adj");
  Adj_Open_Flag = -1;
  ASSERT_TRUE(Spin_Until([this] { return !rec.calls.empty(); }, 3000));
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_TRUE(rec.calls[0].text.contains("outside 0..255")) << rec.calls[0].text.toStdString();
  EXPECT_EQ(Adj_Image, was);
  EXPECT_EQ(f->Text_Freq_L[0]->Text(), "150");
  EXPECT_TRUE(f->ProgressBar1->isVisible());
  EXPECT_EQ(f->Label_tr_count->text(), "keep");
  // A save that cannot be made says so.
  rec.Clear();
  File_Path = Path("no/such/folder/x.adj");
  Adj_Save_Flag = -1;
  ASSERT_TRUE(Spin_Until([this] { return !rec.calls.empty(); }, 3000));
  EXPECT_TRUE(rec.calls[0].text.startsWith("The alignment parameters could not be stored")) << rec.calls[0].text.toStdString();
}

// A save onto a disk that takes no more bytes says it failed and why, and
// leaves the old file whole.
TEST_F(AdjEditorFile, ASaveTheDiskCannotTakeSaysSoAndKeepsTheOldFile) {
  const QByteArray old = Adj_File_Text(factory);
  Write(Path("old.adj"), old);
  Adj_Image[0][0] = 61;
  {
    File_Size_Limit full(0);
    ASSERT_TRUE(full.Active());
    File_Path = Path("old.adj");
    Adj_Save_Flag = -1;
    ASSERT_TRUE(Spin_Until([this] { return !rec.calls.empty(); }, 3000));
  }
  EXPECT_EQ(rec.Texts().join('|').toStdString(),
            ("The alignment parameters could not be stored: " + File_Error_Reason(EFBIG)).toStdString());
  EXPECT_TRUE(Bytes_On_Disk(Path("old.adj")) == old) << "the old file was damaged";
  EXPECT_EQ(Everything_In(dir.path()), "old.adj");
}

TEST_F(AdjEditorFile, ThePollStopsWithTheWindow) {
  f->Command_close_Click();
  Let_Events_Run();
  File_Path = Path("c.adj");
  Adj_Save_Flag = -1;
  Spin_For(800);
  EXPECT_EQ(Adj_Save_Flag, -1) << "a request waits for the next load";
  EXPECT_FALSE(QFile::exists(Path("c.adj")));
  w->frm_adj_Click();
  ASSERT_TRUE(Spin_Until([] { return Adj_Save_Flag == 0; }, 3000));
  EXPECT_TRUE(QFile::exists(Path("c.adj")));
}

TEST_F(AdjEditorFile, ARequestDuringATransferWaitsForItsEnd) {
  f->Engine()->Busy_Read = -1;
  File_Path = Path("busy.adj");
  Adj_Save_Flag = -1;
  Spin_For(1200);
  EXPECT_EQ(Adj_Save_Flag, -1);
  EXPECT_FALSE(QFile::exists(Path("busy.adj")));
  f->Engine()->Busy_Read = 0;
  ASSERT_TRUE(Spin_Until([] { return Adj_Save_Flag == 0; }, 3000));
  EXPECT_TRUE(QFile::exists(Path("busy.adj")));
}
