#include "platform/main_frame.h"

#include "platform/twips.h"
#include "platform/vb_form.h"

QSizeF Main_Frame_Twips() {
  QWidget* m = Forms::Main();
  if (!m) return QSizeF(Screen_Width_Twips(), Screen_Height_Twips());
  return QSizeF(Px_To_Twips(m->frameGeometry().width()), Px_To_Twips(m->frameGeometry().height()));
}

QSizeF Main_Client_Twips() {
  QWidget* c = Forms::Mdi_Area();
  if (!c) return Main_Frame_Twips();
  return QSizeF(Client_Width_Twips(c), Client_Height_Twips(c));
}
