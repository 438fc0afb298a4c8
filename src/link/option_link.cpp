#include "option_link.h"

void Option_Read_Unpack() {
  // Reply k holds radio 0x0E00 + (k - 2) x 64: four rows from 224 + 4 (k - 2).
  Link_Engine::Unpack_Replies(2, 1 + option_link::Blocks, option_link::First_Row);
}

Link_Profile Option_Link_Profile(std::function<void()> redraw) {
  Link_Profile p;
  p.Read_Base = option_link::Base;
  p.Read_Last = option_link::Blocks;
  p.Read_First = 2;
  p.Write_Base = option_link::Base;
  p.Write_First = 0;
  p.Write_Count = option_link::Rows;
  p.Retry_Read = 3;
  p.Retry_Write = 3;
  p.Retry_Delay = 3000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  p.Frame_Pause_Ms = link_timing::Pause_Frame_Ms;
  // The label counts the blocks from 3 to 9; bar and label are set before the
  // end-of-read message.
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  p.Unpack = [redraw](Link_Engine&) {
    Option_Read_Unpack();
    if (redraw) redraw();
  };
  Link_Texts& t = p.Texts;
  t.read_done = option_link::Read_Done;
  t.read_done_title = link_text::Title_Upper;
  t.read_label = option_link::Read_Label;
  t.write_done = option_link::Write_Done;
  t.write_done_title = link_text::Title_Upper;
  t.write_label = option_link::Write_Label;
  t.port_error = link_text::Port_Error_Short;
  t.port_title = link_text::Title_Upper;
  return p;
}
