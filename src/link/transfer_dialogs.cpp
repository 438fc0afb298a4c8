#include "transfer_dialogs.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "data/shared_state.h"
#include "data/tone5_tables.h"
#include "link/main_ident.h"
#include "platform/main_frame.h"
#include "platform/msg_box.h"
#include "platform/status_panels.h"
#include "platform/twips.h"

// ---- the shared dialog ---------------------------------------------------------

Transfer_Dialog::Transfer_Dialog(const Link_Profile& profile, const QString& password_text) {
  engine_ = new Link_Engine(profile, this);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  Label_tr_count = new QLabel(this);
  Command_Go = new QPushButton(this);
  Command_Cancel = new QPushButton(this);
  Command_Help = new QPushButton(this);
  Label_PassWord = new QLabel(this);
  Text_PassWord = new QLineEdit(this);
  Text_PassWord->setEchoMode(QLineEdit::Password);
  Text_PassWord->setMaxLength(6);
  Text_PassWord->setText(password_text);
  // The box and its label belong to the design but are never shown.
  Label_PassWord->hide();
  Text_PassWord->hide();
  engine_->Set_View(ProgressBar1, Label_tr_count);
  // The text shown at load does not count; every change after it does.
  connect(Text_PassWord, &QLineEdit::textChanged, this, [](const QString& t) {
    Link_Engine::Text_PassWord_Change(t);
  });
  connect(Command_Cancel, &QPushButton::clicked, this, [this] { Command_Cancel_Click(); });
}

void Transfer_Dialog::Lay_Out(const char* caption_zh, const char* caption_en, const char* go_zh,
                              const char* go_en, int go_left, int button_top, int pw_label_left,
                              int pw_label_width, int pw_top, int pw_left, int pw_width,
                              int cancel_left) {
  const QSizeF main = Main_Frame_Twips();
  const double w = main.width() / 3, h = main.height() / 3;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  setWindowTitle(Lang_Pick(caption_zh, caption_en));
  Place_Control_Twips(ProgressBar1, 120, 240, 5775, 495);
  Place_Control_Twips(Label_tr_count, 120, 840, 5775, 375);
  Place_Control_Twips(Command_Go, go_left, button_top, 975, 495);
  Place_Control_Twips(Command_Cancel, cancel_left, button_top, 975, 495);
  Place_Control_Twips(Command_Help, 4200, button_top, 975, 495);
  Place_Control_Twips(Label_PassWord, pw_label_left, pw_top, pw_label_width, 255);
  Place_Control_Twips(Text_PassWord, pw_left, pw_top, pw_width, 315);
  Command_Go->setText(Lang_Pick(go_zh, go_en));
  Command_Cancel->setText(Lang_Pick("取消", "Cancel"));
  Command_Help->setText(Lang_Pick("帮助", "Help"));
  Label_PassWord->setText(Lang_Pick("读写密码", "PassWord"));
  Show_As_Child();
  if (Host()) {
    Host()->move(Twips_To_Px((main.width() - w) / 2), Twips_To_Px((main.height() - h) / 3));
  }
}

bool Transfer_Dialog::Close_Allowed() {
  if (engine_->Attempt_Running()) {
    Msg_Box(link_text::Close_Refused.Get(), Msg_Icon::Exclamation, link_text::Title_Lower.Get());
    return false;
  }
  // Between a time-out and its retry nothing is on the line: the user need
  // not wait for the retry, nor for a write's failure report, which comes
  // at once.
  engine_->Stop_In_Pause();
  return !Unloaded();
}

void Transfer_Dialog::Command_Cancel_Click() {
  if (!Close_Allowed()) return;
  if (engine_->MSC.Is_Open()) engine_->MSC.Close();
  Unload();
}

bool Transfer_Dialog::Form_Query_Close() { return Close_Allowed(); }

void Transfer_Dialog::Form_Unload() {
  // Unloading ends a running transfer on the spot; the image keeps what it
  // held, since a read changes it only at its very end.
  engine_->Shut_Down();
}

// ---- whole-radio read ---------------------------------------------------------------

Link_Profile Comm_Read_Profile() {
  Link_Profile p;
  p.Read_Base = 0x0000;
  p.Read_Last = 200;
  p.Read_First = 1;
  p.Retry_Read = 3;
  p.Retry_Write = No_Retry;
  p.Retry_Delay = 3000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Leading;
  p.Unpack = &Form_Comm_Read::Read_Unpack;
  return p;
}

Form_Comm_Read::Form_Comm_Read(const Link_Profile& profile) : Transfer_Dialog(profile, "580417") {
  Command_read = Command_Go;
  connect(Command_read, &QPushButton::clicked, this, [this] { Command_read_Click(); });
}

void Form_Comm_Read::Form_Load() {
  Lay_Out("从对讲机读取数据", "Read Data From Radio", "读取", "Read", 840, 1560, 960, 1695, 2640, 2760,
          855, 2520);
}

