// The DTMF editor: code boxes, lists, check boxes, buttons and close rules.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "editors/factory_codes.h"
#include "editors/signalling/dtmf_fields.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/link_engine.h"
#include "sig2_fixture.h"
#include "support/context_menu.h"

namespace {
constexpr int F = 0xFF;
Row16 Codes(std::initializer_list<int> codes) {
  Row16 r = Row_Of(F);
  int i = 0;
  for (int c : codes) r[i++] = c;
  return r;
}
void Type(Vb_Text* box, const QString& keys) {
  for (QChar c : keys) box->Type_Key(c.unicode());
}
}  // namespace

using DtmfEditor = Editor_Test<frm_dtmf>;

TEST_F(DtmfEditor, StartUpShowsTheFactoryArea) {
  EXPECT_EQ(w->windowTitle(), "DTMF Encode/Decode ");
  EXPECT_EQ(w->Text_tx_Encode[0]->Text(), "20202");
  EXPECT_EQ(w->Text_tx_Encode[14]->Text(), "30303");
  for (int i = 1; i <= 13; ++i) EXPECT_EQ(w->Text_tx_Encode[i]->Text(), "") << i;
  EXPECT_EQ(w->Text_XC->Text(), Factory::Dtmf_Inspection);
  EXPECT_EQ(w->Text_KJ->Text(), Factory::Dtmf_Revive);
  EXPECT_EQ(w->Text_MID->Text(), Factory::Dtmf_Master_Id);
  EXPECT_EQ(w->Text_SID->Text(), Factory::Dtmf_Vice_Id);
  EXPECT_EQ(w->Combo_Enc_ys1->Text(), "80");
  EXPECT_EQ(w->Combo_Enc_ys2->Text(), "80");
  EXPECT_EQ(w->Combo_Enc_ys1->List_Count(), 196);
  EXPECT_EQ(w->Combo_Dec_qh->Text(), "*");
  EXPECT_EQ(w->Combo_Dec_Space_Code->Text(), "#");
  EXPECT_EQ(w->Combo_Dec_Proc_Ys->Text(), "500");
  EXPECT_EQ(w->Combo_Dec_Proc_Ys->List_Count(), 40);
  EXPECT_EQ(w->Combo_Dec_Res_Time->Text(), "16000");
  EXPECT_EQ(w->Combo_Dec_Res_Time->List_Count(), 200);
  EXPECT_TRUE(w->Check_Ctrl_En->isChecked());
  for (int k = 0; k < 5; ++k) {
    EXPECT_TRUE(w->Check_M[k]->isChecked()) << k;
    EXPECT_EQ(w->Check_S[k]->isChecked(), k < 2) << k;
  }
  EXPECT_FALSE(w->Check_RX->isChecked());
  EXPECT_FALSE(w->Check_Tx->isChecked());
  EXPECT_FALSE(w->Text_PassWord->isVisible());
  EXPECT_EQ(w->Label_xh[14]->text(), "15");
}

