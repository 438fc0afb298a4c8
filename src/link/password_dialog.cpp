#include "password_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/shared_state.h"
#include "link/protocol.h"
#include "platform/msg_box.h"
#include "platform/twips.h"

namespace {
constexpr uint16_t kBlockAddr = 0x3DC0;  // the 64 bytes that end with the password block
constexpr int kMaxPassword = 6;

}  // namespace

// The engine in its password-change variant: three handshake phases
// (identification, the 64-byte block at 0x3DC0, the radio's answer to the
// write) and no data phase.
class Pass_Change_Engine : public Link_Engine {
public:
  Pass_Change_Engine(const Link_Profile& p, Form_Write_PassWord* form) : Link_Engine(p, form), form_(form) {}

protected:
  void MSC_OnComm() override {
    if (dead_) return;
    const int threshold = Link_Phase == 0 ? 49 : Link_Phase == 1 ? 68 : 0;
    if (MSC.In_Buffer_Count() <= threshold) return;
    for (int k = 0; k <= threshold; ++k) Rx_Bytes[k] = static_cast<uint8_t>(MSC.Read_Byte());
    if (Link_Phase == 0) Phase_Ident();
    else if (Link_Phase == 1) Phase_Block();
    else Phase_Answer();
  }

private:
  void Phase_Ident() {
    if (!proto::Ident_Valid(Rx_Bytes.data())) return;
    Link_Phase = 1;
    Frame_Set(proto::Read_Request(kBlockAddr, proto::Block_Len, true));
    Send_Start();
    MSC.Discard_Input();
  }

  void Phase_Block() {
    MSC.Output_Byte(proto::Ack);
    Pause(link_timing::Pause_Long_Ms);
    // The block is written back to the radio, so only a whole reply to the
    // request counts: 'X' at 0 or 1 and the header naming 0x3DC0.
    const int p = Whole_Reply_Mark(Rx_Bytes.data(), kBlockAddr);
    if (p < 0) return;
    for (int i = 0; i <= 70; ++i) Rx_Bytes[i] = Rx_Bytes[i + p];
    for (int k = 0; k <= 15; ++k) Pass_Block[k] = Rx_Bytes[52 + k];
    if (!Old_Password_Passes()) {
      MSC.Output_Byte(proto::End_Byte);
      MSC.Close();
      Timers_Off();
      Busy_Write = 0;
      Busy_Read = 0;
      Msg_Box(Lang_Pick("原密码错误，禁止写入", "Old PassWord Error, Writeing Stop"), Msg_Icon::Exclamation,
              link_text::Title_Upper.Get());
      return;
    }
    Timer2.Set_Enabled(false);
    Timer3.Set_Enabled(false);
    Block_No = 0;
    uint8_t data[16];
    for (int k = 0; k <= 5; ++k) data[k] = static_cast<uint8_t>(Pass_New[k] & 0xFF);
    // The second password and the radio's own bytes 12..15 go back as read.
    for (int k = 6; k <= 15; ++k) data[k] = Pass_Block[k];
    Frame_Set(proto::Write_Frame(proto::Pass_Addr, data, false));
    MSC.Discard_Input();
    Send_Start();
    MSC.Discard_Input();
    Link_Phase = 2;
  }

  bool Old_Password_Passes() const {
    bool blanks = true, ffs = true;
    for (int i = 0; i <= 5; ++i) {
      blanks = blanks && Pass_Block[i] == 0x20;
      ffs = ffs && Pass_Block[i] == 0xFF;
    }
    if (blanks || ffs) return true;  // the radio has no user password
    bool first = true, second = true;
    for (int i = 0; i <= 5; ++i) {
      first = first && Pass_Old[i] == Pass_Block[i];
      second = second && Pass_Old[i] == Pass_Block[6 + i];
    }
    return first || second;
  }

  void Phase_Answer() {
    // Only a byte that comes after the whole write frame went out answers it.
    if (Tx_Done != -1) return;
    const uint8_t answer = Rx_Bytes[0];
    Timers_Off();
    Busy_Write = 0;
    Busy_Read = 0;
    MSC.Output_Byte(proto::End_Byte);
    MSC.Close();
    if (answer == proto::Ack) {
      form_->Exchange_Succeeded();
      return;
    }
    Msg_Box(profile_.Texts.fail.Get(), Msg_Icon::Exclamation, profile_.Texts.fail_title.Get());
  }

  Form_Write_PassWord* form_;
};

Link_Profile Pass_Change_Profile() {
  Link_Profile p;
  p.Write_Base = 0x3DF0;
  p.Write_First = 0;
  p.Write_Count = 1;
  p.Retry_Read = No_Retry;
  p.Retry_Write = 0;  // the first time-out is final
  p.Retry_Delay = 5000;
  p.Ident_Ack = Ident_Ack_Mode::Leading;
  p.Pass = Pass_Mode::Enforced;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Discard_Output_On_Open = true;
  p.Pump_Byte_Tick_Ms = 15;
  p.Fail = Fail_Report{};
  p.Fail.bar_zero = false;
  p.Fail.label = false;
  return p;
}

