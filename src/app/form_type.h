#pragma once
// The model dialog: picks a band variant and copies its first band limits
// into Band_Limits. Nothing in the program opens it.

#include "platform/vb_form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class Form_type : public Vb_Form {
  Q_OBJECT
public:
  Form_type();

  QComboBox* Combo_type = nullptr;
  QLabel* Label_band = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QPushButton* Command_enter = nullptr;
  QPushButton* Command_Cancel = nullptr;

  void Combo_type_Click();
  void Command_enter_Click();
  void Command_Cancel_Click();

protected:
  void Form_Load() override;

private:
  QString chosen_text_;
};
