#include <gtest/gtest.h>

#include <cstring>

#include "editors/image_rows.h"
#include "data/image_map.h"
#include "editors/factory_codes.h"
#include "editors/signalling/digit_codes.h"
#include "editors/signalling/dtmf_area.h"

namespace {
constexpr int F = 0xFF;

// A code row is the codes of its digits from byte 0, 0xFF after them.
Row16 Code_Row(const char* digits) {
  Row16 out = Row_Of(F);
  for (int i = 0; digits[i] != '\0'; ++i) out[i] = digits[i] - '0';
  return out;
}
}  // namespace

TEST(DtmfDefault, FactoryRows) {
  Image_Start();
  Dtmf_Default();
  struct Case { int row; Row16 bytes; } cases[] = {
      {656, {2, 0, 2, 0, 2, F, F, F, F, F, F, F, F, F, F, F}},
      {670, {3, 0, 3, 0, 3, F, F, F, F, F, F, F, F, F, F, F}},
      {671, {3, 3, F, F, F, F, F, F, F, F, F, F, F, F, F, F}},
      {687, {0x01, 0x1F, 0x03, 0x00, 0x0E, 0x0F, 0x04, 0x9F, F, F, F, F, F, F, F, F}},
      {672, Code_Row(Factory::Dtmf_Inspection)},
      {677, Code_Row(Factory::Dtmf_Revive)},
      {685, Code_Row(Factory::Dtmf_Master_Id)},
      {686, Code_Row(Factory::Dtmf_Vice_Id)},
  };
  for (const auto& c : cases) EXPECT_EQ(Image_Row16(c.row), c.bytes) << "row " << c.row;
  for (int r = 657; r <= 669; ++r) EXPECT_EQ(Image_Row16(r), Row_Of(F)) << "empty encode row " << r;
  for (int r = 678; r <= 684; ++r) EXPECT_EQ(Image_Row16(r), Row_Of(F)) << "unused row " << r;
}

TEST(DtmfDefault, FactoryCodesHaveTheirFixedForm) {
  struct Case { int row; const char* code; int digits; } cases[] = {
      {672, Factory::Dtmf_Inspection, 3}, {673, Factory::Dtmf_Monitor, 3},
      {674, Factory::Dtmf_Alarm, 3},      {675, Factory::Dtmf_Stun, 3},
      {676, Factory::Dtmf_Kill, 3},       {677, Factory::Dtmf_Revive, 3},
      {685, Factory::Dtmf_Master_Id, 5},  {686, Factory::Dtmf_Vice_Id, 5},
  };
  Image_Start();
  Dtmf_Default();
  for (const auto& c : cases) {
    ASSERT_EQ(static_cast<int>(std::strlen(c.code)), c.digits) << c.code;
    for (int i = 0; i < 16; ++i) {
      const int b = Radio_Image[c.row][i];
      if (i < c.digits)
        EXPECT_TRUE(b >= 0 && b <= 9) << "row " << c.row << " byte " << i;
      else
        EXPECT_EQ(b, F) << "row " << c.row << " byte " << i;
    }
  }
}

TEST(DtmfDefault, RestoresEveryByteOfTheAreaAndNothingElse) {
  EXPECT_TRUE(Default_Restores(Dtmf_Area, Dtmf_Default));
}

TEST(DtmfRowPut, CompactCodeRows) {
  struct Case { const char* text; Row16 bytes; } cases[] = {
      {"1a*", {1, 10, 14, F, F, F, F, F, F, F, F, F, F, F, F, F}},
      {" 12 ", {1, 2, F, F, F, F, F, F, F, F, F, F, F, F, F, F}},
      {"", Row_Of(F)},
      {"1 2", {1, 0, 2, F, F, F, F, F, F, F, F, F, F, F, F, F}},  // an inner blank codes as 0
      {"1E#", {1, 255, 15, F, F, F, F, F, F, F, F, F, F, F, F, F}},
      {"0123456789ABCD*#99", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
  };
  for (const auto& c : cases) {
    Image_Start();
    Fill16(674, 7);  // a longer code was there before
    Radio_Image[674][16] = 7;
    Dtmf_RowPut(674, c.text);
    EXPECT_EQ(Image_Row16(674), c.bytes) << c.text;
    EXPECT_EQ(Radio_Image[674][16], 7) << "column 16 untouched";
    EXPECT_EQ(Image_Row16(675), Row_Of(F)) << "next row untouched";
  }
  Radio_Image[700][0] = 5;
  Dtmf_RowPut(700, "123");
  EXPECT_EQ(Radio_Image[700][0], 5) << "rows outside the DTMF area are left alone";
}
