#include "frm_2tone.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "editors/signalling/tone2_area.h"
#include "editors/signalling/dtmf_fields.h"
#include "editors/signalling/tone2_grids.h"
#include "files/file_dialogs.h"
#include "link/link_texts.h"
#include "link/tone2_link.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"

namespace {
constexpr Zh_En Range_Text{"频率范围在 300.0 HZ - 3000.0 HZ 之间  ！", "Frequency range 300Hz to 3000Hz"};
constexpr Zh_En Range_Title{"操作提示", "Operate Prompt\""};
constexpr Zh_En Dec_Caption{" 解码信息两音频率", " Decode 2 Tone Frequency"};

constexpr const char* Encode_Format_Zh = "^ 信息码 |^ 第 1 个频率(HZ) |^ 第 2 个频率(HZ) ";
constexpr const char* Encode_Format_En = "^ Code|^ 1st Frequency(HZ)|^ 2nd Frequency(HZ)";
constexpr const char* Decode_Format_Zh =
    "^ 信息码|^解码1|^   响 应 方 式  |^提示|^解码2|^   响 应 方 式  |^提示|^解码3|^   响 应 方 式  "
    "|^提示|^解码4|^   响 应 方 式  |^提示";
constexpr const char* Decode_Format_En =
    "^ Code|^Dec_1|^    Response   |^Alert|^Dec_2|^   Response   |^Alert|^Dec_3|^   Response   "
    "|^Alert|^Dec_4|^   Response   |^Alert";

constexpr int Page_Height_Twips = 6100;

// A label to the left of its control, right-aligned, wrapping when long.
QLabel* Side_Label(QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setWordWrap(true);
  return l;
}
}  // namespace

