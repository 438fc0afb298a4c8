#include "editors/signalling/tone5_area.h"

#include "data/shared_state.h"
#include "data/tone5_tables.h"

std::array<std::array<int16_t, 16>, 256> Sig_Buffer{};
std::array<std::array<int16_t, 16>, 16> Sig_Scratch{};

namespace {
void Entry_Put(int entry, const int (&frames)[3][Tone5_Frame_Len], int standard) {
  auto& row = Radio_Image[Tone5_Encode_Row + entry - 1];
  for (int f = 0; f < 3; ++f)
    for (int k = 0; k < Tone5_Frame_Len; ++k)
      row[Tone5_Frame_Len * f + k] = static_cast<int16_t>(frames[f][k]);
  row[Tone5_Entry_Std] = static_cast<int16_t>(standard);
}
}  // namespace

void Tone5_Default() {
  Tone5_Tables();

  // Period codes: 70 ms, except CCIR1 and EURO 100 ms, EEA and MODAT 40 ms, EIA 30 ms.
  constexpr int kPeriod[Tone5_Std_Count] = {8, 5, 5, 5, 5, 5, 5, 5, 5, 2, 1, 8, 5, 5, 2};
  for (int s = 0; s < Tone5_Std_Count; ++s) {
    auto& row = Radio_Image[Tone5_Std_Row + s];
    row[Tone5_Period] = static_cast<int16_t>(kPeriod[s]);
    row[Tone5_Group_Digit] = 10;   // A
    row[Tone5_Repeat_Digit] = 14;  // E
  }

  for (int r = Tone5_Encode_Row; r <= Tone5_Settings_Row; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 255;

  Entry_Put(1, {{1, 2, 3, 4, 5}, {3, 4, 5, 6, 7}, {5, 6, 7, 8, 9}}, 0);
  Entry_Put(15, {{2, 3, 4, 5, 6}, {4, 5, 6, 7, 8}, {6, 7, 8, 9, 0}}, 14);

  auto& set = Radio_Image[Tone5_Settings_Row];
  for (int g = 0; g < 3; ++g) set[Tone5_Group_Delay + g] = 20;  // 200 ms
  set[Tone5_First_Extend] = 0;
  set[Tone5_Decode_Std] = 0;        // CCIR1
  set[Tone5_Call_Frames] = 1;       // frame 1
  set[Tone5_Display_Frames] = 6;    // frames 2 and 3
  set[Tone5_Reset_Time] = 59;       // 6000 ms
}
