#pragma once
// The Channel Information editor window.

#include "platform/vb_form.h"

class frm_chann : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
