#include "editors/alignment/adj_fields.h"

#include <cmath>
#include <limits>

#include "data/freq_codec.h"

namespace {
// Blanks at both ends removed (only blanks: a box holds no other white space).
QString Trim_Blanks(const QString& t) {
  int a = 0, b = static_cast<int>(t.size());
  while (a < b && t[a] == ' ') ++a;
  while (b > a && t[b - 1] == ' ') --b;
  return t.mid(a, b - a);
}

bool Is_Byte(int v) { return v >= 0 && v <= 255; }
}  // namespace

// ---- value boxes --------------------------------------------------------------

const Adj_Family_Info& Family_Info(Adj_Family f) {
  static const Adj_Family_Info kTx{Adj_Power_Max, " 输入数字范围为 0 - 63 ！"};
  static const Adj_Family_Info kLevel{Adj_Sql_Level_Max, " 输入数字范围为 0 - 100 ！"};
  static const Adj_Family_Info kOffset{Adj_Sql_Comp_Max, " 输入数字范围为 0 - 10 ！"};
  switch (f) {
    case Adj_Family::Tx_Power: return kTx;
    case Adj_Family::Sql_Level: return kLevel;
    case Adj_Family::Sql_Offset: break;
  }
  return kOffset;
}

int Value_Of(const QString& text) {
  const QString t = Trim_Blanks(text);
  long long v = 0;
  for (const QChar ch : t) {
    if (ch < '0' || ch > '9') break;
    v = std::min<long long>(v * 10 + (ch.unicode() - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(v);
}

Value_Verdict Value_Check(const QString& text, int max) {
  const QString t = Trim_Blanks(text);
  for (const QChar ch : t)
    if (ch < '0' || ch > '9') return Value_Verdict::Bad_Char;
  return Value_Of(t) > max ? Value_Verdict::Out_Of_Range : Value_Verdict::Ok;
}

int Value_Restore(int factory, int max) { return std::clamp(factory, 0, max); }

int Value_Row(Adj_Family f, int band, int page) {
  switch (f) {
    case Adj_Family::Tx_Power: return 4 * page + band;
    case Adj_Family::Sql_Level: return Sql_Rows[band];
    case Adj_Family::Sql_Offset: break;
  }
  return Sql_Rows[4 + band];
}

// ---- band limits --------------------------------------------------------------

bool Limit_Key_Refused(const QString& text) { return Trim_Blanks(text).size() >= Limit_Box_Chars; }

double Limit_Number(const QString& text) { return Typed_Val(text); }

Limit_Verdict Upper_Check(double h, double l, int fmin, int fmax) {
  if (h > fmax) return Limit_Verdict::Upper_Above_Max;
  if (l > h || h < fmin) return Limit_Verdict::Upper_Below_Lower;
  return Limit_Verdict::Ok;
}

Limit_Verdict Lower_Check(double l, double h, int fmin, int fmax) {
  if (l < fmin) return Limit_Verdict::Lower_Below_Min;
  if (h < l || l > fmax) return Limit_Verdict::Lower_Above_Upper;
  return Limit_Verdict::Ok;
}

QString Limit_Message(Limit_Verdict v) {
  switch (v) {
    case Limit_Verdict::Upper_Above_Max:
      return Lang_Pick("上限频率不可大于该频段最大工作频率",
                       "Receive frequency of upper limit can't more than the highest of work frequency. ");
    case Limit_Verdict::Upper_Below_Lower:
      return Lang_Pick("上限频率不可小于该频段下限频率",
                       "Receive frequency of lower limit can't more than receive frequency of upper limit.");
    case Limit_Verdict::Lower_Below_Min:
      return Lang_Pick("下限频率不可小于该频段最低工作频率",
                       "Receive frequency of lower limit can't less than the lowest of work frequency. ");
    case Limit_Verdict::Lower_Above_Upper:
      return Lang_Pick("下限频率不可大于该频段上限频率",
                       "Receive frequency of lower limit can't more than receive frequency of upper limit.");
    case Limit_Verdict::Ok: break;
  }
  return QString();
}

QString Limit_Title() { return Lang_Pick("操作提示", "Operate Prompt"); }

std::optional<std::array<int16_t, 3>> Limit_Digits(double v, int fmin, int fmax) {
  if (!std::isfinite(v) || v < fmin || v > fmax) return std::nullopt;
  const int whole = static_cast<int>(std::floor(v));
  if (whole < 0 || whole > 999) return std::nullopt;  // never, for bounds of three digits
  return std::array<int16_t, 3>{static_cast<int16_t>(whole / 100),
                                static_cast<int16_t>(whole / 10 % 10),
                                static_cast<int16_t>(whole % 10)};
}

QString Limit_Text(int d0, int d1, int d2) {
  if (!Is_Byte(d0) || !Is_Byte(d1) || !Is_Byte(d2)) return QString();
  return " " + QString::number(100 * d0 + 10 * d1 + d2);
}

// ---- passwords ----------------------------------------------------------------

void Password_Store(Image_Row& row, int first, const QString& text) {
  for (int k = 0; k < Pass_Len; ++k) row[first + k] = ' ';
  const QString s = Trim_Blanks(text);
  int n = static_cast<int>(s.size()), p = 0;
  if (n >= Pass_Len)
    n = Pass_Len;
  else
    p = (Pass_Len - n) / 2;
  for (int i = 0; i < n; ++i) {
    const QString ch = s[i] == ' ' ? QString() : QString(s[i]);
    row[first + p + i] = Asc_Allowed(ch);
  }
}

QString Password_Text(const Image_Row& row, int first) {
  QString text;
  for (int k = 0; k < Pass_Len; ++k) {
    const int code = row[first + k];
    text = Trim_Blanks(text) + (Is_Byte(code) ? Chr_Allowed(static_cast<uint8_t>(code)) : QString());
  }
  return text;
}
