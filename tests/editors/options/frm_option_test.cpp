// The option editor window in a started program: redraw and its
// normalisation, list clicks, the working copy, Default and the busy guards,
// the VFO frames, the code boxes and the power-on text.
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QClipboard>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QStyle>
#include <QStyleOptionFrame>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "editors/image_rows.h"
#include "editors/options/frm_option.h"
#include "editors/options/opt_lists.h"
#include "files/file_dialogs.h"
#include "files/image_file.h"
#include "link/link_engine.h"
#include "support/app_fixture.h"

namespace {
int Block_Byte(int k) { return Radio_Image[224 + k / 16][k % 16]; }

// An input method's composition of t, then its commit, as the window system
// delivers them.
void Compose(QWidget* box, const QString& t) {
  QInputMethodEvent composing(t, {});
  QApplication::sendEvent(box, &composing);
  QInputMethodEvent commit;
  commit.setCommitString(t);
  QApplication::sendEvent(box, &commit);
}

void Ctrl_Key(QWidget* box, Qt::Key k) {
  QKeyEvent press(QEvent::KeyPress, k, Qt::ControlModifier);
  QApplication::sendEvent(box, &press);
}

class OptionWindow : public Program_Test {
protected:
  frm_option* Open() {
    w->sys_edit_Click();
    Let_Events_Run();
    auto* f = Forms::Find<frm_option>();
    EXPECT_NE(f, nullptr);
    rec.Clear();
    return f;
  }
};

}  // namespace

TEST_F(OptionWindow, RedrawOfTheFactoryImageKeepsTheBlockAndNormalisesOnlyWhatTheRulesSay) {
  const Image_Table before = Radio_Image;
  frm_option* f = Open();
  // The block and the VFO records are stored as they were, but for the two
  // factory offsets that are no 50 kHz step: 10.655 MHz (A) and 1.625 MHz (B)
  // are shown and stored as the items 10.650 and 1.600 MHz.
  for (int r = 224; r <= 247; ++r) {
    Row16 want = Row16_Of(before[r]);
    if (r == 240) want[13] = 0;
    if (r == 242) want[12] = want[13] = 0;
    EXPECT_EQ(Image_Row16(r), want) << r;
  }
  // The power-on text loses its blanks and the 0xFF of byte 15, as the box shows it.
  EXPECT_EQ(f->Text_Model_Disp->Text(), "Model:CV-R47X");
  Row16 pon = Row_Of(0x20);
  const char* model = "Model:CV-R47X";
  for (int k = 0; model[k]; ++k) pon[k] = model[k];
  EXPECT_EQ(Image_Row16(254), pon);
  // From then on a redraw changes nothing at all.
  const Image_Table shown = Radio_Image;
  f->Opt_Show();
  EXPECT_TRUE(Same_Image(Radio_Image, shown));
  // What the controls show.
  EXPECT_EQ(f->Combo("Combo_tot")->Text(), "60");
  EXPECT_EQ(f->Combo("Combo_Emc_Ch")->Text(), "CH-001");
  EXPECT_EQ(f->Text_Freq_a->Text(), "136.02500");
  EXPECT_EQ(f->Text_Freq_b->Text(), "145.62500");
  EXPECT_EQ(f->Combo("Combo_Offset_A")->Text(), "10.650MHZ");
  EXPECT_EQ(f->Combo("Combo_S_info_b")->Text(), "15");
  EXPECT_EQ(f->Text_ANI->Text(), "80808");
  EXPECT_EQ(f->Text_PttId_Begin->Text(), "12345");
  EXPECT_EQ(f->Text_PttId_End->Text(), "98765");
  EXPECT_FALSE(f->ProgressBar1->isVisible());
}

