#pragma once
// Reading and comparing image rows in tests of the area routines.

#include <gtest/gtest.h>

#include <array>

#include "data/image_map.h"
#include "data/shared_state.h"

using Row16 = std::array<int, 16>;

// Columns 0..15 of a row of the memory image or of the alignment image.
inline Row16 Row16_Of(const Image_Row& row) {
  Row16 out{};
  for (int c = 0; c < 16; ++c) out[c] = row[c];
  return out;
}

inline Row16 Image_Row16(int r) { return Row16_Of(Radio_Image[r]); }

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

// Run on a start-up image, the routine writes nothing outside the area.
inline ::testing::AssertionResult Writes_Only(const Image_Area& area, void (*routine)()) {
  Image_Start();
  const Image_Table start = Radio_Image;
  routine();
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < Image_Cols; ++c)
      if ((r < area.first_row || r > area.last_row || c == 16) && Radio_Image[r][c] != start[r][c])
        return ::testing::AssertionFailure() << "row " << r << " column " << c << " written";
  return ::testing::AssertionSuccess();
}

// A default routine that owns a whole area: run after a read has filled the
// area with other bytes, it gives back exactly the start-up content there and
// leaves the rows on either side alone.
inline ::testing::AssertionResult Default_Restores(const Image_Area& area, void (*routine)()) {
  if (auto only = Writes_Only(area, routine); !only) return only;
  Image_Start();
  routine();
  const Image_Table fresh = Radio_Image;
  for (int r = area.first_row; r <= area.last_row; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r * 7 + c) % 256);
  Radio_Image[area.first_row - 1][0] = 0x12;
  Radio_Image[area.last_row + 1][15] = 0x34;
  routine();
  if (Radio_Image[area.first_row - 1][0] != 0x12 || Radio_Image[area.last_row + 1][15] != 0x34)
    return ::testing::AssertionFailure() << "a row next to the area changed";
  Radio_Image[area.first_row - 1][0] = Radio_Image[area.last_row + 1][15] = 255;
  return Same_Image(Radio_Image, fresh);
}
