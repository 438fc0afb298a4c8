#pragma once
// The file-dialog family: one layout (drive list, folder list, file list,
// name box, Confirm, Cancel) in eight dialogs that differ in suffix, window
// kind, captions, messages and what Confirm does once the name passes.

#include <QString>
#include <functional>

#include "platform/vb_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

struct File_Dialog_Kind {
  const char* suffix;  // lower-case form, e.g. ".dat"; the all-capital form is accepted too
  bool child;          // a child window of the main frame (else top-level, centred on the screen)
  bool open;           // an open dialog (else a save dialog)
  const char* caption_zh;
  const char* caption_en;
  const char* name_refused_zh;
  const char* name_refused_en;
  const char* suffix_refused_zh;
  const char* suffix_refused_en;
};

// Asked before an image file is loaded into the memory image: true when the
// load must wait, having told the user why. A load while a transfer runs
// would leave the radio unlike the image under a write's success message,
// or be overwritten by a read as it ends. Unset, nothing holds a load up.
extern std::function<bool()> Image_Load_Refused;

class File_Dialog : public Vb_Form {
  Q_OBJECT
public:
  explicit File_Dialog(const File_Dialog_Kind& kind);

  // Shows the dialog (the image-file dialogs show themselves when loaded).
  void Show_Dialog();

  // The folder the folder list shows.
  QString Folder() const { return folder_; }
  void Set_Folder(const QString& path);

  QLineEdit* Text1 = nullptr;
  QComboBox* Drive1 = nullptr;
  QListWidget* Dir1 = nullptr;
  QListWidget* File1 = nullptr;
  QLabel* Label_drive = nullptr;
  QLabel* Label_name = nullptr;
  QPushButton* Command_enter = nullptr;
  QPushButton* Command_close = nullptr;

  void Command_enter_Click();
  void Command_close_Click();

  // The check of a trimmed name: 0 passes, 1 name refused, 2 suffix refused.
  static int Name_Check(const QString& name, const char* suffix);

protected:
  void Form_Load() override;
  // The action once the name passed; full_path is folder + "/" + name.
  // Returns true when the dialog should unload.
  virtual bool Confirm_Action(const QString& full_path) = 0;

  const File_Dialog_Kind& kind_;

private:
  void Fill_Drives();
  void Fill_Dirs();
  void Fill_Files();
  QString folder_;
};

class Form_open_chann : public File_Dialog {
public:
  Form_open_chann();
protected:
  bool Confirm_Action(const QString& full_path) override;
};

class Form_save_chann : public File_Dialog {
public:
  Form_save_chann();
protected:
  bool Confirm_Action(const QString& full_path) override;
};

// The alignment, signalling and option-file dialogs only hand the chosen
// file on: File_Path and (where the dialog has one) a request flag.
class Form_open_adj : public File_Dialog {
public:
  Form_open_adj();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
class Form_save_adj : public File_Dialog {
public:
  Form_save_adj();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
class Form_open_sig : public File_Dialog {
public:
  Form_open_sig();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
class Form_save_sig : public File_Dialog {
public:
  Form_save_sig();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
class Form_open_menu : public File_Dialog {
public:
  Form_open_menu();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
class Form_save_menu : public File_Dialog {
public:
  Form_save_menu();
protected:
  bool Confirm_Action(const QString& full_path) override;
};
