#include <gtest/gtest.h>

#include <cstring>

#include "data/shared_state.h"
#include "editors/image_rows.h"
#include "editors/alignment/adj_area.h"
#include "editors/factory_codes.h"

namespace {
Row16 Default_Row(int r) { return Row16_Of(Adj_Default[r]); }
}  // namespace

TEST(AdjDefaultFill, FactoryTable) {
  Shared_Reset();
  Adj_DefaultFill();
  EXPECT_EQ(Sql_Rows, (std::array<int16_t, 8>{8, 10, 12, 14, 9, 11, 13, 15}));
  struct Case { int row; Row16 cells; } cases[] = {
      {0, Row_Of(60)}, {3, Row_Of(63)}, {4, Row_Of(30)}, {7, Row_Of(15)},
      {8, {38, 35, 36, 37, 38, 39, 41, 43, 45, 48, 48, 48, 48, 48, 48, 48}},
      {14, {38, 31, 32, 33, 34, 35, 36, 37, 39, 41, 41, 41, 41, 41, 41, 41}},
      {9, {8, 8, 8, 5, 5, 5, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0}},
      {15, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {16, {60, 21, 16, 9, 15, 15, 15, 12, 12, 2, 2, 2, 3, 50, 0, 0}},
      {24, {1, 3, 6, 1, 7, 9, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {25, {1, 3, 6, 1, 7, 9, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {26, {4, 0, 0, 4, 8, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      {27, {4, 0, 0, 4, 8, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(Default_Row(c.row), c.cells) << "row " << c.row;
  for (int r : {17, 20, 23, 28, 29, 30, 32}) EXPECT_EQ(Default_Row(r), Row_Of(0)) << "row " << r;

  // Row 31: two six-digit passwords as character codes, cells 12..15 zero.
  ASSERT_EQ(std::strlen(Factory::Adj_User_Password), 6u);
  ASSERT_EQ(std::strlen(Factory::Adj_Super_Password), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Adj_Default[31][i], Factory::Adj_User_Password[i]);
    EXPECT_EQ(Adj_Default[31][6 + i], Factory::Adj_Super_Password[i]);
  }
  for (int c = 0; c < 12; ++c) EXPECT_TRUE(Adj_Default[31][c] >= '0' && Adj_Default[31][c] <= '9');
  for (int c = 12; c <= 16; ++c) EXPECT_EQ(Adj_Default[31][c], 0);
  for (int r = 0; r < Adj_Rows; ++r) EXPECT_EQ(Adj_Default[r][16], 0) << "column 16, row " << r;
}

TEST(AdjDefaultFill, RepeatableAndLeavesTheImageAlone) {
  Shared_Reset();
  Adj_DefaultFill();
  const Adj_Table once = Adj_Default;
  Adj_Default[20][5] = 99;   // nothing else writes the table, but a fill must not depend on it
  Adj_Default[24][10] = 7;
  Sql_Rows.fill(0);
  Adj_Image[3][3] = 42;
  Adj_DefaultFill();
  EXPECT_EQ(Adj_Default, once);
  EXPECT_EQ(Sql_Rows[7], 15);
  EXPECT_EQ(Adj_Image[3][3], 42);
  EXPECT_EQ(Adj_Image[0][0], 0);
}

TEST(PasswordCodes, ChrAllowed) {
  struct Case { int code; const char* text; } cases[] = {
      {48, "0"}, {57, "9"}, {65, "A"}, {90, "Z"}, {43, "+"}, {45, "-"}, {32, " "},
      {97, ""},  {122, ""}, {0, ""},   {11, ""}, {47, ""},  {58, ""},  {64, ""}, {91, ""}, {255, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Chr_Allowed(static_cast<uint8_t>(c.code)), QString(c.text)) << c.code;
}

TEST(PasswordCodes, AscAllowed) {
  struct Case { const char* ch; int code; } cases[] = {
      {"0", 48}, {"9", 57}, {"A", 65}, {"Z", 90}, {"a", 65}, {"z", 90}, {"+", 43}, {"-", 45},
      {" ", 32}, {"*", 11}, {"", 11},  {"AB", 11}, {"12", 11}, {".", 11}, {"@", 11}, {"[", 11},
  };
  for (const auto& c : cases) EXPECT_EQ(Asc_Allowed(c.ch), c.code) << '"' << c.ch << '"';
  EXPECT_EQ(Asc_Allowed(QString::fromUtf8("中")), 11);
  // A refused character vanishes when shown again; an allowed one survives.
  EXPECT_TRUE(Chr_Allowed(Asc_Allowed("*")).isEmpty());
  EXPECT_EQ(Chr_Allowed(Asc_Allowed("q")), "Q");
}
