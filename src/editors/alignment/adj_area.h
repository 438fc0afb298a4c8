#pragma once
// Layout of the alignment image (Adj_Image rows 0..31 = radio 0x3C00..0x3DFF),
// its factory table Adj_Default, and the password character codecs.
//
// Bands 0..3 are VHF, UHF0, UHF1, UHF2; each has 16 frequency points.

#include <QString>
#include <cstdint>

constexpr int Adj_Area_Rows = 32;
constexpr int Adj_Bands = 4;

constexpr int Adj_High_Power_Row = 0;  // + band: TX power, high, cells = frequency points
constexpr int Adj_Low_Power_Row = 4;   // + band: TX power, low
constexpr int Adj_Power_Max = 63;
// Squelch level rows (cells 0..9 = levels, values 0..100) and compensation
// rows (cells = frequency points, values 0..10) are addressed via Sql_Rows:
// entries 0..3 the level rows, 4..7 the compensation rows, by band.
constexpr int Adj_Sql_Level_Max = 100;
constexpr int Adj_Sql_Comp_Max = 10;

// Row 16: deviation, volume and drive settings, one list index per cell.
constexpr int Adj_Setting_Row = 16;
constexpr int Adj_Voice_Dev = 0;   // 0..127
constexpr int Adj_Ctcss_Dev = 1;   // 0..63
constexpr int Adj_Dcs_Dev = 2;     // 0..63
constexpr int Adj_Wide_Vol = 3;    // coarse 3, fine 4 (0..15 each)
constexpr int Adj_Narrow_Vol = 5;  // coarse 5, fine 6
constexpr int Adj_Beep_Vol = 7;    // coarse 7, fine 8
constexpr int Adj_Drive = 9;       // + band, 0..15
constexpr int Adj_Signal_Dev = 13; // 0..127

// Rows 24 + band: lower limit in cells 0..2 and upper limit in cells 3..5
// (MHz as hundreds, tens, units), cell 7 transmit allowed (1 or more = yes).
constexpr int Adj_Limit_Row = 24;
constexpr int Adj_Limit_Low = 0;
constexpr int Adj_Limit_High = 3;
constexpr int Adj_Tx_Allowed = 7;

// Row 31: user password in cells 0..5, super password in cells 6..11, each
// centred in its six cells with blanks.
constexpr int Pass_Row = 31;
constexpr int Pass_User = 0;
constexpr int Pass_Super = 6;
constexpr int Pass_Len = 6;

// The code Asc_Allowed gives a character outside the password set.
constexpr uint8_t Asc_Refused = 11;

// Sets Sql_Rows := 8, 10, 12, 14, 9, 11, 13, 15 and writes the factory
// values into Adj_Default; every element it does not set is 0. Leaves
// Adj_Image alone: each caller copies rows 0..31, cells 0..15 itself.
void Adj_DefaultFill();

// The character of a password code: "0".."9", "A".."Z", "+", "-", " ";
// the empty text for every other code, lower-case letters included.
QString Chr_Allowed(uint8_t code);

// The code of a one-character password text: digits and capitals their own
// codes, lower-case letters the codes of their capitals, "+" 43, "-" 45,
// " " 32; anything else, the empty text and longer texts included, 11.
uint8_t Asc_Allowed(const QString& ch);
