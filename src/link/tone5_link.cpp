#include "link/tone5_link.h"

#include <utility>

#include "link/editor_profile.h"

Link_Profile Tone5_Link_Profile(std::function<void()> show) {
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = Tone5_Link_Read_Base;
  p.Read_Last = Tone5_Link_Read_Blocks;
  p.Write_Base = Tone5_Link_Write_Base;
  p.Write_Count = Tone5_Link_Write_Rows;
  // The write label counts the rows from 0.
  p.Write_Label_Offset = -1;
  p.Unpack = Unpack_Then_Show(&Tone5_Read_Unpack, std::move(show));
  Link_Texts& t = p.Texts;
  t.read_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
  t.write_done = {"向对讲机写入信令参数完毕 ！", "Complete Written Signal parameters to the transceiver."};
  t.write_label = {"信令参数写入完毕 ！", "Complete Written Signal parameters "};
  return p;
}

void Tone5_Read_Unpack() {
  Link_Engine::Unpack_Replies(2, Tone5_Link_Read_Blocks + 1, Tone5_Link_Read_Row);
}
