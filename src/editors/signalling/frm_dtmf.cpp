#include "frm_dtmf.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "editors/signalling/digit_codes.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/dtmf_fields.h"
#include "files/file_dialogs.h"
#include "link/dtmf_link.h"
#include "link/link_texts.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"

namespace {
// Rights bits, left to right: inspection, monitor, stun, kill, revive.
constexpr int Rights_Count = 5;

}  // namespace

frm_dtmf::frm_dtmf() {
  engine_ = new Link_Engine(Dtmf_Link_Profile([this] { Dtmf_Show(); }), this);

  Frame_Encode = new QGroupBox(this);
  Label_encode_xh = new QLabel(Frame_Encode);
  Label_tx_encode = new QLabel(Frame_Encode);
  for (int i = 0; i < 15; ++i) {
    Label_xh[i] = new QLabel(Frame_Encode);
    Label_xh[i]->setAlignment(Qt::AlignCenter);
    Text_tx_Encode[i] = new Vb_Text(Frame_Encode);
  }
  Label_dtmf_ontime = new QLabel(Frame_Encode);
  Combo_Enc_ys1 = new Vb_Combo(Frame_Encode);
  Label_dtmf_offtime = new QLabel(Frame_Encode);
  Combo_Enc_ys2 = new Vb_Combo(Frame_Encode);
  Frame_State = new QGroupBox(Frame_Encode);
  Check_RX = new Vb_Check(Frame_State);
  Check_Tx = new Vb_Check(Frame_State);

  Frame_Decode = new QGroupBox(this);
  Frame_jm = new QGroupBox(Frame_Decode);
  QLabel** code_labels[6] = {&Label_xc, &Label_jt, &Label_bj, &Label_yy, &Label_yb, &Label_kj};
  Vb_Text** code_texts[6] = {&Text_XC, &Text_JT, &Text_BJ, &Text_YY, &Text_YB, &Text_KJ};
  for (int k = 0; k < 6; ++k) {
    *code_labels[k] = new QLabel(Frame_jm);
    *code_texts[k] = new Vb_Text(Frame_jm);
  }
  Label_Group_code = new QLabel(Frame_Decode);
  Combo_Dec_qh = new Vb_Combo(Frame_Decode, true);
  Label_Dec_Space_Code = new QLabel(Frame_Decode);
  Combo_Dec_Space_Code = new Vb_Combo(Frame_Decode, true);
  Label_Rece_End_ProcDelay = new QLabel(Frame_Decode);
  Combo_Dec_Proc_Ys = new Vb_Combo(Frame_Decode);
  Label_Reset_Time = new QLabel(Frame_Decode);
  Combo_Dec_Res_Time = new Vb_Combo(Frame_Decode);

  Frame_Ctrl = new QGroupBox(Frame_Decode);
  Check_Ctrl_En = new Vb_Check(Frame_Ctrl);
  Label_xcjtyyybkj_2 = new QLabel(Frame_Ctrl);
  Label_xcjtyyybkj_1 = new QLabel(Frame_Ctrl);
  Label_PID = new QLabel(Frame_Ctrl);
  Text_MID = new Vb_Text(Frame_Ctrl);
  Label_SID = new QLabel(Frame_Ctrl);
  Text_SID = new Vb_Text(Frame_Ctrl);
  for (int k = 0; k < Rights_Count; ++k) {
    Check_M[k] = new Vb_Check(Frame_Ctrl);
    Check_S[k] = new Vb_Check(Frame_Ctrl);
  }

  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_def = new QPushButton(this);
  Command_open = new QPushButton(this);
  Command_save = new QPushButton(this);
  Command_close = new QPushButton(this);
  Label_PassWord = new QLabel(this);
  Text_PassWord = new Vb_Text(this);
  Text_PassWord->setText("580417");
  Label_PassWord->hide();
  Text_PassWord->hide();
  // The text shown at load does not count; every change after it does.
  Text_PassWord->Change = [this] { Link_Engine::Text_PassWord_Change(Text_PassWord->Text()); };
  Label_tr_count = new QLabel(this);
  ProgressBar1 = New_Transfer_Bar(this);
  engine_->Set_View(ProgressBar1, Label_tr_count);

  // Code boxes: each keeps its row equal to its text.
  for (int i = 0; i < 15; ++i) Code_Box[i] = Text_tx_Encode[i];
  for (int k = 0; k < 6; ++k) Code_Box[15 + k] = *code_texts[k];
  Code_Box[21] = Text_MID;
  Code_Box[22] = Text_SID;
  for (int k = 0; k < Dtmf_Code_Box_Count; ++k) {
    Vb_Text* box = Code_Box[k];
    const int row = Dtmf_Code_Boxes[k].row;
    box->setObjectName(Dtmf_Code_Boxes[k].name);
    box->Set_Key_Filter(Dtmf_Code_Filter());
    box->KeyPress = [box](int& key) { Dtmf_Code_KeyPress(key, box->Text()); };
    box->Change = [box, row] { Dtmf_RowPut(row, box->Text()); };
    box->LostFocus = [this, k] { Code_Box_LostFocus(k); };
  }

  // Lists: a pick stores its index (or its digit code); typed keys are refused.
  Vb_Combo* lists[Dtmf_List_Count] = {Combo_Enc_ys1,     Combo_Enc_ys2,    Combo_Dec_qh,
                                      Combo_Dec_Space_Code, Combo_Dec_Proc_Ys, Combo_Dec_Res_Time};
  for (int id = 0; id < Dtmf_List_Count; ++id) {
    Vb_Combo* l = lists[id];
    const Dtmf_List& d = Dtmf_Lists[id];
    l->setObjectName(d.name);
    l->Set_Typing_Rule(Typing_Rule::Refused);
    l->KeyPress = [](int& key) { key = 0; };
    l->Click = [l, d] {
      if (d.digit_code)
        Img_Set(d.row, d.byte, Dtmf_c2b(l->Text()));
      else if (l->List_Index() >= 0)
        Img_Set(d.row, d.byte, l->List_Index());
    };
  }

  Check_Ctrl_En->Click = [this] { Check_Ctrl_En_Click(); };
  for (int k = 0; k < Rights_Count; ++k) {
    Vb_Check* m = Check_M[k];
    Vb_Check* s = Check_S[k];
    m->Click = [m, k] { Dtmf_Bit_Put({Dtmf_Master_Rights, 1 << k}, m->Value() != 0); };
    s->Click = [s, k] { Dtmf_Bit_Put({Dtmf_Vice_Rights, 1 << k}, s->Value() != 0); };
  }
  Check_RX->Click = [this] { Dtmf_Bit_Put({Dtmf_Radio_State, 1}, Check_RX->Value() != 0); };
  Check_Tx->Click = [this] { Dtmf_Bit_Put({Dtmf_Radio_State, 2}, Check_Tx->Value() != 0); };

  Connect_Commands(this);
  Lock_Area_While_Busy(this, *engine_);
}

