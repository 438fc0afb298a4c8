#pragma once
// The Option editor window.

#include "platform/vb_form.h"

class frm_option : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
