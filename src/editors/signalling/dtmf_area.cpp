#include "editors/signalling/dtmf_area.h"

#include "data/image_map.h"
#include "editors/factory_codes.h"
#include "editors/signalling/digit_codes.h"

void Dtmf_RowPut(int row, const QString& code) {
  if (row < Dtmf_Area.first_row || row > Dtmf_Area.last_row) return;
  const QString t = code.trimmed();
  for (int c = 0; c < 16; ++c) Radio_Image[row][c] = 255;
  for (int i = 0; i < t.size() && i < 16; ++i) Img_Set(row, i, Dtmf_c2b(t.mid(i, 1)));
}

void Dtmf_Default() {
  for (int r = Dtmf_Area.first_row; r <= Dtmf_Area.last_row; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 255;

  Dtmf_RowPut(Dtmf_Encode_Row + 0, "20202");
  Dtmf_RowPut(Dtmf_Encode_Row + 14, "30303");
  Radio_Image[Dtmf_Timing_Row][Dtmf_On_Time] = 3;   // 80 ms
  Radio_Image[Dtmf_Timing_Row][Dtmf_Off_Time] = 3;  // 80 ms

  Dtmf_RowPut(Dtmf_Inspection_Row, Factory::Dtmf_Inspection);
  Dtmf_RowPut(Dtmf_Monitor_Row, Factory::Dtmf_Monitor);
  Dtmf_RowPut(Dtmf_Alarm_Row, Factory::Dtmf_Alarm);
  Dtmf_RowPut(Dtmf_Stun_Row, Factory::Dtmf_Stun);
  Dtmf_RowPut(Dtmf_Kill_Row, Factory::Dtmf_Kill);
  Dtmf_RowPut(Dtmf_Revive_Row, Factory::Dtmf_Revive);
  Dtmf_RowPut(Dtmf_Master_Row, Factory::Dtmf_Master_Id);
  Dtmf_RowPut(Dtmf_Vice_Row, Factory::Dtmf_Vice_Id);

  // ID control on; master holds all five rights, vice inspection and monitor;
  // receive and transmit enabled; group "*", space "#"; delay 500 ms; reset 16000 ms.
  constexpr int kSettings[8] = {1, 0x1F, 0x03, 0, 14, 15, 4, 159};
  for (int c = 0; c < 8; ++c) Radio_Image[Dtmf_Settings_Row][c] = static_cast<int16_t>(kSettings[c]);
}