frm_2tone::frm_2tone() {
  engine_ = new Link_Engine(Tone2_Link_Profile([this] { Tone2_Show(); }), this);

  TabStrip1 = new Vb_TabStrip(this);
  Frame_Encode = new QGroupBox(this);
  MSF_Encode = new Vb_Grid(Frame_Encode, 1);
  Text_Encode = new Vb_Text(Frame_Encode);
  Text_Encode->hide();
  Label_1st = Side_Label(Frame_Encode);
  Label_2nd = Side_Label(Frame_Encode);
  Label_gap = Side_Label(Frame_Encode);
  Combo_Enc_ys1 = new Vb_Combo(Frame_Encode);
  Combo_Enc_ys2 = new Vb_Combo(Frame_Encode);
  Combo_enc_ys3 = new Vb_Combo(Frame_Encode);

  Frame_Decode = new QGroupBox(this);
  MSF_Decode = new Vb_Grid(Frame_Decode, 1);
  Combo_Decode = new Vb_Combo(Frame_Decode, true);
  Combo_Decode->hide();
  Frame_Dec_xx = new QGroupBox(Frame_Decode);
  Label_A_tone = Side_Label(Frame_Dec_xx);
  Label_B_Tone = Side_Label(Frame_Dec_xx);
  Label_C_Tone = Side_Label(Frame_Dec_xx);
  Label_D_Tone = Side_Label(Frame_Dec_xx);
  Text_A = new Vb_Text(Frame_Dec_xx);
  Text_B = new Vb_Text(Frame_Dec_xx);
  Text_C = new Vb_Text(Frame_Dec_xx);
  Text_D = new Vb_Text(Frame_Dec_xx);
  Label_Reset = Side_Label(Frame_Decode);
  Combo_Dec_Res_Time = new Vb_Combo(Frame_Decode);

  ProgressBar1 = New_Transfer_Bar(this);
  Label_tr_count = new QLabel(this);
  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_def = new QPushButton(this);
  Command_save = new QPushButton(this);
  Command_open = new QPushButton(this);
  Command_close = new QPushButton(this);
  Label_PassWord = new QLabel(this);
  Label_PassWord->setText(QString::fromUtf8("读写密码"));
  Text_PassWord = new Vb_Text(this);
  Text_PassWord->setText("580417");
  Label_PassWord->hide();
  Text_PassWord->hide();
  // The text shown at load does not count; every change after it does.
  Text_PassWord->Change = [this] { Link_Engine::Text_PassWord_Change(Text_PassWord->Text()); };
  engine_->Set_View(ProgressBar1, Label_tr_count);

  TabStrip1->Click = [this] { TabStrip1_Click(); };
  MSF_Encode->Click = [this] { MSF_Encode_Click(); };
  MSF_Encode->LeaveCell = [this] { MSF_Encode_LeaveCell(); };
  MSF_Decode->Click = [this] { MSF_Decode_Click(); };
  MSF_Decode->LeaveCell = [this] { MSF_Decode_LeaveCell(); };
  MSF_Decode->DblClick = [this] { MSF_Decode_DblClick(); };
  MSF_Encode->Attach_Editor(Text_Encode);
  MSF_Decode->Attach_Editor(Combo_Decode);

  Text_Encode->Set_Key_Filter(Tone2_Encode_Filter());
  Combo_Decode->Set_Typing_Rule(Typing_Rule::Put_Back, &Undo_Text);
  Combo_Decode->Click = [this] { Combo_Decode_Click(); };
  Combo_Decode->GotFocus = [this] { Combo_Decode_GotFocus(); };
  Combo_Decode->Change = [this] { Combo_Decode_Change(); };
  for (int t = 0; t < 4; ++t) {
    Vb_Text* box = Tone_Box(t);
    box->Set_Key_Filter(Tone2_Tone_Filter());
    box->KeyPress = [box](int& key) { Tone2_Tone_KeyPress(key, box->Text()); };
    box->LostFocus = [this, t] {
      // Another window coming up (a message box, another program) takes
      // the focus only for a while: the box is not left, nothing is stored.
      if (tone_focus_out_ == Qt::ActiveWindowFocusReason) return;
      Tone_Box_LostFocus(t);
    };
    box->installEventFilter(this);
  }

  Vb_Combo* lists[Tone2_List_Count] = {Combo_Enc_ys1, Combo_Enc_ys2, Combo_enc_ys3,
                                       Combo_Dec_Res_Time};
  for (int id = 0; id < Tone2_List_Count; ++id) {
    Vb_Combo* l = lists[id];
    const Tone2_List& d = Tone2_Lists[id];
    l->setObjectName(d.name);
    l->Set_Typing_Rule(Typing_Rule::Refused);
    l->KeyPress = [](int& key) { key = 0; };
    l->Click = [l, d] {
      if (l->List_Index() >= 0) Img_Set(d.row, d.byte, l->List_Index());
    };
  }

  Connect_Commands(this);
  Lock_Area_While_Busy(this, *engine_);
}

bool frm_2tone::Busy() const { return engine_->Busy(); }

Vb_Text* frm_2tone::Tone_Box(int t) const {
  switch (t) {
    case 0: return Text_A;
    case 1: return Text_B;
    case 2: return Text_C;
    default: return Text_D;
  }
}

