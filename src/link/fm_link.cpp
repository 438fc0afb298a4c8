#include "link/fm_link.h"

#include "data/shared_state.h"

Link_Profile Fm_Link_Profile() {
  Link_Profile p;
  p.Read_Base = Fm_Page << 8;
  p.Read_Last = 4;
  p.Read_First = 2;
  p.Write_Base = Fm_Page << 8;
  p.Write_First = 0;
  p.Write_Count = Fm_Count;
  p.Retry_Read = 3;
  p.Retry_Write = 3;
  p.Retry_Delay = 3000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Enforced;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  p.Unpack = &Fm_Link::Read_Unpack;
  Link_Texts& t = p.Texts;
  t.read_done = {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_done_title = link_text::Title_Upper;
  t.read_label = {" FM 收音机参数读出正常 ！", "Read FM Radio parameters in gear. "};
  t.write_done = {"向对讲机写入参数完毕 ！", "Complete Written FM parameters to the transceiver."};
  t.write_done_title = link_text::Title_Upper;
  t.write_label = {"收音机参数写入完毕 ！", "Complete Written FM parameters "};
  t.port_error = link_text::Port_Error_Reference;
  t.port_title = link_text::Title_Lower;
  t.pass_error = link_text::Pass_Error;
  t.pass_title = link_text::Title_Upper;
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
  Link_Engine::Unpack_Replies(2, 5, Fm_Page * 16);
  if (auto* f = qobject_cast<Fm_Link*>(&e); f && f->FM_Show) f->FM_Show();
}