TEST_F(OptionWindow, RedrawStoresOutOfRangeValuesAsTheLastIndex) {
  frm_option* f = Open();
  // An erased radio: every byte of the area 0xFF.
  for (int r = 224; r <= 255; ++r) Fill16(r, 0xFF);
  // Values above a list's range, and cells no byte can hold (a file can carry them).
  Radio_Image[224][0x00] = 200;  // two items
  Radio_Image[224][0x02] = 10;   // ten items
  Radio_Image[224][0x05] = 300;
  Radio_Image[225][0x08] = -1;   // 0x18, 200 items
  f->Opt_Show();
  for (const Opt_Block_List& l : Opt_Block_Lists()) {
    const int last = l.items->Count() - 1;
    EXPECT_EQ(Block_Byte(*l.pos), last) << l.combo;
    EXPECT_EQ(Opt_Bytes[*l.pos], last) << l.combo;
    EXPECT_EQ(f->Combo(l.combo)->List_Index(), last) << l.combo;
  }
  EXPECT_EQ(Block_Byte(0x00), 1);
  EXPECT_EQ(Block_Byte(0x02), 9);
  EXPECT_EQ(Block_Byte(0x05), 39);
  EXPECT_EQ(Block_Byte(0x18), 199);
  EXPECT_EQ(Block_Byte(0x39), 250);
  // Bytes no list owns keep 0xFF; the codes are empty.
  for (int k : {0x01, 0x3C, 0x3E, 0x70, 0x85, 0xCF, 0xD0, 0xDF, 0xFF}) EXPECT_EQ(Block_Byte(k), 0xFF) << k;
  EXPECT_EQ(f->Text_ANI->Text(), "");
  // The records: the frequency shows ".", the offset its last item, the
  // tones OFF (stored 0, 0), the settings their last items.
  EXPECT_EQ(f->Text_Freq_a->Text(), ".");
  EXPECT_EQ(f->Combo("Combo_Offset_A")->List_Index(), 1999);
  EXPECT_EQ(Image_Row16(240), (Row16{255, 255, 255, 255, 255, 255, 255, 255, 0, 9, 9, 9, 5, 0, 255, 255}));
  EXPECT_EQ(Image_Row16(241), (Row16{0, 0, 0, 0, 14, 2, 3, 8, 1, 1, 2, 5, 255, 255, 255, 255}));
  EXPECT_EQ(Image_Row16(243), Image_Row16(241));
  // Records C and D are shown (and normalised) only when chosen.
  EXPECT_EQ(Image_Row16(245), Row_Of(0xFF));
}

TEST_F(OptionWindow, AListClickStoresOnlyItsByte) {
  frm_option* f = Open();
  const Image_Table before = Radio_Image;
  Vb_Combo* abr = f->Combo("Combo_Abr");
  abr->Set_List_Index(abr->List_Count() - 1);
  EXPECT_EQ(Block_Byte(0x39), 250);
  EXPECT_EQ(Opt_Bytes[0x39], 250);
  Radio_Image[224 + 0x39 / 16][0x39 % 16] = before[224 + 0x39 / 16][0x39 % 16];
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // The arrow keys move the selection and store it as a click does.
  Vb_Combo* sql = f->Combo("Combo_Sql");
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(sql, &down);
  EXPECT_EQ(sql->List_Index(), 6);
  EXPECT_EQ(Block_Byte(0x02), 6);
  // Typing into a list changes nothing; the VOX list takes the text only.
  int key = '5';
  f->Combo("Combo_Sql")->KeyPress(key);
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(f->Combo("Combo_vox")->KeyPress);
  Vb_Combo* vox = f->Combo("Combo_vox");
  const Image_Table now = Radio_Image;
  vox->lineEdit()->setText("7x");
  EXPECT_TRUE(Same_Image(Radio_Image, now));
  f->Opt_Show();
  EXPECT_EQ(vox->Text(), "OFF");
  EXPECT_TRUE(Same_Image(Radio_Image, now));
}

TEST_F(OptionWindow, AFileLoadThenOneListClickKeepsTheLoadedBytes) {
  frm_option* f = Open();
  // Another image, saved and loaded as a file while the window stays open.
  Image_Table other = Radio_Image;
  for (int k = 0; k <= 255; ++k) other[224 + k / 16][k % 16] = static_cast<int16_t>((k * 13 + 1) % 2);
  for (int c = 0; c < 16; ++c) other[237][c] = c < 3 ? 4 : 0xFF;
  QTemporaryDir dir;
  const QString path = dir.filePath("other.dat");
  QString why;
  ASSERT_TRUE(Image_File_Save(path, other, &why)) << why.toStdString();
  ASSERT_TRUE(Image_File_Load(path, &why)) << why.toStdString();
  const Image_Table loaded = Radio_Image;
  // One click, before the window was activated again.
  f->Combo("Combo_Sql")->Set_List_Index(7);
  for (int k = 0; k <= 255; ++k)
    ASSERT_EQ(Block_Byte(k), k == 0x02 ? 7 : loaded[224 + k / 16][k % 16]) << k;
  // A code typed then is stored beside the loaded bytes, and a later click keeps it.
  f->Text_PttId_End->Set_Text("77");
  f->Combo("Combo_Bcl")->Set_List_Index(1);
  EXPECT_EQ(Radio_Image[239][0], 7);
  EXPECT_EQ(Radio_Image[239][1], 7);
  EXPECT_EQ(Radio_Image[239][2], 0xFF);
  EXPECT_EQ(Radio_Image[237][0], 4);
  EXPECT_EQ(Block_Byte(0x02), 7);
  // The next activation shows the loaded data.
  Radio_Image[225][1] = 2;  // byte 0x11
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(f->Combo("Combo_Sc_rev")->List_Index(), 2);
  EXPECT_EQ(f->Text_ANI->Text(), "444");
}

