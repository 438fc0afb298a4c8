#pragma once
// The alignment file (".adj"): 32 text lines, line r holding the 16 cells of
// alignment-image row r, each number written with one blank before it (or
// "-") and one after it, CR LF after each line.
//
// A load is all or nothing: the whole file is parsed and checked into a
// temporary table first (exactly 512 integers, each a byte value 0..255),
// and only then are rows 0..31 of Adj_Image replaced. A save goes through a
// temporary file, so a failure leaves an existing file as it was.

#include <QByteArray>
#include <QString>
#include <optional>

#include "data/shared_state.h"

constexpr int Adj_File_Rows = 32;
constexpr int Adj_File_Numbers = Adj_File_Rows * 16;
// A file written by the program is under 3 KB; this leaves room for any
// layout of separators while refusing anything that cannot be one.
constexpr qint64 Adj_File_Cap = 64 * 1024;

// The file text of rows 0..31, cells 0..15 of an alignment table.
QByteArray Adj_File_Text(const Adj_Table& table);

struct Adj_Parse_Error {
  enum Kind { Not_A_Number, Too_Few, Too_Many, Not_A_Byte } kind = Not_A_Number;
  int line = 0;   // 1-based line of the offending number (0 when none)
  QString token;  // the offending text (for Too_Few: the count found)
};

// Parses file text into a table (rows 0..31, cells 0..15; everything else 0).
// Blanks, tabs, commas and line ends (CR LF, LF or CR) all separate numbers.
std::optional<Adj_Table> Adj_File_Parse(const QByteArray& text, Adj_Parse_Error* error);

// The user-facing text of a refused file, in the current language.
QString Adj_Parse_Message(const Adj_Parse_Error& e);

// Writes rows 0..31 of table to path atomically. False with the reason (in
// the current language) when it could not be saved.
bool Adj_File_Save(const QString& path, const Adj_Table& table, QString* why);

// Reads and checks path; only a good file replaces Adj_Image rows 0..31,
// cells 0..15. False with the whole message to show (in the current
// language) otherwise, Adj_Image untouched.
bool Adj_File_Load(const QString& path, QString* why);
