#include "code_text.h"

#include "editors/options/opt_block.h"
#include "editors/signalling/digit_codes.h"

std::array<uint8_t, Code_Len> Code_Bytes(const QString& text) {
  std::array<uint8_t, Code_Len> b;
  b.fill(0xFF);
  const QString t = text.trimmed();
  for (int k = 0; k < t.size() && k < Code_Len; ++k)
    b[k] = static_cast<uint8_t>(Dtmf_c2b(QString(t[k])) & 0xFF);
  return b;
}

QString Code_Text(const int16_t* codes) {
  QString t;
  for (int k = 0; k < Code_Len; ++k) t += Dtmf_b2c(static_cast<int16_t>(Opt_Cell_Byte(codes[k])));
  return t;
}

bool Code_Key_Refused(const QString& box_text) { return box_text.size() > Code_Len - 1; }

Ani_Result Ani_Check(const QString& box_text) {
  const QString t = box_text.trimmed();
  if (t.size() < 3 || t.size() > 5) return Ani_Result::Length;
  // A plain comparison by character code, as the radio's menu compares.
  if (QString::compare(t, "00000", Qt::CaseSensitive) < 0 ||
      QString::compare(t, "99999", Qt::CaseSensitive) > 0)
    return Ani_Result::Range;
  return Ani_Result::Ok;
}

bool Pon_Char_Storable(QChar ch) { return ch.unicode() >= 0x20 && ch.unicode() < 0x7F; }

QChar Pon_Byte_Char(int byte) {
  if (byte < 0 || byte > 0xFE || byte == 0x20) return QChar();
  if (byte < 0x20) return QChar(0x2400 + byte);
  if (byte < 0x7F) return QChar(byte);
  if (byte == 0x7F) return QChar(0x2421);
  if (byte >= 0xA1 && byte != 0xAD) return QChar(byte);
  return QChar(0x2800 + byte);
}

namespace {
// The byte a character of the power-on box stands for; -1 for none.
int Pon_Char_Byte(QChar ch) {
  const int u = ch.unicode();
  int byte = -1;
  if (u < 0x100) byte = u;
  else if (u >= 0x2400 && u < 0x2420) byte = u - 0x2400;
  else if (u == 0x2421) byte = 0x7F;
  else if (u >= 0x2880 && u <= 0x28FF) byte = u - 0x2800;
  return byte >= 0 && Pon_Byte_Char(byte) == ch ? byte : -1;
}
}  // namespace

std::array<uint8_t, 16> Pon_Bytes(const QString& text) {
  std::array<uint8_t, 16> b;
  b.fill(0x20);
  const QString t = text.trimmed();
  for (int k = 0; k < t.size() && k < Pon_Max_Chars; ++k) {
    if (t[k] == ' ') continue;
    const int v = Pon_Char_Byte(t[k]);
    b[k] = v >= 0 ? static_cast<uint8_t>(v) : '?';
  }
  return b;
}

QString Pon_Shown_Text(const int16_t* row) {
  QString t;
  for (int k = 0; k < 16; ++k) {
    const QChar ch = Pon_Byte_Char(Opt_Cell_Byte(row[k]));
    if (!ch.isNull()) t += ch;
  }
  return t;
}

bool Pon_Key_Refused(const QString& box_text) { return box_text.trimmed().size() > Pon_Max_Chars - 1; }
