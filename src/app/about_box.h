#pragma once
// The About box: four texts about the program and a button that starts the
// system-information program where the system has one.

#include "platform/vb_form.h"

class QLabel;
class QPushButton;

class frmAbout : public Vb_Form {
  Q_OBJECT
public:
  frmAbout();

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOk = nullptr;
  QPushButton* cmdSysInfo = nullptr;

  void cmdOk_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();

protected:
  void Form_Load() override;
};
