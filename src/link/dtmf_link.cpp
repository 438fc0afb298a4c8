#include "link/dtmf_link.h"

#include "data/image_map.h"

namespace {
constexpr int Dtmf_Blocks = Dtmf_Area.Rows() / 4;  // 8
}

void Dtmf_Read_Unpack() { Link_Engine::Unpack_Replies(2, 1 + Dtmf_Blocks, Dtmf_Area.first_row); }

Link_Profile Dtmf_Link_Profile(std::function<void()> show) {
  Link_Profile p;
  p.Read_Base = Dtmf_Area.Radio_Address();  // 0x2900
  p.Read_Last = Dtmf_Blocks;
  p.Read_First = 2;
  p.Write_Base = Dtmf_Area.Radio_Address();
  p.Write_First = 0;
  p.Write_Count = Dtmf_Area.Rows();  // 32
  p.Retry_Read = 3;
  p.Retry_Write = 3;
  p.Retry_Delay = 2000;
  p.Ident_Ack = Ident_Ack_Mode::Separate;
  p.Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  p.Pass = Pass_Mode::Read;
  p.Pass_Ack = Pass_Ack_Mode::Separate;
  p.Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  // The block number is advanced before the progress shows it; the full bar
  // and the label are up before the message box.
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  p.Write_Label_Offset = 0;
  p.Unpack = [show](Link_Engine&) {
    Dtmf_Read_Unpack();
    if (show) show();
  };
  Link_Texts& t = p.Texts;
  t.read_done = {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_done_title = link_text::Title_Upper;
  t.read_label = {"DTMF 信令参数读出正常 ！", "Read DTMF Signal parameters in gear. "};
  t.write_done = {"向对讲机写入 DTMF 信令参数完毕 ！",
                  "Complete Written DTMF Signal parameters to the transceiver."};
  t.write_done_title = link_text::Title_Upper;
  t.write_label = {"DTMF 信令参数写入完毕 ！", "Complete Written DTMF Signal parameters "};
  t.port_error = link_text::Port_Error_Short;
  t.port_title = link_text::Title_Upper;
  // A final failure shows only in the main window's status bar.
  p.Fail.message = false;
  p.Fail.bar_zero = false;
  p.Fail.label = false;
  p.Fail.panel2 = true;
  return p;
}
