#include "frm_5tone.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "data/shared_state.h"
#include "data/tone5_tables.h"
#include "editors/editor_window.h"
#include "editors/signalling/digit_codes.h"
#include "editors/signalling/tone5_area.h"
#include "files/file_dialogs.h"
#include "files/sig_file.h"
#include "link/link_engine.h"
#include "link/tone5_link.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "platform/vb_timer.h"

namespace {
constexpr int kFilePollMs = 500;
constexpr int kPageHeight = 6100;  // twips
constexpr Zh_En kFrameDigits{"编码位数为 5 位 ！", "Encode Digit is 5 Bits."};
constexpr Zh_En kDecodeDigits{"解码位数为 5 位 ！", "Decode Digit is 5 Bits."};
constexpr Zh_En kHexOnly{"码组字符只能是 0 - 9 或 A - F  ！", "Group Digits only by 0 to 9 and A to F."};
// The English title of the digit-count warnings ends with a double quote.
constexpr Zh_En kDigitsTitle{"操作提示", "Operate Prompt\""};

bool Hex_Upper(QChar c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

Vb_Combo* New_List(QWidget* parent, QString* undo) {
  auto* c = new Vb_Combo(parent, true);
  c->Set_Typing_Rule(Typing_Rule::Put_Back, undo);
  return c;
}
}  // namespace

frm_5tone::frm_5tone() {
  engine_ = new Link_Engine(Tone5_Link_Profile([this] { Tone5_Show(); }), this);
  Build_Controls();
  engine_->Set_View(ProgressBar1, Label_tr_count);
  Lock_Area_While_Busy(this, *engine_);
}

frm_5tone::~frm_5tone() = default;

bool frm_5tone::Busy() const { return engine_ && engine_->Busy(); }

// ---- construction -------------------------------------------------------------------

void frm_5tone::Build_Controls() {
  TabStrip1 = new Vb_TabStrip(this);
  TabStrip1->Click = [this] { TabStrip1_Click(); };

  // Standards page.
  Frame_std = new QGroupBox(this);
  Label_std_name = new QLabel(Frame_std);
  Combo_stxh = New_List(Frame_std, &Undo_Text);
  Combo_stxh->Click = [this] {
    Undo_Text = Combo_stxh->Text();
    Freq_Show();
  };
  Combo_stxh->GotFocus = [this] { Undo_Text = Combo_stxh->Text(); };
  Combo_stxh->Change = [this] { Put_Back(Combo_stxh, true); };
  for (int i = 0; i < 16; ++i) {
    Label_code[i] = new QLabel(Cov_b2c(static_cast<int16_t>(i)), Frame_std);
    Label_freq[i] = new QLabel("200.0", Frame_std);
  }
  MSF_Chann = new Vb_Grid(Frame_std);
  MSF_Chann->Click = [this] { MSF_Chann_Click(); };
  MSF_Chann->LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  Combo_edit = New_List(Frame_std, &Undo_Text);
  Combo_edit->hide();
  Combo_edit->Click = [this] { Combo_edit_Click(); };
  Combo_edit->Change = [this] { Put_Back(Combo_edit, true, true); };
  Text_Edit = new Vb_Text(Frame_std);
  Text_Edit->hide();
  MSF_Chann->Attach_Editor(Combo_edit);
  MSF_Chann->Attach_Editor(Text_Edit);

  // Encode page.
  Frame_Encode = new QGroupBox(this);
  Frame_Encode->hide();
  MSF_Encode = new Vb_Grid(Frame_Encode);
  MSF_Encode->Click = [this] { MSF_Encode_Click(); };
  MSF_Encode->LeaveCell = [this] { MSF_Encode_LeaveCell(); };
  MSF_Encode->DblClick = [this] { MSF_Encode_DblClick(); };
  Combo_Encode = New_List(Frame_Encode, &Undo_Text);
  Combo_Encode->hide();
  Combo_Encode->Click = [this] { Combo_Encode_Click(); };
  Combo_Encode->GotFocus = [this] { Undo_Text = Combo_Encode->Text(); };
  Combo_Encode->Change = [this] { Put_Back(Combo_Encode, false); };
  Text_Encode = new Vb_Text(Frame_Encode);
  Text_Encode->hide();
  Text_Encode->KeyPress = [this](int& key) {
    // A key typed over a selection replaces it: the selection does not count.
    QString t = Text_Encode->Text();
    if (Text_Encode->hasSelectedText()) t.remove(Text_Encode->selectionStart(), Text_Encode->selectedText().size());
    Tone5_Frame_Key(key, t);
  };
  Text_Encode->Change = [this] { Text_Encode_Change(); };
  Text_Encode->LostFocus = [this] { Text_Encode_LostFocus(); };
  MSF_Encode->Attach_Editor(Combo_Encode);
  MSF_Encode->Attach_Editor(Text_Encode);
  for (int k = 0; k < 4; ++k) {
    Label_enc_ys[k] = new QLabel(Frame_Encode);
    Vb_Combo* c = New_List(Frame_Encode, &Undo_Text);
    Combo_Enc_ys[k] = c;
    c->Click = [this, k, c] {
      Radio_Image[Tone5_Settings_Row][Tone5_Group_Delay + k] = static_cast<int16_t>(c->List_Index());
    };
    c->GotFocus = [this, c] { Undo_Text = c->Text(); };
    c->Change = [this, c] { Put_Back(c, true); };
  }
  Frame1 = new QGroupBox(Frame_Encode);
  Label_Decode_HJ = new QLabel(Frame1);
  Frame2 = new QGroupBox(Frame_Encode);
  Label_Decode_Disp = new QLabel(Frame2);
  for (int i = 0; i < 3; ++i) {
    Check_Decode_HJ[i] = new Vb_Check(Frame1);
    Check_Decode_HJ[i]->Click = [this, i] {
      Tone5_Settings_Bit(Tone5_Call_Frames, i, Check_Decode_HJ[i]->Value() != 0);
    };
    Check_Decode_Disp[i] = new Vb_Check(Frame2);
    Check_Decode_Disp[i]->Click = [this, i] {
      Tone5_Settings_Bit(Tone5_Display_Frames, i, Check_Decode_Disp[i]->Value() != 0);
    };
  }
  Frame3 = new QGroupBox(Frame_Encode);
  Label_Decode_Std = new QLabel(Frame3);
  Combo_Decode_Std = new Vb_Combo(Frame3, true);
  Combo_Decode_Std->Set_Typing_Rule(Typing_Rule::Refused);
  Combo_Decode_Std->KeyPress = [](int& key) { key = 0; };
  Combo_Decode_Std->Click = [this] {
    Radio_Image[Tone5_Settings_Row][Tone5_Decode_Std] = static_cast<int16_t>(Combo_Decode_Std->List_Index());
  };
  Label_Reset_Time = new QLabel(Frame3);
  Combo_Dec_Res_Time = New_List(Frame3, &Undo_Text);
  Combo_Dec_Res_Time->Click = [this] {
    Radio_Image[Tone5_Settings_Row][Tone5_Reset_Time] = static_cast<int16_t>(Combo_Dec_Res_Time->List_Index());
  };
  Combo_Dec_Res_Time->GotFocus = [this] { Undo_Text = Combo_Dec_Res_Time->Text(); };
  Combo_Dec_Res_Time->Change = [this] { Put_Back(Combo_Dec_Res_Time, false); };

  // Decode page (no tab shows it).
  Frame_Decode = new QGroupBox(this);
  Frame_Decode->hide();
  MSF_Decode = new Vb_Grid(Frame_Decode);
  MSF_Decode->Click = [this] { MSF_Decode_Click(); };
  MSF_Decode->LeaveCell = [this] { MSF_Decode_LeaveCell(); };
  MSF_Decode->DblClick = [this] { MSF_Decode_DblClick(); };
  Combo_Decode = New_List(Frame_Decode, &Undo_Text);
  Combo_Decode->hide();
  Combo_Decode->GotFocus = [this] { Undo_Text = Combo_Decode->Text(); };
  Combo_Decode->Click = [this] { Undo_Text = Combo_Decode->Text(); };
  Combo_Decode->Change = [this] { Put_Back(Combo_Decode, false); };
  Text_Decode = new Vb_Text(Frame_Decode);
  Text_Decode->hide();
  Text_Decode->Change = [this] { Text_Decode_Change(); };
  MSF_Decode->Attach_Editor(Combo_Decode);
  MSF_Decode->Attach_Editor(Text_Decode);
  Frame_Dec_xx = new QGroupBox(Frame_Decode);
  for (int f = 0; f < 3; ++f) Label_F[f] = new QLabel(Frame_Dec_xx);
  Label_Disp = new QLabel(Frame_Dec_xx);
  Label_led = new QLabel(Frame_Dec_xx);
  Label_ctrl = new QLabel(Frame_Dec_xx);
  Label_Tishi = new QLabel(Frame_Dec_xx);
  Label9 = new QLabel(QString::fromUtf8("组呼位"), Frame_Dec_xx);
  for (int k = 0; k < 5; ++k) Label_zh[k] = new QLabel(QString::number(k + 1), Frame_Dec_xx);
  auto action_box = [this] {
    auto* b = new Vb_Check(Frame_Dec_xx);
    b->Click = [this] { Action_Save(Action_Entry); };
    return b;
  };
  for (int f = 0; f < 3; ++f) {
    Check_Disp[f] = action_box();
    Check_Led[f] = action_box();
    Check_Kz[f] = action_box();
    Check_Ts[f] = action_box();
    for (int k = 0; k < 5; ++k) Check_zh[k][f] = action_box();
  }
  Check_Dec_back = new Vb_Check(Frame_Decode);
  Check_Dec_back->setText(QString::fromUtf8("所有帧成功解码后回复"));
  Check_Dec_back->Click = [this] { Check_Dec_back_Click(); };
  Check_Dec_Bcl = new Vb_Check(Frame_Decode);
  Check_Dec_Bcl->setText(QString::fromUtf8("信道空闲时回复"));
  Label8 = new QLabel(QString::fromUtf8("回复延迟时间（MS）"), Frame_Decode);
  Combo_Dec_Back_Time = New_List(Frame_Decode, &Undo_Text);
  Combo_Dec_Back_Time->GotFocus = [this] { Undo_Text = Combo_Dec_Back_Time->Text(); };
  Combo_Dec_Back_Time->Click = [this] { Undo_Text = Combo_Dec_Back_Time->Text(); };
  Combo_Dec_Back_Time->Change = [this] { Put_Back(Combo_Dec_Back_Time, false); };

  // Buttons, transfer display, the engine's password box (never shown).
  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_def = new QPushButton(this);
  Command_save = new QPushButton(this);
  Command_open = new QPushButton(this);
  Command_close = new QPushButton(this);
  Connect_Commands(this);
  ProgressBar1 = New_Transfer_Bar(this);
  ProgressBar1->setValue(0);
  ProgressBar1->hide();
  Label_tr_count = new QLabel(this);
  Label_PassWord = new QLabel(QString::fromUtf8("读写密码"), this);
  Text_PassWord = new QLineEdit(this);
  Text_PassWord->setEchoMode(QLineEdit::Password);
  Text_PassWord->setMaxLength(6);
  Text_PassWord->setText("580417");
  Label_PassWord->hide();
  Text_PassWord->hide();
  connect(Text_PassWord, &QLineEdit::textChanged, this,
          [](const QString& t) { Link_Engine::Text_PassWord_Change(t); });

  Timer4 = new Vb_Timer(this);
  Timer4->On_Timer = [this] { Timer4_Timer(); };

  MSF_Chann->Set_Rows(16);
  MSF_Encode->Set_Rows(16);
  MSF_Decode->Set_Rows(16);
}

// ---- loading --------------------------------------------------------------------------

void frm_5tone::Form_Load() {
  const QSizeF main = Main_Frame_Twips();
  const QSizeF client = Main_Client_Twips();
  const double w = main.width() / 1.3, h = main.height() / 1.25;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (Host()) {
    Place_Window_Twips(Host(), (client.width() - w) / 2, (client.height() - h) / 2, w, h);
  }
  Set_Texts();
  Lay_Out();
  Engine_Idle(*engine_);
  Tone5_InitControls();
  Check_Dec_back_Click();
  Tone5_Show();
  Timer4->Arm(kFilePollMs);
}

void frm_5tone::Form_Unload() {
  Timer4->Set_Enabled(false);
  engine_->Shut_Down();
}

bool frm_5tone::Form_Query_Close() {
  // The close box is refused like the Close button while a transfer runs.
  return !Refuse_While_Busy(Busy());
}

void frm_5tone::Lay_Out() {
  auto px = [](double twips) { return Twips_To_Px(twips); };
  const int sw = width();
  TabStrip1->setGeometry(px(120), px(240), static_cast<int>(sw / 1.03), 100);
  const QRect probe = TabStrip1->Client_Rect();
  const int page_top = probe.top() + px(200);
  const int page_h = px(kPageHeight);
  TabStrip1->resize(TabStrip1->width(), page_top - TabStrip1->y() + page_h + px(150));
  const QRect cr = TabStrip1->Client_Rect();
  Frame_std->setGeometry(cr.left(), page_top, cr.width(), page_h);
  Frame_Encode->setGeometry(cr.left(), page_top, cr.width() - px(2000), page_h);
  Frame_Decode->setGeometry(cr.left(), page_top, cr.width(), page_h);
  for (QWidget* f : {static_cast<QWidget*>(Frame_std), static_cast<QWidget*>(Frame_Encode),
                     static_cast<QWidget*>(Frame_Decode)})
    f->raise();

  // Standards page: the selector and the frequencies on the left, the grid on the right.
  {
    const int gw = static_cast<int>(Frame_std->width() / 1.8);
    MSF_Chann->setGeometry(Frame_std->width() - gw - 10, 24, gw, page_h - 34);
    Label_std_name->setGeometry(12, 30, 110, 22);
    Combo_stxh->setGeometry(125, 28, 110, 24);
    for (int i = 0; i < 16; ++i) {
      const int x = 12 + (i / 8) * 140, y = 70 + (i % 8) * 32;
      Label_code[i]->setGeometry(x, y, 22, 22);
      Label_freq[i]->setGeometry(x + 26, y, 90, 22);
    }
  }
  // Encode page: the grid on the left; the delays and the decode settings
  // beside it, as wide as their labels need: the page takes the room the
  // tab strip has right of it first, then the grid gives up what it can
  // spare beyond its columns.
  {
    const int cw = 80;
    const auto text_w = [](const QLabel* l) {
      return l->fontMetrics().horizontalAdvance(l->text()) + l->contentsMargins().left() +
             l->contentsMargins().right() + 2 * l->margin();
    };
    int need = std::max(text_w(Label_Decode_Std), text_w(Label_Reset_Time)) + cw + 20;
    for (QLabel* l : Label_enc_ys) need = std::max(need, text_w(l) + cw + 6);
    int gw = static_cast<int>(Frame_Encode->width() / 1.76);
    const int frame_w = std::min(cr.width(), std::max(Frame_Encode->width(), 10 + gw + 12 + need + 10));
    Frame_Encode->resize(frame_w, page_h);
    gw = std::max(std::min(gw, frame_w - 32 - need), MSF_Encode->Whole_Size().width());
    MSF_Encode->setGeometry(10, 24, gw, page_h - 34);
    const int x0 = 10 + gw + 12, avail = Frame_Encode->width() - x0 - 10;
    for (int k = 0; k < 4; ++k) {
      Label_enc_ys[k]->setGeometry(x0, 28 + 30 * k, avail - cw - 6, 24);
      Combo_Enc_ys[k]->setGeometry(x0 + avail - cw, 28 + 30 * k, cw, 24);
    }
    Frame3->setGeometry(x0, 152, avail, 78);
    Label_Decode_Std->setGeometry(8, 22, avail - cw - 20, 22);
    Combo_Decode_Std->setGeometry(avail - cw - 8, 20, cw, 24);
    Label_Reset_Time->setGeometry(8, 50, avail - cw - 20, 22);
    Combo_Dec_Res_Time->setGeometry(avail - cw - 8, 48, cw, 24);
    int y = 238;
    for (auto [frame, label, boxes] : {std::tuple{Frame1, Label_Decode_HJ, &Check_Decode_HJ},
                                       std::tuple{Frame2, Label_Decode_Disp, &Check_Decode_Disp}}) {
      frame->setGeometry(x0, y, avail, 74);
      label->setGeometry(8, 18, avail - 16, 22);
      for (int i = 0; i < 3; ++i) (*boxes)[i]->setGeometry(8 + i * (avail - 16) / 3, 44, (avail - 16) / 3, 22);
      y += 80;
    }
  }
  // Decode page: the grid, the action boxes below it, the reply settings beside them.
  {
    MSF_Decode->setGeometry(10, 24, static_cast<int>(Frame_Decode->width() / 1.02) - 10, px(4000));
    const int top = 24 + px(4000) + 6;
    Frame_Dec_xx->setGeometry(10, top, 600, page_h - top - 6);
    const int col[4] = {80, 150, 220, 290};
    QLabel* heads[4] = {Label_Disp, Label_led, Label_ctrl, Label_Tishi};
    for (int k = 0; k < 4; ++k) heads[k]->setGeometry(col[k], 18, 68, 18);
    Label9->setGeometry(380, 18, 60, 18);
    for (int k = 0; k < 5; ++k) Label_zh[k]->setGeometry(450 + 28 * k, 18, 20, 18);
    for (int f = 0; f < 3; ++f) {
      const int yy = 38 + 22 * f;
      Label_F[f]->setGeometry(8, yy, 70, 20);
      Vb_Check* row[4] = {Check_Disp[f], Check_Led[f], Check_Kz[f], Check_Ts[f]};
      for (int k = 0; k < 4; ++k) row[k]->setGeometry(col[k] + 20, yy, 22, 20);
      for (int k = 0; k < 5; ++k) Check_zh[k][f]->setGeometry(450 + 28 * k, yy, 22, 20);
    }
    const int rx = 630;
    Check_Dec_back->setGeometry(rx, top, 220, 22);
    Check_Dec_Bcl->setGeometry(rx, top + 26, 220, 22);
    Label8->setGeometry(rx, top + 52, 150, 22);
    Combo_Dec_Back_Time->setGeometry(rx + 150, top + 50, 80, 24);
  }

  // Below the tab strip: the transfer display, then the row of buttons.
  const int below = TabStrip1->geometry().bottom() + px(90);
  ProgressBar1->setGeometry(px(120), below, px(5800), px(300));
  Label_tr_count->setGeometry(px(120) + px(5800) + 12, below, sw - px(6200) - 24, px(300));
  const int by = below + px(300) + px(120);
  QPushButton* buttons[6] = {Command_read, Command_Write, Command_def, Command_save, Command_open, Command_close};
  for (int k = 0; k < 6; ++k) Place_Control_Twips(buttons[k], 120 + k * 1320, 0, 1200, 495);
  for (auto* b : buttons) b->move(b->x(), by);
  Label_PassWord->setGeometry(px(120 + 6 * 1320 + 240), by + 4, px(900), px(300));
  Text_PassWord->setGeometry(px(120 + 6 * 1320 + 1200), by, px(1100), px(400));
}

void frm_5tone::Set_Texts() {
  setWindowTitle(Lang_Pick("5音信令编解码参数编辑", "5 Tone Encode/Decode "));
  TabStrip1->Tabs_Clear();
  TabStrip1->Tabs_Add(Lang_Pick("标准", "Standard"));
  TabStrip1->Tabs_Add(Lang_Pick("编解码", "Encode"));
  TabStrip1->Set_Selected(1);
  Frame_std->setTitle(Lang_Pick("5 TONE 标准频率", "5 TONE Standard Frequency"));
  Label_std_name->setText(Lang_Pick("标准名称", "Standard Name"));
  Frame_Encode->setTitle(Lang_Pick("5 TONE 编码", "5 Tone Encode"));
  Label_enc_ys[0]->setText(Lang_Pick("发送第1组码前的延迟时间（MS）", "Delay 1 (MS) "));
  Label_enc_ys[1]->setText(Lang_Pick("发送第2组码前的延迟时间（MS）", "Delay 2 (MS) "));
  Label_enc_ys[2]->setText(Lang_Pick("发送第3组码前的延迟时间（MS）", "Delay 3 (MS) "));
  Label_enc_ys[3]->setText(Lang_Pick("各组码第1个音的拓展时长（MS）", "First Digit Extend Length (MS)"));
  Frame_Decode->setTitle(Lang_Pick("5 TONE 解码", "5 Tone Decode"));
  Frame_Dec_xx->setTitle(Lang_Pick(" 1 信息码各组编码成功解码后执行操作  ", "Execute after Code 1 Decode Succeeded   "));
  Label_F[0]->setText(Lang_Pick("帧 1", "Frame 1"));
  Label_F[1]->setText(Lang_Pick("帧 2", "Frame 2"));
  Label_F[2]->setText(Lang_Pick("帧 3", "Frame 3"));
  Label_Disp->setText(Lang_Pick("屏幕显示", "DISP"));
  Label_led->setText(Lang_Pick("指示灯", "LED"));
  Label_ctrl->setText(Lang_Pick("控制输出", "CTRL"));
  Label_Tishi->setText(Lang_Pick("提示音", "ALERT"));
  Label_Reset_Time->setText(Lang_Pick("解码复位时间（MS）", "Decode Reset Time(ms)"));
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写  入", "Write"));
  Command_def->setText(Lang_Pick("默 认", "Default"));
  Command_save->setText(Lang_Pick("保  存", "Save"));
  Command_open->setText(Lang_Pick("打  开", "Open"));
  Command_close->setText(Lang_Pick("关  闭", "Close"));
  if (!Lang_Flag) Label_PassWord->setText("PassWord");
  Label_Decode_HJ->setText(Lang_Pick("5 TONE 解码呼叫帧", "5 TONE Decode Call"));
  Label_Decode_Disp->setText(Lang_Pick("5 TONE 解码显示帧", "5 TONE Decode Disp"));
  Label_Decode_Std->setText(Lang_Pick("5 TONE 解码使用标准", "5 TONE Decode Standard "));
  for (int i = 0; i < 3; ++i) {
    const QString zh = QString::fromUtf8("第 %1 帧").arg(i + 1);
    const QString en = QString("%1 frame").arg(i + 1);
    Check_Decode_HJ[i]->setText(Lang_Flag ? zh : en);
    Check_Decode_Disp[i]->setText(Lang_Flag ? zh : en);
  }
  MSF_Chann->Set_Format_String(Lang_Pick("^ 5 TONE 标准|^发送时长(ms)|^ 群 呼 码 |^重 复 码 ",
                                         "^Standard|^Period(ms)|^ Group Tone|^ Repeat Tone "));
  MSF_Encode->Set_Format_String(Lang_Pick("^ 信息码 |^第 1 帧编码|^第 2 帧编码|^第 3 帧编码|^使用标准",
                                          "^ Code |^ Frame 1 |^ Frame 2 |^ Frame 3 |^ Standard "));
  MSF_Decode->Set_Format_String(
      Lang_Pick("^信息码|^使用标准|^ 第1帧解码 |^ 功    能 |^ 第2帧解码 |^ 功    能 |^ 第3帧解码 |^ 功    能 |^ 回复码 ",
                "^Code|^Standard|^Frame1|^          Function       |^Frame2|^     Function    |^Frame3|^    "
                "Function   |^Transpond"));
}

void frm_5tone::Tone5_InitControls() {
  const QStringList names = Tone5_Std_Names();
  Combo_stxh->Clear_Items();
  Combo_stxh->Add_Items(names);
  Combo_stxh->Set_List_Index(0);
  for (int r = 1; r <= Tone5_Std_Count; ++r) MSF_Chann->Set_Text_At(r, 0, names[r - 1]);
  Combo_Encode->Clear_Items();
  Combo_Encode->Add_Items(names);
  for (Vb_Combo* c : Combo_Enc_ys) {
    c->Clear_Items();
    c->Add_Items(Tone5_Delay_Items());
  }
  Combo_Decode_Std->Clear_Items();
  Combo_Decode_Std->Add_Items(names);
  Combo_Dec_Res_Time->Clear_Items();
  Combo_Dec_Res_Time->Add_Items(Tone5_Reset_Items());
  for (int r = 1; r <= Tone5_Encode_Count; ++r) MSF_Encode->Set_Text_At(r, 0, QString::number(r));
  Combo_Dec_Back_Time->Clear_Items();
  Combo_Dec_Back_Time->Add_Items(Tone5_Reply_Delay_Items());
}

// ---- display --------------------------------------------------------------------------

namespace {
// Selects the item a stored byte names; a byte outside the list selects
// nothing and shows nothing (the byte stays as it is).
void Select_Stored(Vb_Combo* list, int16_t byte) {
  const int i = Tone5_List_Index(byte, list->List_Count());
  if (i >= 0) {
    list->Set_List_Index(i);
    return;
  }
  list->Show_Index_Quiet(-1);
  if (QLineEdit* le = list->lineEdit()) le->clear();
}
}  // namespace

void frm_5tone::Tone5_Show() {
  for (int n = 1; n <= Tone5_Std_Count; ++n)
    for (int c = 1; c <= 3; ++c) MSF_Chann->Set_Text_At(n, c, Tone5_Std_Cell(n, c));
  for (int n = 1; n <= Tone5_Encode_Count; ++n) Encode_Row_Show(n);
  const Image_Row set = Radio_Image[Tone5_Settings_Row];  // read before any box writes back
  for (int k = 0; k < 4; ++k) Select_Stored(Combo_Enc_ys[k], set[Tone5_Group_Delay + k]);
  Select_Stored(Combo_Decode_Std, set[Tone5_Decode_Std]);
  for (int i = 0; i < 3; ++i) {
    Check_Decode_HJ[i]->Set_Value((set[Tone5_Call_Frames] >> i) & 1);
    Check_Decode_Disp[i]->Set_Value((set[Tone5_Display_Frames] >> i) & 1);
  }
  // Bits 3..7 are the radio's: the boxes wrote only bits 0..2.
  Radio_Image[Tone5_Settings_Row][Tone5_Call_Frames] = set[Tone5_Call_Frames];
  Radio_Image[Tone5_Settings_Row][Tone5_Display_Frames] = set[Tone5_Display_Frames];
  Select_Stored(Combo_Dec_Res_Time, set[Tone5_Reset_Time]);
  ProgressBar1->hide();
}

void frm_5tone::Encode_Row_Show(int r) {
  for (int c = 1; c <= 4; ++c) MSF_Encode->Set_Text_At(r, c, Tone5_Encode_Cell(r, c));
}

void frm_5tone::Freq_Show() {
  const int k = Combo_stxh->List_Index();
  for (int i = 0; i < 16; ++i)
    Label_freq[i]->setText(k >= 0 && k < Tone5_Std_Count ? Freq_Text[k][i].trimmed() : QString());
}

// ---- pages and buttons -------------------------------------------------------------------

void frm_5tone::TabStrip1_Click() {
  if (TabStrip1->Selected() == 1) {
    Frame_Encode->hide();
    Frame_Decode->hide();
    Frame_std->show();
  } else if (TabStrip1->Selected() == 2) {
    Frame_std->hide();
    Frame_Decode->hide();
    Frame_Encode->show();
  }
  Combo_Encode->hide();
  Text_Encode->hide();
}

void frm_5tone::Command_read_Click() { engine_->Command_read_Click(); }
void frm_5tone::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_5tone::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  ProgressBar1->hide();
  ProgressBar1->setValue(0);
  Label_tr_count->clear();
  Tone5_Default();
  Tone5_Show();
}

