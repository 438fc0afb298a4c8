#include "chann_record.h"

#include <cmath>

#include "data/freq_codec.h"
#include "data/image_map.h"
#include "data/shared_state.h"
#include "platform/code_page.h"
#include "platform/msg_box.h"

namespace {
using namespace chann_col;

uint8_t B(int row, int col) { return Img_Byte(row, col); }

void Fill_Row(int row, int from, int to, int value) {
  for (int c = from; c <= to; ++c) Img_Set(row, c, value);
}

QString Packed(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar ch : text)
    if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r') out += ch;
  return out;
}

const QStringList& Tone_Items() {
  static QStringList items;
  if (items.size() != 261 || items[0].isEmpty()) {
    items.clear();
    for (int i = 0; i < 261; ++i) items << Tone_Name[i].trimmed();
  }
  return items;
}

// The image row the frequency check uses as scratch: beyond every area an
// editor or a transfer moves; it is put back at once.
constexpr int kScratchRow = 1024;
}  // namespace

// ---- tones -------------------------------------------------------------------

QString Tone_Word_Text(int low, int high, bool dcs_padded) {
  low &= 0xFF;
  high &= 0xFF;
  const int w = high * 256 + low;
  if (w == 0 || w == 0xFFFF) return "OFF";
  if (high >= 0x01 && high <= 0x7F) {
    QString t = Vb_Num(w / 10.0);
    if (w % 10 == 0) t += ".0";
    return t;
  }
  if (high == 0 && low >= 1 && low <= 210) {
    const QString& n = Tone_Name[low + 50];
    return dcs_padded ? n : n.trimmed();
  }
  return Tone_Unknown_Text;
}

std::array<uint8_t, 2> Ctcss_Bytes(double hz) {
  const int w = Ctcss_Word(hz);
  return {static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>((w >> 8) & 0xFF)};
}

std::array<uint8_t, 2> Tone_Item_Bytes(int i) {
  if (i >= 1 && i <= 50) return Ctcss_Bytes(Typed_Val(Tone_Name[i]));
  if (i >= 51 && i <= 260) return {static_cast<uint8_t>(i - 50), 0};
  return {0, 0};
}

std::optional<Tone_Entry> Tone_Parse(const QString& text) {
  const QString t = text.trimmed();
  const double v = Typed_Val(t);
  if (v >= 60 && v <= 259.9) return Tone_Entry{Ctcss_Bytes(v), -1};
  const QStringList& items = Tone_Items();
  for (int i = 0; i < items.size(); ++i)
    if (items[i] == t) return Tone_Entry{Tone_Item_Bytes(i), i};
  return std::nullopt;
}

// ---- settings ------------------------------------------------------------------

QStringList Column_Items(int col) {
  switch (col) {
    case Band: return {Band_Item_Text};
    case Dec:
    case Enc: return Tone_Items();
    case Power: return {"HIGH", "LOW"};
    case Width: return {"W", "N"};
    case Ptt_Id: return {"OFF", "BOT", "EOT", "BOTH"};
    case Busy_Lock:
    case Scan_Add:
    case Scr: return {"OFF", "ON"};
    case Sig_Code: {
      QStringList l;
      for (int k = 1; k <= 15; ++k) l << QString::number(k);
      return l;
    }
    case Opt_Sig: return {"OFF", "DTMF", "2TONE", "5TONE"};
    case Sq_Mode: return {"QT", "AND", "OR"};
    default: return {};
  }
}

void Setting_Apply(int ch, int col, int i) {
  const int b12 = B(ch, 12), b13 = B(ch, 13), b14 = B(ch, 14), b15 = B(ch, 15);
  switch (col) {
    case Power: Img_Set(ch, 14, (b14 & 0xFC) + i); break;
    case Width: Img_Set(ch, 15, i == 0 ? (b15 & 0xBF) : (b15 | 0x40)); break;
    case Ptt_Id: Img_Set(ch, 15, (b15 & 0xFC) + i); break;
    case Busy_Lock: Img_Set(ch, 15, (b15 & 0xF7) + 8 * i); break;
    case Scan_Add: Img_Set(ch, 15, i > 0 ? (b15 | 0x04) : (b15 & 0xFB)); break;
    case Sig_Code: Img_Set(ch, 12, (b12 & 0xF0) + i); break;
    case Opt_Sig: Img_Set(ch, 13, (b13 & 0xF0) + i); break;
    case Sq_Mode: Img_Set(ch, 13, (b13 & 0x0F) + 16 * i); break;
    case Scr: Img_Set(ch, 14, (b14 & 0x0F) + 16 * i); break;
    default: break;
  }
}

