#include "files/adj_file.h"


#include "files/bounded_read.h"

namespace {
void Put_Number(QByteArray& out, int v) {
  out += v < 0 ? "-" : " ";
  out += QByteArray::number(v < 0 ? -static_cast<long>(v) : static_cast<long>(v));
  out += ' ';
}

bool Is_Separator(char ch) {
  return ch == ' ' || ch == '\t' || ch == ',' || ch == '\r' || ch == '\n';
}

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
  int count = 0, line = 1, i = 0;
  const int n = static_cast<int>(text.size());
  auto fail = [&](Adj_Parse_Error::Kind k, const QByteArray& tok) {
    if (error) *error = Adj_Parse_Error{k, line, QString::fromLatin1(tok.left(40))};
    return std::nullopt;
  };
  while (i < n) {
    const char ch = text[i];
    if (Is_Separator(ch)) {
      if (ch == '\n' || (ch == '\r' && (i + 1 >= n || text[i + 1] != '\n'))) ++line;
      ++i;
      continue;
    }
    int j = i;
    while (j < n && !Is_Separator(text[j])) ++j;
    const QByteArray tok = text.mid(i, j - i);
    i = j;
    bool ok = false;
    const long v = tok.toLong(&ok, 10);
    if (!ok) return fail(Adj_Parse_Error::Not_A_Number, tok);
    if (count >= Adj_File_Numbers) return fail(Adj_Parse_Error::Too_Many, tok);
    if (v < 0 || v > 255) return fail(Adj_Parse_Error::Not_A_Byte, tok);
    table[count / 16][count % 16] = static_cast<int16_t>(v);
    ++count;
  }
  if (count < Adj_File_Numbers) {
    if (error) *error = Adj_Parse_Error{Adj_Parse_Error::Too_Few, line, QString::number(count)};
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