void frm_5tone::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Load<Form_open_chann>();
}

void frm_5tone::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Load<Form_save_chann>();
}

void frm_5tone::Command_close_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Close_Editor<Form_open_menu, Form_save_menu>(*this, *engine_);
}

void frm_5tone::Put_Back(Vb_Combo* list, bool take_focus, bool only_when_shown) {
  if (only_when_shown && list->isHidden()) return;
  if (take_focus) list->setFocus();
  list->Set_Text(Undo_Text);
}

void frm_5tone::Float_Over(QWidget* editor, Vb_Grid* grid, bool with_height) {
  grid->Float_Editor(editor, grid->Row(), grid->Col(), with_height);
  editor->show();
  editor->raise();
}

// ---- standards grid -------------------------------------------------------------------------

void frm_5tone::MSF_Chann_Click() {
  if (MSF_Chann->Mouse_Row() > 0) {
    Combo_stxh->Set_List_Index(MSF_Chann->Row() - 1);
    Combo_stxh->update();
  }
  if (MSF_Chann->Mouse_Col() == 0)
    Combo_edit->hide();
  else
    Std_EditCell();
}

void frm_5tone::Std_EditCell() {
  const int r = MSF_Chann->Mouse_Row(), c = MSF_Chann->Mouse_Col();
  if (r == 0) return;
  MSF_Chann->Set_Row(r);
  MSF_Chann->Set_Col(c);
  Undo_Text = MSF_Chann->Text();
  if (c < 1) return;
  Float_Over(Combo_edit, MSF_Chann, false);
  Combo_edit->Set_Text(MSF_Chann->Text());
  Combo_edit->setFocus();
  Combo_edit->Clear_Items();
  Combo_edit->Add_Items(c == 1 ? Tone5_Period_Items() : Tone5_Digit_Items());
  Combo_edit->Set_Text(MSF_Chann->Text());
  MSF_Chann->Float_Editor(Combo_edit, r, c, false);  // as wide as its items need
}

