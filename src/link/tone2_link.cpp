#include "link/tone2_link.h"

#include "data/image_map.h"

namespace {
constexpr int Tone2_Blocks = Tone2_Area.Rows() / 4;  // 12
}

void Tone2_Read_Unpack() { Link_Engine::Unpack_Replies(2, 1 + Tone2_Blocks, Tone2_Area.first_row); }

Link_Profile Tone2_Link_Profile(std::function<void()> show) {
  Link_Profile p;
  p.Read_Base = Tone2_Area.Radio_Address();  // 0x2D00
  p.Read_Last = Tone2_Blocks;
  p.Read_First = 2;
  p.Write_Base = Tone2_Area.Radio_Address();
  p.Write_First = 0;
  p.Write_Count = Tone2_Area.Rows();  // 48
  p.Retry_Read = 3;
  p.Retry_Write = 3;
  p.Retry_Delay = 3000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  // The write label counts the row just acknowledged from 0.
  p.Write_Label_Offset = -1;
  p.Unpack = [show](Link_Engine&) {
    Tone2_Read_Unpack();
    if (show) show();
  };
  Link_Texts& t = p.Texts;
  t.read_done = {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_done_title = link_text::Title_Upper;
  t.read_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
  t.write_done = {"向对讲机写入信令参数完毕 ！",
                  "Complete Written Signal parameters to the transceiver."};
  t.write_done_title = link_text::Title_Upper;
  t.write_label = {"信令参数写入完毕 ！", "Complete Written Signal parameters "};
  t.port_error = link_text::Port_Error_Short;
  t.port_title = link_text::Title_Upper;
  t.fail = link_text::Fail;
  t.fail_title = link_text::Title_Lower;
  t.fail_label = link_text::Fail_Label;
  // Message box and label; the bar drops to 0 and stays visible.
  p.Fail.message = true;
  p.Fail.bar_zero = true;
  p.Fail.label = true;
  return p;
}
