#include "frm_option.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "editors/options/code_text.h"
#include "editors/options/opt_block.h"
#include "editors/options/opt_lists.h"
#include "editors/options/vfo_record.h"
#include "files/file_dialogs.h"
#include "link/link_engine.h"
#include "link/option_link.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"

namespace {
// The window's own messages.
namespace text {
constexpr Zh_En Freq_Too_Long{"频率超出范围 ！", "Over the range of  frequency ."};
// Shown in Chinese whatever the language.
constexpr const char* Freq_Out_Of_Band = "当前工作频率超出范围 ！";
constexpr Zh_En Ani_Length{"身份码长度为 3 - 5 位 ！", "ANI ID code length is 3 to 5 digit."};
constexpr Zh_En Ani_Range{" 身份码的有效数字为 00000 - 99999 ", " Available ANI ID code from 00000 to 99999. "};
constexpr Zh_En Pon_Refused{"开机显示字符只能使用英文字母、数字和符号 ！",
                            "The power-on message takes English letters, digits and symbols only."};
}  // namespace text

// The record captions of the two frames, A B C D.
constexpr Caption Frame_Captions[4] = {{"A Frequency model parameters", "A 区频率模式参数"},
                                        {"B Frequency model parameters", "B 区频率模式参数"},
                                        {"C Frequency model parameters", "C 区频率模式参数"},
                                        {"D Frequency model parameters", "D 区频率模式参数"}};

QString Pick(const Caption& c) { return Lang_Pick(c.zh, c.en); }

void Warn(const Zh_En& t, const Zh_En& title) {
  Msg_Box(t.Get(), Msg_Icon::Exclamation, title.Get());
}

// A list that cannot be typed into: every character key is discarded.
void Refuse_Keys(Vb_Combo* c) {
  c->KeyPress = [](int& key) { key = 0; };
}

// Room for the widest item of a filled list, so that none is cut off.
void Fit_To_Items(Vb_Combo* c) { c->setMinimumWidth(c->Width_For_Items()); }

// Room in a text box for n of the widest of chars, beside the style's frame,
// the text margins and the line edit's own 2 pixels at either side and the
// cursor's pixel.
void Fit_Chars(Vb_Text* t, const QString& chars, int n) {
  const QFontMetrics fm(t->font());
  int text = 0;
  for (const QChar ch : chars) text = std::max(text, fm.horizontalAdvance(QString(n, ch)));
  QStyleOptionFrame opt;
  opt.initFrom(t);
  opt.rect = QRect(0, 0, 1000, t->sizeHint().height());
  opt.lineWidth = t->hasFrame() ? t->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, t) : 0;
  const QRect inner = t->style()->subElementRect(QStyle::SE_LineEditContents, &opt, t);
  const QMargins tm = t->textMargins();
  t->setMinimumWidth(opt.rect.width() - inner.width() + tm.left() + tm.right() + 2 * 2 + 1 + text);
}

// The frame's group box title shown for a record (0..3).
QString Frame_Caption(int record) { return Pick(Frame_Captions[record]); }
}  // namespace

int frm_option::Vfo_Frame::Record() const {
  const bool main = select_main->isChecked();
  return right ? (main ? 1 : 3) : (main ? 0 : 2);
}

frm_option::frm_option() {
  engine_ = new Link_Engine(Option_Link_Profile([this] { Opt_Show(); }), this);
  Build();
  engine_->Set_View(ProgressBar1, Label_tr_count);
  Lock_Area_While_Busy(this, *engine_);
}

frm_option::~frm_option() = default;

bool frm_option::Busy() const { return engine_->Busy(); }

Vb_Combo* frm_option::Combo(const QString& name) const { return findChild<Vb_Combo*>(name); }
QLabel* frm_option::Label(const QString& name) const { return findChild<QLabel*>(name); }

// ---- building ---------------------------------------------------------------------

namespace {
template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}
}  // namespace

