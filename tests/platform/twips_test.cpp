#include <gtest/gtest.h>

#include "platform/twips.h"

TEST(Twips, ScreenOverrideGivesTwipsAtFifteenPerPixel) {
  Screen_Set_Size_Px(QSize(1280, 800));
  EXPECT_DOUBLE_EQ(Screen_Width_Twips(), 19200);
  EXPECT_DOUBLE_EQ(Screen_Height_Twips(), 12000);
  Screen_Set_Size_Px(QSize(1024, 768));
  EXPECT_DOUBLE_EQ(Screen_Width_Twips(), 15360);
  Screen_Set_Size_Px(QSize());
  EXPECT_GT(Screen_Width_Twips(), 0);
}
