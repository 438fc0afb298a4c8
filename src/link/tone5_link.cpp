#include "link/tone5_link.h"

Link_Profile Tone5_Link_Profile(std::function<void()> show) {
  Link_Profile p;
  p.Read_Base = Tone5_Link_Read_Base;
  p.Read_Last = Tone5_Link_Read_Blocks;
  p.Read_First = 2;
  p.Write_Base = Tone5_Link_Write_Base;
  p.Write_First = 0;
  p.Write_Count = Tone5_Link_Write_Rows;
  p.Retry_Read = 3;
  p.Retry_Write = 3;
  p.Retry_Delay = 3000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  // The label names the reply now awaited; the bar and the label are up
  // before the message box; the write label counts the rows from 0.
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  p.Write_Label_Offset = -1;
  p.Unpack = [show = std::move(show)](Link_Engine&) {
    Tone5_Read_Unpack();
    if (show) show();
  };
  Link_Texts& t = p.Texts;
  t.port_error = link_text::Port_Error_Short;
  t.port_title = link_text::Title_Upper;
  t.read_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
  t.read_done = {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_done_title = link_text::Title_Upper;
  t.write_done = {"向对讲机写入信令参数完毕 ！", "Complete Written Signal parameters to the transceiver."};
  t.write_done_title = link_text::Title_Upper;
  t.write_label = {"信令参数写入完毕 ！", "Complete Written Signal parameters "};
  return p;
}

void Tone5_Read_Unpack() {
  Link_Engine::Unpack_Replies(2, Tone5_Link_Read_Blocks + 1, Tone5_Link_Read_Row);
}