TEST_F(OptionWindow, DefaultRestoresTheOptionAreaAndNothingElse) {
  frm_option* f = Open();
  const Image_Table factory = Radio_Image;
  // Edits everywhere in the area, and outside it.
  for (int r = 224; r <= 255; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r + c) % 3);
  Radio_Image[10][3] = 0x12;
  f->Opt_Show();
  const Image_Table edited = Radio_Image;
  f->Label_tr_count->setText("x");
  f->ProgressBar1->setValue(40);
  f->ProgressBar1->setVisible(true);
  Chann_Count = 5;
  f->Command_def_Click();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Chann_Count, 200);
  EXPECT_FALSE(f->ProgressBar1->isVisible());
  EXPECT_EQ(f->ProgressBar1->value(), 0);
  EXPECT_EQ(f->Label_tr_count->text(), "");
  // Every defaulted byte, record and the power-on text are the factory ones;
  // bytes without a default keep the last redraw's values.
  for (const Opt_Block_List& l : Opt_Block_Lists())
    EXPECT_EQ(Block_Byte(*l.pos), factory[224 + *l.pos / 16][*l.pos % 16]) << l.combo;
  for (int k : {0x01, 0x3C, 0x84, 0x85}) EXPECT_EQ(Block_Byte(k), factory[224 + k / 16][k % 16]) << k;
  for (int k : {0x3E, 0x65, 0x70, 0x86, 0xCF}) EXPECT_EQ(Block_Byte(k), edited[224 + k / 16][k % 16]) << k;
  for (int r = 237; r <= 247; ++r)
    for (int c = 0; c < 16; ++c) {
      // Bytes 12..15 of a parameter row have no default.
      const bool kept = r >= 240 && r % 2 == 1 && c >= 12;
      EXPECT_EQ(Radio_Image[r][c], (kept ? edited : factory)[r][c]) << r << "," << c;
    }
  for (int c = 0; c < 16; ++c) EXPECT_EQ(Radio_Image[254][c], factory[254][c]) << c;
  for (int r : {248, 253, 255}) EXPECT_EQ(Image_Row16(r), Row16_Of(edited[r])) << r;
  EXPECT_EQ(Radio_Image[10][3], 0x12);
  EXPECT_EQ(f->Combo("Combo_tot")->Text(), "60");
}

TEST_F(OptionWindow, BusyRefusesDefaultOpenSaveAndClose) {
  frm_option* f = Open();
  f->Engine()->Busy_Read = -1;
  const Image_Table before = Radio_Image;
  f->Command_def_Click();
  f->Command_open_Click();
  f->Command_save_Click();
  EXPECT_EQ(rec.Texts(), QStringList(3, "Read-write operating with transceiver ."));
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(Forms::Find<Form_open_chann>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_save_chann>(), nullptr);
  rec.Clear();
  f->Command_close_Click();
  // The close box is refused too: closing would end the transfer half-way.
  ASSERT_NE(f->Host(), nullptr);
  f->Host()->close();
  Let_Events_Run();
  EXPECT_EQ(rec.Texts(), QStringList(2, QString::fromUtf8("Read-write operating，don't close the window.,")));
  EXPECT_EQ(Forms::Find<frm_option>(), f);
  EXPECT_FALSE(f->Unloaded());
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  f->Engine()->Busy_Read = 0;
  rec.Clear();
  f->Host()->close();
  Let_Events_Run();
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(Forms::Find<frm_option>(), nullptr);
}

