#include "link/fm_link.h"

#include "data/image_map.h"
#include "data/shared_state.h"
#include "link/editor_profile.h"

Link_Profile Fm_Link_Profile() {
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = Fm_Area.Radio_Address();
  p.Read_Last = 4;
  p.Write_Base = Fm_Area.Radio_Address();
  p.Write_Count = Fm_Area.Rows();
  p.Pass = Pass_Mode::Enforced;
  p.Unpack = &Fm_Link::Read_Unpack;
  Link_Texts& t = p.Texts;
  t.read_label = {" FM 收音机参数读出正常 ！", "Read FM Radio parameters in gear. "};
  t.write_done = {"向对讲机写入参数完毕 ！", "Complete Written FM parameters to the transceiver."};
  t.write_label = {"收音机参数写入完毕 ！", "Complete Written FM parameters "};
  // Unlike the other editors, the long port message under the lower-case title.
  t.port_error = link_text::Port_Error_Reference;
  t.port_title = link_text::Title_Lower;
  return p;
}

bool Fm_Password_Accepted(const std::array<int16_t, 17>& typed, const std::array<uint8_t, 17>& block) {
  bool blanks = true, ffs = true, first = true, second = true;
  for (int k = 0; k <= 5; ++k) {
    blanks = blanks && block[k] == 0x20;
    ffs = ffs && block[k] == 0xFF;
    first = first && typed[k] == block[k];
    second = second && typed[k] == block[6 + k];
  }
  return blanks || ffs || first || second;
}

Fm_Link::Fm_Link(const Link_Profile& profile, QObject* parent) : Link_Engine(profile, parent) {
  // What counts is the box of this window as it stands at the press, not the
  // box some other window changed last.
  Before_Start = [this] {
    Password_Codes(Pass_Pressed, Password_Text ? Password_Text() : QString(), 6);
  };
  After_Button_Start = [this] {
    if (Write_Mode == 0) Area_Toggle = 0;
  };
}

bool Fm_Link::Password_Accepted() const { return Fm_Password_Accepted(Pass_Pressed, Pass_Block); }

void Fm_Link::Read_Unpack(Link_Engine& e) {
  Link_Engine::Unpack_Replies(2, 5, Fm_Area.first_row);
  if (auto* f = qobject_cast<Fm_Link*>(&e); f && f->FM_Show) f->FM_Show();
}
