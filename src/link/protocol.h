#pragma once
// The bytes on the serial line between the program and the radio: line
// settings, the frames the program sends and the replies it expects.
// No Qt here: the simulated radio builds on the same definitions.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace proto {

constexpr int Baud_Rate = 9600;      // 9600,N,8,1
constexpr int Bits_Per_Byte = 10;    // start + 8 data + stop

constexpr uint8_t Ack = 0x06;
constexpr uint8_t Read_Cmd = 0x53;   // 'S'
constexpr uint8_t Data_Mark = 0x58;  // 'X'
constexpr uint8_t End_Byte = 0x45;   // 'E', closes a password change
constexpr uint8_t Ident_End_Mark = 0x55;

// The programming-mode connect command that opens every exchange. The radio
// answers it with its identification reply.
constexpr std::array<uint8_t, 8> Connect_Command = {0x02, 0x43, 0x56, 0x50,
                                                    0x52, 0x4F, 0x47, 0x03};

constexpr int Ident_Reply_Len = 50;  // taken once more than 49 bytes wait
constexpr int Ident_Record_Len = 49;
constexpr int Pass_Reply_Len = 20;   // 'X' within the first 10 bytes, header, 16 bytes
constexpr int Read_Reply_Len = 69;   // [0x06] 'X' hi lo len, 64 data bytes
constexpr int Block_Len = 64;
constexpr int Row_Len = 16;
constexpr uint16_t Pass_Addr = 0x3DF0;  // the radio's password block
constexpr int Memory_Size = 0x4000;     // radio address space the programs reach

// 'S' hi lo len, with a leading 0x06 when it also acknowledges the radio's last reply.
std::vector<uint8_t> Read_Request(uint16_t addr, uint8_t len, bool leading_ack = false);

// 'X' hi lo 0x10 and 16 data bytes, with a leading 0x06 when it answers the
// radio's acknowledgement of the previous frame.
std::vector<uint8_t> Write_Frame(uint16_t addr, const uint8_t* data16, bool leading_ack = false);

// The validity rule of the 50 bytes taken as an identification reply:
// (byte 48 = 0x55 and byte 0 = 0x01) or (byte 49 = 0x55 and byte 0 = 0x06).
bool Ident_Valid(const uint8_t* reply50);

// The identification record with the leading 0x06 dropped.
struct Ident_Record {
  std::array<uint8_t, Ident_Record_Len + 1> raw{};  // record offsets 0..49
  // The eight 3-digit limits at offsets 0, 3, 16, 19, 32, 35, 40, 43 (MHz).
  int Limit(int k) const;
  std::array<uint8_t, 6> Model() const;     // offsets 10..15
  std::array<uint8_t, 6> Firmware() const;  // offsets 26..31
  std::array<uint8_t, 10> Extra() const;    // offsets 38..47 (channel editor's text)
};

// Decodes a valid reply (nullopt for an invalid one).
std::optional<Ident_Record> Ident_Decode(const uint8_t* reply50);

// Builds a 49-byte record from its parts: limits[8] in MHz (each 0..999,
// stored as three digit bytes), a 6-character model and firmware text, and
// the filler bytes that no program reads.
std::array<uint8_t, Ident_Record_Len> Ident_Build(const std::array<int, 8>& limits,
                                                  const std::string& model,
                                                  const std::string& firmware);

// The position of the first 'X' among bytes [from, to) of buf, or -1.
int Find_Mark(const uint8_t* buf, int from, int to);

// Time a run of bytes takes on the line, in microseconds.
constexpr long long Wire_Micros(long long bytes) {
  return bytes * Bits_Per_Byte * 1000000LL / Baud_Rate;
}

}  // namespace proto