void frm_5tone::Combo_edit_Click() {
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  if (r < 1 || r > Tone5_Std_Count || c < 1 || c > 3 || Combo_edit->List_Index() < 0) return;
  Radio_Image[Tone5_Std_Row + r - 1][c - 1] = static_cast<int16_t>(Combo_edit->List_Index());
  // The cell shows the pick at once, as the encode grid's standard cell does.
  MSF_Chann->Set_Text(Tone5_Std_Cell(r, c));
}

void frm_5tone::MSF_Chann_LeaveCell() {
  // Each pick was stored as it was made: the cell shows what is stored.
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  if (!Combo_edit->isHidden() && r >= 1 && r <= Tone5_Std_Count) MSF_Chann->Set_Text(Tone5_Std_Cell(r, c));
  Combo_edit->hide();
}

// ---- encode table --------------------------------------------------------------------------------

void frm_5tone::MSF_Encode_Click() {
  if (MSF_Encode->Mouse_Col() == 0) {
    // The number column opens no editor: none is placed over the current
    // cell only to be hidden again, taking the focus away from the grid.
    Combo_Encode->hide();
    Text_Encode->hide();
    return;
  }
  Encode_EditCell();
}

void frm_5tone::Encode_EditCell() {
  const int r = MSF_Encode->Row(), c = MSF_Encode->Col();
  if (r < 1 || r > Tone5_Encode_Count) return;
  // Frames 2 and 3 and the standard need frame 1.
  if (c > 1 && MSF_Encode->Text_At(r, 1).isEmpty()) return;
  if (c == 4) {
    Float_Over(Combo_Encode, MSF_Encode, false);
    Combo_Encode->setFocus();
    Select_Stored(Combo_Encode, Radio_Image[Tone5_Encode_Row + r - 1][Tone5_Entry_Std]);
  } else if (c >= 1 && c <= 3) {
    Float_Over(Text_Encode, MSF_Encode, true);
    Text_Encode->setFocus();
    Text_Encode->Set_Text(MSF_Encode->Text());
    Text_Encode->selectAll();  // typing replaces what the cell showed
    Frame_Edited = false;
  }
}

