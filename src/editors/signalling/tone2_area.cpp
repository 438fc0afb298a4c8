#include "editors/signalling/tone2_area.h"

#include <cmath>

#include "data/image_map.h"

namespace {
// The row page * 16 + index when it is one of the area's records, else -1.
int Record_Row(int16_t page, int16_t index) {
  if (index < 0 || index >= Tone2_Code_Count) return -1;
  const int row = page * 16 + index;
  return (row >= Tone2_Area.first_row && row <= Tone2_Area.last_row) ? row : -1;
}

void Word_Put(int row, int col, long v) {
  Radio_Image[row][col] = static_cast<int16_t>(v % 256);
  Radio_Image[row][col + 1] = static_cast<int16_t>(v / 256);
}

long Fits_Word(long v, long otherwise) { return (v >= 0 && v <= 0xFFFF) ? v : otherwise; }

struct Pair { int code, first, second; };
constexpr Pair kEncode[] = {
    {1, 1981, 1124}, {2, 1358, 1446}, {3, 1540, 1640},  {12, 2200, 970},
    {13, 1060, 1160}, {14, 1400, 1530}, {15, 1670, 1830},
};

// (tone pair, response, alert number) of decoders 0..3.
using Decoders = int[Tone2_Decoders][3];
constexpr Decoders kForward = {{0, 1, 1}, {4, 2, 2}, {8, 3, 3}, {9, 0, 4}};
constexpr Decoders kReverse = {{9, 0, 4}, {8, 3, 3}, {4, 2, 2}, {0, 1, 1}};
struct Decode { int code; const Decoders* decoders; int tones[4]; };
const Decode kDecode[] = {
    {1, &kForward, {1981, 1124, 1197, 1275}},
    {2, &kForward, {1358, 1446, 1540, 1640}},
    {14, &kForward, {2200, 970, 1060, 1160}},
    {15, &kReverse, {1400, 1530, 1670, 1830}},
};
}  // namespace

void Tone2_PairPut(int16_t page, int16_t index, int32_t first, int32_t second) {
  const int row = Record_Row(page, index);
  if (row < 0) return;
  Word_Put(row, Tone2_First_Byte, Fits_Word(first, 0));
  Word_Put(row, Tone2_Second_Byte, Fits_Word(second, 0));
}

void Tone2_FreqPut(int16_t page, int16_t index, int16_t tone, int32_t freq) {
  const int row = Record_Row(page, index);
  if (row < 0 || tone < 0 || tone > 3) return;
  const long d = freq > 0 ? static_cast<long>(std::floor(Tone2_Clock / freq + 0.5)) : -1;
  if (Fits_Word(freq, -1) < 0 || Fits_Word(d, -1) < 0) {
    Word_Put(row, 2 * tone, 0xFFFF);
    Word_Put(row, 8 + 2 * tone, 0xFFFF);
    return;
  }
  Word_Put(row, 2 * tone, freq);
  Word_Put(row, 8 + 2 * tone, d);
}

void Tone2_Decode_Clear(int16_t index) {
  const int row = Record_Row(Tone2_Decode_Page, index);
  if (row < 0) return;
  for (int c = 0; c < 16; ++c) Radio_Image[row][c] = 0xFF;
}

void Tone2_Default() {
  for (int r = Tone2_Area.first_row; r <= Tone2_Area.last_row; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 255;

  for (const auto& p : kEncode)
    Tone2_PairPut(Tone2_Encode_Page, static_cast<int16_t>(p.code - 1), p.first, p.second);

  Radio_Image[Tone2_Duration_Row][Tone2_First_Duration] = 60;   // 600 ms
  Radio_Image[Tone2_Duration_Row][Tone2_Second_Duration] = 60;  // 600 ms
  Radio_Image[Tone2_Duration_Row][Tone2_Gap] = 30;              // 300 ms

  for (const auto& d : kDecode) {
    auto& row = Radio_Image[Tone2_Decode_Row + d.code - 1];
    for (int k = 0; k < Tone2_Decoders; ++k)
      for (int b = 0; b < 3; ++b) row[3 * k + b] = static_cast<int16_t>((*d.decoders)[k][b]);
  }
  for (const auto& d : kDecode)
    for (int16_t t = 0; t < 4; ++t)
      Tone2_FreqPut(Tone2_Tone_Page, static_cast<int16_t>(d.code - 1), t, d.tones[t]);

  Radio_Image[Tone2_Reset_Row][0] = 59;  // 6000 ms
}
