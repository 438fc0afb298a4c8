#include "image_file.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "files/bounded_read.h"
#include "files/number_text.h"


QByteArray Image_File_Text(const Image_Table& image) {
  QByteArray out;
  out.reserve(Image_Rows * 90);
  for (int r = 0; r < Image_Rows; ++r) {
    Put_Number(out, r / 16);
    Put_Number(out, r % 16);
    Put_Number(out, r);
    for (int c = 0; c < 16; ++c) Put_Number(out, image[r][c]);
    out += "\r\n";
  }
  return out;
}

std::optional<Image_Table> Image_File_Parse(const QByteArray& text, Image_Parse_Error* error) {
  Image_Table table{};
  const int wanted = Image_Rows * Image_File_Fields;
  int count = 0;
  Number_Scanner scan(text);
  auto fail = [&](Image_Parse_Error::Kind k, const QByteArray& tok) {
    if (error) *error = Image_Parse_Error{k, scan.Line(), Shown_Token(tok)};
    return std::nullopt;
  };
  QByteArray tok;
  while (scan.Next(&tok)) {
    long v = 0;
    if (!Integer_Token(tok, &v)) return fail(Image_Parse_Error::Not_A_Number, tok);
    if (count >= wanted) return fail(Image_Parse_Error::Too_Many, tok);
    const int row = count / Image_File_Fields, field = count % Image_File_Fields;
    if (field >= 3) {
      if (v < 0 || v > 255) return fail(Image_Parse_Error::Not_A_Byte, tok);
      table[row][field - 3] = static_cast<int16_t>(v);
    }
    ++count;
  }
  if (count < wanted) {
    if (error) *error = Image_Parse_Error{Image_Parse_Error::Too_Few, scan.Line(), QString::number(count)};
    return std::nullopt;
  }
  return table;
}

QString Image_Parse_Message(const Image_Parse_Error& e) {
  QString zh, en;
  switch (e.kind) {
    case Image_Parse_Error::Not_A_Number:
      zh = QString::fromUtf8("第 %1 行的 \"%2\" 不是数字").arg(e.line).arg(e.token);
      en = QString("\"%2\" in line %1 is not a number").arg(e.line).arg(e.token);
      break;
    case Image_Parse_Error::Too_Few:
      zh = QString::fromUtf8("文件只有 %1 个数，应有 %2 个").arg(e.token).arg(Image_Rows * Image_File_Fields);
      en = QString("the file holds only %1 numbers instead of %2").arg(e.token).arg(Image_Rows * Image_File_Fields);
      break;
    case Image_Parse_Error::Too_Many:
      zh = QString::fromUtf8("第 %1 行之后还有多余的数").arg(e.line);
      en = QString("the file holds more numbers than an image (from line %1 on)").arg(e.line);
      break;
    case Image_Parse_Error::Not_A_Byte:
      zh = QString::fromUtf8("第 %1 行的数值 %2 超出 0..255").arg(e.line).arg(e.token);
      en = QString("the value %2 in line %1 is outside 0..255").arg(e.line).arg(e.token);
      break;
  }
  return Lang_Pick(QString::fromUtf8("文件格式错误（") + zh + QString::fromUtf8("），参数未调入 ！"),
                   "Not a valid parameter file (" + en + "); nothing was loaded.");
}

bool Image_File_Save(const QString& path, const Image_Table& image, QString* why) {
  return Write_Whole_File(path, Image_File_Text(image), why);
}

bool Image_File_Load(const QString& path, QString* why) {
  // An image file is about 75 KB; anything far larger is not one.
  constexpr qint64 kMaxSize = 4 * 1024 * 1024;
  QByteArray text;
  QString reason;
  if (!Read_Bounded_File(path, kMaxSize, &text, &reason)) {
    if (why) *why = Lang_Pick(QString::fromUtf8("无法打开文件：") + reason, "Cannot open the file: " + reason);
    return false;
  }
  Image_Parse_Error err{};
  const auto table = Image_File_Parse(text, &err);
  if (!table) {
    if (why) *why = Image_Parse_Message(err);
    return false;
  }
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = (*table)[r][c];
  return true;
}
