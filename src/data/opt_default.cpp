#include "opt_default.h"

#include <cstring>

#include "opt_positions.h"
#include "shared_state.h"

const char* const Model_Name = "CV-R47X";

void Opt_Default() {
  // 1. Every setting that has a default. Settings without one keep what
  //    Opt_Bytes holds: 0 at start-up, the editor's last values afterwards.
#define CV_OPT_SET(name, pos, def) \
  if ((def) >= 0) Opt_Bytes[name] = (def);
  CV_OPT_POSITIONS(CV_OPT_SET)
#undef CV_OPT_SET

  // 2. and 3. The DTMF codes: all empty, then the three default codes.
  for (int i = 0xD0; i <= 0xFF; ++i) Opt_Bytes[i] = 255;
  static constexpr int16_t ani[] = {8, 0, 8, 0, 8};
  static constexpr int16_t ptt_begin[] = {1, 2, 3, 4, 5};
  static constexpr int16_t ptt_end[] = {9, 8, 7, 6, 5};
  for (int i = 0; i < 5; ++i) {
    Opt_Bytes[Opt_Pos_ANI + i] = ani[i];
    Opt_Bytes[Opt_Pos_PttId_Begin + i] = ptt_begin[i];
    Opt_Bytes[Opt_Pos_PttId_End + i] = ptt_end[i];
  }

  // 4. The whole working copy into the image.
  for (int i = 0; i <= 255; ++i) Radio_Image[224 + i / 16][i % 16] = Opt_Bytes[i];

  // 5. The VFO records: frequency rows in full, parameter rows columns 0..11.
  static constexpr int16_t freq_rows[4][16] = {
      {1, 3, 6, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0},
      {1, 4, 5, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0},
      {4, 5, 0, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0},
      {4, 6, 0, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0}};
  static constexpr int16_t signalling_code[4] = {0, 14, 0, 14};
  for (int v = 0; v < 4; ++v) {
    auto& f = Radio_Image[240 + 2 * v];
    auto& p = Radio_Image[241 + 2 * v];
    for (int c = 0; c < 16; ++c) f[c] = freq_rows[v][c];
    for (int c = 0; c <= 11; ++c) p[c] = 0;
    p[4] = signalling_code[v];
  }

  // 6. The power-on text " Model:CV-R47X ", columns 0..14.
  QByteArray text = QByteArray(" Model:") + Model_Name + " ";
  for (int c = 0; c < text.size() && c < 15; ++c)
    Radio_Image[254][c] = static_cast<unsigned char>(text[c]);
}