bool frm_dtmf::Busy() const { return engine_->Busy(); }

void frm_dtmf::Lay_Out() {
  // Controls in pixels; the window itself follows the main window's size.
  Frame_Encode->setGeometry(8, 4, 372, 404);
  Label_encode_xh->setGeometry(8, 16, 60, 18);
  Label_tx_encode->setGeometry(72, 16, 150, 18);
  for (int i = 0; i < 15; ++i) {
    Label_xh[i]->setGeometry(8, 36 + 24 * i, 56, 22);
    Text_tx_Encode[i]->setGeometry(66, 36 + 24 * i, 150, 22);
  }
  Label_dtmf_ontime->setGeometry(224, 36, 144, 18);
  Combo_Enc_ys1->setGeometry(224, 56, 100, 24);
  Label_dtmf_offtime->setGeometry(224, 92, 144, 18);
  Combo_Enc_ys2->setGeometry(224, 112, 100, 24);
  Frame_State->setGeometry(224, 158, 140, 84);
  Check_RX->setGeometry(10, 24, 124, 22);
  Check_Tx->setGeometry(10, 52, 124, 22);

  Frame_Decode->setGeometry(386, 4, 512, 404);
  Frame_jm->setGeometry(8, 18, 236, 180);
  QLabel* code_labels[6] = {Label_xc, Label_jt, Label_bj, Label_yy, Label_yb, Label_kj};
  Vb_Text* code_texts[6] = {Text_XC, Text_JT, Text_BJ, Text_YY, Text_YB, Text_KJ};
  for (int k = 0; k < 6; ++k) {
    code_labels[k]->setGeometry(8, 10 + 28 * k, 80, 22);
    code_texts[k]->setGeometry(90, 10 + 28 * k, 138, 22);
  }
  Label_Group_code->setGeometry(254, 18, 250, 18);
  Combo_Dec_qh->setGeometry(254, 38, 110, 24);
  Label_Dec_Space_Code->setGeometry(254, 64, 250, 18);
  Combo_Dec_Space_Code->setGeometry(254, 84, 110, 24);
  Label_Rece_End_ProcDelay->setGeometry(254, 110, 250, 18);
  Combo_Dec_Proc_Ys->setGeometry(254, 130, 110, 24);
  Label_Reset_Time->setGeometry(254, 156, 250, 18);
  Combo_Dec_Res_Time->setGeometry(254, 176, 110, 24);

  Frame_Ctrl->setGeometry(8, 206, 496, 190);
  Check_Ctrl_En->setGeometry(10, 22, 480, 22);
  Label_PID->setGeometry(4, 100, 112, 22);
  Text_MID->setGeometry(118, 100, 104, 22);
  Label_SID->setGeometry(4, 138, 112, 22);
  Text_SID->setGeometry(118, 138, 104, 22);

  ProgressBar1->setGeometry(8, 414, 300, 18);
  Label_tr_count->setGeometry(316, 414, 580, 18);
  QPushButton* buttons[6] = {Command_read, Command_Write, Command_def,
                             Command_save, Command_open, Command_close};
  for (int k = 0; k < 6; ++k) buttons[k]->setGeometry(188 + 120 * k, 438, 96, 28);
  Label_PassWord->setGeometry(8, 442, 80, 20);
  Text_PassWord->setGeometry(90, 442, 80, 22);
}

