#pragma once
// The four VFO records (image rows 240..247): a frequency row (frequency and
// offset, one decimal digit per byte) and a parameter row (tones and eight
// settings, each the index of its list's item). UI-free: the window's frames
// show and store through these.

#include <QString>
#include <array>
#include <cstdint>

#include "data/shared_state.h"

// The frequency row of a record: 0 = A, 1 = B, 2 = C, 3 = D; the parameter
// row is the next one.
constexpr int Vfo_Freq_Row(int record) { return 240 + 2 * record; }

// ---- frequency ------------------------------------------------------------------

// The text of bytes 0..7: each byte below 10 gives its digit, any other byte
// is left out; a point after the third byte ("136.02500"; all 0xFF: ".").
QString Vfo_Freq_Text(const Image_Row& row);

// The frequency box's key filter: key (8 = Backspace) as typed into a box that
// holds text; returns the key, or 0 to discard it.
int Vfo_Freq_Key(int key, const QString& text);

// The frequency box holds at most this many characters.
constexpr int Vfo_Freq_Max_Chars = 9;

// The text a frequency outside every band is replaced with: the whole-MHz part
// of the lowest in-band point of the first usable Band_Limits pair, then
// ".02500" (three MHz digits, always in band).
QString Vfo_Fallback_Text();

// One frequency entry, as the box is left. Out of band when the typed value
// or the value it is stored as (after rounding) lies outside every band.
struct Vfo_Entry {
  bool out_of_band = false;  // the typed text failed the band check (fallback used)
  QString text;              // the normalised text, 3 MHz digits + "." + 5 decimals
  std::array<int, 8> digits{};  // bytes 0..7 of the frequency row
};
Vfo_Entry Vfo_Freq_Entry(const QString& typed);

// ---- offset ---------------------------------------------------------------------

// The offset list's item for bytes 8..13 of the frequency row (clamped to the
// last item, halves to even).
int Vfo_Offset_Index(const Image_Row& row);

// Bytes 8..13 for offset item i (i x 50 kHz): 0, then five digits.
std::array<int, 6> Vfo_Offset_Digits(const QString& item_text);

// ---- tones ------------------------------------------------------------------------

struct Vfo_Tone_Shown {
  enum Kind {
    Item,     // select list item `index` (its Click rewrites the bytes normalised)
    Text,     // a CTCSS tone: show `text`, select `index` quietly (-1: not a list item)
    Neutral,  // a DCS number past the table: nothing selected, no text; bytes kept
  };
  Kind kind = Item;
  int index = 0;
  QString text;
};
// low, high: the two stored bytes (image cells; a cell outside 0..255 reads as 0xFF).
Vfo_Tone_Shown Vfo_Tone_Decode(int low, int high);

// The two bytes for tone list item `index` whose text is `text`: OFF 0, 0;
// DCS (index above 50) index - 50, 0; CTCSS the tenths of the text's value.
std::array<int, 2> Vfo_Tone_Encode(int index, const QString& text);

// ---- settings -----------------------------------------------------------------------

// The item a setting byte shows: the byte, or the last item when it is above
// the list (a cell outside 0..255 counts as above).
int Vfo_Setting_Index(int16_t cell, int count);
