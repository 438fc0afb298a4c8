#include "link/editor_profile.h"

#include <utility>

Link_Profile Editor_Link_Profile() {
  Link_Profile p;
  p.Progress_After_Advance = true;
  p.Read_End_Display_First = true;
  Link_Texts& t = p.Texts;
  t.read_done = {"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_done_title = link_text::Title_Upper;
  t.write_done_title = link_text::Title_Upper;
  t.port_error = link_text::Port_Error_Short;
  t.port_title = link_text::Title_Upper;
  return p;
}

std::function<void(Link_Engine&)> Unpack_Then_Show(void (*unpack)(), std::function<void()> show) {
  return [unpack, show = std::move(show)](Link_Engine&) {
    unpack();
    if (show) show();
  };
}
