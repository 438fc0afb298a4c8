#include "data/tone5_tables.h"

#include <cmath>

#include "data/shared_state.h"

std::array<std::array<QString, 16>, 16> Freq_Text;
Tone5_Table Tone5_FreqLo, Tone5_FreqHi, Tone5_CodeLo, Tone5_CodeHi;

namespace {
const char* const kStdNames[Tone5_Std_Count] = {
    "CCIR1", "CCIR2", "PCCIR", "ZVEI1", "ZVEI2", "ZVEI3", "PZVEI", "DZVEI",
    "PDZVEI", "EEA", "EIA", "EURO", "CCITT", "NATEL", "MODAT",
};

constexpr double kFreq[Tone5_Std_Count][16] = {
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1050, 930, 2400, 991, 2110, 0},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2800, 810, 970, 885, 2600, 680},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 885, 810, 740, 680, 970, 2600},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 885, 0, 0, 0, 2400, 0},
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 970, 810, 2800, 885, 2600, 680},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 825, 740, 2600, 885, 2400, 680},
    {2200, 970, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 825, 886, 2600, 856, 2400, 0},
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1055, 930, 2400, 991, 2110, 2247},
    {600, 741, 882, 1023, 1164, 1305, 1446, 1587, 1728, 1869, 2151, 2433, 2010, 2292, 459, 1091},
    {979.8, 903.1, 832.5, 767.4, 707.4, 652.0, 601.0, 554.0, 510.7, 470.8, 0, 0, 0, 0, 1062.9, 0},
    {400, 697, 770, 852, 941, 1209, 1335, 1477, 1633, 1800, 1900, 2000, 2100, 2200, 2300, 0},
    {1633, 631, 697, 770, 852, 941, 1040, 1209, 1336, 1477, 1995, 571, 2205, 2437, 1805, 2694},
    {637.5, 787.5, 937.5, 1087.5, 1237.5, 1387.5, 1537.5, 1687.5, 1837.5, 1987.5, 0, 0, 0, 0, 487.5, 0},
};

void Copy_Rows(const Tone5_Table& table, int first_row) {
  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int d = 0; d < 16; ++d) Radio_Image[first_row + s][d] = table[s][d];
}
}  // namespace

double Tone5_Freq(int s, int d) {
  if (s < 0 || s >= Tone5_Std_Count || d < 0 || d > 15) return 0.0;
  return kFreq[s][d];
}

void Tone5_Tables() {
  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int d = 0; d < 16; ++d) {
      const double hz = kFreq[s][d];
      Freq_Text[s][d] = ("   " + QString::number(hz, 'f', 1)).leftJustified(11, ' ');
      const int f = static_cast<int>(std::floor(hz));
      Tone5_FreqLo[s][d] = static_cast<int16_t>(f % 256);
      Tone5_FreqHi[s][d] = static_cast<int16_t>(f / 256);
    }
  Copy_Rows(Tone5_FreqLo, Tone5_FreqLo_Row);
  Copy_Rows(Tone5_FreqHi, Tone5_FreqHi_Row);

  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int d = 0; d < 16; ++d) {
      const int f = 256 * Tone5_FreqHi[s][d] + Tone5_FreqLo[s][d];
      // Rounded down, unlike the 2-tone divider, which rounds to nearest.
      const int code = f > 0 ? static_cast<int>(std::floor(Tone5_Clock / f)) : 0;
      Tone5_CodeHi[s][d] = static_cast<int16_t>(code / 256);
      Tone5_CodeLo[s][d] = static_cast<int16_t>(code % 256);
    }
  Copy_Rows(Tone5_CodeLo, Tone5_CodeLo_Row);
  Copy_Rows(Tone5_CodeHi, Tone5_CodeHi_Row);
}

int16_t Std_Index(QString& name) {
  name = name.trimmed();
  for (int s = 0; s < Tone5_Std_Count; ++s)
    if (name == QLatin1String(kStdNames[s])) return static_cast<int16_t>(s);
  return 255;
}

QString Std_Name(int16_t index) {
  if (index < 0 || index >= Tone5_Std_Count) return QString();
  return QString::fromLatin1(kStdNames[index]);
}
