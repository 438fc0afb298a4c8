#include "frm_adj_txp.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "data/freq_codec.h"
#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "files/adj_file.h"
#include "files/file_dialogs.h"
#include "link/adj_link.h"
#include "link/link_texts.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"

namespace {
// ---- pages --------------------------------------------------------------------
struct Page {
  const char* key;
  const char* tab;      // tab caption, both languages
  const char* caption;  // window caption the tab sets, both languages
};
constexpr Page kPages[5] = {
    {"Adj_Txp_High", "发射功率（高）", "发射功率调整（高功率）"},
    {"Adj_Txp_Low", "发射功率（低）", "发射功率调整（低功率）"},
    {"Adj_Sql_Leve", "静噪等级", "静噪等级调整"},
    {"Adj_Dev_Leve", "调制、音量", "调制度、输出音量调整"},
    {"Adj_Other", "频率范围", "频率范围"},
};
constexpr int kBandLimitPage = 4;

// ---- the captions each band shows ------------------------------------------------
// The design captions of UHF0 and UHF2 named ranges this window does not
// accept for them; every band caption here names the limits the band-limit
// boxes accept (Freq_Min .. Freq_Max), the same ranges the TX power and
// squelch labels start from.
struct Band_Text {
  const char* txp_frame;    // Frame_B0 (b)
  const char* sql_frame;    // Frame_SQL_VHF, Frame_SQL_UHF0, Frame_SQL_UHF1, Frame1
  const char* limit_label;  // Label_F0, Label_F1 (0..2)
};
constexpr Band_Text kBandText[Adj_Bands] = {
    {"130 - 179 MHZ ", " 130 - 179 MHZ", "VHF                        130 - 179"},
    {"130  -  179 MHZ ", "130 - 179 MHZ", "UHF0                     130 - 179"},
    {"400  -  480 MHZ ", "400 - 480 MHZ", "UHF1                     400 - 520"},
    {"400  -  520 MHZ ", "400 - 520 MHZ", "UHF2                     400 - 520"},
};
// The step in MHz between the 16 frequency points of each band.
constexpr int kPointStep[Adj_Bands] = {4, 6, 6, 4};

// ---- the lists of row 16 ------------------------------------------------------------
struct List_Row {
  int items;            // values 0 .. items - 1
  const char* label;    // the same in both languages
};
// By row-16 cell. The drive-power labels of UHF0 and UHF2 name their band
// (their design captions named ranges these bands do not have here).
constexpr List_Row kLists[14] = {
    {128, "话音调制度"},       {64, "模拟哑音调制度"},    {64, "数字哑音调制度"},
    {16, "宽带接收音量粗调"},  {16, "宽带接收音量细调"},  {16, "窄带接收音量粗调"},
    {16, "窄带接收音量细调"},  {16, "提示音音量粗调"},    {16, "提示音音量细调"},
    {16, "150兆 段驱动功率"},  {16, "UHF0 段驱动功率"},   {16, "400 兆段驱动功率"},
    {16, "UHF2 段驱动功率"},   {128, "信令调制度"},
};
// The order in which the load fills the lists (cells).
constexpr int kFillOrder[14] = {0, 13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

constexpr Zh_En kLoadDone{"调整参数从文件调入成功 ！", "Succeed fold the optional parameters from file."};
constexpr Zh_En kSaveDone{"调整参数保存完毕 ！", "Complete storing optional parameters."};
constexpr const char* kValueTitle = "操作提示";  // the value boxes' messages are Chinese only

QString U(const char* s) { return QString::fromUtf8(s); }

QLabel* New_Label(QWidget* parent, const QString& text = QString()) {
  auto* l = new QLabel(text, parent);
  return l;
}

// The width a label needs to show its whole text.
int Text_Need(const QLabel* l) {
  const QMargins m = l->contentsMargins();
  return l->fontMetrics().horizontalAdvance(l->text()) + m.left() + m.right() + 2 * l->margin();
}

// Geometry helper: a rectangle in pixels inside a parent.
void Put(QWidget* w, int x, int y, int wd, int ht) {
  if (w) w->setGeometry(x, y, std::max(1, wd), std::max(1, ht));
}
}  // namespace

frm_Adj_Txp::frm_Adj_Txp() {
  txp_ = {&Text_TXP_VHF, &Text_TXP_UHF0, &Text_TXP_UHF1, &Text_TXP_UHF2};
  sq_ = {&Text_SQ_VHF, &Text_SQ_UHF0, &Text_SQ_UHF1, &Text_SQ_UHF2};
  sq_off_ = {&Text_Sq_Offset_VHF, &Text_Sq_Offset_UHF0, &Text_Sq_Offset_UHF1, &Text_Sq_Offset_UHF2};
  engine_ = new Adj_Link([this] { Adj_Show(); }, this);
  Build_Controls();
  Timer4.On_Timer = [this] { Timer4_Timer(); };
  Lock_Area_While_Busy(this, *engine_);
}

frm_Adj_Txp::~frm_Adj_Txp() = default;

Link_Engine* frm_Adj_Txp::Engine() const { return engine_; }
bool frm_Adj_Txp::Busy() const { return engine_->Busy(); }

Vb_Text* frm_Adj_Txp::Value_Box(Adj_Family f, int band, int i) const {
  switch (f) {
    case Adj_Family::Tx_Power: return (*txp_[band])[i];
    case Adj_Family::Sql_Level: return (*sq_[band])[i];
    case Adj_Family::Sql_Offset: break;
  }
  return (*sq_off_[band])[i];
}

Vb_Combo* frm_Adj_Txp::List(int cell) const { return lists_[cell]; }

// ---- building ----------------------------------------------------------------------

void frm_Adj_Txp::Build_Controls() {
  TabStrip1 = new Vb_TabStrip(this);
  TabStrip1->Click = [this] { TabStrip1_Click(); };

  Frame_Frame = new QGroupBox(this);
  Frame_Sql = new QGroupBox(this);
  Frame_Dev = new QGroupBox(this);
  Frame_Other = new QGroupBox(this);

  // TX power.
  std::array<Labels16*, Adj_Bands> txp_labels = {&Label_TXP_VHF, &Label_TXP_UHF0, &Label_TXP_UHF1,
                                                &Label_TXP_UHF2};
  for (int b = 0; b < Adj_Bands; ++b) {
    Frame_B0[b] = new QGroupBox(U(kBandText[b].txp_frame), Frame_Frame);
    for (int i = 0; i < 16; ++i) {
      (*txp_labels[b])[i] = New_Label(Frame_B0[b], "0");
      auto* box = new Vb_Text(Frame_B0[b]);
      (*txp_[b])[i] = box;
      box->Change = [this, b, i] { Text_TXP_Change(b, i); };
    }
  }

  // Squelch.
  Frame_SQL_VHF = new QGroupBox(U(kBandText[0].sql_frame), Frame_Sql);
  Frame_SQL_UHF0 = new QGroupBox(U(kBandText[1].sql_frame), Frame_Sql);
  Frame_SQL_UHF1 = new QGroupBox(U(kBandText[2].sql_frame), Frame_Sql);
  Frame1 = new QGroupBox(U(kBandText[3].sql_frame), Frame_Sql);
  const std::array<QGroupBox*, Adj_Bands> sql_frames = {Frame_SQL_VHF, Frame_SQL_UHF0, Frame_SQL_UHF1,
                                                        Frame1};
  std::array<Labels10*, Adj_Bands> level_labels = {&Label_Sql_VHF, &Label_Sql_UHF0, &Label_Sql_UHF1,
                                                  &Label_Sql_UHF2};
  std::array<Labels16*, Adj_Bands> point_labels = {&Label_Sq_Offset_Vhf, &Label_Sq_Offset_UHF0,
                                                  &Label_Sq_Offset_UHF1, &Label_Sq_Offset_UHF2};
  static const char* const kHeaders[4] = {"级别", "打开", "频点", "补偿"};
  for (int b = 0; b < Adj_Bands; ++b) {
    QGroupBox* f = sql_frames[b];
    for (int h = 0; h < 4; ++h) Sql_Header[b][h] = New_Label(f, U(kHeaders[h]));
    for (int i = 0; i < 10; ++i) {
      (*level_labels[b])[i] = New_Label(f, "0");
      auto* box = new Vb_Text(f);
      (*sq_[b])[i] = box;
      box->Change = [this, b, i] { Text_SQ_Change(b, i); };
    }
    for (int i = 0; i < 16; ++i) {
      (*point_labels[b])[i] = New_Label(f, "0");
      auto* box = new Vb_Text(f);
      (*sq_off_[b])[i] = box;
      box->Change = [this, b, i] { Text_Sq_Offset_Change(b, i); };
    }
  }

  // Deviation and volume.
  Frame_Dev_1 = new QGroupBox(Frame_Dev);
  Frame2 = new QGroupBox(Frame_Dev);
  Vb_Combo** combos[14] = {&Combo_Voice_Dev, &Combo_CT_Dev,    &Combo_DCS_Dev,    &Combo_Wide_C,
                           &Combo_Wide_F,    &Combo_Narror_C,  &Combo_Narror_F,   &Combo_Beep_C,
                           &Combo_Beep_F,    &Combo_VHF_Drive, &Combo_UHF0_Drive, &Combo_UHF1_Drive,
                           &Combo_UHF2_Drive, &Combo_Tone_Dev};
  QLabel** labels[14] = {&Label6[0], &Label7[0], &Label11[0], &Label6[1], &Label7[1],
                         &Label11[1], &Label12,  &Label15,    &Label14,   &Label5,
                         &Label13,   &Label16,   &Label33,    &Label17};
  for (int k = 0; k < 14; ++k) {
    QWidget* parent = k == 13 ? static_cast<QWidget*>(Frame2) : Frame_Dev_1;
    auto* c = new Vb_Combo(parent);
    c->setMaxVisibleItems(16);
    *combos[k] = c;
    lists_[k] = c;
    c->Click = [this, k] { Combo_Click(k); };
    c->KeyPress = [](int& key) { key = 0; };  // a list changes only by a pick
    *labels[k] = New_Label(parent, U(kLists[k].label));
    list_labels_[k] = *labels[k];
  }

  // Band limits and passwords.
  Label2 = New_Label(Frame_Other);
  Label3 = New_Label(Frame_Other);
  Label4 = New_Label(Frame_Other);
  Label8[0] = New_Label(Frame_Other);
  Label_F0 = New_Label(Frame_Other, U(kBandText[0].limit_label));
  for (int j = 0; j < 3; ++j) Label_F1[j] = New_Label(Frame_Other, U(kBandText[j + 1].limit_label));
  for (int k = 0; k < Adj_Bands; ++k) {
    Label9[k] = New_Label(Frame_Other);
    Label10[k == 3 ? 4 : k] = New_Label(Frame_Other);
    Text_Freq_L[k] = new Vb_Text(Frame_Other);
    Text_Freq_H[k] = new Vb_Text(Frame_Other);
    Check_Tx[k] = new Vb_Check(Frame_Other);
    Text_Freq_L[k]->KeyPress = [this, k](int& key) { Text_Freq_L_KeyPress(k, key); };
    Text_Freq_H[k]->KeyPress = [this, k](int& key) { Text_Freq_H_KeyPress(k, key); };
    // A box also loses the focus to a message box (its own check's among
    // them); that is no leaving of the box.
    Text_Freq_L[k]->LostFocus = [this, k] {
      if (Msg_Box_Depth() == 0 && !Unloaded()) Text_Freq_L_LostFocus(k);
    };
    Text_Freq_H[k]->LostFocus = [this, k] {
      if (Msg_Box_Depth() == 0 && !Unloaded()) Text_Freq_H_LostFocus(k);
    };
    Check_Tx[k]->Click = [this, k] { Check_Tx_Click(k); };
  }
  Label34 = New_Label(Frame_Other, "Read and then write");
  QFont big = Label34->font();
  big.setPointSize(16);
  big.setBold(true);
  Label34->setFont(big);
  Frame4 = new QGroupBox(U("读写频密码"), Frame_Other);
  Label8[1] = New_Label(Frame4, U("用户密码"));
  Label10[3] = New_Label(Frame4, U("超级密码"));
  Text_user_PassWord = new Vb_Text(Frame4);
  Text_Super_PassWord = new Vb_Text(Frame4);
  Text_user_PassWord->Change = [this] { Text_user_PassWord_Change(); };
  Text_Super_PassWord->Change = [this] { Text_Super_PassWord_Change(); };

  // Buttons, progress.
  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_def = new QPushButton(this);
  Command_save = new QPushButton(U("保  存"), this);
  Command_open = new QPushButton(U("打  开"), this);
  Command_close = new QPushButton(this);
  Connect_Commands(this);
  ProgressBar1 = New_Transfer_Bar(this);
  Label_tr_count = new QLabel(this);
  engine_->Set_View(ProgressBar1, Label_tr_count);
}

// Places every control from the window's size. The page frames follow the
// window's own sizing rule; inside them the rows are spread over the room
// the frame has.
void frm_Adj_Txp::Lay_Out() {
  const double W = Px_To_Twips(Host() ? Host()->width() : width());
  const double H = Px_To_Twips(Host() ? Host()->height() : height());
  Place_Control_Twips(TabStrip1, 100, 100, static_cast<int>(W / 1.05), static_cast<int>(H / 1.5));
  Place_Control_Twips(Frame_Frame, 300, 600, static_cast<int>(W / 1.2), static_cast<int>(H / 1.8));
  Place_Control_Twips(Frame_Sql, 300, 600, static_cast<int>(W / 1.1), static_cast<int>(H / 1.7));
  Place_Control_Twips(Frame_Dev, 300, 600, static_cast<int>(W / 1.6), static_cast<int>(H / 1.65));
  Place_Control_Twips(Frame_Other, 300, 600, static_cast<int>(W / 1.4), static_cast<int>(H / 1.8));
  for (QWidget* f : {static_cast<QWidget*>(Frame_Frame), static_cast<QWidget*>(Frame_Sql),
                     static_cast<QWidget*>(Frame_Dev), static_cast<QWidget*>(Frame_Other)})
    f->raise();

  const int top = 22, margin = 8, gap = 6;
  QFont small = font();
  small.setPointSizeF(std::max(7.0, small.pointSizeF() - 1));

  // TX power: four band frames side by side, 16 rows of label and box.
  {
    const int fw = (Frame_Frame->width() - 2 * margin - 3 * gap) / 4;
    const int fh = Frame_Frame->height() - top - margin;
    std::array<Labels16*, Adj_Bands> labels = {&Label_TXP_VHF, &Label_TXP_UHF0, &Label_TXP_UHF1,
                                              &Label_TXP_UHF2};
    for (int b = 0; b < Adj_Bands; ++b) {
      Put(Frame_B0[b], margin + b * (fw + gap), top, fw, fh);
      const double pitch = (fh - top - 4) / 16.0;
      const int hbox = std::min(22, static_cast<int>(pitch) - 1);
      for (int i = 0; i < 16; ++i) {
        const int y = top + static_cast<int>(i * pitch);
        QLabel* l = (*labels[b])[i];
        l->setFont(small);
        Put(l, 8, y, fw / 2 - 4, hbox);
        Vb_Text* t = (*txp_[b])[i];
        t->setFont(small);
        Put(t, fw / 2 + 4, y, fw / 2 - 14, hbox);
      }
    }
  }

  // Squelch: four band frames; columns level, threshold, point, compensation.
  {
    const int fw = (Frame_Sql->width() - 2 * margin - 3 * gap) / 4;
    const int fh = Frame_Sql->height() - top - margin;
    const std::array<QGroupBox*, Adj_Bands> frames = {Frame_SQL_VHF, Frame_SQL_UHF0, Frame_SQL_UHF1, Frame1};
    std::array<Labels10*, Adj_Bands> level = {&Label_Sql_VHF, &Label_Sql_UHF0, &Label_Sql_UHF1,
                                             &Label_Sql_UHF2};
    std::array<Labels16*, Adj_Bands> point = {&Label_Sq_Offset_Vhf, &Label_Sq_Offset_UHF0,
                                             &Label_Sq_Offset_UHF1, &Label_Sq_Offset_UHF2};
    const int col_w = (fw - 16) / 4;
    const int xs[4] = {8, 8 + col_w, 8 + 2 * col_w + 4, 8 + 3 * col_w + 4};
    for (int b = 0; b < Adj_Bands; ++b) {
      Put(frames[b], margin + b * (fw + gap), top, fw, fh);
      const int rows_top = top + 20;
      const double pitch = (fh - rows_top - 4) / 16.0;
      const int hbox = std::min(22, static_cast<int>(pitch) - 1);
      for (int h = 0; h < 4; ++h) {
        Sql_Header[b][h]->setFont(small);
        Put(Sql_Header[b][h], xs[h], top, col_w, 18);
      }
      for (int i = 0; i < 16; ++i) {
        const int y = rows_top + static_cast<int>(i * pitch);
        if (i < 10) {
          (*level[b])[i]->setFont(small);
          Put((*level[b])[i], xs[0] + 4, y, col_w - 4, hbox);
          (*sq_[b])[i]->setFont(small);
          Put((*sq_[b])[i], xs[1], y, col_w - 4, hbox);
        }
        (*point[b])[i]->setFont(small);
        Put((*point[b])[i], xs[2], y, col_w - 2, hbox);
        (*sq_off_[b])[i]->setFont(small);
        Put((*sq_off_[b])[i], xs[3], y, col_w - 4, hbox);
      }
    }
  }

  // Deviation and volume: 13 lists in two columns, the signalling tone's apart.
  {
    const int fw = Frame_Dev->width() - 2 * margin;
    const int fh = Frame_Dev->height() - top - margin;
    const int inner2 = 52;
    Put(Frame_Dev_1, margin, top, fw, fh - inner2 - gap);
    Put(Frame2, margin, top + fh - inner2, fw, inner2);
    const int col = fw / 2;
    const double pitch = (Frame_Dev_1->height() - 16) / 7.0;
    for (int k = 0; k < 13; ++k) {
      const int c = k < 7 ? 0 : 1, r = k < 7 ? k : k - 7;
      const int y = 12 + static_cast<int>(r * pitch + (pitch - 24) / 2);
      Put(list_labels_[k], 10 + c * col, y, col - 90, 24);
      Put(lists_[k], c * col + col - 80, y, 66, 24);
    }
    Put(Label17, 10, 16, col - 90, 24);
    Put(Combo_Tone_Dev, col - 80, 16, 66, 24);
  }

  // Band limits: a header row, four band rows, the note and the passwords.
  // The columns spread over the frame's width, but none is narrower than its
  // header's text (on a small screen the English headers need more than the
  // share the frame gives them); the frame grows to hold what was pushed.
  {
    const std::array<QLabel*, Adj_Bands> captions = {Label_F0, Label_F1[0], Label_F1[1], Label_F1[2]};
    // limit_boxes: "From", both boxes and "to" of a band row, as placed below.
    // col_gap: the least room between one header's text and the next header.
    const int x_band = 12, limit_boxes = 176, col_gap = 12;
    int caption_need = 0;
    for (QLabel* c : captions) caption_need = std::max(caption_need, Text_Need(c));
    const int x_limits = std::max({Frame_Other->width() * 46 / 100, x_band + 90 + Text_Need(Label3) + col_gap,
                                   x_band + caption_need + 8});
    const int x_check = std::max(Frame_Other->width() * 82 / 100,
                                 x_limits + std::max(Text_Need(Label4) + col_gap, limit_boxes));
    Frame_Other->resize(std::max(Frame_Other->width(), x_check + Text_Need(Label8[0]) + 8), Frame_Other->height());
    const int fw = Frame_Other->width();
    Put(Label2, x_band, top + 4, 60, 20);
    Put(Label3, x_band + 90, top + 4, x_limits - x_band - 94, 20);
    Put(Label4, x_limits, top + 4, x_check - x_limits - 4, 20);
    Put(Label8[0], x_check, top + 4, fw - x_check - 8, 20);
    for (int k = 0; k < Adj_Bands; ++k) {
      const int y = top + 34 + k * 32;
      Put(captions[k], x_band, y, x_limits - x_band - 8, 24);
      Put(Label9[k], x_limits, y, 40, 24);
      Put(Text_Freq_L[k], x_limits + 42, y, 52, 24);
      Put(Label10[k == 3 ? 4 : k], x_limits + 100, y, 22, 24);
      Put(Text_Freq_H[k], x_limits + 124, y, 52, 24);
      Put(Check_Tx[k], x_check + 20, y, 24, 24);
    }
    const int y34 = top + 34 + 4 * 32 + 4;
    Put(Label34, x_band, y34, fw - 2 * x_band, 34);
    const int y4 = y34 + 40;
    Put(Frame4, x_band, y4, fw - 2 * x_band, std::min(76, std::max(60, Frame_Other->height() - y4 - margin)));
    Put(Label8[1], 16, 30, 80, 24);
    Put(Text_user_PassWord, 100, 30, 110, 24);
    Put(Label10[3], 250, 30, 80, 24);
    Put(Text_Super_PassWord, 334, 30, 110, 24);
  }

  // The tab strip stays under every page frame, a frame that grew included.
  {
    QRect under = TabStrip1->geometry();
    for (QWidget* f : {static_cast<QWidget*>(Frame_Frame), static_cast<QWidget*>(Frame_Sql),
                       static_cast<QWidget*>(Frame_Dev), static_cast<QWidget*>(Frame_Other)})
      under.setRight(std::max(under.right(), f->geometry().right() + f->x() - under.x()));
    TabStrip1->setGeometry(under);
  }

  // Buttons in one row under the tab strip, the hidden ones taking no room.
  const int by = TabStrip1->geometry().bottom() + 10;
  int bx = TabStrip1->x() + 14;
  for (QPushButton* b : {Command_read, Command_Write, Command_def, Command_save, Command_open, Command_close}) {
    if (b->isHidden()) continue;
    Put(b, bx, by, 90, 30);
    bx += 104;
  }
  Put(ProgressBar1, TabStrip1->x() + 14, by + 42, TabStrip1->width() - 28, 16);
  Put(Label_tr_count, TabStrip1->x() + 14, by + 62, TabStrip1->width() - 28, 22);
}

// ---- load, unload ---------------------------------------------------------------------

void frm_Adj_Txp::Form_Load() {
  // 1. The limits the band-limit boxes accept.
  Freq_Min = Freq_Min_Values;
  Freq_Max = Freq_Max_Values;

  // 2. Size from the main window, centred in its client area.
  const QSizeF main = Main_Frame_Twips();
  const double w = main.width() / 1.48, h = main.height() / 1.2;
  QWidget* client = Forms::Mdi_Area();
  const double cw = client ? Client_Width_Twips(client) : w;
  const double ch = client ? Client_Height_Twips(client) : h;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (Host())
    Place_Window_Twips(Host(), std::max(0.0, (cw - w) / 2), std::max(0.0, (ch - h) / 2), w, h);

  // 3, 4. Tab strip and page frames.
  TabStrip1->Tabs_Clear();
  for (const Page& p : kPages) TabStrip1->Tabs_Add(U(p.tab));

  // 5. The engine idle, its bar hidden.
  Engine_Idle(*engine_);
  engine_->Block_No = 0;
  ProgressBar1->hide();

  // 6. The band-limit page.
  Adj_Page = kBandLimitPage;
  Show_Page_Frame(Frame_Other);

  // 7. Captions.
  setWindowTitle(Lang_Pick("其他", "Other "));
  Frame_Other->setTitle(Lang_Pick("频率范围限制", "Adjustable  frequency  range "));
  Label2->setText(Lang_Pick("频段", "Band"));
  Label3->setText(Lang_Pick("最大工作频率范围(MHZ)", "Max frequency range (MHz)"));
  Label4->setText(Lang_Pick("限制工作频率范围(MHZ)", "Limit frequency range (MHz)"));
  Label8[0]->setText(Lang_Pick("发射允许", "Allow transmit"));
  for (QLabel* l : Label9) l->setText(Lang_Pick("从", "From"));
  for (int k : {0, 1, 2, 4}) Label10[k]->setText(Lang_Pick("到", "to"));
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写  入", "Write"));
  Command_def->setText(Lang_Pick("默 认", "Default"));
  Command_close->setText(Lang_Pick("关闭", "Close"));
  Frame_Frame->setTitle(U(kPages[0].caption));
  Frame_Sql->setTitle(U("静噪等级"));
  Frame_Dev->setTitle(U("调制、音量"));

  // 8. Labels and lists.
  Adj_InitControls();

  // 9. The alignment file is reached through the frame's file dialogs only.
  Command_save->hide();
  Command_open->hide();
  Lay_Out();

  // The file-request poll runs as long as the window is loaded.
  Timer4.Set_Interval(500);
  Timer4.Set_Enabled(true);

  // 10. The band-limit page from the image.
  Adj_Show();
}

void frm_Adj_Txp::Form_Unload() {
  Timer4.Set_Enabled(false);
  engine_->Shut_Down();
}

bool frm_Adj_Txp::Form_Query_Close() {
  // Closing by the window's close box is refused while a transfer runs, as
  // the Close button refuses it.
  return !Refuse_While_Busy(Busy(), editor_text::Close_Busy);
}

void frm_Adj_Txp::focusInEvent(QFocusEvent* e) {
  Vb_Form::focusInEvent(e);
  Adj_Show();
}

void frm_Adj_Txp::Adj_InitControls() {
  std::array<Labels16*, Adj_Bands> txp_labels = {&Label_TXP_VHF, &Label_TXP_UHF0, &Label_TXP_UHF1,
                                                &Label_TXP_UHF2};
  std::array<Labels10*, Adj_Bands> level = {&Label_Sql_VHF, &Label_Sql_UHF0, &Label_Sql_UHF1, &Label_Sql_UHF2};
  std::array<Labels16*, Adj_Bands> point = {&Label_Sq_Offset_Vhf, &Label_Sq_Offset_UHF0,
                                           &Label_Sq_Offset_UHF1, &Label_Sq_Offset_UHF2};
  for (int b = 0; b < Adj_Bands; ++b) {
    for (int i = 0; i < 16; ++i) {
      const int mhz = Freq_Min[b] + kPointStep[b] * i;
      QLabel* l = (*txp_labels[b])[i];
      l->setVisible(true);
      l->setText(QString::number(mhz) + "MHZ");
      if (b > 0) {
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, p.color(QPalette::Button));
        l->setPalette(p);
      } else if (mhz >= Freq_Max[0]) {
        // VHF points at or above the band's highest limit stand out.
        Vb_Text* t = (*txp_[0])[i];
        t->setVisible(true);
        QPalette p = t->palette();
        p.setColor(QPalette::Base, p.color(QPalette::HighlightedText));
        t->setPalette(p);
      }
      (*point[b])[i]->setText(QString::number(mhz));
    }
    for (int i = 0; i < 10; ++i) (*level[b])[i]->setText(QString::number(i));
  }
  for (int cell : kFillOrder) {
    Vb_Combo* c = lists_[cell];
    c->Clear_Items();
    QStringList items;
    for (int k = 0; k < kLists[cell].items; ++k) items << " " + QString::number(k);
    c->Add_Items(items);
  }
}