TEST_F(OptionWindow, OpenSaveAndCloseButtons) {
  frm_option* f = Open();
  f->Command_open_Click();
  Form_open_chann* open = Forms::Find<Form_open_chann>();
  ASSERT_NE(open, nullptr);
  f->Command_open_Click();  // shown again, not reloaded
  EXPECT_EQ(Forms::Find<Form_open_chann>(), open);
  f->Command_save_Click();
  Form_save_chann* save = Forms::Find<Form_save_chann>();
  ASSERT_NE(save, nullptr);
  f->Command_save_Click();  // always a fresh one
  Let_Events_Run();
  EXPECT_NE(Forms::Find<Form_save_chann>(), nullptr);
  Forms::Load<Form_open_menu>();
  f->Command_close_Click();
  EXPECT_EQ(Forms::Find<frm_option>(), nullptr);
  EXPECT_EQ(Forms::Find<Form_open_menu>(), nullptr);
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(OptionWindow, PasswordBoxIsNeverSeenYetItsTextReachesTheEngine) {
  frm_option* f = Open();
  ASSERT_TRUE(f->isVisible());
  EXPECT_FALSE(f->Label_PassWord->isVisible());
  EXPECT_FALSE(f->Text_PassWord->isVisible());
  EXPECT_EQ(Pass_Typed[0], 0) << "the box's start text is no typed password";
  f->Text_PassWord->Set_Text("123456");
  EXPECT_EQ(QString(QChar(Pass_Typed[0])) + QChar(Pass_Typed[5]), "16");
}

TEST_F(OptionWindow, ChineseLoadAndSize) {
  Lang_Flag = -1;
  frm_option* f = Open();
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("可选参数编辑"));
  EXPECT_EQ(f->Frame_A->title(), QString::fromUtf8("A 区频率模式参数"));
  EXPECT_EQ(f->Command_close->text(), QString::fromUtf8("关  闭"));
  EXPECT_EQ(f->Label("Label_Abr")->text(), QString::fromUtf8("自动背光"));
  EXPECT_EQ(f->Label("Label_Txp_a")->text(), QString::fromUtf8("发射功率"));
  EXPECT_EQ(f->Label("Label_txp_b")->text(), QString::fromUtf8("发射功率"));
  EXPECT_EQ(f->Label28->text(), "MHZ");
  EXPECT_EQ(f->Combo("Combo_Language")->List(0), QString::fromUtf8("英文"));
  EXPECT_EQ(f->Combo("Combo_r_ctdcs_b")->List(0), QString::fromUtf8("关"));
  const std::map<QString, int> zh_counts = [&] {
    std::map<QString, int> m;
    for (Vb_Combo* c : f->findChildren<Vb_Combo*>()) m[c->objectName()] = c->List_Count();
    return m;
  }();
  EXPECT_EQ(zh_counts.size(), 65u);
  f->Command_close_Click();
  Let_Events_Run();
  Lang_Flag = 0;
  f = Open();
  EXPECT_EQ(f->windowTitle(), "Optional Features");
  EXPECT_EQ(f->Label("Label_Abr")->text(), "Auto Backlight");
  EXPECT_EQ(f->Label("Label_Sync")->text(), "Channel Sync");
  for (Vb_Combo* c : f->findChildren<Vb_Combo*>())
    EXPECT_EQ(c->List_Count(), zh_counts.at(c->objectName())) << c->objectName().toStdString();
  // Sized from the main window, centred in its client area.
  QWidget* main = Forms::Main();
  ASSERT_NE(main, nullptr);
  ASSERT_NE(f->Host(), nullptr);
  EXPECT_NEAR(f->Host()->width(), main->frameGeometry().width() / 1.48, 2);
  EXPECT_NEAR(f->Host()->height(), main->frameGeometry().height() / 1.16, 2);
  QWidget* area = Forms::Mdi_Area();
  EXPECT_NEAR(f->Host()->x(), (area->width() - f->Host()->width()) / 2.0, 20);
}

// ---- VFO frames ----------------------------------------------------------------------

