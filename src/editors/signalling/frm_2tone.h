#pragma once
// The 2 TONE editor window.

#include "platform/vb_form.h"

class frm_2tone : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