void frm_Adj_Txp::Show_Page_Frame(QGroupBox* frame) {
  for (QGroupBox* f : {Frame_Frame, Frame_Sql, Frame_Dev, Frame_Other}) f->setVisible(f == frame);
}

// ---- display ------------------------------------------------------------------------------

void frm_Adj_Txp::Adj_Show() {
  if (Unloaded()) return;
  const int page = Adj_Page;
  if (page == 0 || page == 1) {
    for (int b = 0; b < Adj_Bands; ++b)
      for (int i = 0; i < 16; ++i) {
        (*txp_[b])[i]->Set_Text(QString::number(Adj_Image[4 * page + b][i]));
        if (Unloaded()) return;
      }
    return;
  }
  if (page < 2 || page > 4) return;
  // The squelch boxes are filled on pages 2, 3 and 4 alike.
  for (int b = 0; b < Adj_Bands; ++b) {
    for (int i = 0; i < 10; ++i) {
      (*sq_[b])[i]->Set_Text(QString::number(Adj_Image[Sql_Rows[b]][i]));
      if (Unloaded()) return;
    }
    for (int i = 0; i < 16; ++i) {
      (*sq_off_[b])[i]->Set_Text(QString::number(Adj_Image[Sql_Rows[4 + b]][i]));
      if (Unloaded()) return;
    }
  }
  if (page == 3) {
    // A value beyond its list shows no item and stays as it is.
    for (int cell = 0; cell < 14; ++cell) {
      const int v = Adj_Image[Adj_Setting_Row][cell];
      lists_[cell]->Set_List_Index(v >= 0 && v < lists_[cell]->List_Count() ? v : -1);
      if (Unloaded()) return;
    }
  }
  if (page == 4) {
    for (int k = 0; k < Adj_Bands; ++k) {
      const Image_Row& row = Adj_Image[Adj_Limit_Row + k];
      Text_Freq_L[k]->Set_Text(Limit_Text(row[0], row[1], row[2]));
      Text_Freq_H[k]->Set_Text(Limit_Text(row[3], row[4], row[5]));
      Check_Tx[k]->Set_Value(row[Adj_Tx_Allowed] < 1 ? 0 : 1);
    }
    // Cells that hold no byte value cannot be shown: the box is emptied
    // without storing, so the cells stay as they are.
    auto show_password = [this](Vb_Text* box, int first) {
      bool bytes = true;
      for (int k = 0; k < Pass_Len; ++k) {
        const int v = Adj_Image[Pass_Row][first + k];
        bytes = bytes && v >= 0 && v <= 255;
      }
      password_quiet_ = !bytes;
      box->Set_Text(bytes ? Password_Text(Adj_Image[Pass_Row], first) : QString());
      password_quiet_ = false;
    };
    show_password(Text_user_PassWord, Pass_User);
    show_password(Text_Super_PassWord, Pass_Super);
  }
}