void frm_5tone::Text_Encode_Change() {
  const int r = MSF_Encode->Row(), c = MSF_Encode->Col();
  // Only the box open over its cell writes: emptying the hidden box when a
  // row is cleared must not erase the frame it was last opened on.
  if (c < 1 || c > 3 || Text_Encode->isHidden()) return;
  Tone5_Frame_Write(r, c - 1, Text_Encode->Text());
  Frame_Edited = true;
}

void frm_5tone::Text_Encode_LostFocus() { Tone5_Show(); }

void frm_5tone::MSF_Encode_LeaveCell() {
  const int r = MSF_Encode->Row(), c = MSF_Encode->Col();
  if (r < 1 || r > Tone5_Encode_Count) return;
  if (c >= 1 && c <= 3 && !Text_Encode->isHidden()) {
    const QString t = Text_Encode->Text().trimmed();
    if (!t.isEmpty() && t.size() != Tone5_Frame_Len) {
      // The move is refused: the box stays over its cell, which stays
      // current, so what is typed next still goes into that frame.
      MSF_Encode->Refuse_Leave();
      Msg_Box(kFrameDigits.Get(), Msg_Icon::Exclamation, kDigitsTitle.Get());
      if (Unloaded()) return;
      Text_Encode->setFocus();
      return;
    }
  }
  Combo_Encode->hide();
  Text_Encode->hide();
  // Frame 1 emptied by the user's own edit: the whole entry goes. An entry
  // merely drawn without frame 1 keeps what the image holds.
  const bool emptied = c == 1 && Frame_Edited && Tone5_Frame_Text(r, 0).trimmed().isEmpty();
  Frame_Edited = false;
  if (emptied) Tone5_Entry_Clear(r);
  // Every edit went into the image as it was made: the row shows it.
  Encode_Row_Show(r);
  Text_Encode->Set_Text(QString());
}