void frm_option::Build_Frame(Vfo_Frame& f) {
  const bool r = f.right;
  f.frame = Named(new QGroupBox(this), r ? "Frame_B" : "Frame_A");
  f.select_main = Named(new QRadioButton(f.frame), r ? "Option_Select_B" : "Option_Select_A");
  f.select_alt = Named(new QRadioButton(f.frame), r ? "Option_Select_D" : "Option_Select_C");
  f.freq_label = Named(new QLabel(f.frame), r ? "Label_Freq_b" : "Label_Freq_a");
  f.freq = Named(new Vb_Text(f.frame), r ? "Text_Freq_b" : "Text_Freq_a");
  for (const Vfo_List& def : Vfo_Lists()) {
    // The tone lists show tones outside the table as text, so they have an
    // edit field; nothing can be typed into it.
    auto* c = Named(new Vb_Combo(f.frame, def.field == Vfo_List::Field::Tone), r ? def.combo_b : def.combo_a);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Refuse_Keys(c);
    c->Click = [this, &f, &def, c] { Vfo_List_Click(f, def, c); };
    f.lists.push_back(c);
    f.labels.push_back(Named(new QLabel(f.frame), r ? def.label_b : def.label_a));
  }
  f.freq->KeyPress = [&f](int& key) { key = Vfo_Freq_Key(key, f.freq->Text()); };
  f.freq->Change = [this, &f] { Text_Freq_Change(f); };
  f.freq->LostFocus = [this, &f] { Text_Freq_LostFocus(f); };
  connect(f.select_main, &QRadioButton::clicked, this, [this, &f] { Vfo_Select_Click(f, f.select_main); });
  connect(f.select_alt, &QRadioButton::clicked, this, [this, &f] { Vfo_Select_Click(f, f.select_alt); });
}

void frm_option::Build() {
  auto button = [this](const char* name) { return Named(new QPushButton(this), name); };
  Command_read = button("Command_read");
  Command_Write = button("Command_Write");
  Command_def = button("Command_def");
  Command_open = button("Command_open");
  Command_save = button("Command_save");
  Command_close = button("Command_close");
  Connect_Commands(this);

  Label_PassWord = Named(new QLabel(this), "Label_PassWord");
  Text_PassWord = Named(new Vb_Text(this), "Text_PassWord");
  // The text shown at load is no typed password; every change after it is.
  Text_PassWord->Set_Text("580417");
  Text_PassWord->Change = [this] { Link_Engine::Text_PassWord_Change(Text_PassWord->Text()); };
  // Only the FM editor shows its password box; this one is never seen.
  Label_PassWord->hide();
  Text_PassWord->hide();
  Label_tr_count = Named(new QLabel(this), "Label_tr_count");
  ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);

  left_.right = false;
  right_.right = true;
  Build_Frame(left_);
  Build_Frame(right_);
  Frame_A = left_.frame;
  Frame_B = right_.frame;
  Option_Select_A = left_.select_main;
  Option_Select_C = left_.select_alt;
  Option_Select_B = right_.select_main;
  Option_Select_D = right_.select_alt;
  Label_Freq_a = left_.freq_label;
  Label_Freq_b = right_.freq_label;
  Text_Freq_a = left_.freq;
  Text_Freq_b = right_.freq;
  Label28 = Named(new QLabel("MHZ", Frame_A), "Label28");
  Label3 = Named(new QLabel("MHZ", Frame_A), "Label3");
  Label33 = Named(new QLabel("MHZ", Frame_B), "Label33");
  Label4 = Named(new QLabel("MHZ", Frame_B), "Label4");

  Frame2 = Named(new QGroupBox(this), "Frame2");
  Frame4 = Named(new QGroupBox(this), "Frame4");
  Frame5 = Named(new QGroupBox(this), "Frame5");
  Frame6 = Named(new QGroupBox(this), "Frame6");
  for (const Opt_Block_List& def : Opt_Block_Lists()) {
    QGroupBox* home = def.items == &opt_items::Colour ? Frame4 : Frame2;
    // The VOX list alone lets typing change its shown text (never its value).
    const bool vox = def.pos == &Opt_Pos_vox;
    auto* c = Named(new Vb_Combo(home, vox), def.combo);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (!vox) Refuse_Keys(c);
    c->Click = [c, &def] {
      if (c->List_Index() >= 0) Opt_Block_Store(*def.pos, c->List_Index());
    };
    block_lists_.push_back(c);
    block_labels_.push_back(Named(new QLabel(home), def.label));
  }

  Label_ANI = Named(new QLabel(Frame5), "Label_ANI");
  Label_Send_Begin = Named(new QLabel(Frame5), "Label_Send_Begin");
  Label_Send_End = Named(new QLabel(Frame5), "Label_Send_End");
  Text_ANI = Named(new Vb_Text(Frame5), "Text_ANI");
  Text_PttId_Begin = Named(new Vb_Text(Frame5), "Text_PttId_Begin");
  Text_PttId_End = Named(new Vb_Text(Frame5), "Text_PttId_End");
  struct Code_Box {
    Vb_Text* box;
    int16_t* pos;
  };
  for (Code_Box cb : {Code_Box{Text_ANI, &Opt_Pos_ANI}, Code_Box{Text_PttId_Begin, &Opt_Pos_PttId_Begin},
                      Code_Box{Text_PttId_End, &Opt_Pos_PttId_End}}) {
    Vb_Text* box = cb.box;
    int16_t* pos = cb.pos;
    box->Change = [this, box, pos] { Code_Change(box, *pos); };
    box->KeyPress = [box](int& key) {
      if (Code_Key_Refused(box->Text())) key = 0;
    };
  }
  Text_ANI->LostFocus = [this] { Text_ANI_LostFocus(); };

  Frame_Pon_Msg = Named(new QGroupBox(this), "Frame_Pon_Msg");
  Label_Model_Disp = Named(new QLabel(Frame_Pon_Msg), "Label_Model_Disp");
  Text_Model_Disp = Named(new Vb_Text(Frame_Pon_Msg), "Text_Model_Disp");
  Text_Model_Disp->Change = [this] { Text_Model_Disp_Change(); };
  Text_Model_Disp->KeyPress = [this](int& key) { Text_Model_Disp_KeyPress(key); };

  Lay_Out();
}