void frm_Adj_Txp::TabStrip1_Click() {
  const int sel = TabStrip1->Selected();
  if (sel >= 1 && sel <= 5) {
    Adj_Page = static_cast<int16_t>(sel - 1);
    const QString caption = U(kPages[sel - 1].caption);
    setWindowTitle(caption);
    QGroupBox* frames[5] = {Frame_Frame, Frame_Frame, Frame_Sql, Frame_Dev, Frame_Other};
    if (sel <= 2) Frame_Frame->setTitle(caption);
    Show_Page_Frame(frames[sel - 1]);
  }
  Adj_Show();
}

// ---- buttons ------------------------------------------------------------------------------

void frm_Adj_Txp::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  ProgressBar1->hide();
  ProgressBar1->setValue(0);
  Label_tr_count->clear();
  Adj_DefaultFill();
  for (int r = 0; r < Adj_Area_Rows; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = Adj_Default[r][c];
  Adj_Show();
}

void frm_Adj_Txp::Command_close_Click() {
  if (Refuse_While_Busy(Busy(), editor_text::Close_Busy)) return;
  Close_Editor<Form_open_menu, Form_save_menu>(*this, *engine_);
}

void frm_Adj_Txp::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Load<Form_open_adj>()->Show_Dialog();
}

void frm_Adj_Txp::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Load<Form_save_adj>()->Show_Dialog();
}

