#include "vfo_record.h"

#include <cmath>

#include "data/freq_codec.h"
#include "editors/options/opt_block.h"

QString Vfo_Freq_Text(const Image_Row& row) {
  QString t;
  for (int c = 0; c <= 7; ++c) {
    if (c == 3) t += '.';
    const int v = row[c];
    if (v >= 0 && v < 10) t += QChar('0' + v);
  }
  return t;
}

int Vfo_Freq_Key(int key, const QString& text) {
  const QString t = text.trimmed();
  if (key == '.') return t.isEmpty() ? 0 : key;
  if (key == 8) return key;
  if (key < '0' || key > '9') return 0;
  return t.size() > Vfo_Freq_Max_Chars - 1 ? 0 : key;
}

QString Vfo_Fallback_Text() {
  // The first pair whose lower limit gives an in-band frequency with three
  // MHz digits; the first pair's (forced to three digits) when none does.
  auto point_of = [](double low) {
    double m = std::floor(low);
    if (m + 0.025 < low) m += 1;
    return m;
  };
  for (int k = 0; k < 4; ++k) {
    const double m = point_of(Band_Limits[2 * k]);
    if (m >= 100 && m <= 999 && Band_Check(m + 0.025) == 0)
      return QString::number(static_cast<int>(m)) + ".02500";
  }
  const double m = std::clamp(point_of(Band_Limits[0]), 100.0, 999.0);
  return QString::number(static_cast<int>(m)) + ".02500";
}

namespace {
// The normal form of a text's frequency: three MHz digits and five decimals,
// the kHz rounded half up, then the rest to 0, 25 or 50 Hz.
Vfo_Entry Vfo_Normal_Form(const QString& t) {
  Vfo_Entry e;
  const double f = Vb_Val(t);
  double m = std::floor(f);
  double k = std::floor((f - m) * 1000 + 0.5);
  // A fraction that rounds to a whole MHz carries into the MHz digits.
  if (k >= 1000) {
    m += 1;
    k -= 1000;
  }
  QString text = QString::number(static_cast<long long>(m)) + "." +
                 QString("%1").arg(static_cast<int>(k), 3, 10, QChar('0'));
  const double n = std::floor(f * 1000 + 0.5);
  const double r = f * 1000 - n;
  const double g = std::floor(r * 100 + 0.5);
  text += g < 25 ? "00" : g < 50 ? "25" : "50";
  QString s = text.trimmed();
  if (s.size() == 8) s = "0" + s;
  static constexpr int positions[8] = {0, 1, 2, 4, 5, 6, 7, 8};
  for (int i = 0; i < 8; ++i) {
    const int p = positions[i];
    e.digits[i] = p < s.size() && s[p].isDigit() && s[p].unicode() < 128 ? s[p].unicode() - '0' : 0;
  }
  e.text = s;
  return e;
}

// The frequency in MHz that eight stored digits hold.
double Vfo_Digits_Mhz(const std::array<int, 8>& d) {
  long long units = 0;  // 10 Hz
  for (int v : d) units = units * 10 + v;
  return static_cast<double>(units) / 100000.0;
}
}  // namespace

Vfo_Entry Vfo_Freq_Entry(const QString& typed) {
  // Both what was typed and what is stored must lie in a band: rounding can
  // carry an entry just below a band's upper edge past it (480.9996 would
  // be stored as 481.00000).
  Vfo_Entry e = Vfo_Normal_Form(typed);
  if (Band_Check(Vb_Val(typed)) == 0 && Band_Check(Vfo_Digits_Mhz(e.digits)) == 0) return e;
  e = Vfo_Normal_Form(Vfo_Fallback_Text());
  e.out_of_band = true;
  return e;
}

int Vfo_Offset_Index(const Image_Row& row) {
  QString joined;
  for (int c = 8; c <= 13; ++c) joined += QString::number(Opt_Cell_Byte(row[c]));
  double q = joined.toDouble() / 50;
  if (q > 1999) q = 1999;
  return static_cast<int>(std::nearbyint(q));  // halves to even
}

std::array<int, 6> Vfo_Offset_Digits(const QString& item_text) {
  const QString t = item_text.trimmed();
  std::array<int, 6> d{};
  static constexpr int positions[5] = {0, 1, 3, 4, 5};
  for (int i = 0; i < 5; ++i) {
    const int p = positions[i];
    d[i + 1] = p < t.size() && t[p] >= '0' && t[p] <= '9' ? t[p].unicode() - '0' : 0;
  }
  return d;
}

Vfo_Tone_Shown Vfo_Tone_Decode(int low, int high) {
  const int l = Opt_Cell_Byte(static_cast<int16_t>(low));
  const int h = Opt_Cell_Byte(static_cast<int16_t>(high));
  Vfo_Tone_Shown s;
  // OFF: 0, 0 and every pair with a 0xFF byte (erased, or half erased).
  if ((l == 0 && h == 0) || l == 255 || h == 255) return s;
  // A DCS number past the table codes no tone the lists know: nothing is
  // selected and the bytes stay until the user picks.
  if (h == 0 && l > 210) {
    s.kind = Vfo_Tone_Shown::Neutral;
    s.index = -1;
    return s;
  }
  if (h == 0) {
    s.index = l + 50;
    return s;
  }
  const double hz = (h * 256 + l) / 10.0;
  s.kind = Vfo_Tone_Shown::Text;
  s.text = Vb_Num(hz);
  if (hz == std::floor(hz)) s.text += ".0";
  s.index = -1;
  for (int i = 1; i <= 50; ++i)
    if (Tone_Name[i].trimmed() == s.text) s.index = i;
  return s;
}

std::array<int, 2> Vfo_Tone_Encode(int index, const QString& text) {
  if (index <= 0) return {0, 0};
  if (index > 50) return {index - 50, 0};
  const int w = Ctcss_Word(Vb_Val(text));
  return {w % 256, (w / 256) & 0xFF};
}

int Vfo_Setting_Index(int16_t cell, int count) {
  const int v = Opt_Cell_Byte(cell);
  return v < count ? v : count - 1;
}
