#include "link/dtmf_link.h"

#include <utility>

#include "data/image_map.h"
#include "link/editor_profile.h"

namespace {
constexpr int Dtmf_Blocks = Dtmf_Area.Rows() / 4;  // 8
}

void Dtmf_Read_Unpack() { Link_Engine::Unpack_Replies(2, 1 + Dtmf_Blocks, Dtmf_Area.first_row); }

Link_Profile Dtmf_Link_Profile(std::function<void()> show) {
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = Dtmf_Area.Radio_Address();  // 0x2900
  p.Read_Last = Dtmf_Blocks;
  p.Write_Base = Dtmf_Area.Radio_Address();
  p.Write_Count = Dtmf_Area.Rows();  // 32
  p.Retry_Delay = 2000;
  p.Unpack = Unpack_Then_Show(&Dtmf_Read_Unpack, std::move(show));
  Link_Texts& t = p.Texts;
  t.read_label = {"DTMF 信令参数读出正常 ！", "Read DTMF Signal parameters in gear. "};
  t.write_done = {"向对讲机写入 DTMF 信令参数完毕 ！",
                  "Complete Written DTMF Signal parameters to the transceiver."};
  t.write_label = {"DTMF 信令参数写入完毕 ！", "Complete Written DTMF Signal parameters "};
  p.Fail = Fail_Status_Bar_Only;
  return p;
}