void frm_option::Lay_Out() {
  auto pairs = [](QGridLayout* g, const std::vector<QLabel*>& labels, const std::vector<Vb_Combo*>& lists,
                  int per_row, int first_row = 0) {
    for (size_t i = 0; i < lists.size(); ++i) {
      const int row = first_row + static_cast<int>(i) / per_row;
      const int col = 2 * (static_cast<int>(i) % per_row);
      g->addWidget(labels[i], row, col, Qt::AlignRight | Qt::AlignVCenter);
      g->addWidget(lists[i], row, col + 1);
    }
  };
  auto tight = [](QGridLayout* g) {
    g->setContentsMargins(4, 2, 4, 2);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);
  };

  // The VFO frames: selectors, frequency and offset, then the other lists.
  for (Vfo_Frame* f : {&left_, &right_}) {
    auto* g = new QGridLayout(f->frame);
    tight(g);
    g->addWidget(f->select_main, 0, 0, 1, 2);
    g->addWidget(f->select_alt, 0, 2, 1, 3);
    g->addWidget(f->freq_label, 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    auto* freq_row = new QHBoxLayout;
    freq_row->addWidget(f->freq);
    freq_row->addWidget(f->right ? Label33 : Label28);
    g->addLayout(freq_row, 1, 1);
    g->addWidget(f->labels[0], 1, 2, Qt::AlignRight | Qt::AlignVCenter);
    auto* offset_row = new QHBoxLayout;
    offset_row->addWidget(f->lists[0]);
    offset_row->addWidget(f->right ? Label4 : Label3);
    g->addLayout(offset_row, 1, 3);
    std::vector<QLabel*> labels(f->labels.begin() + 1, f->labels.end());
    std::vector<Vb_Combo*> lists(f->lists.begin() + 1, f->lists.end());
    pairs(g, labels, lists, 2, 2);
  }

  std::vector<QLabel*> general_labels, colour_labels;
  std::vector<Vb_Combo*> general, colour;
  for (size_t i = 0; i < block_lists_.size(); ++i) {
    const bool is_colour = block_lists_[i]->parent() == Frame4;
    (is_colour ? colour : general).push_back(block_lists_[i]);
    (is_colour ? colour_labels : general_labels).push_back(block_labels_[i]);
  }
  auto* g2 = new QGridLayout(Frame2);
  tight(g2);
  pairs(g2, general_labels, general, 4);
  auto* g4 = new QGridLayout(Frame4);
  tight(g4);
  pairs(g4, colour_labels, colour, 4);

  auto* g5 = new QGridLayout(Frame5);
  tight(g5);
  g5->addWidget(Label_ANI, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
  g5->addWidget(Text_ANI, 0, 1);
  g5->addWidget(Label_Send_Begin, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
  g5->addWidget(Text_PttId_Begin, 0, 3);
  g5->addWidget(Label_Send_End, 0, 4, Qt::AlignRight | Qt::AlignVCenter);
  g5->addWidget(Text_PttId_End, 0, 5);
  auto* gp = new QHBoxLayout(Frame_Pon_Msg);
  gp->setContentsMargins(6, 4, 6, 4);
  gp->addWidget(Label_Model_Disp);
  gp->addWidget(Text_Model_Disp, 1);

  auto* g6 = new QGridLayout(Frame6);
  tight(g6);
  g6->addWidget(Label_PassWord, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
  Text_PassWord->setMaximumWidth(80);
  g6->addWidget(Text_PassWord, 0, 1);
  int col = 2;
  for (QPushButton* b : {Command_read, Command_Write, Command_def, Command_open, Command_save, Command_close})
    g6->addWidget(b, 0, col++);
  g6->addWidget(ProgressBar1, 1, 0, 1, 4);
  g6->addWidget(Label_tr_count, 1, 4, 1, 4);
  ProgressBar1->setMaximumHeight(16);
  for (Vb_Text* t : {Text_Freq_a, Text_Freq_b})
    t->setMinimumWidth(t->fontMetrics().horizontalAdvance("0000.000000") + 10);

  // Everything scrolls together should the window be smaller than its content.
  auto* content = new QWidget;
  auto* v = new QVBoxLayout(content);
  v->setContentsMargins(4, 2, 4, 2);
  v->setSpacing(2);
  auto* top = new QHBoxLayout;
  top->addWidget(Frame_A);
  top->addWidget(Frame_B);
  v->addLayout(top);
  v->addWidget(Frame2);
  v->addWidget(Frame4);
  auto* codes = new QHBoxLayout;
  codes->addWidget(Frame5, 3);
  codes->addWidget(Frame_Pon_Msg, 2);
  v->addLayout(codes);
  v->addWidget(Frame6);
  v->addStretch(1);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("Scroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  // A compact font, so that every group fits the window's size.
  QFont small = QApplication::font();
  small.setPointSizeF(7);
  content->setFont(small);
  // The code boxes show a whole code of 16 characters, in that font.
  for (Vb_Text* t : {Text_ANI, Text_PttId_Begin, Text_PttId_End}) Fit_Chars(t, "0123456789ABCDabcd*#", Code_Len);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
}

void frm_option::Set_Captions() {
  setWindowTitle(Lang_Pick("可选参数编辑", "Optional Features"));
  Frame_A->setTitle(Frame_Caption(0));
  Frame_B->setTitle(Frame_Caption(1));
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写  入", "Write"));
  Command_def->setText(Lang_Pick("默 认", "Default"));
  Command_open->setText(Lang_Pick("打  开", "Open"));
  Command_save->setText(Lang_Pick("保  存", "Save"));
  Command_close->setText(Lang_Pick("关  闭", "Close"));
  Label_PassWord->setText(Lang_Pick("读写密码", "PassWord"));
  Option_Select_A->setText(Lang_Pick(" A 区频率参数编辑", " A Frequency model"));
  Option_Select_B->setText(Lang_Pick(" B 区频率参数编辑", " B Frequency model"));
  Option_Select_C->setText(Lang_Pick(" C 区频率参数编辑", " C Frequency model"));
  Option_Select_D->setText(Lang_Pick(" D 区频率参数编辑", " D Frequency model"));
  Label_ANI->setText(Lang_Pick("身份码", "ANI"));
  Label_Send_Begin->setText(Lang_Pick("按下发码", "Press PTT to Send"));
  Label_Send_End->setText(Lang_Pick("松开发码", "Release PTT to Send"));
  Frame_Pon_Msg->setTitle(Lang_Pick("开机显示字符", "Power-On Message"));
  Label_Model_Disp->setText(Lang_Pick("机型", "Models"));
  for (Vfo_Frame* f : {&left_, &right_}) {
    f->freq_label->setText(Lang_Pick("当前频率", "Frequency"));
    const auto defs = Vfo_Lists();
    for (size_t i = 0; i < defs.size(); ++i) f->labels[i]->setText(Pick(defs[i].caption));
  }
  const auto defs = Opt_Block_Lists();
  for (size_t i = 0; i < defs.size(); ++i) block_labels_[i]->setText(Pick(defs[i].caption));
}

// ---- window -------------------------------------------------------------------------

void frm_option::Form_Load() {
  // 1. Records A and B (no selector's click runs).
  Option_Select_A->setChecked(true);
  Option_Select_B->setChecked(true);
  // 2. Captions.
  Set_Captions();
  // 3. Size from the main window, centred in its client area.
  const QSizeF main = Main_Frame_Twips();
  const float w = static_cast<float>(main.width() / 1.48);
  const float h = static_cast<float>(main.height() / 1.16);
  resize(Twips_To_Px(w), Twips_To_Px(h));
  // 4. Show (the first activation redraws only once the lists are filled).
  Show_As_Child();
  if (QWidget* host = Host()) {
    host->resize(Twips_To_Px(w), Twips_To_Px(h));
    if (QMdiArea* area = Forms::Mdi_Area()) {
      const float top = static_cast<float>((Client_Height_Twips(area) - h) / 2);
      const float left = static_cast<float>((Client_Width_Twips(area) - w) / 2);
      host->move(Twips_To_Px(left), Twips_To_Px(top));
    }
  }
  // 5., 6. The engine starts with its timers stopped and its flags clear.
  // 7. Lists, 8. redraw, 9. the bar hidden.
  Opt_InitControls();
  Opt_Show();
  ProgressBar1->setVisible(false);
  loaded_ = true;
}

void frm_option::Form_Activate() {
  // Not before the lists are filled, not inside a redraw, and not for the
  // window becoming active again under one of its own message boxes.
  if (!loaded_ || showing_ || Msg_Box_Depth() > 0) return;
  Opt_Show();
}

bool frm_option::Form_Query_Close() {
  // Closing the window would end a running transfer half-way: refused.
  return !Refuse_While_Busy(Busy(), editor_text::Close_Busy);
}

void frm_option::Form_Unload() {
  // The transfer (if any) stops cleanly with the window, the port closed.
  engine_->Shut_Down();
}

void frm_option::Command_read_Click() { engine_->Command_read_Click(); }
void frm_option::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_option::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  ProgressBar1->setVisible(false);
  ProgressBar1->setValue(0);
  Label_tr_count->setText(QString());
  Chann_Count = 200;
  Opt_Default();
  Opt_Show();
}

void frm_option::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  if (auto* d = Forms::Find<Form_open_chann>()) {
    // Already loaded: brought up again, not reloaded.
    if (QWidget* host = d->Host()) {
      host->show();
      host->raise();
      if (auto* s = qobject_cast<QMdiSubWindow*>(host); s && Forms::Mdi_Area())
        Forms::Mdi_Area()->setActiveSubWindow(s);
    } else {
      d->show();
      d->raise();
    }
    return;
  }
  Forms::Load<Form_open_chann>();
}

void frm_option::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_save_chann>();
}

void frm_option::Command_close_Click() {
  if (Refuse_While_Busy(Busy(), editor_text::Close_Busy)) return;
  Close_Editor<Form_open_menu, Form_save_menu>(*this, *engine_);
}

// ---- lists and redraw ------------------------------------------------------------------

void frm_option::Opt_InitControls() {
  const bool zh = Lang_Flag != 0;
  const auto defs = Opt_Block_Lists();
  for (size_t i = 0; i < defs.size(); ++i) {
    block_lists_[i]->Clear_Items();
    block_lists_[i]->Add_Items(defs[i].items->Texts(zh));
    Fit_To_Items(block_lists_[i]);
  }
  const auto vfo = Vfo_Lists();
  for (size_t i = 0; i < vfo.size(); ++i) {
    const QStringList items = vfo[i].items->Texts(zh);
    for (Vfo_Frame* f : {&left_, &right_}) {
      f->lists[i]->Clear_Items();
      f->lists[i]->Add_Items(items);
      Fit_To_Items(f->lists[i]);
    }
  }
}

void frm_option::Opt_Show() {
  if (showing_) return;
  showing_ = true;
  // 1. The working copy from the rows.
  Opt_Block_Load();
  // 2., 3. Every list shows its byte; its click stores the shown index back.
  const auto defs = Opt_Block_Lists();
  for (size_t i = 0; i < defs.size(); ++i) {
    const int v = Opt_Bytes[*defs[i].pos];
    // A list with an edit field shows the item's text again even when the
    // item is selected already (the user may have typed over it).
    if (block_lists_[i]->isEditable()) block_lists_[i]->Show_Index_Quiet(-1);
    block_lists_[i]->Set_List_Index(Opt_List_Shown(v, defs[i].items->Count()));
  }
  // 4. The code boxes; each setting stores the shown codes back.
  for (auto [box, pos] : {std::pair{Text_ANI, Opt_Pos_ANI}, std::pair{Text_PttId_Begin, Opt_Pos_PttId_Begin},
                          std::pair{Text_PttId_End, Opt_Pos_PttId_End}}) {
    std::array<int16_t, Code_Len> codes{};
    for (int k = 0; k < Code_Len; ++k) codes[k] = Opt_Bytes[pos + k];
    box->Set_Text(QString());
    box->Set_Text(Code_Text(codes.data()));
  }
  // 5. The VFO records.
  Vfo_Show_AC();
  Vfo_Show_BD();
  // 6. The power-on text; its store rewrites the row.
  Text_Model_Disp->Set_Text(Pon_Shown_Text(Radio_Image[Pon_Text.first_row].data()));
  showing_ = false;
}

// ---- VFO frames -------------------------------------------------------------------------

void frm_option::Vfo_Show_AC() { Vfo_Show(left_); }
void frm_option::Vfo_Show_BD() { Vfo_Show(right_); }

void frm_option::Vfo_Show(Vfo_Frame& f) {
  const int row = Vfo_Freq_Row(f.Record());
  f.freq->Set_Text(QString());
  f.freq->Set_Text(Vfo_Freq_Text(Radio_Image[row]));
  const auto defs = Vfo_Lists();
  for (size_t i = 0; i < defs.size(); ++i) {
    const Vfo_List& def = defs[i];
    Vb_Combo* c = f.lists[i];
    const Image_Row& p = Radio_Image[row + 1];
    switch (def.field) {
      case Vfo_List::Field::Offset:
        c->Set_List_Index(Vfo_Offset_Index(Radio_Image[row]));
        break;
      case Vfo_List::Field::Tone: {
        const Vfo_Tone_Shown s = Vfo_Tone_Decode(p[def.byte], p[def.byte + 1]);
        c->Show_Index_Quiet(-1);
        if (s.kind == Vfo_Tone_Shown::Item) {
          c->Set_List_Index(s.index);
        } else {
          c->Show_Index_Quiet(s.index);
          c->Set_Text(s.text);
        }
        break;
      }
      case Vfo_List::Field::Setting:
        c->Set_List_Index(Vfo_Setting_Index(p[def.byte], def.items->Count()));
        break;
    }
  }
}

void frm_option::Vfo_Select_Click(Vfo_Frame& f, QRadioButton* button) {
  if (button->isChecked()) f.frame->setTitle(Frame_Caption(f.Record()));
  Vfo_Show(f);
}

void frm_option::Vfo_List_Click(Vfo_Frame& f, const Vfo_List& def, Vb_Combo* list) {
  const int i = list->List_Index();
  if (i < 0) return;
  const int row = Vfo_Freq_Row(f.Record());
  switch (def.field) {
    case Vfo_List::Field::Offset: {
      const auto d = Vfo_Offset_Digits(list->List(i));
      for (int k = 0; k < 6; ++k) Img_Set(row, 8 + k, d[k]);
      break;
    }
    case Vfo_List::Field::Tone: {
      const auto b = Vfo_Tone_Encode(i, list->List(i));
      Img_Set(row + 1, def.byte, b[0]);
      Img_Set(row + 1, def.byte + 1, b[1]);
      break;
    }
    case Vfo_List::Field::Setting:
      Img_Set(row + 1, def.byte, i);
      break;
  }
}

void frm_option::Text_Freq_Change(Vfo_Frame& f) {
  if (f.freq->Text().size() <= Vfo_Freq_Max_Chars) return;
  Warn(text::Freq_Too_Long, link_text::Title_Lower);
  if (Unloaded()) return;
  f.freq->Set_Text(QString());
  f.freq->setFocus();
}

void frm_option::Text_Freq_LostFocus(Vfo_Frame& f) {
  // A message box taking the focus is no leaving of the box.
  if (f.checking || Msg_Box_Depth() > 0) return;
  f.checking = true;
  const Vfo_Entry e = Vfo_Freq_Entry(f.freq->Text());
  // The record is decided now; the message box below cannot change it.
  const int row = Vfo_Freq_Row(f.Record());
  if (e.out_of_band) {
    Msg_Box(QString::fromUtf8(text::Freq_Out_Of_Band), Msg_Icon::Exclamation, QString::fromUtf8("操作提示"));
    if (Unloaded()) return;
    f.freq->setFocus();
  }
  for (int k = 0; k < 8; ++k) Img_Set(row, k, e.digits[k]);
  Vfo_Show(f);
  f.checking = false;
}

// ---- codes and power-on text ---------------------------------------------------------------

void frm_option::Code_Change(Vb_Text* box, int pos) {
  const auto bytes = Code_Bytes(box->Text());
  Opt_Block_Store_Run(pos, bytes.data(), Code_Len);
}

void frm_option::Text_ANI_LostFocus() {
  if (ani_checking_ || Msg_Box_Depth() > 0) return;
  const Ani_Result r = Ani_Check(Text_ANI->Text());
  if (r == Ani_Result::Ok) return;
  ani_checking_ = true;
  Warn(r == Ani_Result::Length ? text::Ani_Length : text::Ani_Range, link_text::Title_Upper);
  if (Unloaded()) return;
  ani_checking_ = false;
  Text_ANI->setFocus();
}

void frm_option::Text_Model_Disp_Change() {
  const auto bytes = Pon_Bytes(Text_Model_Disp->Text());
  for (int c = 0; c < 16; ++c) Img_Set(Pon_Text.first_row, c, bytes[c]);
}

void frm_option::Text_Model_Disp_KeyPress(int& key) {
  if (Pon_Key_Refused(Text_Model_Disp->Text())) {
    key = 0;
    return;
  }
  if (key == 8 || key == 13 || key == 0) return;
  if (key > 0xFFFF || !Pon_Char_Storable(QChar(key))) {
    key = 0;
    // One message for a whole paste of such characters.
    if (pon_warned_) return;
    pon_warned_ = true;
    QTimer::singleShot(0, this, [this] { pon_warned_ = false; });
    Warn(text::Pon_Refused, link_text::Title_Upper);
  }
}
