#include "editors/signalling/digit_codes.h"

#include <cmath>

#include "data/freq_codec.h"

namespace {
// The number a text spells, as a whole code; a value that is no byte is no digit.
int Spelled_Code(const QString& text) {
  const double v = std::nearbyint(Typed_Val(text));
  return (v >= 0 && v <= 255) ? static_cast<int>(v) : 255;
}

// The position of text in letters, compared exactly; -1 when it is none of them.
int Letter_Index(const QString& text, const char* letters) {
  if (text.size() != 1) return -1;
  for (int i = 0; letters[i] != '\0'; ++i)
    if (text[0] == QLatin1Char(letters[i])) return i;
  return -1;
}
}  // namespace

int Dtmf_c2b(const QString& text) {
  int value = 255;
  if (text <= QStringLiteral("9")) value = Spelled_Code(text);
  if (const int i = Letter_Index(text, "ABCD"); i >= 0) value = 10 + i;
  if (const int i = Letter_Index(text, "abcd"); i >= 0) value = 10 + i;
  if (text == QStringLiteral("*")) value = 14;
  if (text == QStringLiteral("#")) value = 15;
  return value;
}

QString Dtmf_b2c(int16_t code) {
  static const char* const kChars[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                       "8", "9", "A", "B", "C", "D", "*", "#"};
  if (code < 0 || code > 15) return QString();
  return QString::fromLatin1(kChars[code]);
}

int Tone5_c2b(const QString& text) {
  int value = 255;
  if (text >= QStringLiteral("1") && text <= QStringLiteral("9")) value = Spelled_Code(text);
  if (text == QStringLiteral("0")) value = 0;
  if (const int i = Letter_Index(text, "ABCDEF"); i >= 0) value = 10 + i;
  if (const int i = Letter_Index(text, "abcdef"); i >= 0) value = 10 + i;
  return value;
}

QString Cov_b2c(int16_t code) {
  if (code >= 0 && code <= 9) return QString(QChar('0' + code));
  if (code >= 10 && code <= 15) return QString(QChar('A' + code - 10));
  return QStringLiteral(" ");
}

int16_t Cov_c2b(const QString& text) {
  if (text >= QStringLiteral("0") && text <= QStringLiteral("9"))
    return static_cast<int16_t>(Spelled_Code(text));
  if (const int i = Letter_Index(text, "ABCDEF"); i >= 0) return static_cast<int16_t>(10 + i);
  return 255;
}
