#include "freq_codec.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

#include "image_map.h"
#include "shared_state.h"

double Vb_Val(const QString& text) {
  int i = 0;
  const int n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  QString num;
  if (i < n && (text[i] == '+' || text[i] == '-')) num += text[i++];
  bool point = false, digit = false;
  for (; i < n; ++i) {
    const QChar ch = text[i];
    if (ch >= '0' && ch <= '9') {
      num += ch;
      digit = true;
    } else if (ch == '.' && !point) {
      num += ch;
      point = true;
    } else {
      break;
    }
  }
  if (!digit) return 0.0;
  bool ok = false;
  const double v = num.toDouble(&ok);
  return ok ? v : 0.0;
}

double Typed_Val(const QString& text) {
  QString packed;
  packed.reserve(text.size());
  for (const QChar ch : text)
    if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r') packed += ch;
  return Vb_Val(packed);
}

QString Vb_Num(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  QString s = QString::fromLatin1(buf);
  if (s.contains('e') || s.contains('E')) {
    // Out of the range where %g stays positional: write it out in full.
    std::snprintf(buf, sizeof buf, "%.15f", value);
    s = QString::fromLatin1(buf);
    if (s.contains('.')) {
      while (s.endsWith('0')) s.chop(1);
      if (s.endsWith('.')) s.chop(1);
    }
  }
  return s;
}

QString Vb_Str(double value) { return value >= 0 ? " " + Vb_Num(value) : Vb_Num(value); }

uint8_t Cov_Bcd(const QString& text) {
  double v = Vb_Val(text);
  if (!(v >= 0.0) || !std::isfinite(v)) v = 0.0;
  const auto digit = [](double d) { return static_cast<int>(std::fmod(std::floor(d), 10.0)); };
  const double a = std::floor(v / 100);
  const double b = std::floor((v - 100 * a) / 10);
  const double c = std::floor(v - 100 * a - 10 * b);
  const double k = (v - std::floor(v) + 0.000000001) * 1000;
  const double d = std::floor(k / 100);
  const double e = std::floor((k - 100 * d) / 10);
  const double g = std::floor(k - 100 * d - 10 * e);
  const double z = (k - std::floor(k) + 0.000000001) * 1000;
  const double h = std::floor(z / 100);
  const double i = std::floor((z - 100 * h) / 10);
  Freq_Bcd[0] = static_cast<uint8_t>(16 * digit(a) + digit(b));
  Freq_Bcd[1] = static_cast<uint8_t>(16 * digit(c) + digit(d));
  Freq_Bcd[2] = static_cast<uint8_t>(16 * digit(e) + digit(g));
  Freq_Bcd[3] = static_cast<uint8_t>(16 * digit(h) + digit(i));
  return Freq_Bcd[0];
}

void Freq_Put(QString& text, int row, int col) {
  double f = Vb_Val(text) * 1000;
  const double n25 = std::floor((f + 0.001) / 2.5);
  const double r25 = std::floor((f - n25 * 2.5) * 100) / 100;
  const double n625 = std::floor((f + 0.001) / 6.25);
  const double r625 = std::floor((f - n625 * 6.25) * 100) / 100;
  f = (r625 < r25) ? n625 * 6.25 : n25 * 2.5;

  text = Vb_Num(f / 1000);
  if (text.size() == 3) text += ".";
  if (text.size() == 2) text += ".";
  if (text.size() == 1) text += ".";
  if (text.size() < 9) text += QString("00000000").left(9 - text.size());

  Cov_Bcd(text);
  Radio_Image[row][col] = Freq_Bcd[3];
  Radio_Image[row][col + 1] = Freq_Bcd[2];
  Radio_Image[row][col + 2] = Freq_Bcd[1];
  Radio_Image[row][col + 3] = Freq_Bcd[0];
}

QString Freq_Get(int b0, int b1, int b2, int b3) {
  const auto hi = [](int x) { return static_cast<int>(std::floor(x / 16.0)); };
  const auto lo = [&](int x) { return x - 16 * hi(x); };
  const double value = 100.0 * hi(b3) + 10.0 * lo(b3) + hi(b2) + 0.1 * lo(b2) +
                       0.01 * hi(b1) + 0.001 * lo(b1) + 0.0001 * hi(b0) + 0.00001 * lo(b0);
  Freq_Bcd[0] = static_cast<uint8_t>(hi(b1));
  Freq_Bcd[1] = static_cast<uint8_t>(lo(b1));
  Freq_Bcd[2] = static_cast<uint8_t>(hi(b0));
  Freq_Bcd[3] = static_cast<uint8_t>(lo(b0));
  return Freq_Form(value);
}

QString Freq_Form(double mhz) {
  QString text = Vb_Num(mhz);
  if (text.size() < 9) {
    if (text.size() == 2 || text.size() == 3) text += ".";
    const int want = mhz >= 100 ? 9 : 8;
    while (text.size() < want) text += "0";
  }
  return text;
}

int Ctcss_Word(double hz) {
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double w = std::nearbyint(hz * 10);
  std::fesetround(saved);
  return static_cast<int>(w);
}

void Tone_Put(const QString& text, int row, int col) {
  if (text == "FF") {
    Radio_Image[row][col] = 255;
    Radio_Image[row][col + 1] = 255;
    return;
  }
  const double v = Vb_Val(text);
  if (v <= 0 || v >= 255) return;
  const int w = Ctcss_Word(v);
  Radio_Image[row][col] = static_cast<int16_t>(w % 256);
  Radio_Image[row][col + 1] = static_cast<int16_t>(w / 256);
}

int16_t Band_Check(double f) {
  for (int k = 0; k < 4; ++k)
    if (Band_Limits[2 * k] <= f && f < Band_Limits[2 * k + 1] + 1) return 0;
  return 255;
}
