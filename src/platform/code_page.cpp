#include "code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodePage = "GBK";
}

bool Ansi_Available() {
  QStringEncoder enc(kCodePage);
  QStringDecoder dec(kCodePage);
  if (!enc.isValid() || !dec.isValid()) return false;
  // A round trip through a known character proves the table is really there.
  const QString probe = QString::fromUtf8("中");
  QByteArray b = enc.encode(probe);
  return b == QByteArray("\xD6\xD0", 2) && dec.decode(b) == probe;
}

QByteArray Ansi_Encode(const QString& text) {
  QStringEncoder enc(kCodePage, QStringConverter::Flag::Default);
  if (!enc.isValid()) return text.toLatin1();
  return enc.encode(text);
}

QString Ansi_Decode(const QByteArray& bytes) {
  QStringDecoder dec(kCodePage);
  if (!dec.isValid()) return QString::fromLatin1(bytes);
  return dec.decode(bytes);
}

int Ansi_Code(QChar ch) { return Ansi_Code(QString(ch)); }

int Ansi_Code(const QString& one_char) {
  if (one_char.isEmpty()) return 0;
  const QString first = one_char.left(one_char.at(0).isHighSurrogate() ? 2 : 1);
  QByteArray b = Ansi_Encode(first);
  if (b.size() == 1) return static_cast<unsigned char>(b[0]);
  if (b.size() == 2)
    return (static_cast<unsigned char>(b[0]) << 8) | static_cast<unsigned char>(b[1]);
  return '?';
}

QString Ansi_Char(int code) {
  if (code < 0) return QString();
  QByteArray b;
  if (code <= 0xFF)
    b.append(static_cast<char>(code));
  else if (code <= 0xFFFF) {
    b.append(static_cast<char>(code >> 8));
    b.append(static_cast<char>(code & 0xFF));
  } else
    return QString();
  QString s = Ansi_Decode(b);
  if (s.contains(QChar::ReplacementCharacter)) return QString();
  return s;
}