// ---- names -----------------------------------------------------------------------

QString Name_Decode(const std::array<uint8_t, Name_Bytes>& bytes) {
  std::array<uint8_t, Name_Bytes + 1> buf{};
  for (int k = 0; k < Name_Bytes; ++k) buf[k] = bytes[k];
  QString out;
  for (int k = 0; k < Name_Bytes; ++k) {
    const uint8_t b = buf[k];
    if (b == 0xFF) break;
    if (b < 0x80) {
      out += QChar(b);
      continue;
    }
    // A double-byte character; a pair the code page does not hold (a lead
    // byte in the last position, a bad trail byte) shows as "?".
    const QByteArray pair{reinterpret_cast<const char*>(&buf[k]), 2};
    const QString ch = Ansi_Decode(pair);
    out += (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter) ? ch : QString("?");
    ++k;
  }
  return out.trimmed();
}

std::array<uint8_t, Name_Bytes> Name_Encode(const QString& name, bool* whole) {
  std::array<uint8_t, Name_Bytes> out;
  out.fill(0xFF);
  if (whole) *whole = true;
  int n = 0;
  for (int i = 0; i < name.size(); ++i) {
    QString one = name.mid(i, 1);
    if (name[i].isHighSurrogate() && i + 1 < name.size()) one = name.mid(i++, 2);
    QByteArray b = Ansi_Encode(one);
    const auto u = [&](int k) { return static_cast<uint8_t>(b[k]); };
    // Only a one-byte ASCII character or a lead byte with its trail byte
    // is a character of the radio's names; anything else is stored as "?".
    const bool ok = (b.size() == 1 && u(0) < 0x80) || (b.size() == 2 && u(0) >= 0x81 && u(0) <= 0xFE);
    if (!ok) b = QByteArray("?");
    if (n + b.size() > Name_Bytes) {
      if (whole) *whole = false;
      break;
    }
    for (int k = 0; k < b.size(); ++k) out[n++] = static_cast<uint8_t>(b[k]);
  }
  return out;
}

QString Name_Reply_Text(const int16_t* eight) {
  if ((eight[0] & 0xFF) == 0xFF) return QString();
  QString out;
  for (int k = 0; k < 8; ++k) {
    const int v = eight[k] & 0xFF;
    if (v <= 9) out += QChar('0' + v);
    else if (v >= 17 && v <= 37) out += QChar(v + 48);
    else if (v >= 48 && v <= 127) out += QChar(v);
    else if (v >= 128 && v <= 250) out += '?';  // no character of its own in one byte
    else if (v == 251) out += '+';
    else if (v == 253) out += '-';
  }
  return out;
}

// ---- frequencies -------------------------------------------------------------------

bool Blank(const QString& text) { return text.trimmed().isEmpty(); }

double Freq_Stored_Value(const QString& text) {
  Image_Row saved = Radio_Image[kScratchRow];
  QString t = Packed(text);
  Freq_Put(t, kScratchRow, 0);
  // The value of the four packed-BCD bytes, least significant first.
  long long units = 0, weight = 1;  // 10 Hz units
  for (int k = 0; k < 4; ++k) {
    const int b = B(kScratchRow, k);
    units += (b & 0x0F) * weight + (b >> 4) * weight * 10;
    weight *= 100;
  }
  const double v = static_cast<double>(units) / 100000.0;
  Radio_Image[kScratchRow] = saved;
  return v;
}

bool Freq_In_Band(const QString& text) {
  if (Blank(text)) return false;
  // Both what was typed and what it would be stored as (snapped to the
  // channel grid, at most three MHz digits) must pass.
  double typed = Typed_Val(text);
  double stored = Freq_Stored_Value(text);
  return Band_Check(typed) == 0 && Band_Check(stored) == 0;
}

