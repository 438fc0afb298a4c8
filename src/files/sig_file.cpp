#include "sig_file.h"


#include "data/shared_state.h"
#include "files/bounded_read.h"
#include "files/number_text.h"


QByteArray Sig_File_Text(const Sig_Table& table) {
  QByteArray out;
  out.reserve(Sig_Lines * 16 * 6);
  for (const auto& line : table) {
    for (int16_t v : line) Put_Number(out, v);
    out += "\r\n";
  }
  return out;
}

std::optional<Sig_Table> Sig_File_Parse(const QByteArray& text, bool check_bytes,
                                        Sig_Parse_Error* error) {
  Sig_Table table{};
  int count = 0;
  Number_Scanner scan(text);
  auto fail = [&](Sig_Parse_Error::Kind k, const QByteArray& tok) {
    if (error) *error = Sig_Parse_Error{k, scan.Line(), Shown_Token(tok)};
    return std::nullopt;
  };
  QByteArray tok;
  // Numbers after the 4096th are not read.
  while (count < Sig_Numbers && scan.Next(&tok)) {
    long v = 0;
    if (!Integer_Token(tok, &v) || v < -32768 || v > 32767)
      return fail(Sig_Parse_Error::Not_A_Number, tok);
    const int row = count / 16;
    if (check_bytes && row >= Sig_Load_First && row <= Sig_Load_Last && (v < 0 || v > 255))
      return fail(Sig_Parse_Error::Not_A_Byte, tok);
    table[row][count % 16] = static_cast<int16_t>(v);
    ++count;
  }
  if (count < Sig_Numbers) {
    if (error) *error = Sig_Parse_Error{Sig_Parse_Error::Too_Few, scan.Line(), QString::number(count)};
    return std::nullopt;
  }
  return table;
}

QString Sig_Parse_Reason(const Sig_Parse_Error& e) {
  switch (e.kind) {
    case Sig_Parse_Error::Not_A_Number:
      return Lang_Pick(QString::fromUtf8("第 %1 行的 \"%2\" 不是 16 位整数").arg(e.line).arg(e.token),
                       QString("\"%2\" in line %1 is not a 16-bit integer").arg(e.line).arg(e.token));
    case Sig_Parse_Error::Too_Few:
      return Lang_Pick(QString::fromUtf8("文件只有 %1 个数，应有 %2 个").arg(e.token).arg(Sig_Numbers),
                       QString("the file holds only %1 numbers instead of %2").arg(e.token).arg(Sig_Numbers));
    case Sig_Parse_Error::Not_A_Byte:
      return Lang_Pick(QString::fromUtf8("第 %1 行的数值 %2 超出 0..255").arg(e.line).arg(e.token),
                       QString("the value %2 in line %1 is outside 0..255").arg(e.line).arg(e.token));
  }
  return QString();
}

bool Sig_File_Read(const QString& path, bool check_bytes, Sig_Table* out, QString* why) {
  QByteArray text;
  if (!Read_Bounded_File(path, Sig_File_Cap, &text, why)) return false;
  Sig_Parse_Error err;
  auto table = Sig_File_Parse(text, check_bytes, &err);
  if (!table) {
    if (why) *why = Sig_Parse_Reason(err);
    return false;
  }
  *out = *table;
  return true;
}

bool Sig_File_Write(const QString& path, const Sig_Table& table, QString* why) {
  return Write_Whole_File(path, Sig_File_Text(table), why);
}
