#pragma once
// The image file (".dat"): 1025 text lines, one per image row r: r div 16,
// r mod 16, r, then the row's 16 byte values; every number written with one
// blank before it (or "-") and one after it; CR LF after each line.
//
// Loading never changes the image unless the whole file is good: it is
// parsed into a temporary table first, and only a file of exactly 1025 x 19
// integers whose data values are all bytes replaces Radio_Image.

#include <QByteArray>
#include <QString>
#include <optional>

#include "data/shared_state.h"

constexpr int Image_File_Fields = 19;  // per row: 3 position numbers + 16 data values

// The file text of an image.
QByteArray Image_File_Text(const Image_Table& image);

struct Image_Parse_Error {
  enum Kind { Not_A_Number, Too_Few, Too_Many, Not_A_Byte } kind;
  int line = 0;      // 1-based line of the offending number (0 when none)
  QString token;     // the offending text
};

// Parses file text into a table (rows 0..1024, columns 0..15; column 16 = 0).
// Blanks, tabs, commas and line ends all separate numbers.
std::optional<Image_Table> Image_File_Parse(const QByteArray& text, Image_Parse_Error* error);

// The user-facing text of a parse error, in the current language.
QString Image_Parse_Message(const Image_Parse_Error& e);

// Writes the image to path so that a crash cannot leave a half-written file.
// False with a reason (in the current language) when it could not be saved.
bool Image_File_Save(const QString& path, const Image_Table& image, QString* why);

// Reads and checks path; on success replaces Radio_Image (columns 0..15 of
// rows 0..1024; column 16 is left alone). False with a reason otherwise, the
// image untouched.
bool Image_File_Load(const QString& path, QString* why);