QString Freq_Replacement() { return QString::number(Band_Limits[0], 'f', 5); }

bool Freq_Store(const QString& text, int ch, int col) {
  if (!Freq_In_Band(text)) return false;
  QString t = Packed(text);
  Freq_Put(t, ch, col);
  return true;
}

QString Freq_Complete(const QString& typed) {
  // The leading number's own digits: the integer part and five decimals,
  // never rounded, so the completed text stores what was typed.
  const QString s = Packed(typed.left(9));
  int i = 0;
  QString sign, whole, frac;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) sign = s[i++] == '-' ? "-" : "";
  while (i < s.size() && s[i].isDigit()) whole += s[i++];
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i].isDigit()) frac += s[i++];
  }
  bool ok = false;
  const qlonglong w = whole.toLongLong(&ok);
  return sign + QString::number(ok ? w : 0) + "." + (frac + "00000").left(5);
}

// ---- row routines ----------------------------------------------------------------------

void Chann_Decode(Chann_Cells& g, int r) {
  const int i = r - 1;
  if (B(i, 0) == 0xFF) {
    g.Set_Cell(r, Rx, "");
    g.Set_Cell(r, Tx, "");
    Row_Clear(g, r);
    return;
  }
  g.Set_Cell(r, Rx, Freq_Get(B(i, 0), B(i, 1), B(i, 2), B(i, 3)));
  g.Set_Cell(r, Dec, Tone_Word_Text(B(i, 8), B(i, 9), true));
  if (B(i, 4) == 0xFF) {
    g.Set_Cell(r, Tx, "");
    g.Set_Cell(r, Enc, "");
  } else {
    g.Set_Cell(r, Tx, Freq_Get(B(i, 4), B(i, 5), B(i, 6), B(i, 7)));
    g.Set_Cell(r, Enc, Tone_Word_Text(B(i, 10), B(i, 11), false));
  }
  g.Set_Cell(r, Band, Band_Cell_Text);
  const int b12 = B(i, 12), b13 = B(i, 13), b14 = B(i, 14), b15 = B(i, 15);
  static const char* const opt[] = {"OFF", "DTMF", "2TONE", "5TONE"};
  static const char* const sq[] = {"QT", "AND", "OR"};
  static const char* const ptt[] = {"OFF", "BOT", "EOT", "BOTH"};
  const int sig = b12 & 0x0F, o = b13 & 0x0F, q = b13 >> 4, s = b14 >> 4;
  g.Set_Cell(r, Sig_Code, sig <= 14 ? QString::number(sig + 1) : QString());
  g.Set_Cell(r, Opt_Sig, o <= 3 ? QString(opt[o]) : QString());
  g.Set_Cell(r, Sq_Mode, q <= 2 ? QString(sq[q]) : QString());
  g.Set_Cell(r, Scr, s == 0 ? "OFF" : s == 1 ? "ON" : "");
  g.Set_Cell(r, Power, (b14 & 0x07) == 1 ? "LOW" : "HIGH");
  g.Set_Cell(r, Ptt_Id, ptt[b15 & 0x03]);
  g.Set_Cell(r, Scan_Add, (b15 & 0x04) ? "ON" : "OFF");
  g.Set_Cell(r, Busy_Lock, (b15 & 0x08) ? "ON" : "OFF");
  g.Set_Cell(r, Width, (b15 & 0x40) ? "N" : "W");
}

void Row_Show(Chann_Cells& g, int r) {
  Chann_Decode(g, r);
  std::array<uint8_t, Name_Bytes> name{};
  for (int k = 0; k < Name_Bytes; ++k) name[k] = B(Chann_Name_Row0 + r - 1, k);
  g.Set_Cell(r, Name, Name_Decode(name));
}

void Row_Default(Chann_Cells& g, int r) {
  static const char* const texts[] = {"OFF", "OFF", "HIGH", "W", "OFF", "OFF",
                                      "ON",  "1",   "OFF",  "QT", "OFF", ""};
  for (int c = Dec; c <= Name; ++c) g.Set_Cell(r, c, texts[c - Dec]);
  const int ch = r - 1;
  Fill_Row(ch, 8, 14, 0);
  Img_Set(ch, 15, 0x04);
  Fill_Row(Chann_Name_Row0 + ch, 0, 15, 0xFF);
}

