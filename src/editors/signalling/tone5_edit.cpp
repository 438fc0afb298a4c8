#include "editors/signalling/tone5_edit.h"

#include <cmath>

#include "data/shared_state.h"
#include "data/tone5_tables.h"
#include "editors/signalling/digit_codes.h"

namespace {
QStringList Numbers(int first, int step, int count) {
  QStringList out;
  for (int k = 0; k < count; ++k) out << QString::number(first + step * k);
  return out;
}

bool Hex_Digit(int key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

Image_Row& Entry_Row(int entry) { return Radio_Image[Tone5_Encode_Row + entry - 1]; }
}  // namespace

QStringList Tone5_Std_Names() {
  QStringList out;
  for (int s = 0; s < Tone5_Std_Count; ++s) out << Std_Name(static_cast<int16_t>(s));
  return out;
}
QStringList Tone5_Period_Items() { return Numbers(20, 10, 19); }
QStringList Tone5_Digit_Items() {
  QStringList out;
  for (int d = 0; d < 16; ++d) out << Cov_b2c(static_cast<int16_t>(d));
  return out;
}
QStringList Tone5_Delay_Items() { return Numbers(0, 10, 101); }
QStringList Tone5_Reset_Items() { return Numbers(100, 100, 80); }
QStringList Tone5_Reply_Delay_Items() {
  // Plain numbers of milliseconds in both languages, as every other time list
  // of the window; the label beside the list names the unit.
  return Numbers(0, Tone5_Reply_Delay_Step_Ms, Tone5_Reply_Delay_Count);
}

int Tone5_List_Index(int16_t byte, int count) { return byte >= 0 && byte < count ? byte : -1; }

QString Tone5_Period_Text(int16_t code) { return QString::number(code * 10 + 20); }

QString Tone5_Frame_Text(int entry, int frame) {
  QString out;
  const Image_Row& row = Entry_Row(entry);
  for (int k = 0; k < Tone5_Frame_Len; ++k) out += Cov_b2c(row[Tone5_Frame_Len * frame + k]);
  return out;
}

QString Tone5_Encode_Cell(int entry, int col) {
  if (col >= 1 && col <= 3) return Tone5_Frame_Text(entry, col - 1);
  if (col == 4) return Std_Name(Entry_Row(entry)[Tone5_Entry_Std]);
  return QString();
}

QString Tone5_Std_Cell(int n, int col) {
  const Image_Row& row = Radio_Image[Tone5_Std_Row + n - 1];
  switch (col) {
    case 1: return Tone5_Period_Text(row[Tone5_Period]);
    case 2: return Cov_b2c(row[Tone5_Group_Digit]);
    case 3: return Cov_b2c(row[Tone5_Repeat_Digit]);
    default: return QString();
  }
}

void Tone5_Frame_Key(int& key, const QString& text) {
  if (key == 8) return;
  if ((Hex_Digit(key) || key == 13) && text.trimmed().size() < Tone5_Frame_Len) return;
  key = 0;
}

void Tone5_Frame_Write(int entry, int frame, const QString& text) {
  if (entry < 1 || entry > Tone5_Encode_Count || frame < 0 || frame > 2) return;
  Image_Row& row = Entry_Row(entry);
  const int first = Tone5_Frame_Len * frame;
  for (int k = 0; k < Tone5_Frame_Len; ++k) row[first + k] = 0xFF;
  const QString t = text.trimmed();
  for (int k = 0; k < std::min<int>(Tone5_Frame_Len, t.size()); ++k)
    row[first + k] = static_cast<int16_t>(Tone5_c2b(t.mid(k, 1)));
}

void Tone5_Entry_Clear(int entry) {
  if (entry < 1 || entry > Tone5_Encode_Count) return;
  for (int c = 0; c < 16; ++c) Entry_Row(entry)[c] = 0xFF;
}

void Tone5_Settings_Bit(int byte, int bit, bool on) {
  int16_t& b = Radio_Image[Tone5_Settings_Row][byte];
  const int mask = 1 << bit;
  b = static_cast<int16_t>(on ? (b | mask) : (b & ~mask));
}

std::array<int16_t, 5> Tone5_Five_Codes(const QString& cell) {
  const QString t = cell.trimmed().leftJustified(5, ' ');
  std::array<int16_t, 5> out{};
  for (int k = 0; k < 5; ++k) out[k] = Cov_c2b(t.mid(k, 1));
  return out;
}

int16_t Tone5_Function_Number(const QString& cell) {
  const QString t = cell.trimmed();
  if (t.isEmpty()) return 255;
  const QChar c = t[0];
  return c >= '0' && c <= '9' ? static_cast<int16_t>(c.unicode() - '0') : 0;
}

Tone5_File_Table Tone5_File_Build(const Tone5_File_Table& kept, const Tone5_Decode_Page& page) {
  Tone5_File_Table out = kept;
  for (int line = 0; line < 144; ++line) out[line].fill(0);

  // Lines 0..63: the tone tables, computed as Tone5_Tables does (the build
  // must not touch the image, so it does not run that routine).
  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int d = 0; d < 16; ++d) {
      const int f = static_cast<int>(std::floor(Tone5_Freq(s, d)));
      const int code = f > 0 ? static_cast<int>(std::floor(Tone5_Clock / f)) : 0;
      out[s][d] = static_cast<int16_t>(f % 256);
      out[16 + s][d] = static_cast<int16_t>(f / 256);
      out[32 + s][d] = static_cast<int16_t>(code % 256);
      out[48 + s][d] = static_cast<int16_t>(code / 256);
    }

