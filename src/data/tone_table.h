#pragma once
// The tone table (OFF, 50 CTCSS tones, 105 DCS codes normal and inverted) and
// the band-variant table of the model dialog.

#include <array>

constexpr int Tone_Count = 261;       // entries 0..260
constexpr int Tone_Ctcss_First = 1;   // 67.0 Hz
constexpr int Tone_Ctcss_Last = 50;   // 254.1 Hz
constexpr int Tone_Dcs_First = 51;    // D023N
constexpr int Tone_Dcs_Inverted = 156;  // D023I

// The CTCSS tones in tenths of a hertz, index 1..50 at [index - 1].
extern const std::array<int, 50> Ctcss_Tenths;
// The DCS codes as three octal digits written in decimal (23 for D023), index
// 51..155 at [index - 51]; the inverted code of the same entry is index + 105.
extern const std::array<int, 105> Dcs_Codes;

// Stores the 261 padded names into Tone_Name.
void Tone_Init();

// Stores Band_Names 0..2 and Band_Table rows 0..6.
void Band_Init();