void Row_Clear(Chann_Cells& g, int r) {
  g.Set_Cell(r, Band, "");
  for (int c = Dec; c <= Name; ++c) g.Set_Cell(r, c, "");
  Fill_Row(r - 1, 0, 15, 0xFF);
  Fill_Row(Chann_Name_Row0 + r - 1, 0, 15, 0xFF);
}

void Row_ClearData(Chann_Cells& g, int r) {
  for (int c = Rx; c <= Name; ++c) g.Set_Cell(r, c, "");
  Fill_Row(r - 1, 0, 15, 0xFF);
  Fill_Row(Chann_Name_Row0 + r - 1, 0, 15, 0xFF);
}

void Name_Redecode(Chann_Cells& g, int k, int r, int o) {
  g.Set_Cell(r, Name, Name_Reply_Text(&Rx_Name[k][5 + o]));
}

void Name_Rescan(Chann_Cells& g, int read_last) {
  for (int k = 2; k <= read_last + 1 && k < static_cast<int>(Rx_Name.size()); ++k) {
    const int h = (Rx_Name[k][2] & 0xFF) - 0x10;
    if (h < 0 || h > 31) break;
    const int c = h * 16 + (Rx_Name[k][3] & 0xFF) / 16 + 1;
    for (int j = 0; j <= 3; ++j)
      if (c + j <= Chann_Count) Name_Redecode(g, k, c + j, 16 * j);
  }
}

// ---- messages ------------------------------------------------------------------------------

void Chann_Message(const char* zh, const char* en, const char* title_zh, const char* title_en) {
  Msg_Box(Lang_Pick(zh, en), Msg_Icon::Exclamation, Lang_Pick(title_zh, title_en));
}

namespace {
void Rx_Range_Message() {
  Chann_Message("接收频率超出范围 ！", "Over the range of receive frequency .", "操作提示",
                "Operate prompt");
}
void Tx_Range_Message() {
  Chann_Message("发射频率超出范围 ！", "Over the range of transmit frequency .", "操作提示",
                "Operate prompt");
}
void Tx_Before_Rx_Message() {
  Chann_Message("请先输入接收频率 ！", "Please input the receive frequency in advance.", "操作提示",
                "Operate prompt");
}
bool Empty_Channel(int ch) { return B(ch, 0) == 0xFF; }
void Set_Tone(int ch, int k, const std::array<uint8_t, 2>& b) {
  Img_Set(ch, k, b[0]);
  Img_Set(ch, k + 1, b[1]);
}
}  // namespace

// ---- cell editing --------------------------------------------------------------------------

Editor_Open Chann_Edit::Cell_Edit(int r, int c) {
  Edit_Row = static_cast<int16_t>(r);
  Edit_Col = static_cast<int16_t>(c);
  Edit_Text = g_.Cell(r, c);
  Editor_Open o;
  if (c == Band) {
    o = {Editor_Kind::List, Column_Items(c), g_.Cell(r, c)};
  } else if (c == Rx || c == Tx || c == Name) {
    o = {Editor_Kind::Box, {}, g_.Cell(r, c)};
  } else if (c >= Dec && c <= Scr) {
    if (Blank(g_.Cell(r, Band))) {
      Forget();
      return {};
    }
    if (c == Enc && Blank(g_.Cell(r, Rx))) {
      Forget();
      return {Editor_Kind::Hide_Both, {}, {}};
    }
    o = {Editor_Kind::List, Column_Items(c), (c == Dec || c == Enc) ? QString() : g_.Cell(r, c)};
  } else {
    Forget();
    return {};
  }
  open_row_ = r;
  open_col_ = c;
  open_text_ = o.text;
  return o;
}

void Chann_Edit::Band_Rule(int r, const QString& list) {
  if (g_.Cell(r, Band).trimmed() != list.trimmed()) Row_ClearData(g_, r);
}