void frm_5tone::MSF_Encode_DblClick() {
  const int r = MSF_Encode->Mouse_Row();
  if (MSF_Encode->Mouse_Col() != 0 || r < 1 || r > Tone5_Encode_Count) return;
  // A cleared entry is cleared in the image too, so a Write does not send
  // it, and the row shows the empty entry.
  Tone5_Entry_Clear(r);
  Encode_Row_Show(r);
}

void frm_5tone::Combo_Encode_Click() {
  const int r = MSF_Encode->Row();
  if (r < 1 || r > Tone5_Encode_Count || Combo_Encode->List_Index() < 0) return;
  Radio_Image[Tone5_Encode_Row + r - 1][Tone5_Entry_Std] = static_cast<int16_t>(Combo_Encode->List_Index());
  // The cell under the list shows the pick at once.
  if (MSF_Encode->Col() == 4) MSF_Encode->Set_Text(Tone5_Encode_Cell(r, 4));
}

// ---- decode page ------------------------------------------------------------------------------------

void frm_5tone::MSF_Decode_Click() {
  Decode_EditCell();
  if (Unloaded()) return;
  if (MSF_Decode->Mouse_Col() == 0) {
    Combo_Decode->hide();
    Text_Decode->hide();
  }
}

void frm_5tone::Decode_EditCell() {
  const int r = MSF_Decode->Mouse_Row(), c = MSF_Decode->Mouse_Col();
  if (r >= 1) MSF_Decode->Set_Row(r);
  MSF_Decode->Set_Col(c);
  if (r < 1) return;
  Frame_Dec_xx->setTitle(Lang_Flag ? QString::number(r) + QString::fromUtf8(" 信息码各组编码成功解码后执行操作")
                                   : "Execute after Code " + QString::number(r) + " Decode Succeeded ");
  Action_Entry = r - 1;
  const bool placed = !(c > 1 && MSF_Decode->Text_At(r, 1).isEmpty());
  if (placed && (c == 1 || c == 3 || c == 5 || c == 7)) {
    Float_Over(Combo_Decode, MSF_Decode, false);
    Combo_Decode->setFocus();
    Combo_Decode->Clear_Items();
    if (c == 1) {
      Combo_Decode->Add_Items(Tone5_Std_Names());
    } else {
      for (const QString& f : Func_List) Combo_Decode->Add_Item(f);
    }
    Combo_Decode->Set_List_Index(0);
    Undo_Text = MSF_Decode->Text();
    Combo_Decode->Set_Text(MSF_Decode->Text());
    MSF_Decode->Float_Editor(Combo_Decode, MSF_Decode->Row(), MSF_Decode->Col(), false);
  } else if (placed && (c == 2 || c == 4 || c == 6 || c == 8)) {
    Float_Over(Text_Decode, MSF_Decode, true);
    Text_Decode->setFocus();
    Text_Decode->Set_Text(MSF_Decode->Text());
    if (Unloaded()) return;
  }
  Action_Show(Action_Entry);
}

