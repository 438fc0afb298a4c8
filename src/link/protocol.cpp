#include "protocol.h"

namespace proto {

std::vector<uint8_t> Read_Request(uint16_t addr, uint8_t len, bool leading_ack) {
  std::vector<uint8_t> f;
  if (leading_ack) f.push_back(Ack);
  f.push_back(Read_Cmd);
  f.push_back(static_cast<uint8_t>(addr >> 8));
  f.push_back(static_cast<uint8_t>(addr & 0xFF));
  f.push_back(len);
  return f;
}

std::vector<uint8_t> Write_Frame(uint16_t addr, const uint8_t* data16, bool leading_ack) {
  std::vector<uint8_t> f;
  if (leading_ack) f.push_back(Ack);
  f.push_back(Data_Mark);
  f.push_back(static_cast<uint8_t>(addr >> 8));
  f.push_back(static_cast<uint8_t>(addr & 0xFF));
  f.push_back(Row_Len);
  f.insert(f.end(), data16, data16 + Row_Len);
  return f;
}

bool Ident_Valid(const uint8_t* r) {
  return (r[48] == Ident_End_Mark && r[0] == 0x01) || (r[49] == Ident_End_Mark && r[0] == Ack);
}

int Ident_Record::Limit(int k) const {
  static constexpr int offs[8] = {0, 3, 16, 19, 32, 35, 40, 43};
  const int o = offs[k];
  return 100 * raw[o] + 10 * raw[o + 1] + raw[o + 2];
}

std::array<uint8_t, 6> Ident_Record::Model() const {
  std::array<uint8_t, 6> out{};
  for (int i = 0; i < 6; ++i) out[i] = raw[10 + i];
  return out;
}

std::array<uint8_t, 6> Ident_Record::Firmware() const {
  std::array<uint8_t, 6> out{};
  for (int i = 0; i < 6; ++i) out[i] = raw[26 + i];
  return out;
}

std::array<uint8_t, 10> Ident_Record::Extra() const {
  std::array<uint8_t, 10> out{};
  for (int i = 0; i < 10; ++i) out[i] = raw[38 + i];
  return out;
}

std::optional<Ident_Record> Ident_Decode(const uint8_t* r) {
  if (!Ident_Valid(r)) return std::nullopt;
  Ident_Record rec;
  const int shift = r[0] == Ack ? 1 : 0;
  for (int k = 0; k + shift < Ident_Reply_Len; ++k) rec.raw[k] = r[k + shift];
  return rec;
}

std::array<uint8_t, Ident_Record_Len> Ident_Build(const std::array<int, 8>& limits,
                                                  const std::string& model,
                                                  const std::string& firmware) {
  std::array<uint8_t, Ident_Record_Len> rec{};
  static constexpr int offs[8] = {0, 3, 16, 19, 32, 35, 40, 43};
  for (int k = 0; k < 8; ++k) {
    const int v = limits[k] < 0 ? 0 : limits[k] % 1000;
    rec[offs[k]] = static_cast<uint8_t>(v / 100);
    rec[offs[k] + 1] = static_cast<uint8_t>(v / 10 % 10);
    rec[offs[k] + 2] = static_cast<uint8_t>(v % 10);
  }
  for (int i = 0; i < 6; ++i) {
    rec[10 + i] = i < static_cast<int>(model.size()) ? static_cast<uint8_t>(model[i]) : ' ';
    rec[26 + i] = i < static_cast<int>(firmware.size()) ? static_cast<uint8_t>(firmware[i]) : ' ';
  }
  rec[38] = 'S';  // offsets 38, 39, 46, 47: only inside the channel editor's 10-character text
  rec[39] = 'N';
  rec[46] = '0';
  rec[47] = '1';
  rec[48] = Ident_End_Mark;
  return rec;
}

int Find_Mark(const uint8_t* buf, int from, int to) {
  for (int i = from; i < to; ++i)
    if (buf[i] == Data_Mark) return i;
  return -1;
}

}  // namespace proto