void frm_2tone::Lay_Out() {
  // The design places every control in twips; the two grids grow to show
  // all their rows and columns (in the font's row height), and what stands
  // below or beside them moves along, the page and the tab strip with them.
  const auto px = [](int twips) { return Twips_To_Px(twips); };
  Place_Control_Twips(TabStrip1, 120, 120, static_cast<int>(Px_To_Twips(width()) / 1.02), 6735);
  const QRect probe = TabStrip1->Client_Rect();
  const int frame_rule = static_cast<int>(Px_To_Twips(probe.width()));
  const QSize enc(std::max(px(static_cast<int>(frame_rule / 3.08)), MSF_Encode->Whole_Size().width()),
                  std::max(px(3975), MSF_Encode->Whole_Size().height()));
  const QSize dec(std::max(px(static_cast<int>(frame_rule / 1.02)), MSF_Decode->Whole_Size().width()),
                  std::max(px(4000), MSF_Decode->Whole_Size().height()));
  const int frame_w = std::max(probe.width(), std::max(px(120) + dec.width(), px(120) + enc.width()) + px(120));
  const int dec_dy = dec.height() - px(4000);  // what the decode grid adds below it
  const int page_h = std::max(px(Page_Height_Twips), px(240) + enc.height() + px(120)) + std::max(0, dec_dy);
  TabStrip1->resize(TabStrip1->width() + frame_w - probe.width(),
                    TabStrip1->height() + page_h - px(Page_Height_Twips));
  const QRect client = TabStrip1->Client_Rect();
  for (QGroupBox* f : {Frame_Encode, Frame_Decode}) {
    f->setGeometry(client.left(), client.top() + px(200), client.width(), page_h);
    f->raise();
  }
  MSF_Encode->setGeometry(px(120), px(240), enc.width(), enc.height());
  // The duration lists stand right of the encode grid, however wide it grew.
  const int side_dx = std::max(0, MSF_Encode->geometry().right() + px(240) - px(5400));
  QLabel* labels[3] = {Label_1st, Label_2nd, Label_gap};
  Vb_Combo* lists[3] = {Combo_Enc_ys1, Combo_Enc_ys2, Combo_enc_ys3};
  for (int k = 0; k < 3; ++k) {
    Place_Control_Twips(lists[k], 7920, 360 + 600 * k, 1095, 330);
    Place_Control_Twips(labels[k], 5400, 300 + 600 * k, 2400, 450);
    lists[k]->move(lists[k]->pos() + QPoint(side_dx, 0));
    labels[k]->move(labels[k]->pos() + QPoint(side_dx, 0));
  }
  MSF_Decode->setGeometry(px(120), px(240), dec.width(), dec.height());
  Place_Control_Twips(Frame_Dec_xx, 120, 4560, 6495, 1455);
  QLabel* tone_labels[4] = {Label_A_tone, Label_B_Tone, Label_C_Tone, Label_D_Tone};
  for (int t = 0; t < 4; ++t) {
    const int box_left = t < 2 ? 1680 : 4920;
    const int top = t % 2 == 0 ? 360 : 840;
    Place_Control_Twips(Tone_Box(t), box_left, top, 1215, 300);
    Place_Control_Twips(tone_labels[t], box_left - 1620, top - 30, 1560, 360);
  }
  Place_Control_Twips(Label_Reset, 6720, 4620, 1620, 450);
  Place_Control_Twips(Combo_Dec_Res_Time, 8400, 4680, 1095, 330);
  for (QWidget* w : {static_cast<QWidget*>(Frame_Dec_xx), static_cast<QWidget*>(Label_Reset),
                     static_cast<QWidget*>(Combo_Dec_Res_Time)})
    w->move(w->pos() + QPoint(0, std::max(0, dec_dy)));

  const int below = TabStrip1->geometry().bottom() + 1 - px(6855);  // what the strip grew by
  Place_Control_Twips(ProgressBar1, 120, 6960, 7575, 300);
  Place_Control_Twips(Label_tr_count, 7800, 6960, 7200, 330);
  // The count ends where the tab strip ends: reaching past it would widen
  // the window beyond its pages for a short text.
  Label_tr_count->resize(std::max(px(2400), TabStrip1->geometry().right() + 1 - Label_tr_count->x()),
                         Label_tr_count->height());
  QPushButton* buttons[6] = {Command_read, Command_Write, Command_def,
                             Command_save, Command_open, Command_close};
  const int lefts[6] = {2160, 3720, 5280, 6840, 8400, 9960};
  for (int k = 0; k < 6; ++k) Place_Control_Twips(buttons[k], lefts[k], 7680, 1095, 495);
  for (QWidget* w : {static_cast<QWidget*>(ProgressBar1), static_cast<QWidget*>(Label_tr_count)})
    w->move(w->pos() + QPoint(0, std::max(0, below)));
  for (QPushButton* b : buttons) b->move(b->pos() + QPoint(0, std::max(0, below)));
}

