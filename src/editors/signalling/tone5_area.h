#pragma once
// Layout of the 5-tone area (image rows 512..607, radio 0x2000..0x25FF) and
// its factory defaults. Rows 512..575 hold the tone tables (tone5_tables.h);
// row 591 is carried but never written.

#include <array>
#include <cstdint>

// Standard row of standard s: row 576 + s.
constexpr int Tone5_Std_Row = 576;
constexpr int Tone5_Period = 0;       // every tone lasts code * 10 + 20 ms (0..18)
constexpr int Tone5_Group_Digit = 1;  // group-tone digit code
constexpr int Tone5_Repeat_Digit = 2; // repeat-tone digit code

// Encode entry e (1..15): row 591 + e; three frames of five digit codes in
// bytes 0..4, 5..9, 10..14, the standard index in byte 15 (0xFF = none).
constexpr int Tone5_Encode_Row = 592;
constexpr int Tone5_Encode_Count = 15;
constexpr int Tone5_Frame_Len = 5;
constexpr int Tone5_Entry_Std = 15;

// Settings row.
constexpr int Tone5_Settings_Row = 607;
constexpr int Tone5_Group_Delay = 0;   // bytes 0..2: delay before code groups 1..3, 10 ms steps
constexpr int Tone5_First_Extend = 3;  // extension of each group's first tone, 10 ms steps
constexpr int Tone5_Decode_Std = 8;
constexpr int Tone5_Call_Frames = 9;     // bit 0 frame 1, bit 1 frame 2, bit 2 frame 3
constexpr int Tone5_Display_Frames = 10; // same bits
constexpr int Tone5_Reset_Time = 11;     // list index i, (i + 1) * 100 ms (0..79)

// The signalling file in memory, line L = radio 0x2000 + 16 L, and the
// staging table the file's build fills from the editor's grids.
extern std::array<std::array<int16_t, 16>, 256> Sig_Buffer;
extern std::array<std::array<int16_t, 16>, 16> Sig_Scratch;

// Tone5_Tables, then the standard rows' period, group and repeat digits,
// rows 592..607 := 0xFF, the two factory encode entries and the settings.
// Bytes 3..15 of the standard rows and row 591 are not touched.
void Tone5_Default();