void frm_Adj_Txp::Command_read_Click() { engine_->Command_read_Click(); }
void frm_Adj_Txp::Command_Write_Click() { engine_->Command_Write_Click(); }

// ---- the alignment file ---------------------------------------------------------------------

void frm_Adj_Txp::Timer4_Timer() {
  // A request waits while a transfer runs: a file loaded during a read would
  // be overwritten when the read ends, and one loaded during a write would
  // mix into the rows still to be sent.
  Serve_File_Requests(*this, engine_->Area_Busy(), Adj_Open_Flag, [this] { Adj_FileLoad(); }, Adj_Save_Flag,
                      [this] { Adj_FileSave(); });
}

void frm_Adj_Txp::Adj_FileLoad() {
  QString why;
  if (!Adj_File_Load(File_Path, &why)) {
    // A refused file changes nothing, neither the image nor the window.
    Msg_Box(why, Msg_Icon::Exclamation, link_text::Title_Upper.Get());
    return;
  }
  Adj_Show();
  if (Unloaded()) return;
  Msg_Box(kLoadDone.Get(), Msg_Icon::Exclamation, link_text::Title_Upper.Get());
  if (Unloaded()) return;
  ProgressBar1->hide();
  ProgressBar1->setValue(0);
  Label_tr_count->clear();
}

