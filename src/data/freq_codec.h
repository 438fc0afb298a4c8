#pragma once
// Conversions between typed texts and record bytes: channel frequencies as
// packed BCD, CTCSS tones as tenths of a hertz, and the band check.

#include <QString>
#include <cstdint>

// The leading number of a text, "." as decimal point whatever the locale:
// leading blanks skipped, an optional sign, digits with at most one point;
// reading stops at the first other character; no number gives 0.
double Vb_Val(const QString& text);

// The leading number of a text the user typed: blanks, tabs and line breaks
// anywhere in the text are ignored first, then it reads as Vb_Val
// ("1 45.5" gives 145.5).
double Typed_Val(const QString& text);

// The shortest decimal form of a value: at most 15 significant digits, no
// trailing zeros, no exponent, "." as decimal point, "-" in front of a
// negative value and nothing in front of any other.
QString Vb_Num(double value);

// The same with the one leading blank that a non-negative number gets when it
// is turned into text for display (" 136").
QString Vb_Str(double value);

// Snaps the frequency typed in text (MHz) down to the 2.5 kHz / 6.25 kHz
// grid, rewrites text to its normal form and stores four packed-BCD bytes,
// least significant first, at Radio_Image(row, col .. col + 3).
void Freq_Put(QString& text, int row, int col);

// Packs the value of text (MHz) into Freq_Bcd(0..3), most significant pair
// first; returns Freq_Bcd(0). Digits outside 0..9 (values of 1000 MHz and
// more, negative values) are kept to their last decimal digit, so every byte
// is a valid BCD pair.
uint8_t Cov_Bcd(const QString& text);

// The frequency text of four stored bytes, b0 the least significant.
QString Freq_Get(int b0, int b1, int b2, int b3);

// The display form of a frequency in MHz: Vb_Num of the value; a text shorter
// than 9 characters gets a point when it has two or three characters, then
// zeros up to 9 characters from 100 MHz up and 8 below ("88.90000").
QString Freq_Form(double mhz);

// A CTCSS tone in Hz as its 16-bit word in tenths of a hertz:
// w = round-half-even(hz * 10). Callers store low = w mod 256, high = w div 256.
int Ctcss_Word(double hz);

// Stores the tone text at Radio_Image(row, col) (low byte) and (row, col + 1)
// (high byte): "FF" gives 0xFF 0xFF; a value v with 0 < v < 255 gives its
// tenths; anything else stores nothing.
void Tone_Put(const QString& text, int row, int col);

// 0 when f (MHz) lies in one of the four Band_Limits pairs (low <= f < high + 1), else 255.
int16_t Band_Check(double f);