// The two header lines place the five right names over their columns with
// blanks; each check-box column stands under the middle of its name, the
// lines themselves flush with the frame's right edge.
void frm_dtmf::Place_Rights_Columns() {
  const QFontMetrics fm = Label_xcjtyyybkj_1->fontMetrics();
  const QString upper = Label_xcjtyyybkj_2->text(), lower = Label_xcjtyyybkj_1->text();
  const int text_w = std::max(fm.horizontalAdvance(upper), fm.horizontalAdvance(lower));
  const int left = Frame_Ctrl->width() - 12 - text_w;
  Label_xcjtyyybkj_2->setGeometry(left, 50, text_w + 4, 18);
  Label_xcjtyyybkj_1->setGeometry(left, 68, text_w + 4, 18);
  // The names in column order, and the line each stands on.
  struct Name { const char* zh; const char* en; bool en_upper; };
  constexpr Name names[Rights_Count] = {{"巡查", "Inspection", true}, {"监听", "Monitor", false},
                                        {"遥晕", "Stun", true},        {"遥毙", "Kill", false},
                                        {"开机", "Revive", true}};
  for (int k = 0; k < Rights_Count; ++k) {
    const QString word = Lang_Pick(names[k].zh, names[k].en);
    const QString& line = Lang_Flag ? lower : (names[k].en_upper ? upper : lower);
    const int at = static_cast<int>(line.indexOf(word));
    const int centre = at < 0 ? left + 40 * k
                              : left + fm.horizontalAdvance(line.left(at)) + fm.horizontalAdvance(word) / 2;
    Check_M[k]->setGeometry(centre - 8, 100, 22, 22);
    Check_S[k]->setGeometry(centre - 8, 138, 22, 22);
  }
}

