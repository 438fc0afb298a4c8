#include <gtest/gtest.h>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"

namespace {
using Row16 = std::array<int, 16>;
Row16 Row(int r) {
  Row16 out{};
  for (int c = 0; c < 16; ++c) out[c] = Radio_Image[r][c];
  return out;
}

void Start_Like_The_Program() {
  Shared_Reset();
  Opt_PosInit();
  Image_Fill();
  Opt_Default();
}
}  // namespace

TEST(OptPositions, MembersAndCount) {
  Shared_Reset();
  Opt_PosInit();
  EXPECT_EQ(Opt_Pos_Sql, 0x02);
  EXPECT_EQ(Opt_Pos_Killed_En, 0x3D);
  EXPECT_EQ(Opt_Pos_66, 0x66);
  EXPECT_EQ(Opt_Pos_83, 0x83);
  EXPECT_EQ(Opt_Pos_85, 0x85);
  EXPECT_EQ(Opt_Pos_ANI, 0xD0);
  EXPECT_EQ(Opt_Pos_PttId_Begin, 0xE0);
  EXPECT_EQ(Opt_Pos_PttId_End, 0xF0);
  int count = 0;
#define CV_COUNT(name, pos, def) ++count;
  CV_OPT_POSITIONS(CV_COUNT)
#undef CV_COUNT
  EXPECT_EQ(count, Opt_Pos_Count);
}

TEST(OptDefault, StartUpRows) {
  Start_Like_The_Program();
  Row16 r224 = {0x00, 0x03, 0x05, 0x00, 0x00, 0x03, 0x00, 0x00,
                0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00};
  Row16 r225 = {1, 0, 0, 0, 0, 5, 0, 2, 1, 1, 0, 0, 0, 0, 0, 5};
  Row16 r226 = {5, 0, 0, 4, 5, 4, 6, 3, 0, 0, 0, 0, 0, 2, 2, 0};
  Row16 r227 = {0x0A, 0x01, 0x05, 0x00, 0x0A, 0x00, 0x01, 0x01,
                0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
  Row16 r237 = {8, 0, 8, 0, 8, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  Row16 r238 = {1, 2, 3, 4, 5, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  Row16 r239 = {9, 8, 7, 6, 5, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  EXPECT_EQ(Row(224), r224);
  EXPECT_EQ(Row(225), r225);
  EXPECT_EQ(Row(226), r226);
  EXPECT_EQ(Row(227), r227);
  EXPECT_EQ(Row(237), r237);
  EXPECT_EQ(Row(238), r238);
  EXPECT_EQ(Row(239), r239);

  // Positions without a default become 0x00 because the working copy starts zeroed.
  Row16 zero{};
  for (int r = 228; r <= 231; ++r) EXPECT_EQ(Row(r), zero) << r;
  Row16 r232{};
  r232[4] = 0x1F;
  r232[5] = 0x01;
  EXPECT_EQ(Row(232), r232);
  for (int r = 233; r <= 236; ++r) EXPECT_EQ(Row(r), zero) << r;
}

TEST(OptDefault, VfoRowsAndPowerOnText) {
  Start_Like_The_Program();
  struct Case { int row; Row16 bytes; } cases[] = {
      {240, {1, 3, 6, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0}},
      {241, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255}},
      {242, {1, 4, 5, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0}},
      {243, {0, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255}},
      {244, {4, 5, 0, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0}},
      {245, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255}},
      {246, {4, 6, 0, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0}},
      {247, {0, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255}},
      {254, {32, 77, 111, 100, 101, 108, 58, 'C', 'V', '-', 'R', '4', '7', 'X', 32, 255}},
  };
  for (const auto& c : cases) EXPECT_EQ(Row(c.row), c.bytes) << "row " << c.row;
  Row16 ff;
  ff.fill(255);
  for (int r : {248, 249, 250, 251, 252, 253, 255}) EXPECT_EQ(Row(r), ff) << r;
}

TEST(OptDefault, DefaultButtonKeepsPositionsWithoutADefault) {
  Start_Like_The_Program();
  // As if the editor had shown data read from the radio.
  for (int i = 0; i <= 255; ++i) Opt_Bytes[i] = 0x42;
  Opt_Default();
  EXPECT_EQ(Opt_Bytes[0x35], 0);  // the power-on-key list's byte has the default 0
  EXPECT_EQ(Opt_Bytes[0x40], 0x42);
  EXPECT_EQ(Opt_Bytes[0x70], 0x42);
  EXPECT_EQ(Opt_Bytes[0xCF], 0x42);
  EXPECT_EQ(Opt_Bytes[0x02], 5);
  EXPECT_EQ(Opt_Bytes[0xD5], 255);
  EXPECT_EQ(Radio_Image[227][5], 0);
  EXPECT_EQ(Radio_Image[227][14], 0x42);
  EXPECT_EQ(Radio_Image[224][2], 5);
}
