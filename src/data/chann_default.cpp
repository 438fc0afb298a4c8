#include "chann_default.h"

#include "freq_codec.h"
#include "shared_state.h"

namespace {
struct Default_Channel {
  int row;
  const char* freq;
  const char* tone;  // nullptr: no tone (0xFF 0xFF); "D" with dcs: DCS word
  int dcs_low;
};

constexpr Default_Channel kChannels[] = {
    {0, "155.025", "67.0", 0},   {1, "136.1", "100.0", 0}, {2, "173.95", "127.3", 0},
    {3, "400.025", "203.5", 0},  {4, "479.95", nullptr, 0}, {5, "436.5", "250.3", 0},
    {6, "155.5", "D", 0xD2},     {199, "480.625", nullptr, 0},
};
}  // namespace

void Chann_Default() {
  for (int r = 0; r <= 199; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 255;

  for (const auto& ch : kChannels) {
    auto& row = Radio_Image[ch.row];
    for (int c = 0; c <= 7; ++c) row[c] = 0;
    for (int c = 8; c <= 11; ++c) row[c] = 255;
    row[12] = row[13] = row[14] = 0;
    row[15] = 4;
  }

  for (const auto& ch : kChannels) {
    QString rx = ch.freq;
    Freq_Put(rx, ch.row, 0);
    QString tx = ch.freq;
    Freq_Put(tx, ch.row, 4);
    if (ch.tone == nullptr) continue;
    if (QString(ch.tone) == "D") {
      // DCS: low byte = tone-table index - 50, high byte 0 (D754I is entry 260).
      Radio_Image[ch.row][8] = static_cast<int16_t>(ch.dcs_low);
      Radio_Image[ch.row][9] = 0;
      Radio_Image[ch.row][10] = static_cast<int16_t>(ch.dcs_low);
      Radio_Image[ch.row][11] = 0;
    } else {
      Tone_Put(ch.tone, ch.row, 8);
      Tone_Put(ch.tone, ch.row, 10);
    }
  }
}
