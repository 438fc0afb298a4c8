#include "frm_fm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "data/shared_state.h"
#include "editors/editor_window.h"
#include "files/file_dialogs.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/twips.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"

namespace {
// Captions by language.
constexpr Zh_En Caption{"FM 收音机频道编辑", "FM Radio Information"};
constexpr Zh_En Grid_Format{"^FM 频 道 号|^  接  收  频  率 (MHZ)  |^     电    台    名    称    ",
                            "^FM  Channel|^ Receive Frequency (MHZ)|^ FM Station Name  "};
constexpr Zh_En Read_Caption{"读 取", "Read"};
constexpr Zh_En Write_Caption{"写  入", "Write"};
constexpr Zh_En Clear_Caption{"清  除", "Clear"};
constexpr Zh_En Save_Caption{"保  存", "Save"};
constexpr Zh_En Open_Caption{"打  开", "Open"};
constexpr Zh_En Close_Caption{"关  闭", "Close"};
constexpr Zh_En Default_Caption{"默认", "Default"};
constexpr Zh_En Password_Caption{"读写密码", "PassWord"};

// Messages.
constexpr Zh_En Freq_Range{"接收频率超出范围 ！", "Over the range of receive frequency ."};
constexpr Zh_En Name_Long{"信道名称的字符个数最大为 6 位 ！", "The letter of channel name max 6 bit . "};

constexpr const char* Password_Start = "580417";

// Where the controls stand, in twips. The grid's size follows the window's
// (see Lay_Out); the buttons stand in a column right of it, the password box
// beside them, the transfer status below the grid.
namespace design {
constexpr int Margin = 240;
constexpr int Button_Width = 1215;
constexpr int Button_Height = 450;
constexpr int Button_Step = 570;
constexpr int Gap = 360;  // between the grid and the buttons, the buttons and the password
constexpr int Password_Label_Height = 255;
constexpr int Password_Width = 1215;
constexpr int Password_Height = 315;
constexpr int Status_Height = 300;
constexpr int Bar_Height = 300;
}  // namespace design

}  // namespace

frm_FM::frm_FM(const Link_Profile& profile) {
  engine_ = new Fm_Link(profile, this);
  MSF_Chann = new Vb_Grid(this, 1);
  Text_Edit = new Vb_Text(this);
  Command_read = new QPushButton(this);
  Command_Write = new QPushButton(this);
  Command_Clear = new QPushButton(this);
  Command_save = new QPushButton(this);
  Command_open = new QPushButton(this);
  Command_close = new QPushButton(this);
  Command_def = new QPushButton(this);
  Label_PassWord = new QLabel(this);
  Text_PassWord = new Vb_Text(this);
  Text_PassWord->setMaxLength(6);
  Text_PassWord->setEchoMode(QLineEdit::Password);
  // The text the box shows when it opens is no typed password.
  Text_PassWord->Set_Text(Password_Start);
  Label_tr_count = new QLabel(this);
  ProgressBar1 = New_Transfer_Bar(this);
  engine_->Set_View(ProgressBar1, Label_tr_count);
  engine_->FM_Show = [this] {
    Edit_Drop();
    FM_Show();
  };
  engine_->Password_Text = [this] { return Text_PassWord->Text(); };
  Text_PassWord->Change = [this] { Link_Engine::Text_PassWord_Change(Text_PassWord->Text()); };

  Connect_Commands(this);
  connect(Command_Clear, &QPushButton::clicked, this, [this] { Command_Clear_Click(); });
  Lock_Area_While_Busy(this, *engine_);
}

