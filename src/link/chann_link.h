#pragma once
// The channel editor's transfer: the channel records (radio 0x0000.., image
// rows 0..) and the channel names (radio 0x1000.., image rows 256..) in one
// exchange, alternating between the two areas block by block (read) and row
// by row (write). Area_Toggle tells which area the next reply belongs to;
// the name replies are kept in Rx_Name.

#include <functional>

#include "link/link_engine.h"

namespace chann_link_text {
constexpr Zh_En Read_Done{"从对讲机中读取数据完毕 ！", "Complete reading data from the transceiver."};
constexpr Zh_En Read_Label{"信道数据读出正常 ！", "Read Channel Data is Ok ！"};
constexpr Zh_En Write_Done{"向对讲机写入数据完毕 ！", "Complete writing the data to transceiver."};
constexpr Zh_En Write_Label{"信道数据写入完毕 ！", "Channel Data Writed ！"};
constexpr Zh_En Writing_Pre{"正在写入  ", "Writeing  "};
constexpr Zh_En Writing_Post{"  信道", "  Channel"};
}  // namespace chann_link_text

Link_Profile Chann_Link_Profile();

class Chann_Link : public Link_Engine {
  Q_OBJECT
public:
  explicit Chann_Link(const Link_Profile& profile = Chann_Link_Profile(), QObject* parent = nullptr);

  // The blocks a read asks of each area: Int(Chann_Count / 4 + 0.9) + 1.
  static int Blocks_Per_Area();

  // Copies a completed read's replies into the image: channel replies
  // 1..50 into rows 0.., name replies 2..51 into rows 256.., only rows of
  // the Chann_Count channels.
  static void Read_Unpack();

  // The window's redraw after a completed read (every row, then the post-read
  // name pass); runs after the unpacking, before the success message.
  std::function<void()> Redraw;

  // The blocks a read asks of each area, and the rows a write sends.
  std::vector<Span> Spans() const override;

protected:
  void Read_Start() override;
  void Write_Start() override;
  void Data_Phase_Begin() override;
  void Read_Data_Phase() override;
  void Write_Data_Phase() override;

private:
  void Request(int addr);
  void Send_Row(int image_row, int addr, bool leading_ack);
};