void frm_dtmf::Captions() {
  setWindowTitle(Lang_Pick("DTMF 编解码参数编辑", "DTMF Encode/Decode "));
  Frame_Encode->setTitle(Lang_Pick("DTMF 编码", "DTMF Encode"));
  Label_encode_xh->setText(Lang_Pick("编码码组", "Number"));
  Label_tx_encode->setText(Lang_Pick("发送编码", " Code "));
  Label_dtmf_ontime->setText(Lang_Pick("发码持续时间（MS）", "DTMF Speed (On Time)"));
  Label_dtmf_offtime->setText(Lang_Pick("发码间断时间（MS）", "DTMF Speed (Off Time)"));
  Label_Group_code->setText(Lang_Pick("群呼码", "Group Code"));
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写  入", "Write"));
  Command_def->setText(Lang_Pick("默 认", "Default"));
  Command_save->setText(Lang_Pick("保  存", "Save"));
  Command_open->setText(Lang_Pick("打  开", "Open"));
  Command_close->setText(Lang_Pick("关  闭", "Close"));
  Label_PassWord->setText(Lang_Pick("读写密码", "PassWord"));
  Frame_State->setTitle(Lang_Pick("本机状态", "State"));
  Check_RX->setText(Lang_Pick("接收禁止", "RX Disable"));
  Check_Tx->setText(Lang_Pick("发射禁止", "TX Disable"));
  Frame_Decode->setTitle(Lang_Pick("DTMF 解码", "DTMF Decode"));
  Label_xc->setText(Lang_Pick("巡 查 码", "Inspection"));
  Label_jt->setText(Lang_Pick("监 听 码", "Monitor"));
  Label_bj->setText(Lang_Pick("报 警 码", "Alarm"));
  Label_yy->setText(Lang_Pick("遥 晕 码", "Stun"));
  Label_yb->setText(Lang_Pick("遥 毙 码", "Kill"));
  Label_kj->setText(Lang_Pick("开 机 码", "Revive"));
  Frame_Ctrl->setTitle(Lang_Pick("控制ID码及控制权限", "Control ID code and control right"));
  Label_xcjtyyybkj_2->setText(
      Lang_Pick("", "      Inspection             Stun                 Revive "));
  Label_xcjtyyybkj_1->setText(Lang_Pick("巡查      监听     遥晕     遥毙      开机 ",
                                        "              Monitor                Kill"));
  Check_Ctrl_En->setText(
      Lang_Pick("接受主副ID控制", "Function Control by master and vice ID code"));
  Label_PID->setText(Lang_Pick("主控ID码", "Master Control ID"));
  Label_SID->setText(Lang_Pick("副控ID码", "Vice Control ID"));
  Label_Dec_Space_Code->setText(Lang_Pick("码组间隔码", "Space Code"));
  Label_Reset_Time->setText(Lang_Pick("复位时间(ms)", "Reset Time(ms)"));
  Label_Rece_End_ProcDelay->setText(
      Lang_Pick("收码结束延迟处理时间(ms)", "Delay processing time (ms)"));
  Label_PID->setAlignment(Qt::AlignCenter);
  Label_SID->setAlignment(Qt::AlignCenter);
  Place_Rights_Columns();
}

void frm_dtmf::Form_Load() {
  Enc_Page = Dtmf_Encode_Page;
  Dec_Page = Dtmf_Decode_Page;
  const QSizeF main = Main_Frame_Twips(), client = Main_Client_Twips();
  const double w = main.width() / 1.4, h = main.height() / 1.55;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Lay_Out();
  Show_As_Child();
  if (Host()) {
    // The size rule gives the outer size of the child window, frame included.
    Host()->resize(Twips_To_Px(w), Twips_To_Px(h));
    Host()->move(Twips_To_Px((client.width() - w) / 2), Twips_To_Px((client.height() - h) / 2));
  }
  Frame_Encode->setVisible(true);
  Captions();
  Engine_Idle(*engine_);
  ProgressBar1->setValue(0);
  ProgressBar1->hide();
  Dtmf_InitControls();
  Dtmf_Show();
}

void frm_dtmf::Dtmf_InitControls() {
  Vb_Combo* lists[Dtmf_List_Count] = {Combo_Enc_ys1,     Combo_Enc_ys2,    Combo_Dec_qh,
                                      Combo_Dec_Space_Code, Combo_Dec_Proc_Ys, Combo_Dec_Res_Time};
  for (int id = 0; id < Dtmf_List_Count; ++id) {
    lists[id]->Clear_Items();
    lists[id]->Add_Items(Dtmf_List_Items(static_cast<Dtmf_List_Id>(id)));
  }
  for (int i = 0; i < 15; ++i) Label_xh[i]->setText(QString::number(i + 1));
}