void frm_Adj_Txp::Adj_FileSave() {
  QString why;
  if (!Adj_File_Save(File_Path, Adj_Image, &why)) {
    Msg_Box(Lang_Pick(U("调整参数保存失败：") + why, "The alignment parameters could not be stored: " + why),
            Msg_Icon::Exclamation, link_text::Title_Upper.Get());
    return;
  }
  Msg_Box(kSaveDone.Get(), Msg_Icon::Exclamation, link_text::Title_Upper.Get());
}

// ---- fields -----------------------------------------------------------------------------------

void frm_Adj_Txp::Focus_Request(QWidget* w) {
  // A box on a hidden page cannot take the focus; the request is dropped.
  if (!w || !w->isVisibleTo(this)) return;
  QPointer<QWidget> p(w);
  QTimer::singleShot(0, this, [this, p] {
    if (p && !Unloaded() && p->isVisibleTo(this)) p->setFocus(Qt::OtherFocusReason);
  });
}

void frm_Adj_Txp::Value_Change(Adj_Family f, int band, int i) {
  Vb_Text* box = Value_Box(f, band, i);
  const Adj_Family_Info& info = Family_Info(f);
  const int r = Value_Row(f, band, Adj_Page);
  if (r < 0 || r >= Adj_Area_Rows) return;
  const Value_Verdict v = Value_Check(box->Text(), info.max);
  if (v != Value_Verdict::Ok) {
    Msg_Box(U(info.message), Msg_Icon::Information, U(kValueTitle));
    if (Unloaded()) return;
    Focus_Request(box);
    // Putting the factory text back runs this check again, which stores it.
    box->Set_Text(QString::number(Value_Restore(Adj_Default[r][i], info.max)));
    if (v == Value_Verdict::Bad_Char) return;
  }
  Adj_Image[r][i] = static_cast<int16_t>(std::min(Value_Of(box->Text()), info.max));
}