void frm_5tone::MSF_Decode_LeaveCell() {
  const int r = MSF_Decode->Row(), c = MSF_Decode->Col();
  if (r < 1) return;
  if (c == 1 || c == 3 || c == 5 || c == 7) {
    if (!Combo_Decode->isHidden()) MSF_Decode->Set_Text(Combo_Decode->Text());
    if (c > 1 && MSF_Decode->Text_At(r, c - 1).isEmpty()) MSF_Decode->Set_Text_At(r, c, QString());
  }
  if ((c == 2 || c == 4 || c == 6 || c == 8) && !Text_Decode->isHidden()) {
    const QString t = Text_Decode->Text().trimmed();
    if (t.size() == 5) {
      MSF_Decode->Set_Text(Text_Decode->Text());
    } else if (!t.isEmpty()) {
      Msg_Box(kFrameDigits.Get(), Msg_Icon::Exclamation, kDigitsTitle.Get());
      if (Unloaded()) return;
      Text_Decode->setFocus();
      return;
    }
    Text_Decode->hide();
  }
  if (MSF_Decode->Text_At(r, 1).trimmed().isEmpty()) Decode_ClearRow(r);
  Combo_Decode->hide();
  Text_Decode->hide();
  Text_Decode->Set_Text(QString());
}

void frm_5tone::Decode_ClearRow(int r) {
  for (int c = 1; c <= 8; ++c) MSF_Decode->Set_Text_At(r, c, QString());
  Text_Decode->Set_Text(QString());
  Combo_Decode->Set_Text(QString());
}

