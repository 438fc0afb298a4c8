#include "editors/signalling/dtmf_fields.h"

#include "data/image_map.h"
#include "editors/signalling/digit_codes.h"
#include "editors/signalling/dtmf_area.h"

const Dtmf_Code_Box Dtmf_Code_Boxes[Dtmf_Code_Box_Count] = {
    {"Text_tx_Encode(0)", Dtmf_Encode_Row + 0},   {"Text_tx_Encode(1)", Dtmf_Encode_Row + 1},
    {"Text_tx_Encode(2)", Dtmf_Encode_Row + 2},   {"Text_tx_Encode(3)", Dtmf_Encode_Row + 3},
    {"Text_tx_Encode(4)", Dtmf_Encode_Row + 4},   {"Text_tx_Encode(5)", Dtmf_Encode_Row + 5},
    {"Text_tx_Encode(6)", Dtmf_Encode_Row + 6},   {"Text_tx_Encode(7)", Dtmf_Encode_Row + 7},
    {"Text_tx_Encode(8)", Dtmf_Encode_Row + 8},   {"Text_tx_Encode(9)", Dtmf_Encode_Row + 9},
    {"Text_tx_Encode(10)", Dtmf_Encode_Row + 10}, {"Text_tx_Encode(11)", Dtmf_Encode_Row + 11},
    {"Text_tx_Encode(12)", Dtmf_Encode_Row + 12}, {"Text_tx_Encode(13)", Dtmf_Encode_Row + 13},
    {"Text_tx_Encode(14)", Dtmf_Encode_Row + 14}, {"Text_XC", Dtmf_Inspection_Row},
    {"Text_JT", Dtmf_Monitor_Row},                {"Text_BJ", Dtmf_Alarm_Row},
    {"Text_YY", Dtmf_Stun_Row},                   {"Text_YB", Dtmf_Kill_Row},
    {"Text_KJ", Dtmf_Revive_Row},                 {"Text_MID", Dtmf_Master_Row},
    {"Text_SID", Dtmf_Vice_Row},
};

namespace {
constexpr int Code_Max = 16;  // digits a code row holds
}

Key_Filter Dtmf_Code_Filter() {
  Key_Filter f;
  f.allowed = QStringLiteral("0123456789ABCDabcd*#");
  f.max_chars = Code_Max;
  f.backspace = Key_Filter::Backspace::Refused;
  f.enter_passes = true;
  return f;
}

void Dtmf_Code_KeyPress(int& key, const QString& text) {
  if (key == 13 && text.trimmed().size() >= Code_Max) key = 0;
}

QString Dtmf_Code_Text(int row) {
  QString out;
  for (int c = 0; c < 16; ++c) out += Dtmf_b2c(Img_Byte(row, c));
  return out;
}

const Dtmf_List Dtmf_Lists[Dtmf_List_Count] = {
    {"Combo_Enc_ys1", Dtmf_Timing_Row, Dtmf_On_Time, false},
    {"Combo_Enc_ys2", Dtmf_Timing_Row, Dtmf_Off_Time, false},
    {"Combo_Dec_qh", Dtmf_Settings_Row, Dtmf_Group_Code, true},
    {"Combo_Dec_Space_Code", Dtmf_Settings_Row, Dtmf_Space_Code, true},
    {"Combo_Dec_Proc_Ys", Dtmf_Settings_Row, Dtmf_Delay_Time, false},
    {"Combo_Dec_Res_Time", Dtmf_Settings_Row, Dtmf_Reset_Time, false},
};

QStringList Dtmf_List_Items(Dtmf_List_Id id) {
  QStringList out;
  auto steps = [&out](int from, int step, int to) {
    for (int t = from; t <= to; t += step) out << QString::number(t);
  };
  switch (id) {
    case Enc_On:
    case Enc_Off: steps(50, 10, 2000); break;  // 196 items
    case Dec_Group:
    case Dec_Space: out << "*" << "#" << "A" << "B" << "C" << "D"; break;
    case Dec_Delay: steps(100, 100, 4000); break;   // 40 items
    case Dec_Reset: steps(100, 100, 20000); break;  // 200 items
    default: break;
  }
  return out;
}

int List_Pick(int byte, int count) { return byte > count - 1 ? count - 1 : byte; }

void Dtmf_Bit_Put(const Dtmf_Bit& bit, bool set) {
  const int v = Img_Byte(Dtmf_Settings_Row, bit.byte);
  Img_Set(Dtmf_Settings_Row, bit.byte, set ? (v | bit.mask) : (v & ~bit.mask & 0xFF));
}