void frm_Adj_Txp::Combo_Click(int k) {
  const int v = lists_[k]->List_Index();
  if (v >= 0) Adj_Image[Adj_Setting_Row][k] = static_cast<int16_t>(v);
}

void frm_Adj_Txp::Check_Tx_Click(int k) {
  Adj_Image[Adj_Limit_Row + k][Adj_Tx_Allowed] = static_cast<int16_t>(Check_Tx[k]->Value());
}

void frm_Adj_Txp::Text_Freq_L_KeyPress(int k, int& key) {
  if (Limit_Key_Refused(Text_Freq_L[k]->Text())) key = 0;
}

void frm_Adj_Txp::Text_Freq_H_KeyPress(int k, int& key) {
  if (Limit_Key_Refused(Text_Freq_H[k]->Text())) key = 0;
}

void frm_Adj_Txp::Text_Freq_H_LostFocus(int k) {
  const double h = Limit_Number(Text_Freq_H[k]->Text());
  const double l = Limit_Number(Text_Freq_L[k]->Text());
  const Limit_Verdict v = Upper_Check(h, l, Freq_Min[k], Freq_Max[k]);
  if (v != Limit_Verdict::Ok) {
    Msg_Box(Limit_Message(v), Msg_Icon::Exclamation, Limit_Title());
    if (Unloaded()) return;
    Text_Freq_H[k]->Set_Text(QString::number(Freq_Max[k]));
    Focus_Request(Text_Freq_H[k]);
    return;
  }
  Limits_Store();
}

