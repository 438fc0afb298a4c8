#pragma once
// Layout of the 2-tone area (image rows 720..767, radio 0x2D00..0x2FFF), its
// factory defaults and the two routines that store tones. 16-bit values are
// two bytes, low byte first.

#include <cstdint>

constexpr int Tone2_Encode_Page = 0x2D;  // encode code n (1..15) in row 719 + n
constexpr int Tone2_Decode_Page = 0x2E;  // decode code n (1..15) in row 735 + n
constexpr int Tone2_Tone_Page = 0x2F;    // decode tones of decode code n in row 751 + n
constexpr int Tone2_Code_Count = 15;

constexpr int Tone2_Encode_Row = Tone2_Encode_Page * 16;        // 720
constexpr int Tone2_Duration_Row = Tone2_Encode_Page * 16 + 15; // 735
constexpr int Tone2_Decode_Row = Tone2_Decode_Page * 16;        // 736
constexpr int Tone2_Tone_Row = Tone2_Tone_Page * 16;            // 752
constexpr int Tone2_Reset_Row = Tone2_Tone_Page * 16 + 15;      // 767

// Encode record: first tone in bytes 0-1, second tone in bytes 8-9 (whole Hz).
constexpr int Tone2_First_Byte = 0;
constexpr int Tone2_Second_Byte = 8;
// Tones of 300..3000 Hz are tones; any other value is no tone.
constexpr int Tone2_Tone_Min = 300;
constexpr int Tone2_Tone_Max = 3000;

// Duration row: list positions 0..100, 10 ms each.
constexpr int Tone2_First_Duration = 0;
constexpr int Tone2_Second_Duration = 1;
constexpr int Tone2_Gap = 2;

// Decode record: decoder k (0..3) in bytes 3k (tone pair 0..11), 3k + 1
// (response 0..3) and 3k + 2 (alert number 1..16); 0xFF = not set.
constexpr int Tone2_Decoders = 4;

// The dividend of a tone's divider.
constexpr double Tone2_Clock = 10040000.0;

// Stores encode code index + 1: row page * 16 + index, bytes 0-1 := first,
// bytes 8-9 := second. A tone that does not fit 16 bits is stored as 0x0000,
// the encode table's "no tone". An index outside 0..14, or a row outside the
// 2-tone area, writes nothing.
void Tone2_PairPut(int16_t page, int16_t index, int32_t first, int32_t second);

// Stores decode tone `tone` (0..3 for A..D) of decode code index + 1: bytes
// 2 tone, 2 tone + 1 := freq, bytes 8 + 2 tone, 9 + 2 tone := the divider
// floor(10040000 / freq + 0.5). A frequency whose value or divider does not
// fit 16 bits (below 154 Hz, above 65535 Hz) is stored as "not set", all four
// bytes 0xFF. An index outside 0..14, a tone outside 0..3 or a row outside the
// 2-tone area writes nothing.
void Tone2_FreqPut(int16_t page, int16_t index, int16_t tone, int32_t freq);

// Empties decode code index + 1: every byte of its row := 0xFF, four
// decoders not set. An index outside 0..14 writes nothing.
void Tone2_Decode_Clear(int16_t index);

// Rows 720..767 := 0xFF, then the factory encode codes, durations, decoders,
// decode tones and reset time.
void Tone2_Default();