TEST_F(DtmfEditor, ShowingTheStartUpImageChangesNoByte) {
  Signalling_Start_Image();
  const Image_Table before = Radio_Image;
  w->Dtmf_Show();
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(DtmfEditor, TypedCodesRebuildTheirRowAndShowInCapitalsAfterLeaving) {
  w->Text_XC->Set_Text("");
  Type(w->Text_XC, "1a*");
  EXPECT_EQ(Image_Row16(672), Codes({1, 10, 14}));
  w->Code_Box_LostFocus(15);
  EXPECT_EQ(w->Text_XC->Text(), "1A*");
  // Every box writes its own row, encode Index 0 and 14 included.
  struct Case { Vb_Text* box; int row; } cases[] = {
      {w->Text_tx_Encode[0], 656}, {w->Text_tx_Encode[14], 670}, {w->Text_JT, 673},
      {w->Text_BJ, 674},           {w->Text_YY, 675},            {w->Text_YB, 676},
      {w->Text_KJ, 677},           {w->Text_MID, 685},           {w->Text_SID, 686}};
  for (const auto& c : cases) {
    const Image_Table before = Radio_Image;
    c.box->Set_Text("#9D");
    EXPECT_EQ(Image_Row16(c.row), Codes({15, 9, 13})) << c.row;
    Radio_Image[c.row] = before[c.row];
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << "only row " << c.row << " changes";
  }
}

TEST_F(DtmfEditor, ShorterOrEmptyCodeClearsTheTail) {
  w->Text_BJ->Set_Text("1234567890");
  w->Text_BJ->Set_Text("987");
  EXPECT_EQ(Image_Row16(674), Codes({9, 8, 7}));
  w->Text_KJ->selectAll();
  w->Text_KJ->del();
  EXPECT_EQ(Image_Row16(677), Row_Of(F));
}

TEST_F(DtmfEditor, KeyFilterOfACodeBox) {
  Vb_Text* box = w->Text_XC;
  box->Set_Text("");
  struct Key { int key; bool passes; } keys[] = {
      {'0', true}, {'9', true}, {'A', true}, {'d', true}, {'*', true}, {'#', true},
      {'E', false}, {'e', false}, {'+', false}, {' ', false}, {'.', false}, {8, false},
      {0x4E2D, false}, {22, false}};  // a Chinese character, Ctrl+V as a character
  for (const auto& k : keys) {
    int key = k.key;
    Key_Filter_Apply(*box->Filter(), key, 3);
    if (key) box->KeyPress(key);
    EXPECT_EQ(key != 0, k.passes) << k.key;
  }
  // Backspace never passes, whatever the box holds.
  box->Set_Text("12");
  box->Type_Key(8);
  EXPECT_EQ(box->Text(), "12");
  // A 16th character is taken; then every key, Enter included, is refused.
  box->Set_Text("123456789012345");
  box->Type_Key('6');
  EXPECT_EQ(box->Text(), "1234567890123456");
  int enter = 13;
  Key_Filter_Apply(*box->Filter(), enter, 16);
  if (enter) box->KeyPress(enter);
  EXPECT_EQ(enter, 0);
  box->selectAll();
  box->Type_Key('7');
  EXPECT_EQ(box->Text(), "1234567890123456") << "also over a selection";
}

TEST_F(DtmfEditor, PastedTextIsFilteredAndNeverPassesSixteenCodes) {
  Vb_Text* box = w->Text_XC;
  struct Case { const char* pasted; Row16 row; const char* shown; } cases[] = {
      {" 12 ", Codes({1, 2}), "12"},
      {"1E2-3", Codes({1, 2, 3}), "123"},
      {"12345678901234567890", Codes({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6}),
       "1234567890123456"},
      {"ab\ncd", Codes({10, 11, 12, 13}), "abcd"},
  };
  for (const auto& c : cases) {
    box->Set_Text("");
    const Row16 next = Image_Row16(673);
    box->Type_Text(c.pasted);
    EXPECT_EQ(box->Text(), c.shown) << c.pasted;
    EXPECT_EQ(Image_Row16(672), c.row) << c.pasted;
    EXPECT_EQ(Image_Row16(673), next) << "the next row is not written";
    EXPECT_EQ(Radio_Image[672][16], 0) << "column 16 is not written";
  }
}

TEST_F(DtmfEditor, RightClickPasteIntoACodeBoxIsFilteredLikeTyping) {
  w->Text_YB->Set_Text("");
  // Every text the box shows, with its row as it stands then: a later
  // redraw (leaving the box) must not hide a refused character that got in.
  QStringList shown;
  std::vector<Row16> rows;
  QObject watch;
  QObject::connect(w->Text_YB, &QLineEdit::textChanged, &watch, [&](const QString& t) {
    shown << t;
    rows.push_back(Image_Row16(676));
  });
  QApplication::clipboard()->setText("7f8");
  const Menu_Pick menu = Context_Menu_Pick(w->Text_YB, "Paste");
  ASSERT_TRUE(menu.picked) << menu.offered.join(", ").toStdString();
  EXPECT_EQ(shown, (QStringList{"78"})) << "what passes goes in as one edit";
  EXPECT_EQ(rows, (std::vector<Row16>{Codes({7, 8})}));
  EXPECT_EQ(w->Text_YB->Text(), "78");
  EXPECT_FALSE(menu.offered.contains("Undo")) << "an undo could bring back refused text";
  EXPECT_FALSE(menu.offered.contains("Redo"));
}

// A full code box refuses every character, also over a selection, whatever
// way it comes: pasted by key, from the menu, or composed by an input method.
// The code, the selection and the stored row stay as they were.
TEST_F(DtmfEditor, AFullCodeBoxRefusesPastedAndComposedTextOverASelection) {
  Vb_Text* box = w->Text_XC;
  box->Set_Text("1234567890ABCD*#");
  const Row16 row = Image_Row16(672);
  const auto ctrl = [box](Qt::Key k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::ControlModifier);
    QApplication::sendEvent(box, &press);
  };
  const auto compose = [box](const QString& t) {
    QInputMethodEvent composing(t, {});
    QApplication::sendEvent(box, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(t);
    QApplication::sendEvent(box, &commit);
  };
  struct Way {
    const char* name;
    std::function<void()> put;
  } const ways[] = {
      {"Ctrl+V", [&] { QApplication::clipboard()->setText("5"); ctrl(Qt::Key_V); }},
      {"menu Paste", [&] { QApplication::clipboard()->setText("5"); Context_Menu_Pick(box, "Paste"); }},
      {"input method", [&] { compose(QString::fromUtf8("４")); }},
      {"input method, a digit", [&] { compose("5"); }},
  };
  for (const Way& way : ways) {
    ctrl(Qt::Key_A);
    ASSERT_EQ(box->selectedText(), "1234567890ABCD*#") << way.name;
    way.put();
    EXPECT_EQ(box->Text(), "1234567890ABCD*#") << way.name;
    EXPECT_EQ(box->selectedText(), "1234567890ABCD*#") << way.name;
    EXPECT_EQ(Image_Row16(672), row) << way.name;
  }
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(DtmfEditor, RedrawStoresCodeRowsInCompactForm) {
  // A read brings 01 FF 02 and a byte above 15 in the middle of a code.
  w->Text_XC->Set_Text("777");
  Fill16(672, F);
  Radio_Image[672][0] = 1;
  Radio_Image[672][2] = 2;
  Radio_Image[672][3] = 0x40;
  Radio_Image[672][4] = 3;
  w->Dtmf_Show();
  EXPECT_EQ(w->Text_XC->Text(), "123");
  EXPECT_EQ(Image_Row16(672), Codes({1, 2, 3}));
}

TEST_F(DtmfEditor, ListsStoreTheirBytesAndRefuseTypedKeys) {
  struct Case { Vb_Combo* list; QString item; int row, byte, want; } cases[] = {
      {w->Combo_Enc_ys1, "2000", 671, 0, 195},     {w->Combo_Enc_ys1, "50", 671, 0, 0},
      {w->Combo_Enc_ys2, "90", 671, 1, 4},         {w->Combo_Dec_qh, "B", 687, 4, 11},
      {w->Combo_Dec_Space_Code, "#", 687, 5, 15},  {w->Combo_Dec_Space_Code, "D", 687, 5, 13},
      {w->Combo_Dec_Proc_Ys, "4000", 687, 6, 39},  {w->Combo_Dec_Res_Time, "20000", 687, 7, 199},
      {w->Combo_Dec_Res_Time, "100", 687, 7, 0},
  };
  for (const auto& c : cases) {
    const Image_Table before = Radio_Image;
    c.list->Set_List_Index(c.list->findText(c.item));
    EXPECT_EQ(Radio_Image[c.row][c.byte], c.want) << c.item.toStdString();
    Radio_Image[c.row][c.byte] = before[c.row][c.byte];
    EXPECT_TRUE(Same_Image(Radio_Image, before)) << "one byte per pick";
  }
  const Image_Table before = Radio_Image;
  for (Vb_Combo* l : {w->Combo_Enc_ys1, w->Combo_Dec_qh, w->Combo_Dec_Res_Time}) {
    const QString shown = l->Text();
    QWidget* target = l->lineEdit() ? static_cast<QWidget*>(l->lineEdit()) : l;
    Send_Key(target, Qt::Key_5, "5");
    Send_Key(target, Qt::Key_A, "a");
    Send_Key(target, Qt::Key_Backspace);
    EXPECT_EQ(l->Text(), shown);
  }
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST_F(DtmfEditor, ListBytesOutsideTheirListsAfterARead) {
  // Bytes a blank radio or a foreign file may bring.
  Radio_Image[671][0] = F;   // on time beyond the list: the last item, stored back
  Radio_Image[687][6] = F;   // delay beyond the list
  Radio_Image[687][7] = 250; // reset time beyond the list
  Radio_Image[687][4] = F;   // group code: no digit
  Radio_Image[687][5] = 5;   // space code: a digit no item holds
  w->Dtmf_Show();
  EXPECT_EQ(w->Combo_Enc_ys1->Text(), "2000");
  EXPECT_EQ(Radio_Image[671][0], 195);
  EXPECT_EQ(w->Combo_Dec_Proc_Ys->Text(), "4000");
  EXPECT_EQ(Radio_Image[687][6], 39);
  EXPECT_EQ(w->Combo_Dec_Res_Time->Text(), "20000");
  EXPECT_EQ(Radio_Image[687][7], 199);
  EXPECT_EQ(w->Combo_Dec_qh->Text(), "");
  EXPECT_EQ(w->Combo_Dec_qh->List_Index(), -1);
  EXPECT_EQ(Radio_Image[687][4], F);
  EXPECT_EQ(w->Combo_Dec_Space_Code->Text(), "5");
  EXPECT_EQ(w->Combo_Dec_Space_Code->List_Index(), -1);
  EXPECT_EQ(Radio_Image[687][5], 5);
  // Until the user picks an item.
  w->Combo_Dec_qh->Set_List_Index(0);
  EXPECT_EQ(Radio_Image[687][4], 14);
}

TEST_F(DtmfEditor, CheckBoxesStoreTheirBitsOnly) {
  Radio_Image[687][1] = 0xE0 | 0x1F;  // bits 5..7 belong to nobody here
  Radio_Image[687][2] = 0xA0 | 0x03;
  Radio_Image[687][3] = 0xFC;
  w->Dtmf_Show();
  EXPECT_EQ(Radio_Image[687][1], 0xFF) << "a redraw leaves every bit as it was";
  EXPECT_EQ(Radio_Image[687][2], 0xA3);
  w->Check_M[3]->click();
  EXPECT_EQ(Radio_Image[687][1], 0xF7);
  w->Check_M[3]->click();
  EXPECT_EQ(Radio_Image[687][1], 0xFF);
  w->Check_S[0]->click();
  EXPECT_EQ(Radio_Image[687][2], 0xA2);
  w->Check_RX->click();
  EXPECT_EQ(Radio_Image[687][3], 0xFD);
  w->Check_Tx->click();
  EXPECT_EQ(Radio_Image[687][3], 0xFF);
  w->Check_RX->click();
  EXPECT_EQ(Radio_Image[687][3], 0xFE);

  w->Check_Ctrl_En->click();
  EXPECT_EQ(Radio_Image[687][0], 0);
  EXPECT_FALSE(w->Text_MID->isEnabled());
  EXPECT_FALSE(w->Text_SID->isEnabled());
  for (int k = 0; k < 5; ++k) EXPECT_FALSE(w->Check_M[k]->isEnabled() || w->Check_S[k]->isEnabled());
  w->Check_Ctrl_En->click();
  EXPECT_EQ(Radio_Image[687][0], 1);
  EXPECT_TRUE(w->Text_MID->isEnabled());
  EXPECT_TRUE(w->Check_S[4]->isEnabled());
  // Any non-zero byte counts as on and stays as it is.
  Radio_Image[687][0] = 7;
  w->Dtmf_Show();
  EXPECT_EQ(Radio_Image[687][0], 7);
}

TEST_F(DtmfEditor, DefaultRestoresTheFactoryArea) {
  for (int r = 656; r <= 687; ++r) Fill16(r, (r * 5) % 16);
  w->Command_def_Click();
  const Image_Table after = Radio_Image;
  Signalling_Start_Image();
  EXPECT_TRUE(Same_Image(after, Radio_Image));
  EXPECT_EQ(w->Text_tx_Encode[0]->Text(), "20202");
}

TEST_F(DtmfEditor, ButtonsAndCloseBoxRefuseWhileBusy) {
  w->Engine()->Busy_Read = -1;
  w->Text_XC->Set_Text("555");
  const Image_Table before = Radio_Image;
  w->Command_def_Click();
  w->Command_open_Click();
  w->Command_save_Click();
  w->Command_close_Click();
  w->Command_read_Click();
  w->Command_Write_Click();
  EXPECT_EQ(rec.Texts(), QStringList(6, "Read-write operating with transceiver ."));
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(Forms::Find<frm_dtmf>(), w);
  rec.Clear();
  w->close();
  ASSERT_EQ(rec.Texts(), QStringList{"Read-write operating，don't close the window.,"});
  EXPECT_EQ(Forms::Find<frm_dtmf>(), w) << "the close box is refused while a transfer runs";
  // Idle, the close box and the Close button close it.
  w->Engine()->Busy_Read = 0;
  w->close();
  EXPECT_EQ(Forms::Find<frm_dtmf>(), nullptr);
  QApplication::processEvents();
  w = Forms::Load<frm_dtmf>();
  w->Command_close_Click();
  EXPECT_EQ(Forms::Find<frm_dtmf>(), nullptr);
}

TEST_F(DtmfEditor, ChineseCaptions) {
  Forms::Unload_All();
  QApplication::processEvents();
  Lang_Flag = -1;
  w = Forms::Load<frm_dtmf>();
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("DTMF 编解码参数编辑"));
  EXPECT_EQ(w->Label_xcjtyyybkj_2->text(), "");
  EXPECT_EQ(w->Label_xcjtyyybkj_1->text(), QString::fromUtf8("巡查      监听     遥晕     遥毙      开机 "));
  EXPECT_EQ(w->Command_Write->text(), QString::fromUtf8("写  入"));
  w->Engine()->Busy_Write = -1;
  w->close();
  EXPECT_EQ(rec.Texts(), QStringList{QString::fromUtf8("正在进行读写操作,请勿关窗口 ！,")});
  EXPECT_EQ(rec.calls[0].title, QString::fromUtf8("操作提示"));
  w->Engine()->Busy_Write = 0;
}
