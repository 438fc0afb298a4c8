#pragma once
// The ANSI code page of the radio's texts: GBK (code page 936). Channel names
// keep a double-byte character as two bytes; other texts are one byte per
// character where their editor says so.

#include <QByteArray>
#include <QString>

// True when the GBK converter is available; the program cannot show or store
// Chinese names without it.
bool Ansi_Available();

QByteArray Ansi_Encode(const QString& text);
QString Ansi_Decode(const QByteArray& bytes);

// The code of one character, as the code page gives it: 0..255 for a
// single-byte character, (lead << 8 | trail) for a double-byte one, and
// 63 ('?') for a character the code page cannot hold.
int Ansi_Code(QChar ch);
int Ansi_Code(const QString& one_char);

// The character of a code as Ansi_Code gives it; an empty text for a code the
// code page does not map.
QString Ansi_Char(int code);
