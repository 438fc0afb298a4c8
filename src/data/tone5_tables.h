#pragma once
// The 15 five-tone standards, their tone frequencies per digit 0..F, and the
// frequency and divider tables the radio needs of them (image rows 512..574).
// The tables are constants: Tone5_Tables rebuilds them identically each time.

#include <QString>
#include <array>
#include <cstdint>

constexpr int Tone5_Std_Count = 15;  // standards 0..14

// Module tables, (standard 0..15, digit 0..15); standard 15 is never filled.
using Tone5_Table = std::array<std::array<int16_t, 16>, 16>;
extern std::array<std::array<QString, 16>, 16> Freq_Text;  // "   1981.0  ", 11 characters
extern Tone5_Table Tone5_FreqLo, Tone5_FreqHi;  // integer frequency f = 256 hi + lo
extern Tone5_Table Tone5_CodeLo, Tone5_CodeHi;  // divider Int(10040000 / f), 0 for f = 0

// Image rows of the four tables: row base + standard, column = digit. The
// sixteenth row of each block (527, 543, 559, 575) is never written.
constexpr int Tone5_FreqLo_Row = 512;
constexpr int Tone5_FreqHi_Row = 528;
constexpr int Tone5_CodeLo_Row = 544;
constexpr int Tone5_CodeHi_Row = 560;

// The dividend of a tone's divider.
constexpr double Tone5_Clock = 10040000.0;

// The tone of standard s, digit d in Hz, with its one decimal (0.0: no tone);
// 0.0 for an index outside the table.
double Tone5_Freq(int s, int d);

// Fills Freq_Text and the four tables for standards 0..14 and copies the
// tables into image rows 512..526, 528..542, 544..558 and 560..574.
void Tone5_Tables();

// Trims name in place and returns the index 0..14 of the standard of that
// exact name (case-sensitive), or 255.
int16_t Std_Index(QString& name);

// The name of standard 0..14; the empty text for any other index.
QString Std_Name(int16_t index);
