#pragma once
// Where each area lies in the memory image. Each editor owns the layout of
// its records; the image only fixes the rows.

#include <cstdint>

#include "shared_state.h"

struct Image_Area {
  int first_row;
  int last_row;
  constexpr int Rows() const { return last_row - first_row + 1; }
  constexpr int Radio_Address() const { return first_row * 16; }
};

constexpr Image_Area Chann_Area{0, 199};
constexpr Image_Area Opt_Block{224, 239};
constexpr Image_Area Vfo_Area{240, 247};
constexpr Image_Area Pon_Text{254, 254};
constexpr Image_Area Name_Area{256, 455};
constexpr Image_Area Tone5_Area{512, 607};
constexpr Image_Area Dtmf_Area{656, 687};
constexpr Image_Area Tone2_Area{720, 767};
constexpr Image_Area Fm_Area{768, 783};

// The start-up fill: rows 0..1024, columns 0..15 := 0xFF (column 16 stays as it is).
void Image_Fill();

// An image element as a radio byte. An element can hold anything a file put
// there; whatever it holds, what reaches a frame or a decoder is 0..255.
constexpr uint8_t Img_Byte(int16_t v) { return static_cast<uint8_t>(v & 0xFF); }
inline uint8_t Img_Byte(int row, int col) { return Img_Byte(Radio_Image[row][col]); }

// Sets one image element from any integer, keeping it a byte value.
inline void Img_Set(int row, int col, int value) {
  Radio_Image[row][col] = static_cast<int16_t>(value & 0xFF);
}