void frm_5tone::MSF_Decode_DblClick() {
  const int r = MSF_Decode->Mouse_Row();
  if (MSF_Decode->Mouse_Col() != 0 || r < 1 || r > 15) return;
  for (int c = 1; c <= 8; ++c) MSF_Decode->Set_Text_At(r, c, QString());
  for (int k = 0; k < 8; ++k) Action_Flags[r - 1][k] = 0;
  Action_Entry = r - 1;
  Action_Show(Action_Entry);
}

void frm_5tone::Text_Decode_Change() {
  const QString t = Text_Decode->Text();
  if (t.size() >= 6) {
    Msg_Box(kDecodeDigits.Get(), Msg_Icon::Exclamation, kDigitsTitle.Get());
    return;
  }
  for (QChar ch : t) {
    if (Hex_Upper(ch)) continue;
    Msg_Box(kHexOnly.Get(), Msg_Icon::Exclamation, kDigitsTitle.Get());
    if (Unloaded()) return;
  }
}

void frm_5tone::Check_Dec_back_Click() {
  const bool on = Check_Dec_back->Value() != 0;
  Check_Dec_Bcl->setEnabled(on);
  Combo_Dec_Back_Time->setEnabled(on);
  Label8->setEnabled(on);
}

void frm_5tone::Action_Save(int e) {
  if (Action_Busy || e < 0 || e > 16) return;
  for (int f = 0; f < 3; ++f) {
    Action_Flags[e][2 * f] = static_cast<int16_t>(Check_Disp[f]->Value() * 1 + Check_Led[f]->Value() * 2 +
                                                  Check_Kz[f]->Value() * 4 + Check_Ts[f]->Value() * 8);
    int zh = 0;
    for (int k = 0; k < 5; ++k) zh += Check_zh[k][f]->Value() << k;
    Action_Flags[e][2 * f + 1] = static_cast<int16_t>(zh);
  }
}

