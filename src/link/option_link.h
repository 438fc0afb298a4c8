#pragma once
// The option editor's transfer: radio 0x0E00..0x0FFF, image rows 224..255
// (option block, VFO records, rows 248..253, power-on text, row 255), read in
// 8 blocks of 64 bytes and written as 32 rows, with a pause after every frame
// sent. The password block is read and the transfer goes on whatever the
// password box holds.

#include <functional>

#include "link/link_engine.h"

namespace option_link {
constexpr int Base = 0x0E00;
constexpr int First_Row = 224;
constexpr int Blocks = 8;
constexpr int Rows = 32;
constexpr Zh_En Read_Done{"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
constexpr Zh_En Read_Label{"可选参数读出正常 ！", "Read optional parameters in gear. "};
constexpr Zh_En Write_Done{"向对讲机写入可选参数完毕 ！",
                           "Complete writing optional parameters to the transceiver."};
constexpr Zh_En Write_Label{"可选参数写入完毕 ！", "Complete writing optional parameters "};
}  // namespace option_link

// Replies 2..9 into image rows 224..255.
void Option_Read_Unpack();

// The window's profile; redraw runs after a complete read has been unpacked.
Link_Profile Option_Link_Profile(std::function<void()> redraw);