void Form_Comm_Read::Command_read_Click() { engine_->Command_read_Click(); }

void Form_Comm_Read::Read_Unpack(Link_Engine&) {
  // Replies 2..198 hold radio 0x0000..0x313F: image rows 0..787. Reply 1 (the
  // first block asked for twice) and replies 199..201 are not copied.
  Link_Engine::Unpack_Replies(2, 198, 0);
}

// ---- whole-radio write ---------------------------------------------------------------

Link_Profile Comm_Write_Profile() {
  Link_Profile p;
  p.Write_Base = 0x0000;
  p.Write_First = 0;
  p.Write_Count = 784;
  p.Retry_Read = No_Retry;
  p.Retry_Write = No_Retry;
  p.Retry_Delay = 5000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Short_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  p.Discard_Output_On_Open = true;
  p.Fail.hide_bar_first = true;
  return p;
}

Form_Comm_Write::Form_Comm_Write(const Link_Profile& profile) : Transfer_Dialog(profile, "902736") {
  Command_Write = Command_Go;
  // The 5-tone frequency and divider rows always go out as the fixed tables,
  // whatever a file, a read or the 5-tone editor put there.
  engine_->Before_Start = [] { Tone5_Tables(); };
  engine_->After_Button_Start = [] { Area_Toggle = 0; };
  connect(Command_Write, &QPushButton::clicked, this, [this] { Command_Write_Click(); });
}

void Form_Comm_Write::Form_Load() {
  Lay_Out("写数据到对讲机", "Write Data to Radio", "写入", "Write", 1320, 1320, 1680, 1095, 2400, 3000,
          975, 2760);
  ProgressBar1->setVisible(true);
}

void Form_Comm_Write::Command_Write_Click() { engine_->Command_Write_Click(); }

// ---- port setup ----------------------------------------------------------------------

Form_setup::Form_setup() {
  Frame1 = new QGroupBox(this);
  auto* group = new QButtonGroup(this);
  static constexpr int columns[6] = {360, 1320, 2400, 3480, 4680, 5880};
  for (int k = 1; k <= 12; ++k) {
    Option[k] = new QRadioButton(QString("COM%1").arg(k), Frame1);
    group->addButton(Option[k], k);
    Place_Control_Twips(Option[k], columns[(k - 1) % 6], k <= 6 ? 480 : 1080, 960, 375);
  }
  Command_ok = new QPushButton(this);
  Command1 = new QPushButton(this);
  Place_Control_Twips(Frame1, 240, 240, 7335, 1815);
  Place_Control_Twips(Command_ok, 2400, 2520, 975, 375);
  Place_Control_Twips(Command1, 4680, 2520, 975, 375);
  connect(Command_ok, &QPushButton::clicked, this, [this] { Command_ok_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form_setup::Form_Load() {
  const bool zh = Lang_Flag == -1;
  setWindowTitle(zh ? QString::fromUtf8("通讯端口设置") : "Communication Port Setup");
  Frame1->setTitle(zh ? QString::fromUtf8("端口设置") : "Port Setup");
  Command_ok->setText(zh ? QString::fromUtf8("确 定") : "Confirm");
  Command1->setText(zh ? QString::fromUtf8("取 消") : "Cancel");
  const QSizeF client = Main_Client_Twips();
  const double w = client.width() / 1.9, h = client.height() / 2;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (Host())
    Host()->move(Twips_To_Px((client.width() - w) / 2), Twips_To_Px((client.height() - h) / 2 - 500));
  // Every button cleared, then the current port's (none for COM13..COM20).
  auto* group = Option[1]->group();
  group->setExclusive(false);
  for (int k = 1; k <= 12; ++k) Option[k]->setChecked(false);
  group->setExclusive(true);
  if (Port_No >= 1 && Port_No <= 12) Option[Port_No]->setChecked(true);
}

void Form_setup::Command_ok_Click() {
  // A transfer under way (its pause before a retry included) keeps the port
  // it runs on: the choice is refused and the port stays as it was. The
  // main window's own identification is no transfer: the open ends it
  // first, wherever it runs, as a transfer that starts ends it, and Confirm
  // starts it anew on the chosen port.
  if (Link_Engine::Any_Busy()) {
    Msg_Box(link_text::Busy.Get(), Msg_Icon::Exclamation, link_text::Title_Lower.Get());
    return;
  }
  int chosen = Port_No;
  for (int k = 1; k <= 12; ++k)
    if (Option[k]->isChecked()) chosen = k;
  for (int panel : {2, 4, 6, 8, 10}) Status_Set(panel, QString());
  Main_Ident* m = Main_Link();
  if (!m) return;
  // The choice is taken once the chosen port has opened; a port that
  // cannot be opened leaves its message, the dialog and Port_No as they were.
  const bool opened = m->Port_Open(chosen);
  if (Unloaded() || !opened) return;
  Port_No = static_cast<int16_t>(chosen);
  m->Ident_Start();
  Unload();
}

void Form_setup::Command1_Click() { Unload(); }
