#include "frm_chann.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "data/chann_default.h"
#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "files/file_dialogs.h"
#include "link/chann_link.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"

namespace {
using namespace chann_col;

constexpr const char* kFormatZh =
    "^信道号|^ 工作频段 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT 编码|^发射功率|^信道带宽|"
    "^PTT-ID|^繁忙锁定|^扫描添加|^信令码|^可选信令|^静音方式|^扰频|信   道   名   称";
constexpr const char* kFormatEn =
    "^Channel|^  Band  |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX Power|^ W/N |"
    "^PTT-ID|^BusyLock|^Scan_Add|^SigCode|^Opisug|^Spmute|^SCR|^    CH-Name   ";

constexpr int kCellPadding = 10;  // pixels beside a cell's text, both sides together

// The design layout, in twips. The grid, the two transfer displays and the
// buttons are placed from the window's size; these are the rest.
namespace layout {
constexpr int Margin = 120;
constexpr int Button_Left = 240, Button_Step = 1320, Button_Width = 1095, Button_Height = 495;
constexpr int Pass_Label_Width = 1000, Pass_Box_Width = 1100, Pass_Height = 315;
constexpr int Bar_Width = 6000, Bar_Height = 375;
constexpr int Label_Left = 6360, Label_Width = 7000, Label_Height = 375;
}  // namespace layout

// The grid's texts through the model's view of them.
class Grid_Cells : public Chann_Cells {
public:
  explicit Grid_Cells(Vb_Grid* g) : g_(g) {}
  QString Cell(int row, int col) const override { return g_->Text_At(row, col); }
  void Set_Cell(int row, int col, const QString& text) override { g_->Set_Text_At(row, col, text); }

private:
  Vb_Grid* g_;
};

}  // namespace

frm_chann::frm_chann() {
  MSF_Chann = new Vb_Grid(this, 1);
  Text_Edit = new Vb_Text(this);
  Combo_edit = new Vb_Combo(this, true);
  Combo_edit->setInsertPolicy(QComboBox::NoInsert);
  // What is typed is what is committed: no completion from the items.
  Combo_edit->setCompleter(nullptr);
  Combo_edit->setMaxVisibleItems(12);
  Text_Edit->hide();
  Combo_edit->hide();
  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_Clear = new QPushButton(this);
  Command_def = new QPushButton(this);
  Command_save = new QPushButton(this);
  Command_open = new QPushButton(this);
  Command_close = new QPushButton(this);
  Label_PassWord = new QLabel(this);
  Text_PassWord = new QLineEdit(this);
  Text_PassWord->setMaxLength(6);
  Text_PassWord->setText("580417");
  // Only the FM editor shows its password box; this one is never seen, yet
  // a change to its text still reaches the engine.
  Label_PassWord->hide();
  Text_PassWord->hide();
  Label_tr_count = new QLabel(this);
  ProgressBar1 = New_Transfer_Bar(this);

  cells_ = std::make_unique<Grid_Cells>(MSF_Chann);
  edit_ = std::make_unique<Chann_Edit>(*cells_);
  engine_ = new Chann_Link(Chann_Link_Profile(), this);
  engine_->Set_View(ProgressBar1, Label_tr_count);
  engine_->Redraw = [this] {
    for (int r = 1; r <= Chann_Count; ++r) Row_Show(r);
    Name_Rescan(*cells_, engine_->Read_Last);
  };

  // The text shown at load does not count; every change after it does.
  connect(Text_PassWord, &QLineEdit::textChanged, this,
          [](const QString& t) { Link_Engine::Text_PassWord_Change(t); });
  Connect_Commands(this);
  connect(Command_Clear, &QPushButton::clicked, this, [this] { Command_Clear_Click(); });
  MSF_Chann->Click = [this] { MSF_Chann_Click(); };
  MSF_Chann->LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  MSF_Chann->Attach_Editor(Text_Edit);
  MSF_Chann->Attach_Editor(Combo_edit);
  Combo_edit->Click = [this] { Combo_edit_Click(); };
  Combo_edit->Change = [this] { Combo_edit_Change(); };
  Combo_edit->GotFocus = [this] { Combo_edit_GotFocus(); };
  Combo_edit->KeyPress = [this](int& k) { Combo_edit_KeyPress(k); };
  Text_Edit->KeyPress = [this](int& k) { Text_Edit_KeyPress(k); };
  Lock_Area_While_Busy(this, *engine_);
}

frm_chann::~frm_chann() {
  // The grid's handlers reach the model; nothing may run while it goes.
  MSF_Chann->LeaveCell = nullptr;
  MSF_Chann->Click = nullptr;
  Combo_edit->Click = nullptr;
  Combo_edit->Change = nullptr;
  Combo_edit->GotFocus = nullptr;
  Combo_edit->KeyPress = nullptr;
  Text_Edit->KeyPress = nullptr;
}

bool frm_chann::Busy() const { return engine_ && engine_->Busy(); }

