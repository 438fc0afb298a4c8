#pragma once
// The FM-Radio editor window.

#include "platform/vb_form.h"

class frm_FM : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
