#pragma once
// Digit codes of the signalling tables: one digit per image byte, 255 where
// there is no digit. DTMF digits are 0..9, A..D = 10..13, * = 14, # = 15;
// 5-tone digits are 0..9, A..F = 10..15.
//
// Every routine here returns a code 0..255: a text that reads as a number
// outside that range gives 255 (no digit), so a caller that stores the result
// never puts a value outside a byte into the image.

#include <QString>
#include <cstdint>

// DTMF character -> code. A text that sorts at or below "9" reads as the
// number it spells, so "0".."9" give 0..9 and a blank, "-", "." or the empty
// text give 0; "A".."D" and "a".."d" give 10..13, "*" 14, "#" 15; everything
// else (":", "E", a Chinese character, ...) gives 255.
int Dtmf_c2b(const QString& text);

// DTMF code -> character: 0..9 the digit, 10..15 "A" "B" "C" "D" "*" "#",
// anything else (16 and above, a negative value) the empty text.
QString Dtmf_b2c(int16_t code);

// 5-tone character -> code: "0".."9" give 0..9, "A".."F" and "a".."f" give
// 10..15; the empty text, a blank, "*", "#", "G" and the like give 255.
int Tone5_c2b(const QString& text);

// 5-tone code -> the one-character text a grid cell shows: 0..9 the digit,
// 10..15 "A".."F", anything else one blank.
QString Cov_b2c(int16_t code);

// Grid cell character -> 5-tone code for the signalling file: "0".."9" give
// 0..9, "A".."F" give 10..15, anything else (lower case, a blank, the empty
// text) 255.
int16_t Cov_c2b(const QString& text);