void frm_2tone::Form_Load() {
  const QSizeF main = Main_Frame_Twips(), client = Main_Client_Twips();
  const double w = main.width() / 1.2, h = main.height() / 1.25;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (Host()) {
    // The size rule gives the outer size of the child window, frame included.
    Host()->resize(Twips_To_Px(w), Twips_To_Px(h));
    Host()->move(Twips_To_Px((client.width() - w) / 2), Twips_To_Px((client.height() - h) / 2));
  }
  Frame_Encode->setVisible(true);
  Frame_Decode->setVisible(false);

  setWindowTitle(Lang_Pick("2 TONE 编解码参数编辑", "2 TONE"));
  TabStrip1->Tabs_Clear();
  TabStrip1->Tabs_Add(Lang_Pick("编码", "Encode"));
  TabStrip1->Tabs_Add(Lang_Pick("解码", "Decode"));
  Frame_Encode->setTitle(Lang_Pick("2 TONE 编码", "2 TONE Encode"));
  Frame_Decode->setTitle(Lang_Pick("2 TONE 解码", "2 TONE Decode"));
  MSF_Encode->Set_Format_String(Lang_Pick(Encode_Format_Zh, Encode_Format_En));
  MSF_Encode->Set_Rows(16);
  Label_1st->setText(Lang_Pick("发送第 1 个频率时间长度（MS）", "1st Tone Duration(MS)"));
  Label_2nd->setText(Lang_Pick("发送第 2 个频率时间长度（MS）", "2nd Tone Duration(MS)"));
  Label_gap->setText(Lang_Pick("前后两个频率的间隔时长 （MS）", "Gap of Tone (MS)"));
  MSF_Decode->Set_Format_String(Lang_Pick(Decode_Format_Zh, Decode_Format_En));
  MSF_Decode->Set_Rows(16);
  // A response column is at least as wide as its longest response.
  const QFontMetrics fm = MSF_Decode->fontMetrics();
  for (int c = 2; c <= 3 * Tone2_Decoders; c += 3) {
    int need = 0;
    for (const QString& r : Tone2_Decode_Items(c)) need = std::max(need, fm.horizontalAdvance(r) + 12);
    if (MSF_Decode->Col_Width(c) < need) MSF_Decode->Set_Col_Width(c, need);
  }
  // Laid out once the grids know their columns and rows.
  Lay_Out();
  Label_A_tone->setText(Lang_Pick("A 音（HZ）", "A Tone( HZ )"));
  Label_B_Tone->setText(Lang_Pick("B 音（HZ）", "B Tone( HZ )"));
  Label_C_Tone->setText(Lang_Pick("C 音（HZ）", "C Tone( HZ )"));
  Label_D_Tone->setText(Lang_Pick("D 音（HZ）", "D Tone( HZ )"));
  Label_Reset->setText(Lang_Pick("复位时间（MS）", "Reset_Time (MS)"));
  Frame_Dec_xx->setTitle(Lang_Pick(" 1 解码信息两音频率", " 1 Decode 2 Tone Frequency"));
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写  入", "Write"));
  Command_def->setText(Lang_Pick("默 认", "Default"));
  Command_save->setText(Lang_Pick("保  存", "Save"));
  Command_open->setText(Lang_Pick("打  开", "Open"));
  Command_close->setText(Lang_Pick("关  闭", "Close"));
  if (!Lang_Flag) Label_PassWord->setText("PassWord");

  Engine_Idle(*engine_);

  for (Vb_Combo* l : {Combo_Enc_ys1, Combo_Enc_ys2, Combo_enc_ys3}) {
    l->Clear_Items();
    l->Add_Items(Tone2_List_Items(Enc_First));
  }
  for (int n = 1; n <= Tone2_Code_Count; ++n) MSF_Encode->Set_Text_At(n, 0, QString::number(n));
  for (int n = 1; n <= Tone2_Code_Count; ++n) MSF_Decode->Set_Text_At(n, 0, QString::number(n));
  Combo_Dec_Res_Time->Clear_Items();
  Combo_Dec_Res_Time->Add_Items(Tone2_List_Items(Dec_Reset_Time));
  ProgressBar1->hide();
  Dec_Index = 0;
  Tone2_Show();
}

// ---- display ----------------------------------------------------------------------

