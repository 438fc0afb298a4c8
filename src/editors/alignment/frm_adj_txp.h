#pragma once
// The Adjust editor window.

#include "platform/vb_form.h"

class frm_Adj_Txp : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
