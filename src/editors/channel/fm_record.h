#pragma once
// The 16 FM broadcast presets (image rows 768..783, radio 0x3000..0x30FF):
// record layout, its factory defaults, and the conversions between a record
// and the two texts its grid row shows.
//
// Record n (0..15) is image row 768 + n. Bytes 0..7: the frequency as eight
// decimal digits, one digit value per byte, hundreds of MHz first (88.9 MHz is
// 0 8 8 9 0 0 0 0). Bytes 8..15: the station name, one character per byte,
// 0xFF where there is none. A record whose bytes 0..2 are all 0 is empty.

#include <QString>

#include "data/image_map.h"

// The area's 256-byte page; record n is row Fm_Page * 16 + n.
constexpr int Fm_Page = Fm_Area.Radio_Address() >> 8;
constexpr int Fm_Count = Fm_Area.Rows();
constexpr int Fm_Name_Byte = 8;  // first name byte
constexpr int Fm_Name_Max = 6;   // characters the editor stores

// Stores f (MHz) as eight digits in bytes 0..7 of record n. Digits are kept
// to 0..9: a frequency of 1000 MHz or more stores 999.99999, a negative one 0.
void Fm_FreqPut(double frequency, int n);

// Writes the codes of the characters of the trimmed name into bytes 8, 9, ...
// of record n; bytes after the name keep their values. At most 8 characters
// fit; a character that is no single byte of the code page is stored as "?".
void Fm_NamePut(const QString& name, int n);

// Every record := bytes 0..7 zero, 8..15 0xFF; then the nine factory
// stations in records 0, 1, 3, 5, ..., 15. Writes no other row.
void Fm_Default();

// The frequency text of eight digit values: the weighted sum written out in
// full, a point added to a text of two or three characters, zeros appended
// up to 9 characters from 100 MHz up and 8 below (0 8 8 9 0 0 0 0 gives
// "88.90000"). Digits outside 0..9 count with their value.
QString Cov_Freq(int d0, int d1, int d2, int d3, int d4, int d5, int d6, int d7);

// The two texts of record n's grid row: both empty for an empty record, else
// the frequency text and the name (every name byte but 0xFF taken as one
// character, blanks dropped).
struct Fm_Cells {
  QString freq;
  QString name;
};
Fm_Cells Fm_Record_Show(int n);

// Writes record n from its two cell texts. An empty frequency empties the
// record (bytes 0..7 zero, 8..15 0xFF) whatever the name. Otherwise the
// digits come from the text (below 100 MHz with a "0" put in front), bytes
// 8..15 := 0xFF, and a name of L characters (the first 6 of a longer one)
// goes to bytes 11 (L = 1, 2), 10 (L = 3, 4), 9 (L = 5) or 8 (L = 6) onward.
// A record index outside 0..15 writes nothing.
void Fm_Record_Save(int n, const QString& freq, const QString& name);