Form_Write_PassWord::Form_Write_PassWord(const Link_Profile& profile) {
  engine_ = new Pass_Change_Engine(profile, this);
  Label_old_PassWord = new QLabel(this);
  Text_Old_PassWord = new QLineEdit(this);
  Label_New_Password_1 = new QLabel(this);
  Text_New_Password_1 = new QLineEdit(this);
  Label_New_PassWord_2 = new QLabel(this);
  Text_New_PassWord_2 = new QLineEdit(this);
  Command_Write = new QPushButton(this);
  Command_Cancel = new QPushButton(this);
  Place_Control_Twips(Label_old_PassWord, 120, 480, 1935, 255);
  Place_Control_Twips(Text_Old_PassWord, 2160, 480, 1215, 285);
  Place_Control_Twips(Label_New_Password_1, 240, 960, 1815, 255);
  Place_Control_Twips(Text_New_Password_1, 2160, 960, 1215, 285);
  Place_Control_Twips(Label_New_PassWord_2, 120, 1440, 1935, 255);
  Place_Control_Twips(Text_New_PassWord_2, 2160, 1440, 1215, 285);
  Place_Control_Twips(Command_Write, 1200, 2040, 975, 375);
  Place_Control_Twips(Command_Cancel, 2880, 2040, 975, 375);
  for (QLineEdit* box : {Text_Old_PassWord, Text_New_Password_1, Text_New_PassWord_2}) {
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(kMaxPassword);
    box->installEventFilter(this);
  }
  connect(Text_Old_PassWord, &QLineEdit::textChanged, this, [this] { Text_Old_PassWord_Change(); });
  connect(Command_Write, &QPushButton::clicked, this, [this] { Command_Write_Click(); });
  connect(Command_Cancel, &QPushButton::clicked, this, [this] { Command_Cancel_Click(); });
  Timer4.Set_Interval(500);
  Timer4.On_Timer = [this] {
    // Closes the dialog once an exchange has ended, but never while a
    // message box (perhaps one of this dialog's own handlers) is open.
    if (Unload_Flag == -1 && Msg_Box_Depth() == 0) Unload();
  };
}

Link_Engine* Form_Write_PassWord::Engine() { return engine_; }
bool Form_Write_PassWord::Busy() const { return engine_->Busy(); }

void Form_Write_PassWord::Form_Load() {
  Unload_Flag = 0;
  setWindowTitle(Lang_Pick("修改密码", "Modify PassWord"));
  Label_old_PassWord->setText(Lang_Pick("原密码", "Old PassWord"));
  Label_New_Password_1->setText(Lang_Pick("新密码", "New PassWord"));
  Label_New_PassWord_2->setText(Lang_Pick("确认新密码", "Confirm PassWord"));
  Command_Write->setText(Lang_Pick("修改", "Modify"));
  Command_Cancel->setText(Lang_Pick("关闭", "Close"));
  QWidget* client = Forms::Mdi_Area();
  const double cw = client ? Client_Width_Twips(client) : Screen_Width_Twips();
  const double ch = client ? Client_Height_Twips(client) : Screen_Height_Twips();
  const double w = cw / 4, h = ch / 3;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
  if (Host()) Host()->move(Twips_To_Px((cw - w) / 2), Twips_To_Px((ch - h) / 2 - 500));
  Text_Old_PassWord->setText(QString());
  Text_New_Password_1->setText(QString());
  Text_New_PassWord_2->setText(QString());
}

void Form_Write_PassWord::Form_Unload() {
  Timer4.Set_Enabled(false);
  engine_->Shut_Down();
}

bool Form_Write_PassWord::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    // A full box takes no further character; Backspace still works.
    if (box && key->key() != Qt::Key_Backspace && !key->text().isEmpty() &&
        box->text().trimmed().size() > kMaxPassword - 1)
      return true;
  }
  return Vb_Form::eventFilter(watched, event);
}

void Form_Write_PassWord::Text_Old_PassWord_Change() { Link_Engine::Password_Codes(Pass_Old, Text_Old_PassWord->text(), kMaxPassword); }

void Form_Write_PassWord::Command_Write_Click() {
  const QString a = Text_New_Password_1->text().trimmed();
  const QString b = Text_New_PassWord_2->text().trimmed();
  if (a != b) {
    Msg_Box(Lang_Pick("密码不一致", "Password is not consistent ."), Msg_Icon::Exclamation,
            link_text::Title_Lower.Get());
    return;
  }
  Link_Engine::Password_Codes(Pass_New, a, kMaxPassword);
  // While an exchange runs (its failure report after a time-out still to
  // come included), the click only renews the new password: the running
  // exchange sends it if its frame is not out yet.
  if (engine_->Busy()) return;
  if (Link_Engine::Any_Busy(engine_)) {
    engine_->Show_Busy();  // another window's transfer has the line
    return;
  }
  engine_->Retry_Left = 0;
  engine_->Write_Start();
}

void Form_Write_PassWord::Command_Cancel_Click() {
  if (engine_->Busy()) {
    Msg_Box(link_text::Close_Refused.Get(), Msg_Icon::Exclamation, link_text::Title_Lower.Get());
    return;
  }
  if (engine_->MSC.Is_Open()) engine_->MSC.Close();
  Unload();
}

void Form_Write_PassWord::Exchange_Succeeded() {
  Unload_Flag = -1;
  Timer4.Set_Enabled(true);
  Msg_Box(Lang_Pick("密码修改成功 ", "PassWord Modify Success ! "), Msg_Icon::Exclamation,
          link_text::Title_Upper.Get());
  for (int k = 0; k <= 5; ++k) {
    Pass_Old[k] = 32;
    Pass_New[k] = 32;
  }
  Text_Old_PassWord->setText(QString());
  Text_New_Password_1->setText(QString());
  Text_New_PassWord_2->setText(QString());
}
