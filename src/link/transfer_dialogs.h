#pragma once
// The whole-radio read and write dialogs and the port setup dialog.

#include <QPointer>

#include "link/link_engine.h"
#include "platform/vb_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// Layout and behaviour the two whole-radio dialogs share: progress bar,
// status label, three buttons, the (hidden) password box, and an engine.
class Transfer_Dialog : public Vb_Form {
  Q_OBJECT
public:
  Link_Engine* Engine() { return engine_; }
  bool Busy() const { return engine_ && engine_->Busy(); }

  QProgressBar* ProgressBar1 = nullptr;
  QLabel* Label_tr_count = nullptr;
  QPushButton* Command_Go = nullptr;  // Command_read or Command_Write
  QPushButton* Command_Cancel = nullptr;
  QPushButton* Command_Help = nullptr;
  QLabel* Label_PassWord = nullptr;
  QLineEdit* Text_PassWord = nullptr;

  void Command_Cancel_Click();

protected:
  Transfer_Dialog(const Link_Profile& profile, const QString& password_text);
  void Form_Unload() override;
  bool Form_Query_Close() override;
  // Sizes, places and captions the dialog; controls at their design places (twips).
  void Lay_Out(const char* caption_zh, const char* caption_en, const char* go_zh, const char* go_en,
               int go_left, int button_top, int pw_label_left, int pw_label_width, int pw_top,
               int pw_left, int pw_width, int cancel_left);

  Link_Engine* engine_ = nullptr;

private:
  // Cancel and the close box alike: refused while an attempt runs; in the
  // pause after a time-out the transfer is ended first. True when the
  // dialog may go.
  bool Close_Allowed();
};

Link_Profile Comm_Read_Profile();
Link_Profile Comm_Write_Profile();

class Form_Comm_Read : public Transfer_Dialog {
  Q_OBJECT
public:
  explicit Form_Comm_Read(const Link_Profile& profile = Comm_Read_Profile());
  QPushButton* Command_read = nullptr;
  void Command_read_Click();
  static void Read_Unpack(Link_Engine& e);

protected:
  void Form_Load() override;
};

class Form_Comm_Write : public Transfer_Dialog {
  Q_OBJECT
public:
  explicit Form_Comm_Write(const Link_Profile& profile = Comm_Write_Profile());
  QPushButton* Command_Write = nullptr;
  void Command_Write_Click();

protected:
  void Form_Load() override;
};

// Chooses the serial port and identifies the radio on it.
class Form_setup : public Vb_Form {
  Q_OBJECT
public:
  Form_setup();
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option[13] = {};  // Option[1] .. Option[12]
  QPushButton* Command_ok = nullptr;
  QPushButton* Command1 = nullptr;
  void Command_ok_Click();
  void Command1_Click();

protected:
  void Form_Load() override;
};
