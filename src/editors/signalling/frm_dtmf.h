#pragma once
// The DTMF editor window.

#include "platform/vb_form.h"

class frm_dtmf : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
