#pragma once
// Reading and comparing image rows in tests of the area routines.

#include <gtest/gtest.h>

#include <array>

#include "data/image_map.h"
#include "data/shared_state.h"

using Row16 = std::array<int, 16>;

inline Row16 Image_Row16(int r) {
  Row16 out{};
  for (int c = 0; c < 16; ++c) out[c] = Radio_Image[r][c];
  return out;
}

inline Row16 Row_Of(int value) {
  Row16 out;
  out.fill(value);
  return out;
}

// Sets bytes 0..15 of a row, as a read or a file load would; column 16 stays.
inline void Fill16(int r, int value) {
  for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>(value);
}

// A start-up image: everything 0xFF.
inline void Image_Start() {
  Shared_Reset();
  Image_Fill();
}

// Two images equal in every element; a failure names the first element that differs.
inline ::testing::AssertionResult Same_Image(const Image_Table& got, const Image_Table& want) {
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < Image_Cols; ++c)
      if (got[r][c] != want[r][c])
        return ::testing::AssertionFailure() << "row " << r << " column " << c << ": " << got[r][c]
                                             << " instead of " << want[r][c];
  return ::testing::AssertionSuccess();
}
