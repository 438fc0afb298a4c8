#include "editors/channel/fm_record.h"

#include <algorithm>
#include <cmath>

#include "data/freq_codec.h"
#include "data/image_map.h"
#include "platform/code_page.h"

namespace {
bool Valid_Record(int n) { return n >= 0 && n < Fm_Count; }

Image_Row& Record(int n) { return Radio_Image[Fm_Page * 16 + n]; }

void Record_Empty(int n) {
  auto& row = Record(n);
  for (int c = 0; c < Fm_Name_Byte; ++c) row[c] = 0;
  for (int c = Fm_Name_Byte; c < 16; ++c) row[c] = 255;
}

// One name character as its byte; a character outside one byte becomes "?".
int16_t Name_Byte(QChar ch) {
  const int code = Ansi_Code(ch);
  return static_cast<int16_t>(code >= 0 && code <= 255 ? code : '?');
}

struct Station {
  int n;
  double mhz;
  const char* name;
};
constexpr Station kStations[] = {
    {0, 88.9, "VRNEW"},  {1, 90.4, "CCTV1"}, {3, 92.3, "JTZS2"},
    {5, 95.5, "VRBBC"},  {7, 96.9, "CCTV4"}, {9, 98.3, "FJQX"},
    {11, 103.9, "CCTV6"}, {13, 100.7, "DNZS3"}, {15, 105.9, "CCTV9"},
};
}  // namespace

void Fm_FreqPut(double f, int n) {
  if (!Valid_Record(n)) return;
  if (!(f >= 0)) f = 0;  // negative or not a number
  auto& row = Record(n);
  for (int k = 0; k < 8; ++k) {
    const double digit = std::clamp(std::floor(f / 100), 0.0, 9.0);
    row[k] = static_cast<int16_t>(digit);
    f = (f - digit * 100) * 10;
  }
}

void Fm_NamePut(const QString& name, int n) {
  if (!Valid_Record(n)) return;
  const QString t = name.trimmed();
  auto& row = Record(n);
  for (int i = 0; i < t.size() && Fm_Name_Byte + i < 16; ++i)
    row[Fm_Name_Byte + i] = Name_Byte(t[i]);
}

void Fm_Default() {
  for (int n = 0; n < Fm_Count; ++n) Record_Empty(n);
  for (const auto& s : kStations) Fm_FreqPut(s.mhz, s.n);
  for (const auto& s : kStations) Fm_NamePut(s.name, s.n);
}

QString Cov_Freq(int d0, int d1, int d2, int d3, int d4, int d5, int d6, int d7) {
  const double v = d0 * 100.0 + d1 * 10.0 + d2 + d3 * 0.1 + d4 * 0.01 + d5 * 0.001 +
                   d6 * 0.0001 + d7 * 0.00001;
  return Freq_Form(v);
}

Fm_Cells Fm_Record_Show(int n) {
  if (!Valid_Record(n)) return {};
  int d[8];
  for (int k = 0; k < 8; ++k) d[k] = Img_Byte(Fm_Page * 16 + n, k);
  if (d[0] == 0 && d[1] == 0 && d[2] == 0) return {};
  Fm_Cells cells;
  cells.freq = Cov_Freq(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
  for (int c = Fm_Name_Byte; c < 16; ++c) {
    const int b = Img_Byte(Fm_Page * 16 + n, c);
    if (b == 0xFF) continue;
    const QString ch = Ansi_Char(b);
    if (ch != QStringLiteral(" ")) cells.name += ch;
  }
  return cells;
}

void Fm_Record_Save(int n, const QString& freq, const QString& name) {
  if (!Valid_Record(n)) return;
  const QString t = freq.trimmed();
  if (t.isEmpty()) {
    Record_Empty(n);
    return;
  }
  const QString s = Typed_Val(t) < 100 ? "0" + t : t;
  auto& row = Record(n);
  constexpr int kPositions[8] = {0, 1, 2, 4, 5, 6, 7, 8};  // the point stands at index 3
  for (int k = 0; k < 8; ++k) {
    const int p = kPositions[k];
    const QChar ch = p < s.size() ? s[p] : QChar();
    row[k] = static_cast<int16_t>(ch >= '0' && ch <= '9' ? ch.unicode() - '0' : 0);
  }
  for (int c = Fm_Name_Byte; c < 16; ++c) row[c] = 255;

  const QString m = name.trimmed().left(Fm_Name_Max);
  if (m.isEmpty()) return;
  const int first = m.size() <= 2 ? 11 : m.size() <= 4 ? 10 : m.size() == 5 ? 9 : 8;
  for (int k = 0; k < m.size(); ++k) row[first + k] = Name_Byte(m[k]);
}
