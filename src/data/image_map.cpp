#include "image_map.h"

void Image_Fill() {
  for (int r = 0; r < Image_Rows; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = 255;
}