TEST_F(OptionWindow, RecordCEditsItsOwnRowsAndALoadStartsWithAAndB) {
  frm_option* f = Open();
  const Row16 a_freq = Image_Row16(240), a_par = Image_Row16(241);
  f->Option_Select_C->click();
  EXPECT_EQ(f->Frame_A->title(), "C Frequency model parameters");
  EXPECT_EQ(f->Text_Freq_a->Text(), "450.02500");
  f->Combo("Combo_txp_a")->Set_List_Index(1);
  f->Combo("Combo_Offset_A")->Set_List_Index(100);
  f->Combo("Combo_r_ctdcs_a")->Set_List_Index(50);
  f->Combo("Combo_t_ctdcs_a")->Set_List_Index(260);
  f->Text_Freq_a->Set_Text("438.12345");
  f->Text_Freq_a->LostFocus();
  EXPECT_EQ(f->Text_Freq_a->Text(), "438.12325");
  EXPECT_EQ(Image_Row16(244), (Row16{4, 3, 8, 1, 2, 3, 2, 5, 0, 0, 5, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Image_Row16(245), (Row16{237, 9, 210, 0, 0, 0, 0, 0, 0, 1, 0, 0, 255, 255, 255, 255}));
  EXPECT_EQ(Image_Row16(240), a_freq);
  EXPECT_EQ(Image_Row16(241), a_par);
  // Choosing the RX tone leaves the TX tone.
  f->Combo("Combo_r_ctdcs_a")->Set_List_Index(51);
  EXPECT_EQ(Radio_Image[245][0], 1);
  EXPECT_EQ(Radio_Image[245][2], 210);
  f->Option_Select_A->click();
  EXPECT_EQ(f->Frame_A->title(), "A Frequency model parameters");
  EXPECT_EQ(f->Text_Freq_a->Text(), "136.02500");
  f->Option_Select_D->click();
  f->Command_close_Click();
  Let_Events_Run();
  f = Open();
  EXPECT_TRUE(f->Option_Select_A->isChecked());
  EXPECT_TRUE(f->Option_Select_B->isChecked());
  EXPECT_EQ(f->Frame_B->title(), "B Frequency model parameters");
}

TEST_F(OptionWindow, OutOfBandFrequencyFallsBackOnceWithoutAFocusLoop) {
  frm_option* f = Open();
  const Row16 par = Image_Row16(243);
  f->Text_Freq_b->Set_Text("100");
  f->Text_Freq_b->LostFocus();
  ASSERT_EQ(rec.Texts(), QStringList{QString::fromUtf8("当前工作频率超出范围 ！")});
  EXPECT_EQ(rec.calls[0].title, QString::fromUtf8("操作提示"));  // Chinese in an English window
  EXPECT_EQ(f->Text_Freq_b->Text(), "136.02500");
  EXPECT_EQ(Image_Row16(242), (Row16{1, 3, 6, 0, 2, 5, 0, 0, 0, 0, 1, 6, 0, 0, 0, 0}));
  EXPECT_EQ(Image_Row16(243), par);
  // Leaving the box again: the fallback is in band, so no second message.
  f->Text_Freq_b->LostFocus();
  EXPECT_EQ(rec.calls.size(), 1u);
  // The band check follows the limits the radio reported.
  Band_Limits = {144, 148, 144, 148, 430, 440, 430, 440};
  f->Text_Freq_b->Set_Text("150");
  f->Text_Freq_b->LostFocus();
  EXPECT_EQ(rec.calls.size(), 2u);
  EXPECT_EQ(f->Text_Freq_b->Text(), "144.02500");
  // A rounding carry keeps every stored digit a digit.
  f->Text_Freq_b->Set_Text("145.99975");
  f->Text_Freq_b->LostFocus();
  EXPECT_EQ(f->Text_Freq_b->Text(), "146.00000");
  EXPECT_EQ(Image_Row16(242)[2], 6);
}

TEST_F(OptionWindow, AFrequencyThatRoundsPastTheBandTakesTheOutOfBandPath) {
  frm_option* f = Open();
  f->activateWindow();
  struct Case {
    const char* typed;
    Vb_Text* box;
    int row;
  } const cases[] = {{"480.9996", f->Text_Freq_a, 240}, {"174.9996", f->Text_Freq_b, 242}};
  for (const Case& c : cases) {
    rec.Clear();
    const Row16 before = Image_Row16(c.row);
    c.box->setFocus();
    // The user clears the full box first: over its selection, the digits
    // would be refused as typed ones are.
    c.box->selectAll();
    c.box->del();
    c.box->Type_Text(c.typed);
    // The user leaves the box for a list.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(c.box, &out);
    ASSERT_EQ(rec.Texts(), QStringList{QString::fromUtf8("当前工作频率超出范围 ！")}) << c.typed;
    EXPECT_EQ(c.box->Text(), "136.02500") << c.typed;
    Row16 want = before;
    for (int k = 0; k < 8; ++k) want[k] = QByteArray("13602500")[k] - '0';
    EXPECT_EQ(Image_Row16(c.row), want) << c.typed;
    // Leaving the fallback again is quiet.
    QApplication::sendEvent(c.box, &out);
    EXPECT_EQ(rec.calls.size(), 1u) << c.typed;
  }
  // Just below the edge stays in band.
  rec.Clear();
  f->Text_Freq_a->selectAll();
  f->Text_Freq_a->del();
  f->Text_Freq_a->Type_Text("480.9994");
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(f->Text_Freq_a, &out);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(f->Text_Freq_a->Text(), "480.99925");
}

TEST_F(OptionWindow, FrequencyBoxFilterAndLengthCheck) {
  frm_option* f = Open();
  f->Text_Freq_a->Set_Text("");
  f->Text_Freq_a->Type_Text(".1x45.0250012");
  EXPECT_EQ(f->Text_Freq_a->Text(), "145.02500");  // "." first and "x" discarded, then full
  EXPECT_TRUE(rec.calls.empty());
  f->Text_Freq_a->Type_Key('.');  // a tenth character: a point still passes
  ASSERT_EQ(rec.Texts(), QStringList{"Over the range of  frequency ."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  EXPECT_EQ(f->Text_Freq_a->Text(), "");
  EXPECT_EQ(Radio_Image[240][0], 1);  // the record is untouched until the box is left
}

TEST_F(OptionWindow, TonePairsWithA0xFFByteShowOffAndOnlyDcsPastTheTableStaysNeutral) {
  frm_option* f = Open();
  Radio_Image[241][0] = 211;  // DCS past the table
  Radio_Image[241][1] = 0;
  Radio_Image[241][2] = 5;  // a single 0xFF byte: no tone, stored 0, 0 once shown
  Radio_Image[241][3] = 0xFF;
  Radio_Image[243][0] = 0;  // CTCSS 25.6 Hz, no list item
  Radio_Image[243][1] = 1;
  Radio_Image[243][2] = 0xFF;  // the same with the other byte
  Radio_Image[243][3] = 3;
  f->Opt_Show();
  Vb_Combo* rx_a = f->Combo("Combo_r_ctdcs_a");
  EXPECT_EQ(rx_a->List_Index(), -1);
  EXPECT_EQ(rx_a->Text(), "");
  EXPECT_EQ(f->Combo("Combo_t_ctdcs_a")->List_Index(), 0);
  EXPECT_EQ(f->Combo("Combo_t_ctdcs_a")->Text(), "OFF");
  EXPECT_EQ(f->Combo("Combo_r_ctdcs_b")->Text(), "25.6");
  EXPECT_EQ(f->Combo("Combo_t_ctdcs_b")->List_Index(), 0);
  EXPECT_EQ((std::array<int, 4>{Radio_Image[241][0], Radio_Image[241][1], Radio_Image[241][2], Radio_Image[241][3]}),
            (std::array<int, 4>{211, 0, 0, 0}));
  EXPECT_EQ((std::array<int, 4>{Radio_Image[243][0], Radio_Image[243][1], Radio_Image[243][2], Radio_Image[243][3]}),
            (std::array<int, 4>{0, 1, 0, 0}));
  // The user's pick stores.
  rx_a->Set_List_Index(1);
  EXPECT_EQ(Radio_Image[241][0], 158);
  EXPECT_EQ(Radio_Image[241][1], 2);
}

// ---- codes and power-on text -------------------------------------------------------------

TEST_F(OptionWindow, CodeBoxesTypingPasteAndTheAniCheck) {
  frm_option* f = Open();
  const Row16 begin_row = Image_Row16(238);
  f->Text_ANI->Set_Text("");
  EXPECT_EQ(Image_Row16(237), Row_Of(0xFF));
  f->Text_ANI->Type_Text("12x4");
  EXPECT_EQ(Image_Row16(237), (Row16{1, 2, 255, 4, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Opt_Bytes[0xD0 + k], Radio_Image[237][k]);
  // A paste longer than the row fills the box to 16 characters; the row holds 16 codes.
  f->Text_ANI->Type_Text("567890ABCD*#1234");
  EXPECT_EQ(f->Text_ANI->Text(), "12x4567890ABCD*#");
  EXPECT_EQ(Image_Row16(237), (Row16{1, 2, 255, 4, 5, 6, 7, 8, 9, 0, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(Image_Row16(238), begin_row);
  // Full: Backspace refused too.
  f->Text_ANI->Type_Key(8);
  EXPECT_EQ(f->Text_ANI->Text().size(), 16);
  // Leaving it: the length message, the codes stay.
  f->Text_ANI->LostFocus();
  ASSERT_EQ(rec.Texts(), QStringList{"ANI ID code length is 3 to 5 digit."});
  EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
  EXPECT_EQ(Radio_Image[237][15], 15);
  rec.Clear();
  f->Text_ANI->Set_Text("A12");
  f->Text_ANI->LostFocus();
  EXPECT_EQ(rec.Texts(), QStringList{" Available ANI ID code from 00000 to 99999. "});
  rec.Clear();
  f->Text_ANI->Set_Text("  123  ");
  f->Text_ANI->LostFocus();
  EXPECT_TRUE(rec.calls.empty());
  // A list click later keeps the code; a redraw shows it normalised.
  f->Text_PttId_Begin->Set_Text("ab 1");
  f->Combo("Combo_Beep")->Set_List_Index(0);
  EXPECT_EQ(Radio_Image[238][0], 10);
  EXPECT_EQ(Radio_Image[238][2], 0);
  f->Opt_Show();
  EXPECT_EQ(f->Text_PttId_Begin->Text(), "AB01");
}

TEST_F(OptionWindow, PowerOnTextRefusesTwoByteCharactersAndStopsAtFifteen) {
  frm_option* f = Open();
  f->Text_Model_Disp->Set_Text("");
  f->Text_Model_Disp->Type_Text(QString::fromUtf8("AB中文C"));
  EXPECT_EQ(f->Text_Model_Disp->Text(), "ABC");
  ASSERT_EQ(rec.calls.size(), 1u);  // one message for the whole paste
  EXPECT_EQ(rec.calls[0].text, "The power-on message takes English letters, digits and symbols only.");
  Row16 want = Row_Of(0x20);
  want[0] = 'A';
  want[1] = 'B';
  want[2] = 'C';
  EXPECT_EQ(Image_Row16(254), want);
  f->Text_Model_Disp->Type_Text("DEFGHIJKLMNOPQRS");
  EXPECT_EQ(f->Text_Model_Disp->Text(), "ABCDEFGHIJKLMNO");
  f->Text_Model_Disp->Type_Key(8);
  EXPECT_EQ(f->Text_Model_Disp->Text().size(), 15);
  for (int c = 0; c < 16; ++c) {
    EXPECT_GE(Radio_Image[254][c], 0);
    EXPECT_LE(Radio_Image[254][c], 255);
  }
  EXPECT_EQ(Radio_Image[254][14], 'O');
  EXPECT_EQ(Radio_Image[254][15], 0x20);
}

// A full-width character composed over a selected box is refused as a typed
// one is, and the box keeps its text: the frequency and the power-on text,
// with the records they store.
TEST_F(OptionWindow, AComposedCharacterOverASelectionIsRefusedAndKeepsTheText) {
  frm_option* f = Open();
  f->activateWindow();
  f->Text_Model_Disp->Set_Text("HELLO");
  const Image_Table before = Radio_Image;
  struct Case {
    Vb_Text* box;
    QStringList messages;
  } const cases[] = {
      {f->Text_Freq_b, {}},
      {f->Text_Model_Disp, {"The power-on message takes English letters, digits and symbols only."}},
  };
  for (const Case& c : cases) {
    rec.Clear();
    const QString shown = c.box->Text();
    c.box->setFocus();
    Ctrl_Key(c.box, Qt::Key_A);
    Compose(c.box, QString::fromUtf8("４"));
    EXPECT_EQ(c.box->Text(), shown) << c.box->objectName().toStdString();
    EXPECT_EQ(c.box->selectedText(), shown) << c.box->objectName().toStdString();
    // The user leaves the box.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(c.box, &out);
    EXPECT_EQ(rec.Texts(), c.messages) << c.box->objectName().toStdString();
  }
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

// Forty Chinese characters pasted into the power-on text bring one message,
// also when the message box runs its own event loop, as a real one does,
// and the timers waiting (the one that re-arms the warning among them) fire
// while it is open.
TEST_F(OptionWindow, APasteOfRefusedCharactersShowsOneMessage) {
  frm_option* f = Open();
  f->Text_Model_Disp->Set_Text("AB");
  rec.on_call = [](const Msg_Call&) {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
  };
  f->Text_Model_Disp->setFocus();
  f->Text_Model_Disp->end(false);
  QApplication::clipboard()->setText(QString::fromUtf8("中文").repeated(20) + "C");
  Ctrl_Key(f->Text_Model_Disp, Qt::Key_V);
  EXPECT_EQ(rec.Texts(), QStringList{"The power-on message takes English letters, digits and symbols only."});
  EXPECT_EQ(f->Text_Model_Disp->Text(), "ABC");
  EXPECT_EQ(Radio_Image[254][2], 'C');
  // The next paste warns again.
  Let_Events_Run();
  rec.Clear();
  Ctrl_Key(f->Text_Model_Disp, Qt::Key_V);
  EXPECT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(f->Text_Model_Disp->Text(), "ABCC");
}

TEST_F(OptionWindow, PowerOnBytesReadFromTheRadioSurviveRedrawAndEdits) {
  frm_option* f = Open();
  // Text in the radio's own two-byte code page, as a read brings it.
  const Row16 radio{0xB5, 0xE7, 0xCC, 0xA8, 'R', '4', '7', 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
  for (int c = 0; c < 16; ++c) Radio_Image[254][c] = static_cast<int16_t>(radio[c]);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(f->Text_Model_Disp->Text().size(), 7);
  EXPECT_EQ(Image_Row16(254), radio);
  // An edit of one character keeps every other byte: one typed at the end...
  f->Text_Model_Disp->setFocus();
  f->Text_Model_Disp->end(false);
  f->Text_Model_Disp->Type_Text("X");
  Row16 want = radio;
  want[7] = 'X';
  EXPECT_EQ(Image_Row16(254), want);
  // ... and one deleted in the middle.
  f->Text_Model_Disp->setCursorPosition(4);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(f->Text_Model_Disp, &del);
  want = {0xB5, 0xE7, 0xCC, 0xA8, '4', '7', 'X', 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
  EXPECT_EQ(Image_Row16(254), want);
  QApplication::sendEvent(f, &activate);
  EXPECT_EQ(Image_Row16(254), want);
  // A two-byte character typed is still refused.
  rec.Clear();
  f->Text_Model_Disp->Type_Text(QString::fromUtf8("中"));
  EXPECT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(Image_Row16(254), want);
}

TEST_F(OptionWindow, CodeBoxesShowSixteenCharactersInBothLanguages) {
  for (int16_t lang : {int16_t(0), int16_t(-1)}) {
    Lang_Flag = lang;
    frm_option* f = Forms::Reload<frm_option>();
    Let_Events_Run();
    Vb_Text* boxes[] = {f->Text_ANI, f->Text_PttId_Begin, f->Text_PttId_End};
    for (Vb_Text* b : boxes) {
      // The widest of the characters a code box holds, sixteen times.
      const QFontMetrics fm(b->font());
      QChar widest = '0';
      for (QChar ch : QString("0123456789ABCDabcd*#"))
        if (fm.horizontalAdvance(ch) > fm.horizontalAdvance(widest)) widest = ch;
      const QString full(16, widest);
      b->Set_Text(full);
      // The room the line edit gives its text: the style's contents rect less
      // the text margins and the edit's own 2-pixel margin at either side.
      QStyleOptionFrame opt;
      opt.initFrom(b);
      opt.rect = b->rect();
      opt.lineWidth = b->hasFrame() ? b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, b) : 0;
      opt.midLineWidth = 0;
      opt.state |= QStyle::State_Sunken;
      opt.features = QStyleOptionFrame::None;
      const QRect contents = b->style()->subElementRect(QStyle::SE_LineEditContents, &opt, b)
                                 .marginsRemoved(b->textMargins());
      EXPECT_GE(contents.width() - 2 * 2 - 1, fm.horizontalAdvance(full))
          << b->objectName().toStdString() << " lang " << lang;
    }
    // The widened boxes keep clear of their labels, of each other and of the
    // power-on frame beside them.
    QWidget* parts[] = {f->Label_ANI, f->Text_ANI, f->Label_Send_Begin, f->Text_PttId_Begin, f->Label_Send_End,
                        f->Text_PttId_End};
    for (int i = 0; i + 1 < 6; ++i) {
      const QRect a = parts[i]->geometry(), b = parts[i + 1]->geometry();
      EXPECT_LE(a.right(), b.left()) << i << " lang " << lang;
      EXPECT_GE(parts[i]->width(), parts[i]->minimumSizeHint().width()) << i << " lang " << lang;
    }
    EXPECT_TRUE(f->Frame5->rect().contains(f->Text_PttId_End->geometry())) << lang;
    EXPECT_FALSE(f->Frame5->geometry().intersects(f->Frame_Pon_Msg->geometry())) << lang;
  }
}
