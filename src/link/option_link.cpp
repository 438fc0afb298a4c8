#include "option_link.h"

#include <utility>

#include "link/editor_profile.h"

void Option_Read_Unpack() {
  // Reply k holds radio 0x0E00 + (k - 2) x 64: four rows from 224 + 4 (k - 2).
  Link_Engine::Unpack_Replies(2, 1 + option_link::Blocks, option_link::First_Row);
}

Link_Profile Option_Link_Profile(std::function<void()> redraw) {
  // The label counts the blocks from 3 to 9; bar and label are set before the
  // end-of-read message.
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = option_link::Base;
  p.Read_Last = option_link::Blocks;
  p.Write_Base = option_link::Base;
  p.Write_Count = option_link::Rows;
  p.Frame_Pause_Ms = link_timing::Pause_Frame_Ms;
  p.Unpack = Unpack_Then_Show(&Option_Read_Unpack, std::move(redraw));
  Link_Texts& t = p.Texts;
  t.read_done = option_link::Read_Done;
  t.read_label = option_link::Read_Label;
  t.write_done = option_link::Write_Done;
  t.write_label = option_link::Write_Label;
  return p;
}
