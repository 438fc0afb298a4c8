#include "link/tone2_link.h"

#include <utility>

#include "data/image_map.h"
#include "link/editor_profile.h"

namespace {
constexpr int Tone2_Blocks = Tone2_Area.Rows() / 4;  // 12
}

void Tone2_Read_Unpack() { Link_Engine::Unpack_Replies(2, 1 + Tone2_Blocks, Tone2_Area.first_row); }

Link_Profile Tone2_Link_Profile(std::function<void()> show) {
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = Tone2_Area.Radio_Address();  // 0x2D00
  p.Read_Last = Tone2_Blocks;
  p.Write_Base = Tone2_Area.Radio_Address();
  p.Write_Count = Tone2_Area.Rows();  // 48
  // The write label counts the row just acknowledged from 0.
  p.Write_Label_Offset = -1;
  p.Unpack = Unpack_Then_Show(&Tone2_Read_Unpack, std::move(show));
  Link_Texts& t = p.Texts;
  t.read_label = {"信令参数读出正常 ！", "Read Signal parameters in gear. "};
  t.write_done = {"向对讲机写入信令参数完毕 ！",
                  "Complete Written Signal parameters to the transceiver."};
  t.write_label = {"信令参数写入完毕 ！", "Complete Written Signal parameters "};
  // A final failure (the default report): message box and label; the bar
  // drops to 0 and stays visible.
  return p;
}
