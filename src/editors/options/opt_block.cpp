#include "opt_block.h"

#include "data/shared_state.h"

namespace {
constexpr int Block_Row = 224;

void Block_Commit() {
  for (int k = 0; k <= 255; ++k) Radio_Image[Block_Row + k / 16][k % 16] = Opt_Bytes[k];
}
}  // namespace

void Opt_Block_Load() {
  for (int k = 0; k <= 255; ++k)
    Opt_Bytes[k] = static_cast<int16_t>(Opt_Cell_Byte(Radio_Image[Block_Row + k / 16][k % 16]));
}

void Opt_Block_Store(int pos, int value) {
  if (pos < 0 || pos > 255) return;
  Opt_Block_Load();
  Opt_Bytes[pos] = static_cast<int16_t>(value & 0xFF);
  Block_Commit();
}

void Opt_Block_Store_Run(int pos, const uint8_t* bytes, int n) {
  Opt_Block_Load();
  for (int i = 0; i < n && pos + i <= 255; ++i) {
    if (pos + i < 0) continue;
    Opt_Bytes[pos + i] = bytes[i];
  }
  Block_Commit();
}