void frm_5tone::Action_Show(int e) {
  if (e < 0 || e > 16) return;
  Action_Busy = true;
  for (int f = 0; f < 3; ++f) {
    const int a = Action_Flags[e][2 * f], z = Action_Flags[e][2 * f + 1];
    Check_Disp[f]->Set_Value(a & 1);
    Check_Led[f]->Set_Value(a & 2);
    Check_Kz[f]->Set_Value(a & 4);
    Check_Ts[f]->Set_Value(a & 8);
    for (int k = 0; k < 5; ++k) Check_zh[k][f]->Set_Value((z >> k) & 1);
  }
  Action_Busy = false;
}

// ---- signalling file ------------------------------------------------------------------------------------

void frm_5tone::Timer4_Timer() {
  // A request made during a transfer waits until the transfer has ended.
  Serve_File_Requests(*this, engine_->Area_Busy(), Sig_Open_Flag, [this] { Tone5_FileLoad(); }, Sig_Save_Flag,
                      [this] { Tone5_FileSave(); });
}

void frm_5tone::File_Message(const QString& zh, const QString& en) {
  Msg_Box(Lang_Flag ? zh : en, Msg_Icon::Exclamation, link_text::Title_Upper.Get());
}

void frm_5tone::Tone5_FileLoad() {
  Tone5_File_Table file{};
  QString why;
  if (!Sig_File_Read(File_Path, true, &file, &why)) {
    File_Message(QString::fromUtf8("信令参数文件调入失败（") + why + QString::fromUtf8("），参数未改变 ！"),
                 "Could not fold the Signal parameters from file (" + why + "); nothing was changed.");
    return;
  }
  Sig_Buffer = file;
  Tone5_File_Apply(file);
  Tone5_Show();
  File_Message(QString::fromUtf8("信令参数从文件调入成功 ！"), "Succeed fold the Signal parameters from file.");
  if (Unloaded()) return;
  ProgressBar1->hide();
  ProgressBar1->setValue(0);
  Label_tr_count->clear();
}

void frm_5tone::Tone5_FileSave() {
  Tone5_File_Table kept = Sig_Buffer;
  QString why;
  // Lines 144..255 of a file being replaced survive the save; a file whose
  // lines cannot be read is left alone rather than lose them.
  if (QFileInfo::exists(File_Path) && !Sig_File_Read(File_Path, false, &kept, &why)) {
    File_Message(QString::fromUtf8("信令参数未保存（") + why + QString::fromUtf8("），原文件未改变 ！"),
                 "Signal parameters not stored (" + why + "); the file was left as it was.");
    return;
  }
  const Tone5_File_Table built = Tone5_File_Build(kept, Decode_Page());
  if (!Sig_File_Write(File_Path, built, &why)) {
    File_Message(QString::fromUtf8("信令参数保存失败（") + why + QString::fromUtf8("） ！"),
                 "Storing Signal parameters failed (" + why + ").");
    return;
  }
  Sig_Buffer = built;
  File_Message(QString::fromUtf8("信令参数保存完毕 ！"), "Complete storing Signal parameters.");
}

Tone5_Decode_Page frm_5tone::Decode_Page() const {
  Tone5_Decode_Page p;
  for (int r = 1; r <= 15; ++r)
    for (int c = 0; c < 9; ++c) p.cells[r][c] = MSF_Decode->Text_At(r, c);
  for (int e = 0; e < 15; ++e)
    for (int k = 0; k < 6; ++k) p.actions[e][k] = Action_Flags[e][k];
  p.reset_index = Combo_Dec_Res_Time->List_Index();
  p.reply = Check_Dec_back->Value() != 0;
  p.reply_when_idle = Check_Dec_Bcl->Value() != 0;
  p.reply_delay_index = Combo_Dec_Back_Time->List_Index();
  return p;
}
