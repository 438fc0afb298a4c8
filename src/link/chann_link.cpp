#include "chann_link.h"

#include <algorithm>
#include <cmath>

#include "data/image_map.h"
#include "data/shared_state.h"
#include "link/protocol.h"

namespace {
constexpr int kNameAreaOffset = 0x1000;  // name record of channel c: 0x1000 + 16 c
constexpr int kNameRow0 = 256;

// The data start of a stored reply: four bytes after its first 'X' among
// positions 0..5; 4 when there is none. The reply check only lets replies
// with the 'X' at 0 or 1 through, so all 64 data bytes lie in the store.
int Data_Start(const std::array<int16_t, 71>& reply) {
  for (int p = 0; p <= 5; ++p)
    if ((reply[p] & 0xFF) == proto::Data_Mark) return std::min(p + 4, 71 - 64);
  return 4;
}

void Unpack_Area(const Reply_Store& store, int first_reply, int first_row, int blocks) {
  for (int b = 0; b < blocks; ++b) {
    const auto& reply = store[first_reply + b];
    const int s = Data_Start(reply);
    for (int j = 0; j < 4; ++j) {
      const int rec = 4 * b + j;
      if (rec >= Chann_Count) return;
      for (int c = 0; c < 16; ++c) Img_Set(first_row + rec, c, reply[s + 16 * j + c]);
    }
  }
}
}  // namespace

Link_Profile Chann_Link_Profile() {
  Link_Profile p;
  p.Read_Base = 0x0000;
  p.Read_Last = Chann_Link::Blocks_Per_Area();
  p.Read_First = 1;
  p.Write_Base = 0x0000;
  p.Write_Count = Chann_Count;
  p.Retry_Write = 1;
  p.Retry_Delay = 1500;
  p.Decode = Ident_Decode_Mode::Three_Pairs_With_Text;
  p.Progress_After_Advance = true;
  p.Write_Label_Offset = -1;
  p.Unpack = [](Link_Engine& e) {
    Chann_Link::Read_Unpack();
    if (auto* c = qobject_cast<Chann_Link*>(&e); c && c->Redraw) c->Redraw();
  };
  Link_Texts& t = p.Texts;
  t.read_done = chann_link_text::Read_Done;
  t.read_label = chann_link_text::Read_Label;
  t.write_done = chann_link_text::Write_Done;
  t.write_label = chann_link_text::Write_Label;
  t.writing_pre = chann_link_text::Writing_Pre;
  t.writing_post = chann_link_text::Writing_Post;
  t.port_error = link_text::Port_Error_Reference;
  // A final failure: the message, then the main window's panel 2; the
  // window's bar and label keep what they showed.
  p.Fail.bar_zero = false;
  p.Fail.label = false;
  p.Fail.panel2 = true;
  return p;
}

Chann_Link::Chann_Link(const Link_Profile& profile, QObject* parent) : Link_Engine(profile, parent) {
  After_Button_Start = [] { Area_Toggle = 0; };
}

int Chann_Link::Blocks_Per_Area() {
  return static_cast<int>(std::floor(Chann_Count / 4.0 + 0.9)) + 1;
}

void Chann_Link::Read_Unpack() {
  const int blocks = Blocks_Per_Area() - 1;  // the last block of each area is read, not copied
  Unpack_Area(Rx_Main, 1, 0, blocks);
  Unpack_Area(Rx_Name, 2, kNameRow0, blocks);
}

std::vector<Link_Engine::Span> Chann_Link::Spans() const {
  const int base = profile_.Read_Base;
  const int len = std::max(Blocks_Per_Area() * proto::Block_Len, Chann_Count * proto::Row_Len);
  return {{base, base + len}, {base + kNameAreaOffset, base + kNameAreaOffset + len}};
}

void Chann_Link::Read_Start() {
  profile_.Read_Last = Blocks_Per_Area();
  Link_Engine::Read_Start();
}

void Chann_Link::Write_Start() {
  profile_.Write_Count = Chann_Count;
  Link_Engine::Write_Start();
}

void Chann_Link::Request(int addr) {
  Frame_Set(proto::Read_Request(static_cast<uint16_t>(addr), proto::Block_Len));
  expected_addr_ = addr;
  Send_Start();
}

void Chann_Link::Send_Row(int image_row, int addr, bool leading_ack) {
  std::array<uint8_t, 16> row{};
  for (int c = 0; c < 16; ++c) row[c] = Img_Byte(image_row, c);
  Frame_Set(proto::Write_Frame(static_cast<uint16_t>(addr), row.data(), leading_ack));
  Send_Start();
}

void Chann_Link::Data_Phase_Begin() {
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  if (Write_Mode == 0) {
    Block_No = 1;
    Request(base);
    MSC.Discard_Input();
    return;
  }
  Block_No = 0;
  Send_Row(0, base, false);
  Area_Toggle = 0;
}

void Chann_Link::Read_Data_Phase() {
  if (MSC.In_Buffer_Count() < proto::Read_Reply_Len) return;
  if (Block_No < 0 || Block_No > 256) return;
  const bool name = Area_Toggle == -1;
  int16_t* store = name ? Rx_Name[Block_No].data() : Rx_Main[Block_No].data();
  if (!Take_Read_Reply(store)) return;  // the watchdog decides
  Timer2.Set_Enabled(false);
  MSC.Output_Byte(proto::Ack);
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  if (!name) {
    // The name block with the same number.
    Request(base + kNameAreaOffset + (Block_No - 1) * proto::Block_Len);
    Block_No += 1;
    Area_Toggle = -1;
    Show_Read_Progress(Block_No);
    return;
  }
  Area_Toggle = 0;
  if (Block_No > Read_Last) {
    End_Of_Read();
    return;
  }
  Request(base + (Block_No - 1) * proto::Block_Len);
  Show_Read_Progress(Block_No);
}

void Chann_Link::Write_Data_Phase() {
  const int b = MSC.Read_Byte();
  if (b != proto::Ack || Tx_Done != -1) return;
  Timer2.Set_Enabled(false);
  const int base = (Addr_Base[0] << 8) | Addr_Base[1];
  if (Area_Toggle == 0) {
    // The channel row was taken: its name row.
    Send_Row(kNameRow0 + Block_No, base + kNameAreaOffset + Block_No * proto::Row_Len, true);
    Block_No += 1;
    Area_Toggle = -1;
    return;
  }
  Area_Toggle = 0;
  Show_Write_Progress();
  // Exactly the Chann_Count pairs: nothing beyond the last channel goes out.
  if (Block_No >= Write_Count) {
    End_Of_Write();
    return;
  }
  Send_Row(Block_No, base + Block_No * proto::Row_Len, true);
}
