#pragma once
// Changes the radio's user password: reads the password block, checks the
// old password against the two stored there, and writes the block back with
// the new user password.

#include "link/link_engine.h"
#include "platform/vb_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class Pass_Change_Engine;

Link_Profile Pass_Change_Profile();

class Form_Write_PassWord : public Vb_Form {
  Q_OBJECT
public:
  explicit Form_Write_PassWord(const Link_Profile& profile = Pass_Change_Profile());

  QLabel* Label_old_PassWord = nullptr;
  QLineEdit* Text_Old_PassWord = nullptr;
  QLabel* Label_New_Password_1 = nullptr;
  QLineEdit* Text_New_Password_1 = nullptr;
  QLabel* Label_New_PassWord_2 = nullptr;
  QLineEdit* Text_New_PassWord_2 = nullptr;
  QPushButton* Command_Write = nullptr;
  QPushButton* Command_Cancel = nullptr;
  Vb_Timer Timer4;
  int Unload_Flag = 0;

  Link_Engine* Engine();
  bool Busy() const;

  void Command_Write_Click();
  void Command_Cancel_Click();
  void Text_Old_PassWord_Change();

protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  friend class Pass_Change_Engine;
  void Exchange_Succeeded();
  Pass_Change_Engine* engine_ = nullptr;
};