void frm_2tone::Tone2_Show() {
  if (Unloaded()) return;
  for (int n = 1; n <= Tone2_Code_Count; ++n)
    for (int c = 1; c <= 2; ++c) MSF_Encode->Set_Text_At(n, c, Tone2_Encode_Text(n, c));
  // A redraw ends an open cell edit without storing it: its text belongs to
  // the values that were on the screen before.
  Text_Encode->hide();
  Text_Encode->Set_Text(MSF_Encode->Text_At(1, 1));
  Vb_Combo* durations[3] = {Combo_Enc_ys1, Combo_Enc_ys2, Combo_enc_ys3};
  for (int k = 0; k < 3; ++k) {
    const Tone2_List& d = Tone2_Lists[k];
    durations[k]->Set_List_Index(List_Pick(Img_Byte(d.row, d.byte), durations[k]->List_Count()));
  }
  Combo_Decode->hide();
  for (int n = 1; n <= Tone2_Code_Count; ++n)
    for (int c = 1; c <= 3 * Tone2_Decoders; ++c) MSF_Decode->Set_Text_At(n, c, Tone2_Decode_Text(n, c));
  Edata_Load(Dec_Index);
  const Tone2_List& r = Tone2_Lists[Dec_Reset_Time];
  Combo_Dec_Res_Time->Set_List_Index(
      List_Pick(Img_Byte(r.row, r.byte), Combo_Dec_Res_Time->List_Count()));
}

void frm_2tone::Edata_Load(int x) {
  for (int t = 0; t < 4; ++t) Tone_Box(t)->Set_Text(Tone2_Tone_Text(x, t));
}

// ---- page switch ------------------------------------------------------------------

void frm_2tone::TabStrip1_Click() {
  if (TabStrip1->Selected() == 1) {
    Frame_Decode->hide();
    Frame_Encode->show();
  } else if (TabStrip1->Selected() == 2) {
    Frame_Encode->hide();
    Frame_Decode->show();
    Select_Decode_Code(1);
  }
  Text_Encode->hide();
}

void frm_2tone::Select_Decode_Code(int r) {
  Frame_Dec_xx->setTitle(QString::number(r) + Dec_Caption.Get());
  Dec_Index = r - 1;
  Edata_Load(r - 1);
}

// ---- encode grid ------------------------------------------------------------------

void frm_2tone::MSF_Encode_Click() { Encode_EditCell(); }

void frm_2tone::Encode_EditCell() {
  const int r = MSF_Encode->Mouse_Row(), c = MSF_Encode->Mouse_Col();
  if (r == 0 || c <= 0) return;
  MSF_Encode->Float_Editor(Text_Encode, r, c, true);
  encode_open_text_ = MSF_Encode->Text_At(r, c);
  Text_Encode->Set_Text(encode_open_text_);
  Text_Encode->show();
  Text_Encode->raise();
  Text_Encode->setFocus();
}

void frm_2tone::MSF_Encode_LeaveCell() {
  const int r = MSF_Encode->Row(), c = MSF_Encode->Col();
  if (c <= 0 || r < 1 || Text_Encode->isHidden()) return;
  const QString text = Text_Encode->Text();
  Text_Encode->hide();
  // A cell left as it opened keeps its bytes, also those no text shows (a
  // tone outside the range shows empty).
  if (text == encode_open_text_) {
    Text_Encode->Set_Text(QString());
    return;
  }
  if (Tone2_Encode_Commit(r, c, text) == Tone2_Commit::Refused) {
    Range_Message();
    if (Unloaded()) return;
  }
  Tone2_Show();
  Text_Encode->hide();
  Text_Encode->Set_Text(QString());
}

// ---- decode grid ------------------------------------------------------------------

void frm_2tone::MSF_Decode_Click() { Decode_EditCell(); }