void frm_FM::Form_Load() {
  setWindowTitle(Caption.Get());
  MSF_Chann->Set_Format_String(Grid_Format.Get());
  Command_read->setText(Read_Caption.Get());
  Command_Write->setText(Write_Caption.Get());
  Command_Clear->setText(Clear_Caption.Get());
  Command_save->setText(Save_Caption.Get());
  Command_open->setText(Open_Caption.Get());
  Command_close->setText(Close_Caption.Get());
  Command_def->setText(Default_Caption.Get());
  Label_PassWord->setText(Password_Caption.Get());
  Lay_Out();

  Text_Edit->hide();
  MSF_Chann->Set_Rows(Fm_Grid_Rows);
  MSF_Chann->Set_Col(0);
  for (int r = 1; r <= Fm_Count; ++r) MSF_Chann->Set_Text_At(r, 0, QString::number(r));
  Edit.Closed(MSF_Chann->Row(), MSF_Chann->Col());
  MSF_Chann->Click = [this] { MSF_Chann_Click(); };
  MSF_Chann->LeaveCell = [this] { MSF_Chann_LeaveCell(); };
  // A scroll hides the box; its text stays for the commit of its cell.
  MSF_Chann->Attach_Editor(Text_Edit);

  ProgressBar1->setValue(0);
  Label_tr_count->clear();
  ProgressBar1->hide();
  for (int r = 1; r <= Fm_Count; ++r) MSF_Chann->Set_Text_At(r, Fm_Freq_Col, QString());
  FM_Show();
}

void frm_FM::Lay_Out() {
  // The window from the main frame; the grid from the window.
  const QSizeF main = Main_Frame_Twips();
  const QSizeF client = Main_Client_Twips();
  const double w = main.width() / 1.8;
  const double h = main.height() / 1.5;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (QWidget* host = Host()) {
    host->resize(Twips_To_Px(w), Twips_To_Px(h));
    host->move(Twips_To_Px((client.width() - w) / 2), Twips_To_Px((client.height() - h) / 1.5));
  }
  const double inner_w = Px_To_Twips(width());
  // The grid keeps the window's proportion, but never less than its columns
  // need, so that no header is cut.
  int columns_px = 0;
  for (int c = 0; c < MSF_Chann->Cols(); ++c) columns_px += MSF_Chann->Col_Width(c);
  columns_px += MSF_Chann->frameWidth() * 2 + MSF_Chann->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int grid_w = std::max(static_cast<int>(inner_w / 2.25), static_cast<int>(Px_To_Twips(columns_px)));
  const int grid_h = static_cast<int>(h / 1.7);
  using namespace design;
  Place_Control_Twips(MSF_Chann, Margin, Margin, grid_w, grid_h);

  const int bx = Margin + grid_w + Gap;
  QPushButton* column[] = {Command_read, Command_Write, Command_Clear, Command_open,
                           Command_save, Command_def,   Command_close};
  int y = Margin;
  for (QPushButton* b : column) {
    Place_Control_Twips(b, bx, y, Button_Width, Button_Height);
    y += Button_Step;
  }
  const int px = bx + Button_Width + Gap;
  Place_Control_Twips(Label_PassWord, px, Margin, Password_Width, Password_Label_Height);
  Place_Control_Twips(Text_PassWord, px, Margin + Password_Label_Height + 60, Password_Width,
                      Password_Height);

  const int status_w = px + Password_Width - Margin;
  const int sy = Margin + grid_h + Gap;
  Place_Control_Twips(Label_tr_count, Margin, sy, status_w, Status_Height);
  Place_Control_Twips(ProgressBar1, Margin, sy + Status_Height + 120, status_w, Bar_Height);
}

// ---- display -----------------------------------------------------------------------

void frm_FM::FM_Row_Show(int r) {
  if (r < 1 || r > Fm_Count) return;
  const Fm_Cells cells = Fm_Record_Show(r - 1);
  MSF_Chann->Set_Text_At(r, Fm_Freq_Col, cells.freq);
  MSF_Chann->Set_Text_At(r, Fm_Name_Col, cells.name);
}

void frm_FM::FM_Show() {
  for (int r = 1; r <= Fm_Count; ++r) FM_Row_Show(r);
}

void frm_FM::FM_Row_Save(int r) {
  if (r < 1 || r > Fm_Count) return;
  Fm_Record_Save(r - 1, MSF_Chann->Text_At(r, Fm_Freq_Col), MSF_Chann->Text_At(r, Fm_Name_Col));
}

void frm_FM::Form_Activate() { FM_Show(); }

// ---- cell editing ------------------------------------------------------------------------

void frm_FM::MSF_Chann_Click() { Cell_Edit(); }

