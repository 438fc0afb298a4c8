#pragma once
// The channel editor window's place in the frame until the editor itself is
// built: an empty child window with the editor's caption.

#include "platform/vb_form.h"

class frm_chann : public Vb_Form {
  Q_OBJECT
protected:
  void Form_Load() override;
};
