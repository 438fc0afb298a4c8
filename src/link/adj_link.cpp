#include "link/adj_link.h"

#include "data/shared_state.h"
#include "link/editor_profile.h"
#include "link/protocol.h"

namespace {
constexpr int kFirstReply = 2;
constexpr int kLastReply = 9;

}  // namespace

void Adj_Read_Unpack() {
  for (int k = kFirstReply; k <= kLastReply; ++k) {
    const int s = Link_Engine::Reply_Data_Start(k);
    for (int j = 0; j < proto::Block_Len; ++j) {
      const int i = 64 * (k - kFirstReply) + j;
      Adj_Image[i / 16][i % 16] = static_cast<int16_t>(Rx_Main[k][s + j] & 0xFF);
    }
  }
}

Link_Profile Adj_Link_Profile(std::function<void()> show) {
  Link_Profile p = Editor_Link_Profile();
  p.Read_Base = Adj_Addr;
  p.Read_Last = 8;
  p.Read_First = kFirstReply;
  p.Write_Base = Adj_Addr;
  p.Write_First = 24;
  p.Write_Count = 28;
  p.Retry_Delay = 2000;
  p.Ident_Ack = Ident_Ack_Mode::Leading;
  p.Pass = Pass_Mode::None;
  p.Write_Label_Offset = -1;  // the label names the row just acknowledged
  p.Unpack = Unpack_Then_Show(&Adj_Read_Unpack, std::move(show));
  p.Write_Row = [](int block) {
    std::array<uint8_t, 16> row{};
    for (int c = 0; c < 16; ++c)
      row[c] = block >= 0 && block < Adj_Rows ? static_cast<uint8_t>(Adj_Image[block][c] & 0xFF) : 0xFF;
    return row;
  };
  Link_Texts& t = p.Texts;
  t.read_done = {"从对讲机中读取调整数据完毕 ！", "Complete reading the data from transceiver."};
  t.read_label = {"调整参数读出正常 ！", "Read optional parameters in gear. "};
  t.write_done = {"调整参数写入完毕 ！", "Complete writing optional parameters to the transceiver."};
  t.write_label = {"调整参数写入完毕 ！", "Complete writing optional parameters "};
  p.Fail = Fail_Status_Bar_Only;
  return p;
}

Adj_Link::Adj_Link(std::function<void()> show, QObject* parent)
    : Link_Engine(Adj_Link_Profile(std::move(show)), parent) {}

void Adj_Link::Data_Phase_Begin() {
  Link_Engine::Data_Phase_Begin();
  if (Write_Mode == -1) Bar(100);
}
