#pragma once
// The signalling file (".sig"): 256 text lines of 16 numbers, line L standing
// for the 16 bytes at radio 0x2000 + 16 L. Every number is written with one
// blank before it (a "-" for a negative one) and one after it; CR LF ends a
// line. On reading, blanks, tabs, commas and line ends all separate numbers,
// so the split into lines does not matter; the first 4096 numbers are the
// file, anything after them is not read.
//
// Reading never hands back part of a file: the text is parsed into a
// temporary table and checked as a whole, and only a good table is returned.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

constexpr int Sig_Lines = 256;
constexpr int Sig_Numbers = Sig_Lines * 16;
using Sig_Table = std::array<std::array<int16_t, 16>, Sig_Lines>;

// A saved file is about 20 KB; a file far beyond that is not a signalling file.
constexpr qint64 Sig_File_Cap = 1024 * 1024;

// The lines a load puts into the image; each of their values must be a byte.
constexpr int Sig_Load_First = 64;
constexpr int Sig_Load_Last = 95;

struct Sig_Parse_Error {
  enum Kind { Not_A_Number, Too_Few, Not_A_Byte } kind = Not_A_Number;
  int line = 0;   // 1-based text line of the offending number
  QString token;  // the offending text (Too_Few: how many numbers there were)
};

// The file text of a table.
QByteArray Sig_File_Text(const Sig_Table& table);

// Parses file text: at least 4096 numbers, each a 16-bit integer. With
// check_bytes, lines 64..95 (the ones a load applies) must hold 0..255.
std::optional<Sig_Table> Sig_File_Parse(const QByteArray& text, bool check_bytes,
                                        Sig_Parse_Error* error);

// The reason a parse failed, in the current language.
QString Sig_Parse_Reason(const Sig_Parse_Error& e);

// Reads and parses path (a regular file of at most Sig_File_Cap bytes).
// False with the reason in the current language; *out is only written on
// success.
bool Sig_File_Read(const QString& path, bool check_bytes, Sig_Table* out, QString* why);

// Writes the table to path so that a crash cannot leave a half-written file.
// False with the reason when it could not be saved.
bool Sig_File_Write(const QString& path, const Sig_Table& table, QString* why);
