#include "tone_table.h"

#include "shared_state.h"

const std::array<int, 50> Ctcss_Tenths = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

const std::array<int, 105> Dcs_Codes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,
    114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172,
    174, 205, 212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265,
    266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371,
    411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503,
    506, 516, 523, 526, 532, 546, 565, 606, 612, 624, 627, 631, 632, 645, 654, 662,
    664, 703, 712, 723, 731, 732, 734, 743, 754};

namespace {
QString Tenths_Text(int tenths) {
  return QString::number(tenths / 10) + "." + QString::number(tenths % 10);
}
QString Dcs_Digits(int code) { return QString("%1").arg(code, 3, 10, QChar('0')); }
}  // namespace

void Tone_Init() {
  Tone_Name[0] = "   OFF      ";
  for (int i = 1; i <= 50; ++i) {
    const QString v = Tenths_Text(Ctcss_Tenths[i - 1]);
    if (i <= 9)
      Tone_Name[i] = "   " + v + "    ";
    else if (i <= 12)
      Tone_Name[i] = "  " + v + "    ";
    else
      Tone_Name[i] = "  " + v + "   ";
  }
  for (int i = 51; i <= 155; ++i) {
    const QString d = Dcs_Digits(Dcs_Codes[i - 51]);
    Tone_Name[i] = (i <= 99 ? "  D" : " D") + d + "N   ";
    Tone_Name[i + 105] = " D" + d + "I   ";
  }
}

void Band_Init() {
  Band_Names[0] = "VHF0/UHF0";
  Band_Names[1] = "VHF1/UHF1";
  Band_Names[2] = "VHF2/UHF2";
  static constexpr int16_t rows[7][4] = {
      {130, 179, 400, 520}, {136, 174, 240, 250}, {144, 146, 430, 440}, {400, 471, 0, 0},
      {450, 521, 0, 0},     {100, 701, 0, 0},     {66, 89, 0, 0}};
  for (int v = 0; v < 7; ++v)
    for (int c = 0; c < 4; ++c) Band_Table[v][c] = rows[v][c];
}