void Chann_Edit::List_Click(int r, int c, int i, const QString& text) {
  Edit_Text = text;
  Edit_Row = static_cast<int16_t>(r);
  Edit_Col = static_cast<int16_t>(c);
  // A list left floating over an earlier cell chooses nothing for this one.
  if (!Open_On(r, c) || i < 0) return;
  const int ch = r - 1;
  if (c == Band) {
    Band_Rule(r, text);
    g_.Set_Cell(r, Band, text);
  } else if (c == Dec) {
    Set_Tone(ch, 8, Tone_Item_Bytes(i));
    Set_Tone(ch, 10, Tone_Item_Bytes(i));
    Row_Show(g_, r);
  } else if (c == Enc) {
    Set_Tone(ch, 10, Tone_Item_Bytes(i));
    Show_Stored(r);
  } else if (c >= Power && c <= Scr) {
    Setting_Apply(ch, c, i);
    Show_Stored(r);
  }
}

void Chann_Edit::Show_Stored(int r) {
  // A row that shows only its chosen band has no record yet: its cells stay
  // empty, as a redraw leaves them, until the first RX frequency writes the
  // defaults over whatever was picked meanwhile.
  if (!Empty_Channel(r - 1)) Row_Show(g_, r);
}

void Chann_Edit::Tone_Commit(int r, int c, const QString& list) {
  const auto t = Tone_Parse(list);
  if (!t) return;  // neither a tone number nor a tone name: nothing changes
  const int ch = r - 1;
  Set_Tone(ch, c == Dec ? 8 : 10, t->bytes);
  if (c == Dec) Set_Tone(ch, 10, t->bytes);
  Row_Show(g_, r);
}

void Chann_Edit::Name_Commit(int r, const QString& box) {
  // Too long is whatever does not fit whole into the 8 bytes: more than 8
  // characters, or fewer whose two-byte codes need more room.
  bool whole = true;
  auto bytes = Name_Encode(box.trimmed(), &whole);
  if (!whole)
    Chann_Message("信道名称的字符个数最大为 8 ！", "The letter of channel name max 8 bit . ",
                  "操作提示", "Operate Prompt");
  // A channel without a band keeps no name, nor does one that shows only its
  // band: its first RX frequency writes the name row empty.
  if (Blank(g_.Cell(r, Band)) || Empty_Channel(r - 1)) bytes.fill(0xFF);
  const int n = Chann_Name_Row0 + r - 1;
  Fill_Row(n, 0, 15, 0xFF);
  for (int k = 0; k < Name_Bytes; ++k) Img_Set(n, k, bytes[k]);
  // The cell shows the name as stored, never characters that were dropped.
  g_.Set_Cell(r, Name, Name_Decode(bytes));
}

void Chann_Edit::Rx_Commit(int r, const QString& e) {
  const int ch = r - 1;
  const bool in = Freq_In_Band(e);
  if (!in && !Blank(e)) {
    Rx_Range_Message();
    const QString l = Freq_Replacement();
    // A replacement that would itself fail the band check stores nothing.
    if (Freq_In_Band(l)) {
      g_.Set_Cell(r, Rx, l);
      if (Empty_Channel(ch)) {
        Row_Default(g_, r);
        Freq_Store(l, ch, 4);
      }
      Freq_Store(l, ch, 0);
    }
    Row_Show(g_, r);
  } else if (!in) {
    g_.Set_Cell(r, Rx, "");
    g_.Set_Cell(r, Tx, "");
    Row_Clear(g_, r);
    Row_Show(g_, r);
  } else {
    if (Blank(g_.Cell(r, Rx))) {
      Row_Default(g_, r);
      Freq_Store(e, ch, 4);
    }
    g_.Set_Cell(r, Rx, e);
    Freq_Store(e, ch, 4);
    if (g_.Cell(r, Tx).isEmpty()) g_.Set_Cell(r, Tx, g_.Cell(r, Rx));
    Freq_Store(g_.Cell(r, Rx), ch, 0);
    Row_Show(g_, r);
  }
}

