#include "frm_fm.h"

#include "data/shared_state.h"
#include "platform/twips.h"

void frm_FM::Form_Load() {
  setWindowTitle(Lang_Pick("FM-频道", "FM-Radio"));
  QWidget* client = Forms::Mdi_Area();
  const double w = client ? Client_Width_Twips(client) / 1.2 : 12000;
  const double h = client ? Client_Height_Twips(client) / 1.2 : 8000;
  resize(Twips_To_Px(w), Twips_To_Px(h));
  Show_As_Child();
}