void frm_2tone::Decode_EditCell() {
  const int r = MSF_Decode->Mouse_Row(), c = MSF_Decode->Mouse_Col();
  if (r == 0) return;
  Select_Decode_Code(r);
  if (c <= 0) return;
  // The list opens on what the cell holds; only a pick stores.
  Undo_Text.clear();
  Combo_Decode->Set_Text(QString());
  Combo_Decode->Clear_Items();
  Combo_Decode->Add_Items(Tone2_Decode_Items(c));
  const int shown = Tone2_Decode_Shown(r, c);
  Combo_Decode->Show_Index_Quiet(shown);
  // A byte that is none of the items (an alert number 0, say) keeps its text
  // in the field, so leaving the cell shows what it showed before.
  if (shown < 0) {
    Undo_Text = Tone2_Decode_Text(r, c);
    Combo_Decode->Set_Text(Undo_Text);
  }
  Undo_Text = Combo_Decode->Text();
  MSF_Decode->Float_Editor(Combo_Decode, r, c, false);
  Combo_Decode->show();
  Combo_Decode->raise();
  Combo_Decode->setFocus();
}

void frm_2tone::Combo_Decode_Click() {
  const int r = MSF_Decode->Row(), c = MSF_Decode->Col();
  Tone2_Decode_Store(r, c, Combo_Decode->List_Index());
  Undo_Text = Combo_Decode->Text();
  // The cell under the list shows what is stored at once.
  if (c > 0 && Combo_Decode->List_Index() >= 0) MSF_Decode->Set_Text_At(r, c, Tone2_Decode_Text(r, c));
}

void frm_2tone::Combo_Decode_GotFocus() { Undo_Text = Combo_Decode->Text(); }

void frm_2tone::Combo_Decode_Change() { Combo_Decode->Set_Text(Undo_Text); }

void frm_2tone::MSF_Decode_LeaveCell() {
  const int r = MSF_Decode->Row(), c = MSF_Decode->Col();
  // Every pick is stored as it is made: the cell left shows what the image
  // holds, also a response or alert of a decoder without a tone pair, which
  // a Write sends all the same.
  if (r >= 1 && c > 0 && !Combo_Decode->isHidden()) MSF_Decode->Set_Text_At(r, c, Tone2_Decode_Text(r, c));
  Combo_Decode->hide();
}

void frm_2tone::MSF_Decode_DblClick() {
  const int r = MSF_Decode->Mouse_Row(), c = MSF_Decode->Mouse_Col();
  if (c != 0 || r < 1 || r > Tone2_Code_Count) return;
  // The emptied code is emptied in the image too: a save or a Write then
  // holds what the row shows, and so does every later redraw.
  Tone2_Decode_Clear(static_cast<int16_t>(r - 1));
  for (int k = 1; k <= 3 * Tone2_Decoders; ++k) MSF_Decode->Set_Text_At(r, k, Tone2_Decode_Text(r, k));
  Edata_Load(r - 1);
}

// ---- decode tone boxes --------------------------------------------------------------

void frm_2tone::Tone_Box_LostFocus(int t) {
  if (Unloaded()) return;
  Vb_Text* box = Tone_Box(t);
  if (Tone2_Tone_Commit(Dec_Index, t, box->Text()) == Tone2_Commit::Refused) {
    Range_Message();
    if (Unloaded()) return;
    box->Set_Text(QString());
    box->setFocus();
  }
  Tone2_Show();
}

bool frm_2tone::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusOut) tone_focus_out_ = static_cast<QFocusEvent*>(e)->reason();
  return Vb_Form::eventFilter(o, e);
}

void frm_2tone::Range_Message() {
  Msg_Box(Range_Text.Get(), Msg_Icon::Exclamation, Range_Title.Get());
}

// ---- buttons ------------------------------------------------------------------------

void frm_2tone::Command_read_Click() { engine_->Command_read_Click(); }
void frm_2tone::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_2tone::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  ProgressBar1->hide();
  ProgressBar1->setValue(0);
  Label_tr_count->setText(QString());
  Tone2_Default();
  Tone2_Show();
}

void frm_2tone::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_open_chann>();
}

void frm_2tone::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_save_chann>();
}

void frm_2tone::Command_close_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Close_Editor<Form_open_menu, Form_save_menu>(*this, *engine_);
}

bool frm_2tone::Form_Query_Close() {
  // Closing the window would cut a transfer off half-way: refuse while one
  // runs, with the Close button's message.
  return !Refuse_While_Busy(Busy());
}

void frm_2tone::Form_Unload() { engine_->Shut_Down(); }