void Chann_Edit::Tx_Commit(int r, const QString& e) {
  const int ch = r - 1;
  const bool in = Freq_In_Band(e);
  if (Blank(g_.Cell(r, Rx)) && !Blank(e)) {
    Tx_Before_Rx_Message();
  } else if (!in && !Blank(e)) {
    Tx_Range_Message();
    const QString l = Freq_Replacement();
    if (Freq_In_Band(l)) {
      g_.Set_Cell(r, Tx, l);
      g_.Set_Cell(r, Enc, "OFF");
      Freq_Store(l, ch, 4);
      Fill_Row(ch, 10, 11, 0xFF);
    }
    Row_Show(g_, r);
  } else if (!in) {
    g_.Set_Cell(r, Tx, "");
    g_.Set_Cell(r, Enc, "");
    Fill_Row(ch, 4, 7, 0xFF);
    Fill_Row(ch, 10, 11, 0xFF);
    Row_Show(g_, r);
  } else {
    g_.Set_Cell(r, Tx, e);
    Freq_Store(e, ch, 4);
    Row_Show(g_, r);
  }
}

void Chann_Edit::Leave_Cell(int r, int c, const QString& box, const QString& list) {
  Edit_Row = static_cast<int16_t>(r);
  Edit_Col = static_cast<int16_t>(c);
  const bool open = Open_On(r, c);
  const QString text = (c == Rx || c == Tx || c == Name) ? box : list;
  const bool changed = open && text != open_text_;
  Forget();
  if (!changed) return;
  switch (c) {
    case Band: Band_Rule(r, list); break;
    case Rx: Rx_Commit(r, box); break;
    case Tx: Tx_Commit(r, box); break;
    case Dec:
    case Enc: Tone_Commit(r, c, list); break;
    case Name: Name_Commit(r, box); break;
    default:
      // The pick stored its bits already.
      if (c >= Power && c <= Scr) Show_Stored(r);
      break;
  }
}

std::optional<Enter_Move> Chann_Edit::Box_Enter(int r, int c, QString* box) {
  Edit_Row = static_cast<int16_t>(r);
  Edit_Col = static_cast<int16_t>(c);
  if (c != Rx && c != Tx) return std::nullopt;
  const bool changed = Open_On(r, c) && *box != open_text_;
  const QString e = *box;
  const int ch = r - 1;
  if (c == Rx) {
    if (changed) {
      const bool in = Freq_In_Band(e);
      if (!in && !Blank(e)) {
        Rx_Range_Message();
        const QString l = Freq_Replacement();
        if (!Freq_In_Band(l)) {
          Forget();  // nothing can be stored: the move commits nothing
          return Enter_Move{r, Tx};
        }
        g_.Set_Cell(r, Rx, l);
        if (Empty_Channel(ch)) Row_Default(g_, r);
      } else if (!in) {
        g_.Set_Cell(r, Rx, "");
        g_.Set_Cell(r, Tx, "");
        Row_Clear(g_, r);
      } else {
        if (Blank(g_.Cell(r, Rx))) Row_Default(g_, r);
        g_.Set_Cell(r, Rx, Freq_Complete(e));
      }
      *box = g_.Cell(r, Rx);
      if (g_.Cell(r, Tx).isEmpty()) g_.Set_Cell(r, Tx, *box);
    }
    return Enter_Move{r, Tx};
  }
  if (changed) {
    const bool in = Freq_In_Band(e);
    if (Blank(g_.Cell(r, Rx)) && !Blank(e)) {
      Tx_Before_Rx_Message();
      Forget();  // the move stores nothing either
    } else if (!in && !Blank(e)) {
      Tx_Range_Message();
      const QString l = Freq_Replacement();
      if (Freq_In_Band(l)) {
        g_.Set_Cell(r, Tx, l);
        g_.Set_Cell(r, Enc, "OFF");
        Fill_Row(ch, 10, 11, 0xFF);
      } else {
        Forget();
      }
    } else if (!in) {
      g_.Set_Cell(r, Tx, "");
      g_.Set_Cell(r, Enc, "");
    } else {
      g_.Set_Cell(r, Tx, Freq_Complete(e));
    }
    *box = g_.Cell(r, Tx);
  }
  if (Blank(g_.Cell(r, Rx)) && Blank(g_.Cell(r, Tx)))
    return Enter_Move{r < Chann_Count ? r + 1 : r, Band};
  return Enter_Move{r, Dec};
}

std::optional<Enter_Move> Chann_Edit::List_Enter(int r, int c) const {
  if (c >= Tx && c <= Scr) return Enter_Move{r, c + 1};
  return std::nullopt;
}
