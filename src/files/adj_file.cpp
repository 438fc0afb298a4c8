#include "files/adj_file.h"


#include "files/bounded_read.h"
#include "files/number_text.h"

namespace {
QString Refused(const QString& zh, const QString& en) {
  return Lang_Pick(QString::fromUtf8("调整参数文件无效（") + zh + QString::fromUtf8("），未调入 ！"),
                   "Not a valid alignment file (" + en + "); nothing was loaded.");
}
}  // namespace

QByteArray Adj_File_Text(const Adj_Table& table) {
  QByteArray out;
  out.reserve(Adj_File_Rows * 70);
  for (int r = 0; r < Adj_File_Rows; ++r) {
    for (int c = 0; c < 16; ++c) Put_Number(out, table[r][c]);
    out += "\r\n";
  }
  return out;
}

std::optional<Adj_Table> Adj_File_Parse(const QByteArray& text, Adj_Parse_Error* error) {
  Adj_Table table{};
  int count = 0;
  Number_Scanner scan(text);
  auto fail = [&](Adj_Parse_Error::Kind k, const QByteArray& tok) {
    if (error) *error = Adj_Parse_Error{k, scan.Line(), Shown_Token(tok)};
    return std::nullopt;
  };
  QByteArray tok;
  while (scan.Next(&tok)) {
    long v = 0;
    if (!Integer_Token(tok, &v)) return fail(Adj_Parse_Error::Not_A_Number, tok);
    if (count >= Adj_File_Numbers) return fail(Adj_Parse_Error::Too_Many, tok);
    if (v < 0 || v > 255) return fail(Adj_Parse_Error::Not_A_Byte, tok);
    table[count / 16][count % 16] = static_cast<int16_t>(v);
    ++count;
  }
  if (count < Adj_File_Numbers) {
    if (error) *error = Adj_Parse_Error{Adj_Parse_Error::Too_Few, scan.Line(), QString::number(count)};
    return std::nullopt;
  }
  return table;
}

QString Adj_Parse_Message(const Adj_Parse_Error& e) {
  switch (e.kind) {
    case Adj_Parse_Error::Not_A_Number:
      return Refused(QString::fromUtf8("第 %1 行的 \"%2\" 不是整数").arg(e.line).arg(e.token),
                     QString("\"%2\" in line %1 is not an integer").arg(e.line).arg(e.token));
    case Adj_Parse_Error::Too_Few:
      return Refused(QString::fromUtf8("文件只有 %1 个数，应有 %2 个").arg(e.token).arg(Adj_File_Numbers),
                     QString("the file holds only %1 numbers instead of %2").arg(e.token).arg(Adj_File_Numbers));
    case Adj_Parse_Error::Too_Many:
      return Refused(QString::fromUtf8("第 %1 行起多于 %2 个数").arg(e.line).arg(Adj_File_Numbers),
                     QString("more than %2 numbers, from line %1 on").arg(e.line).arg(Adj_File_Numbers));
    case Adj_Parse_Error::Not_A_Byte:
      break;
  }
  return Refused(QString::fromUtf8("第 %1 行的数值 %2 超出 0..255").arg(e.line).arg(e.token),
                 QString("the value %2 in line %1 is outside 0..255").arg(e.line).arg(e.token));
}

bool Adj_File_Save(const QString& path, const Adj_Table& table, QString* why) {
  return Write_Whole_File(path, Adj_File_Text(table), why);
}

bool Adj_File_Load(const QString& path, QString* why) {
  QByteArray text;
  QString reason;
  if (!Read_Bounded_File(path, Adj_File_Cap, &text, &reason)) {
    if (why)
      *why = Lang_Pick(QString::fromUtf8("调整参数文件无法读取（") + reason + QString::fromUtf8("），未调入 ！"),
                       "The alignment file cannot be read (" + reason + "); nothing was loaded.");
    return false;
  }
  Adj_Parse_Error err{};
  const auto table = Adj_File_Parse(text, &err);
  if (!table) {
    if (why) *why = Adj_Parse_Message(err);
    return false;
  }
  for (int r = 0; r < Adj_File_Rows; ++r)
    for (int c = 0; c < 16; ++c) Adj_Image[r][c] = (*table)[r][c];
  return true;
}
