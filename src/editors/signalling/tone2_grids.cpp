#include "editors/signalling/tone2_grids.h"

#include <cmath>

#include "data/freq_codec.h"
#include "data/image_map.h"
#include "editors/signalling/tone2_area.h"

namespace {
const char* const kPairs[12] = {"A-B", "A-C", "A-D", "B-A", "B-C", "B-D",
                                "C-A", "C-B", "C-D", "D-A", "D-B", "D-C"};
constexpr int Alert_Max = 16;
constexpr int Tone_Box_Max = 7;  // characters a tone box takes

int Word_At(int row, int col) { return Img_Byte(row, col) + 256 * Img_Byte(row, col + 1); }

QString Hz_Text(int f) { return QString::number(f) + ".0"; }

void Word_Put(int row, int col, int v) {
  Img_Set(row, col, v % 256);
  Img_Set(row, col + 1, v / 256);
}

// Image row and byte of decode cell (n, c).
int Decode_Row(int n) { return Tone2_Decode_Row + n - 1; }
}  // namespace

QString Pair_Text(int value) { return value >= 0 && value <= 11 ? kPairs[value] : QString(); }

QString Resp_Text(int value) {
  if (value == 255) return QString();
  if (value >= 0 && value <= 3) return Resp_List[value];
  return Resp_List[0];
}

QString Alert_Text(int value) { return value <= Alert_Max ? QString::number(value) : QString(); }

QString Tone2_Encode_Text(int n, int c) {
  const int f = Word_At(Tone2_Encode_Row + n - 1, 8 * (c - 1));
  return f >= Tone2_Tone_Min && f <= Tone2_Tone_Max ? Hz_Text(f) : QString();
}

QString Tone2_Tone_Text(int index, int t) {
  const int row = Tone2_Tone_Row + index;
  const int lo = Img_Byte(row, 2 * t), hi = Img_Byte(row, 2 * t + 1);
  const int v = hi * 256 + lo;
  if (v == 0 || (lo == 255 && hi == 255)) return QString();
  return Hz_Text(v);
}

Tone2_Column Tone2_Column_Kind(int c) {
  if (c <= 0 || c > 3 * Tone2_Decoders) return Tone2_Column::Number;
  switch ((c - 1) % 3) {
    case 0: return Tone2_Column::Pair;
    case 1: return Tone2_Column::Response;
    default: return Tone2_Column::Alert;
  }
}

QString Tone2_Decode_Text(int n, int c) {
  const int v = Img_Byte(Decode_Row(n), c - 1);
  switch (Tone2_Column_Kind(c)) {
    case Tone2_Column::Pair: return Pair_Text(v);
    case Tone2_Column::Response: return Resp_Text(v);
    case Tone2_Column::Alert: return Alert_Text(v);
    default: return QString();
  }
}

Tone2_Commit Tone2_Encode_Commit(int n, int c, const QString& text) {
  const int row = Tone2_Encode_Row + n - 1, b = 8 * (c - 1);
  const double v = Vb_Val(text);
  if (v >= Tone2_Tone_Min && v <= Tone2_Tone_Max) {
    Word_Put(row, b, static_cast<int>(std::floor(v + 0.5)));
    return Tone2_Commit::Stored;
  }
  Word_Put(row, b, 0);
  return text.trimmed().isEmpty() ? Tone2_Commit::Cleared : Tone2_Commit::Refused;
}

Tone2_Commit Tone2_Tone_Commit(int index, int t, const QString& text) {
  // Halves go to the even neighbour.
  const double f = std::nearbyint(Vb_Val(text));
  if (f >= Tone2_Tone_Min && f <= Tone2_Tone_Max) {
    Tone2_FreqPut(Tone2_Tone_Page, static_cast<int16_t>(index), static_cast<int16_t>(t),
                  static_cast<int32_t>(f));
    return Tone2_Commit::Stored;
  }
  const int row = Tone2_Tone_Row + index;
  Word_Put(row, 2 * t, 0xFFFF);
  Word_Put(row, 8 + 2 * t, 0xFFFF);
  return text.trimmed().isEmpty() ? Tone2_Commit::Cleared : Tone2_Commit::Refused;
}

QStringList Tone2_Decode_Items(int c) {
  QStringList out;
  switch (Tone2_Column_Kind(c)) {
    case Tone2_Column::Pair:
      for (const char* p : kPairs) out << p;
      break;
    case Tone2_Column::Response:
      for (const QString& r : Resp_List) out << r;
      break;
    case Tone2_Column::Alert:
      for (int k = 1; k <= Alert_Max; ++k) out << QString::number(k);
      break;
    default: break;
  }
  return out;
}

int Tone2_Decode_Shown(int n, int c) {
  const QString shown = Tone2_Decode_Text(n, c);
  if (shown.isEmpty()) return -1;
  return static_cast<int>(Tone2_Decode_Items(c).indexOf(shown));
}

void Tone2_Decode_Store(int n, int c, int p) {
  if (n < 1 || n > Tone2_Code_Count || p < 0) return;
  const Tone2_Column k = Tone2_Column_Kind(c);
  if (k == Tone2_Column::Number) return;
  Img_Set(Decode_Row(n), c - 1, k == Tone2_Column::Alert ? p + 1 : p);
}

Key_Filter Tone2_Tone_Filter() {
  Key_Filter f;
  f.allowed = QStringLiteral("0123456789.");
  f.max_chars = Tone_Box_Max;
  f.backspace = Key_Filter::Backspace::Refused;
  return f;
}

void Tone2_Tone_KeyPress(int& key, const QString& text) {
  if (text.trimmed().size() > Tone_Box_Max - 1) key = 0;
}

Key_Filter Tone2_Encode_Filter() {
  Key_Filter f;
  f.allowed = QStringLiteral("0123456789.");
  f.backspace = Key_Filter::Backspace::Refused;
  return f;
}

const Tone2_List Tone2_Lists[Tone2_List_Count] = {
    {"Combo_Enc_ys1", Tone2_Duration_Row, Tone2_First_Duration},
    {"Combo_Enc_ys2", Tone2_Duration_Row, Tone2_Second_Duration},
    {"Combo_enc_ys3", Tone2_Duration_Row, Tone2_Gap},
    {"Combo_Dec_Res_Time", Tone2_Reset_Row, 0},
};

QStringList Tone2_List_Items(Tone2_List_Id id) {
  QStringList out;
  if (id == Dec_Reset_Time)
    for (int t = 100; t <= 8000; t += 100) out << QString::number(t);  // 80 items
  else
    for (int t = 0; t <= 1000; t += 10) out << QString::number(t);  // 101 items
  return out;
}
