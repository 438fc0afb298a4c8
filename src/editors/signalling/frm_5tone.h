#pragma once
// The 5 TONE editor window.

#include "platform/vb_form.h"

class frm_5tone : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