  // Lines 64..95: the standards, row 591, the encode entries and the settings row.
  for (int k = 0; k < 32; ++k)
    for (int c = 0; c < 16; ++c) out[64 + k][c] = Radio_Image[Tone5_Std_Row + k][c];

  // The staging row of the built blocks: the four encode delays.
  std::array<int16_t, 16> delays{};
  for (int c = 0; c < 4; ++c) delays[c] = Radio_Image[Tone5_Settings_Row][c];

  // Lines 96..111: the encode entries with their standard's name in bytes 0..4.
  for (int n = 1; n <= Tone5_Encode_Count; ++n) {
    out[95 + n] = out[79 + n];
    const auto name = Tone5_Five_Codes(Std_Name(out[79 + n][Tone5_Entry_Std]));
    for (int k = 0; k < 5; ++k) out[95 + n][k] = name[k];
  }
  out[111] = delays;

  // Lines 112..127: the decode entries' codes and standards.
  for (int n = 1; n <= 15; ++n) {
    const auto& row = page.cells[n];
    for (int f = 0; f < 3; ++f) {
      const auto codes = Tone5_Five_Codes(row[2 + 2 * f]);
      for (int k = 0; k < 5; ++k) out[111 + n][5 * f + k] = codes[k];
    }
    QString std_name = row[1];
    out[111 + n][15] = Std_Index(std_name);
  }
  out[127] = delays;

  // Lines 128..143: reply codes, functions, action flags; the reply settings.
  for (int n = 1; n <= 15; ++n) {
    const auto& row = page.cells[n];
    auto& line = out[127 + n];
    const auto reply = Tone5_Five_Codes(row[8]);
    for (int k = 0; k < 5; ++k) line[k] = reply[k];
    for (int f = 0; f < 3; ++f) line[5 + f] = Tone5_Function_Number(row[3 + 2 * f]);
    for (int k = 0; k < 6; ++k) line[8 + k] = page.actions[n - 1][k];
    line[14] = out[111 + n][14];
    line[15] = out[111 + n][15];
  }
  // A list without a selection counts as its first item.
  out[143][0] = static_cast<int16_t>(std::max(0, page.reset_index));
  out[143][1] = page.reply ? 1 : 0;
  out[143][2] = page.reply_when_idle ? 1 : 0;
  out[143][3] = static_cast<int16_t>(std::max(0, page.reply_delay_index));
  return out;
}

void Tone5_File_Apply(const Tone5_File_Table& file) {
  for (int k = 0; k < 32; ++k)
    for (int c = 0; c < 16; ++c) Radio_Image[Tone5_Std_Row + k][c] = file[64 + k][c];
}