void frm_dtmf::Dtmf_Show() {
  if (Unloaded()) return;
  for (int i = 0; i < 15; ++i) Text_tx_Encode[i]->Set_Text(Dtmf_Code_Text(Enc_Page * 16 + i));
  const int timing = Enc_Page * 16 + 15, settings = Dec_Page * 16 + 15;
  Combo_Enc_ys1->Set_List_Index(List_Pick(Img_Byte(timing, Dtmf_On_Time), Combo_Enc_ys1->List_Count()));
  Combo_Enc_ys2->Set_List_Index(List_Pick(Img_Byte(timing, Dtmf_Off_Time), Combo_Enc_ys2->List_Count()));
  for (int k = 15; k < Dtmf_Code_Box_Count; ++k)
    Code_Box[k]->Set_Text(Dtmf_Code_Text(Dtmf_Code_Boxes[k].row));
  Check_Ctrl_En->Set_Value(Img_Byte(settings, Dtmf_Id_Control) != 0 ? 1 : 0);
  // Unticking clears a bit that ticking sets again: read the rights first.
  const int m = Img_Byte(settings, Dtmf_Master_Rights);
  for (auto* c : Check_M) c->Set_Value(0);
  for (int k = 0; k < Rights_Count; ++k)
    if (m & (1 << k)) Check_M[k]->Set_Value(1);
  const int s = Img_Byte(settings, Dtmf_Vice_Rights);
  for (auto* c : Check_S) c->Set_Value(0);
  for (int k = 0; k < Rights_Count; ++k)
    if (s & (1 << k)) Check_S[k]->Set_Value(1);
  const int state = Img_Byte(settings, Dtmf_Radio_State);
  Check_RX->Set_Value(state & 1);
  Check_Tx->Set_Value(state & 2);
  // The group and space codes show their stored code as text; a code that
  // is none of the items shows no selection and stores nothing.
  for (Vb_Combo* l : {Combo_Dec_qh, Combo_Dec_Space_Code}) {
    const int byte = l == Combo_Dec_qh ? Dtmf_Group_Code : Dtmf_Space_Code;
    const QString t = Dtmf_b2c(Img_Byte(settings, byte));
    l->Show_Index_Quiet(t.isEmpty() ? -1 : l->findText(t, Qt::MatchExactly));
    l->Set_Text(t);
  }
  Combo_Dec_Proc_Ys->Set_List_Index(
      List_Pick(Img_Byte(settings, Dtmf_Delay_Time), Combo_Dec_Proc_Ys->List_Count()));
  Combo_Dec_Res_Time->Set_List_Index(
      List_Pick(Img_Byte(settings, Dtmf_Reset_Time), Combo_Dec_Res_Time->List_Count()));
  Id_Controls_Enable(Check_Ctrl_En->Value() != 0);
}

void frm_dtmf::Id_Controls_Enable(bool on) {
  Text_MID->setEnabled(on);
  Text_SID->setEnabled(on);
  for (int k = 0; k < Rights_Count; ++k) {
    Check_M[k]->setEnabled(on);
    Check_S[k]->setEnabled(on);
  }
}

void frm_dtmf::Check_Ctrl_En_Click() {
  const bool on = Check_Ctrl_En->Value() != 0;
  Id_Controls_Enable(on);
  Img_Set(Dec_Page * 16 + 15, Dtmf_Id_Control, on ? 1 : 0);
}

void frm_dtmf::Code_Box_LostFocus(int) { Dtmf_Show(); }

void frm_dtmf::Command_read_Click() { engine_->Command_read_Click(); }
void frm_dtmf::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_dtmf::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  Dtmf_Default();
  Dtmf_Show();
}

void frm_dtmf::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_open_chann>();
}

void frm_dtmf::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_save_chann>();
}

void frm_dtmf::Command_close_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Close_Editor<Form_open_menu, Form_save_menu>(*this, *engine_);
}

bool frm_dtmf::Form_Query_Close() {
  // Closing the window would cut a transfer off half-way: refuse while one runs.
  return !Refuse_While_Busy(Busy(), editor_text::Close_Busy);
}

void frm_dtmf::Form_Unload() { engine_->Shut_Down(); }

void frm_dtmf::Form_Activate() { Dtmf_Show(); }
