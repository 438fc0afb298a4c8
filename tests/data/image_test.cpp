#include <gtest/gtest.h>

#include "data/image_map.h"
#include "data/shared_state.h"

TEST(Image, FillSetsEveryRadioByteAndLeavesColumn16) {
  Shared_Reset();
  Image_Fill();
  for (int r = 0; r < Image_Rows; ++r) {
    for (int c = 0; c < 16; ++c) ASSERT_EQ(Radio_Image[r][c], 255) << r << "," << c;
    ASSERT_EQ(Radio_Image[r][16], 0) << r;
  }
}

TEST(Image, AnyElementBecomesAByte) {
  struct Case { int16_t in; int out; } cases[] = {{0, 0}, {255, 255}, {256, 0}, {300, 44}, {-1, 255}, {-32768, 0}};
  for (auto c : cases) EXPECT_EQ(Img_Byte(c.in), c.out) << c.in;
  Img_Set(5, 3, 1000);
  EXPECT_EQ(Radio_Image[5][3], 1000 & 0xFF);
}

TEST(Image, AreaMapRowsAndAddresses) {
  EXPECT_EQ(Chann_Area.Rows(), 200);
  EXPECT_EQ(Name_Area.Radio_Address(), 0x1000);
  EXPECT_EQ(Tone5_Area.Radio_Address(), 0x2000);
  EXPECT_EQ(Dtmf_Area.Radio_Address(), 0x2900);
  EXPECT_EQ(Tone2_Area.Radio_Address(), 0x2D00);
  EXPECT_EQ(Fm_Area.Radio_Address(), 0x3000);
  EXPECT_EQ(Pon_Text.Radio_Address(), 0x0FE0);
}