void frm_chann::Form_Load() {
  using namespace layout;
  setWindowTitle(Lang_Pick("信道参数编辑", "Channel Information"));
  MSF_Chann->Set_Format_String(Lang_Pick(kFormatZh, kFormatEn));
  Widen_Columns();
  Command_read->setText(Lang_Pick("读 取", "Read"));
  Command_Write->setText(Lang_Pick("写 入", "Write"));
  Command_Clear->setText(Lang_Pick("清 除", "Clear"));
  Command_def->setText(Lang_Pick("出厂值", "Default"));
  Command_save->setText(Lang_Pick("保 存", "Save"));
  Command_open->setText(Lang_Pick("打 开", "Open"));
  Command_close->setText(Lang_Pick("关 闭", "Close"));
  Label_PassWord->setText(Lang_Pick("读写密码", "PassWord"));

  // Sized from the main window by the screen's proportion to the design
  // screen, centred in the main window's client area.
  double fx = Screen_Width_Twips() / 14500, fy = Screen_Height_Twips() / 9500;
  if (fx == 0) fx = 1;
  if (fy == 0) fy = 1;
  const QSizeF outer = Main_Frame_Twips(), inner = Main_Client_Twips();
  const double w = outer.width() / fx, h = outer.height() / fy;
  const double top = (inner.height() - h) / 2, left = (inner.width() - w) / 2;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (QWidget* host = Host()) Place_Window_Twips(host, left, top, w, h);

  const double inner_w = Px_To_Twips(width());
  const int y = static_cast<int>(h - 1500);
  const int grid_h = std::max(600, y - 800 - 2 * Margin);
  Place_Control_Twips(MSF_Chann, Margin, Margin, static_cast<int>(inner_w / 1.02), grid_h);
  QPushButton* buttons[] = {Command_read, Command_Write, Command_Clear, Command_def,
                            Command_save, Command_open, Command_close};
  for (int k = 0; k < 7; ++k)
    Place_Control_Twips(buttons[k], Button_Left + k * Button_Step, y, Button_Width, Button_Height);
  const int pass_left = Button_Left + 7 * Button_Step + Margin;
  Place_Control_Twips(Label_PassWord, pass_left, y + 90, Pass_Label_Width, Pass_Height);
  Place_Control_Twips(Text_PassWord, pass_left + Pass_Label_Width, y + 60, Pass_Box_Width, Pass_Height);
  Place_Control_Twips(ProgressBar1, Margin * 2, y - 800, Bar_Width, Bar_Height);
  Place_Control_Twips(Label_tr_count, Label_Left, y - 800, Label_Width, Label_Height);

  Text_Edit->hide();
  // The engine's timers and flags start stopped and clear (it was just made).
  ProgressBar1->setValue(0);
  Label_tr_count->setText(QString());
  ProgressBar1->hide();
  Full_Redraw();
}

void frm_chann::Widen_Columns() {
  // Each column is as wide as its header text, and never narrower than the
  // widest text its cells can show, so that no cell is cut.
  const QFontMetrics fm = MSF_Chann->fontMetrics();
  for (int c = Band; c <= Name; ++c) {
    QStringList texts = Column_Items(c);
    if (c == Band) texts << Band_Cell_Text;
    if (c == Rx || c == Tx) texts << "000.00000";
    if (c == Dec || c == Enc) texts << Tone_Unknown_Text;
    if (c == Dec)
      for (const QString& t : Tone_Name) texts << t;
    if (c == Name) texts << QString::fromUtf8("信道名称") << "WWWWWWWW";
    int w = MSF_Chann->Col_Width(c);
    for (const QString& t : texts) w = std::max(w, fm.horizontalAdvance(t) + kCellPadding);
    MSF_Chann->Set_Col_Width(c, w);
  }
}

void frm_chann::Row_Show(int r) { ::Row_Show(*cells_, r); }

void frm_chann::Full_Redraw() {
  // The current cell stays where it is: a redraw (on every activation of the
  // window, also after a message box) must not move an open editor's cell
  // nor commit it; the pending edit is committed when its cell is left.
  MSF_Chann->setUpdatesEnabled(false);
  if (MSF_Chann->Rows() != Chann_Count + 1) MSF_Chann->Set_Rows(Chann_Count + 1);
  for (int r = 1; r <= Chann_Count; ++r) {
    MSF_Chann->Set_Text_At(r, Number, QString::number(r - 1));
    Row_Show(r);
  }
  MSF_Chann->setUpdatesEnabled(true);
}

void frm_chann::Form_Activate() { Full_Redraw(); }

bool frm_chann::Form_Query_Close() {
  return !Refuse_While_Busy(Busy(), link_text::Close_Refused);
}

void frm_chann::Form_Unload() {
  // Stops a running transfer for good and closes the port; a read changes
  // the image only once complete, so nothing half-read is left behind.
  engine_->Shut_Down();
}

// ---- buttons ---------------------------------------------------------------------

void frm_chann::Command_read_Click() { engine_->Command_read_Click(); }
void frm_chann::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_chann::Command_Clear_Click() {
  if (Refuse_Edit_While_Busy(*engine_, editor_text::Clear_Busy)) return;
  ProgressBar1->setValue(0);
  Label_tr_count->setText(QString());
  ProgressBar1->hide();
  for (int r = 1; r <= Chann_Count; ++r) {
    cells_->Set_Cell(r, Rx, "");
    cells_->Set_Cell(r, Tx, "");
    cells_->Set_Cell(r, Opt_Sig, "");
    Row_Clear(*cells_, r);
  }
}