void frm_Adj_Txp::Text_Freq_L_LostFocus(int k) {
  const double l = Limit_Number(Text_Freq_L[k]->Text());
  const double h = Limit_Number(Text_Freq_H[k]->Text());
  const Limit_Verdict v = Lower_Check(l, h, Freq_Min[k], Freq_Max[k]);
  if (v != Limit_Verdict::Ok) {
    Msg_Box(Limit_Message(v), Msg_Icon::Exclamation, Limit_Title());
    if (Unloaded()) return;
    Text_Freq_L[k]->Set_Text(QString::number(Freq_Min[k]));
    Focus_Request(Text_Freq_L[k]);
    return;
  }
  Limits_Store();
}

void frm_Adj_Txp::Limits_Store() {
  // Every band from its boxes; a box whose limit its band does not accept
  // (a limit read from the radio that is no such number) keeps its cells.
  for (int k = 0; k < Adj_Bands; ++k) {
    Image_Row& row = Adj_Image[Adj_Limit_Row + k];
    if (auto d = Limit_Digits(Limit_Number(Text_Freq_L[k]->Text()), Freq_Min[k], Freq_Max[k]))
      for (int j = 0; j < 3; ++j) row[Adj_Limit_Low + j] = (*d)[j];
    if (auto d = Limit_Digits(Limit_Number(Text_Freq_H[k]->Text()), Freq_Min[k], Freq_Max[k]))
      for (int j = 0; j < 3; ++j) row[Adj_Limit_High + j] = (*d)[j];
  }
}

void frm_Adj_Txp::Text_user_PassWord_Change() {
  if (!password_quiet_) Password_Store(Adj_Image[Pass_Row], Pass_User, Text_user_PassWord->Text());
}

void frm_Adj_Txp::Text_Super_PassWord_Change() {
  if (!password_quiet_) Password_Store(Adj_Image[Pass_Row], Pass_Super, Text_Super_PassWord->Text());
}
