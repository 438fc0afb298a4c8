#pragma once
// The ANI and PTT-ID code boxes and the power-on text box: how a box's text
// becomes the bytes of its row and back, and what each box lets in.
// UI-free; the window's handlers call these.

#include <QString>
#include <array>
#include <cstdint>

// ---- DTMF codes (rows 237..239, 16 codes each) --------------------------------------

constexpr int Code_Len = 16;

// The row for a code text: one code per character of the trimmed text
// (Dtmf_c2b: digits, A..D / a..d, *, #; a blank or another character below
// "0" gives 0; anything else 0xFF), 0xFF behind them. Characters behind the
// 16th have no byte and are not stored.
std::array<uint8_t, Code_Len> Code_Bytes(const QString& text);

// The text a code box shows for its 16 stored codes: Dtmf_b2c of each, codes
// 16..255 giving nothing.
QString Code_Text(const int16_t* codes);

// The code box's filter: a box holding more than 15 characters (blanks
// counted) refuses every key, Backspace included.
bool Code_Key_Refused(const QString& box_text);

// The check made when the focus leaves the ANI box.
enum class Ani_Result { Ok, Length, Range };
Ani_Result Ani_Check(const QString& box_text);

// ---- power-on text (row 254) ---------------------------------------------------------

constexpr int Pon_Max_Chars = 15;

// A character that can be typed into the power-on box: a printable ASCII
// character, whose code is the same in every code page and shows again by
// itself. A Chinese character would take two bytes that the radio and the
// redraw read one by one.
bool Pon_Char_Storable(QChar ch);

// The character a power-on byte shows as, one for each byte, so that the
// radio's own bytes (text in its two-byte code page, control bytes) show and
// are stored back unchanged: 0x21..0x7E as themselves; 0xA1..0xFE but 0xAD
// as their Latin-1 characters; the control bytes 0x00..0x1F and 0x7F as
// their control pictures (U+2400.., U+2421); the rest of 0x80..0xA0 and 0xAD
// as the braille pattern of their bits (U+2800 + byte). None is a blank.
// 0x20 and 0xFF have none (a blank, an erased byte).
QChar Pon_Byte_Char(int byte);

// The row for a power-on text: 0x20 everywhere, then the code of each
// character of the trimmed text from byte 0, at most 15: a blank stays 0x20,
// a character that shows a byte (Pon_Byte_Char) stores that byte, and any
// other character is stored as '?'.
std::array<uint8_t, 16> Pon_Bytes(const QString& text);

// The text the box shows for the stored row: each byte's character by
// itself (Pon_Byte_Char); blanks and erased bytes (0xFF, and cells outside a
// byte) are left out.
QString Pon_Shown_Text(const int16_t* row);

// The power-on box's filter: refused when the trimmed text holds more than 14
// characters (Backspace included).
bool Pon_Key_Refused(const QString& box_text);