void frm_chann::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  Chann_Default();
  Full_Redraw();
}

void frm_chann::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  if (auto* d = Forms::Load<Form_open_chann>()) d->Show_Dialog();
}

void frm_chann::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  if (auto* d = Forms::Load<Form_save_chann>()) d->Show_Dialog();
}

void frm_chann::Command_close_Click() {
  if (Refuse_While_Busy(Busy(), link_text::Close_Refused)) return;
  Close_Editor<Form_open_chann, Form_save_chann>(*this, *engine_);
}

// ---- cell editing ------------------------------------------------------------------

void frm_chann::Place_Editor(QWidget* w, bool full_height) {
  MSF_Chann->Float_Editor(w, MSF_Chann->Row(), MSF_Chann->Col(), full_height);
}

void frm_chann::Hide_Editors_And_Empty() {
  Text_Edit->hide();
  Combo_edit->hide();
  Text_Edit->Set_Text(QString());
  Combo_edit->Set_Text(QString());
}

void frm_chann::MSF_Chann_Click() {
  // A click on a channel number ended the edit and moved nothing: no editor
  // opens again on the cell it left.
  if (MSF_Chann->Mouse_Col() < MSF_Chann->Fixed_Cols()) return;
  Cell_Edit();
}

void frm_chann::Cell_Edit() {
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  if (r < 1) return;
  const Editor_Open o = edit_->Cell_Edit(r, c);
  switch (o.kind) {
    case Editor_Kind::None: return;
    case Editor_Kind::Hide_Both:
      Text_Edit->hide();
      Combo_edit->hide();
      return;
    case Editor_Kind::Box:
      Combo_edit->hide();
      Place_Editor(Text_Edit, true);
      Text_Edit->Set_Text(o.text);
      Text_Edit->show();
      Text_Edit->raise();
      Text_Edit->setFocus();
      return;
    case Editor_Kind::List: {
      Text_Edit->hide();
      const bool tone = c == Dec || c == Enc;
      Combo_edit->Set_Typing_Rule(tone ? Typing_Rule::Free : Typing_Rule::Put_Back, &edit_->Edit_Text);
      Place_Editor(Combo_edit, false);
      Combo_edit->Set_Text(MSF_Chann->Text_At(r, c));
      Combo_edit->show();
      Combo_edit->raise();
      Combo_edit->setFocus();
      Combo_edit->Clear();
      Combo_edit->Add_Items(o.items);
      Combo_edit->Set_Text(o.text);
      Place_Editor(Combo_edit, false);  // as wide as its items need
      return;
    }
  }
}

void frm_chann::MSF_Chann_LeaveCell() {
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  Text_Edit->hide();
  if (r >= 1) edit_->Leave_Cell(r, c, Text_Edit->Text(), Combo_edit->Text());
  if (Unloaded()) return;
  if (c != Band) Hide_Editors_And_Empty();
}

void frm_chann::Combo_edit_Change() {
  edit_->Edit_Row = static_cast<int16_t>(MSF_Chann->Row());
  edit_->Edit_Col = static_cast<int16_t>(MSF_Chann->Col());
}

void frm_chann::Combo_edit_GotFocus() { edit_->Edit_Text = Combo_edit->Text(); }

void frm_chann::Combo_edit_Click() {
  edit_->List_Click(MSF_Chann->Row(), MSF_Chann->Col(), Combo_edit->List_Index(), Combo_edit->Text());
}

void frm_chann::Combo_edit_KeyPress(int& key) {
  const int col = edit_->Edit_Col;
  if (col == Dec || col == Enc) {
    if (key >= 'a' && key <= 'z') {
      if (key == 'd' || key == 'n' || key == 'i') key -= 32;
    }
    const bool pass = (key >= '0' && key <= '9') || key == '.' || key == 'D' || key == 'N' ||
                      key == 'I' || key == 13;
    if (!pass) {
      key = 0;
      return;
    }
  }
  if (key != 13) return;
  key = 0;
  const auto move = edit_->List_Enter(MSF_Chann->Row(), col);
  if (!move) return;
  MSF_Chann->Set_Col(MSF_Chann->Col() + 1);
  if (Unloaded()) return;
  Cell_Edit();
}

void frm_chann::Text_Edit_KeyPress(int& key) {
  if (key != 13) return;
  key = 0;
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  edit_->Edit_Row = static_cast<int16_t>(r);
  edit_->Edit_Col = static_cast<int16_t>(c);
  Text_Edit->hide();
  QString box = Text_Edit->Text();
  const auto move = edit_->Box_Enter(r, c, &box);
  if (Unloaded() || !move) return;
  Text_Edit->Set_Text(box);
  MSF_Chann->Set_Col(move->col);
  if (Unloaded()) return;
  MSF_Chann->Set_Row(move->row);
  if (Unloaded()) return;
  Cell_Edit();
}