void frm_FM::Cell_Edit() {
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  // A click on the header or the number column moves nothing; the box open
  // on the current cell keeps what the user typed.
  if (MSF_Chann->Mouse_Row() != r || MSF_Chann->Mouse_Col() != c) return;
  if (!Fm_Editable(r, c)) {
    // The number column and the spare row open nothing.
    Edit.Closed(r, c);
    return;
  }
  const QString text = MSF_Chann->Text_At(r, c);
  MSF_Chann->Float_Editor(Text_Edit, MSF_Chann->Row(), MSF_Chann->Col(), true);
  Text_Edit->Set_Text(text);
  Text_Edit->show();
  Text_Edit->raise();
  Text_Edit->setFocus();
  Edit.Opened(r, c, text);
}

void frm_FM::MSF_Chann_LeaveCell() {
  const int r = MSF_Chann->Row(), c = MSF_Chann->Col();
  const QString x = Text_Edit->Text();
  const bool commit = Edit.Commits(r, c, x);
  Text_Edit->hide();
  Text_Edit->Set_Text(QString());
  Edit.Closed(r, c);
  if (!commit) return;
  const Fm_Commit done =
      Fm_Cell_Commit(c, x, MSF_Chann->Text_At(r, Fm_Freq_Col), MSF_Chann->Text_At(r, Fm_Name_Col));
  if (done.note == Fm_Note::Freq_Range) {
    Msg_Box(Freq_Range.Get(), Msg_Icon::Exclamation, link_text::Title_Lower.Get());
  } else if (done.note == Fm_Note::Name_Long) {
    Msg_Box(Name_Long.Get(), Msg_Icon::Exclamation, link_text::Title_Upper.Get());
  }
  if (Unloaded()) return;
  MSF_Chann->Set_Text_At(r, Fm_Freq_Col, done.freq);
  MSF_Chann->Set_Text_At(r, Fm_Name_Col, done.name);
  FM_Row_Save(r);
  // The row shows what the record now holds (a character no single byte can
  // hold is stored, and shown, as "?").
  FM_Row_Show(r);
}

void frm_FM::Edit_Drop() {
  Text_Edit->hide();
  Text_Edit->Set_Text(QString());
  Edit.Discard();
}

// ---- buttons -----------------------------------------------------------------------------

void frm_FM::Command_read_Click() { engine_->Command_read_Click(); }
void frm_FM::Command_Write_Click() { engine_->Command_Write_Click(); }

void frm_FM::Command_Clear_Click() {
  if (Refuse_Edit_While_Busy(*engine_, editor_text::Clear_Busy)) return;
  ProgressBar1->setValue(0);
  Label_tr_count->clear();
  ProgressBar1->hide();
  for (int n = 0; n < Fm_Count; ++n)
    for (int c = 0; c < 16; ++c) Radio_Image[Fm_Page * 16 + n][c] = 0;
  Edit_Drop();
  for (int r = 1; r <= Fm_Count; ++r) {
    MSF_Chann->Set_Text_At(r, Fm_Freq_Col, QString());
    MSF_Chann->Set_Text_At(r, Fm_Name_Col, QString());
  }
}

void frm_FM::Command_def_Click() {
  if (Refuse_Edit_While_Busy(*engine_)) return;
  Fm_Default();
  Edit_Drop();
  FM_Show();
}

void frm_FM::Command_open_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_open_chann>();
}

void frm_FM::Command_save_Click() {
  if (Refuse_While_Busy(Busy())) return;
  Forms::Reload<Form_save_chann>();
}

void frm_FM::Command_close_Click() {
  if (Refuse_While_Busy(Busy(), link_text::Close_Refused)) return;
  Close_Editor<Form_open_chann, Form_save_chann>(*this, *engine_);
}

bool frm_FM::Form_Query_Close() {
  // Closing mid-transfer would cut a write off half-way: refused, as the
  // Close button refuses.
  return !Refuse_While_Busy(Busy(), link_text::Close_Refused);
}

void frm_FM::Form_Unload() {
  // The program ends or another command removes the window: the transfer
  // stops for good and the port closes. The image keeps what it held, since
  // a read changes it only at its very end.
  engine_->Shut_Down();
}
