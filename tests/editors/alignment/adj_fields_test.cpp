// The alignment editor's field rules without a window.
#include <gtest/gtest.h>

#include "data/shared_state.h"
#include "editors/alignment/adj_area.h"
#include "editors/alignment/adj_fields.h"
#include "editors/image_rows.h"
#include "link/link_engine.h"
#include "link/adj_link.h"

TEST(AdjValueCheck, DigitsOnlyWithinTheFamilyRange) {
  struct Case { const char* text; int max; Value_Verdict want; int value; } cases[] = {
      {"", 63, Value_Verdict::Ok, 0},        {"0", 63, Value_Verdict::Ok, 0},
      {"63", 63, Value_Verdict::Ok, 63},     {"64", 63, Value_Verdict::Out_Of_Range, 64},
      {"100", 100, Value_Verdict::Ok, 100},  {"101", 100, Value_Verdict::Out_Of_Range, 101},
      {"10", 10, Value_Verdict::Ok, 10},     {"11", 10, Value_Verdict::Out_Of_Range, 11},
      {"007", 100, Value_Verdict::Ok, 7},    {"  12 ", 63, Value_Verdict::Ok, 12},
      {"-1", 63, Value_Verdict::Bad_Char, 0}, {"1.5", 63, Value_Verdict::Bad_Char, 1},
      {"1 2", 63, Value_Verdict::Bad_Char, 1}, {"a", 63, Value_Verdict::Bad_Char, 0},
      {"6a", 63, Value_Verdict::Bad_Char, 6},
      // Far more digits than any int holds: out of range, never wrapped into range.
      {"99999999999999999999", 63, Value_Verdict::Out_Of_Range, 2147483647},
      {"00000000000000000005", 10, Value_Verdict::Ok, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Value_Check(c.text, c.max), c.want) << '"' << c.text << '"';
    EXPECT_EQ(Value_Of(c.text), c.value) << '"' << c.text << '"';
  }
  EXPECT_EQ(Value_Restore(60, 63), 60);
  EXPECT_EQ(Value_Restore(200, 63), 63) << "a restore can never fail the check again";
  EXPECT_EQ(QString::fromUtf8(Family_Info(Adj_Family::Tx_Power).message), QString::fromUtf8(" 输入数字范围为 0 - 63 ！"));
  EXPECT_EQ(QString::fromUtf8(Family_Info(Adj_Family::Sql_Level).message), QString::fromUtf8(" 输入数字范围为 0 - 100 ！"));
  EXPECT_EQ(QString::fromUtf8(Family_Info(Adj_Family::Sql_Offset).message), QString::fromUtf8(" 输入数字范围为 0 - 10 ！"));
}

TEST(AdjValueRow, PowerRowFollowsThePageSquelchRowsTheTable) {
  Shared_Reset();
  Adj_DefaultFill();
  EXPECT_EQ(Value_Row(Adj_Family::Tx_Power, 2, 0), 2);
  EXPECT_EQ(Value_Row(Adj_Family::Tx_Power, 2, 1), 6);
  EXPECT_EQ(Value_Row(Adj_Family::Sql_Level, 3, 2), 14);
  EXPECT_EQ(Value_Row(Adj_Family::Sql_Offset, 0, 2), 9);
}

TEST(AdjLimits, ChecksOfLeavingABox) {
  using V = Limit_Verdict;
  struct Case { bool upper; double own, other; int fmin, fmax; V want; } cases[] = {
      {true, 179, 136, 130, 179, V::Ok},                  // the highest accepted
      {true, 180, 136, 130, 179, V::Upper_Above_Max},
      {true, 136, 136, 130, 179, V::Ok},                  // equal limits
      {true, 135, 136, 130, 179, V::Upper_Below_Lower},
      {true, 0, 136, 130, 179, V::Upper_Below_Lower},     // an emptied box
      {true, 120, 0, 130, 179, V::Upper_Below_Lower},     // below the band, whatever the lower box holds
      {true, 179.5, 136, 130, 179, V::Upper_Above_Max},
      {false, 130, 179, 130, 179, V::Ok},                 // the lowest accepted
      {false, 129, 179, 130, 179, V::Lower_Below_Min},
      {false, 0, 179, 130, 179, V::Lower_Below_Min},      // an emptied box
      {false, 180, 179, 130, 179, V::Lower_Above_Upper},
      {false, 525, 2555, 400, 520, V::Lower_Above_Upper}, // above the band, whatever the upper box holds
      {false, 400, 520, 400, 520, V::Ok},
      {false, -5, 480, 400, 520, V::Lower_Below_Min},
  };
  for (const auto& c : cases) {
    const V got = c.upper ? Upper_Check(c.own, c.other, c.fmin, c.fmax)
                          : Lower_Check(c.own, c.other, c.fmin, c.fmax);
    EXPECT_EQ(got, c.want) << (c.upper ? "upper " : "lower ") << c.own << " / " << c.other;
  }
}

TEST(AdjLimits, NumbersDigitsAndTexts) {
  struct Num { const char* text; double v; } nums[] = {
      {" 136", 136}, {"1 45", 145}, {"15ab", 15}, {"", 0}, {"abc", 0}, {"150.7", 150.7}, {"-5", -5}};
  for (const auto& n : nums) EXPECT_DOUBLE_EQ(Limit_Number(n.text), n.v) << n.text;

  using D = std::optional<std::array<int16_t, 3>>;
  struct Dig { double v; int fmin, fmax; D want; } digs[] = {
      {136, 130, 179, D{{1, 3, 6}}},  {150.7, 130, 179, D{{1, 5, 0}}},  // a fraction is dropped
      {179, 130, 179, D{{1, 7, 9}}},  {520, 400, 520, D{{5, 2, 0}}},
      {129, 130, 179, std::nullopt},  {2555, 400, 520, std::nullopt},   // kept as it came
      {0, 130, 179, std::nullopt},    {179.2, 130, 179, std::nullopt},
  };
  for (const auto& d : digs) EXPECT_EQ(Limit_Digits(d.v, d.fmin, d.fmax), d.want) << d.v;

  struct Txt { int d0, d1, d2; const char* text; } txts[] = {
      {1, 3, 6, " 136"}, {4, 8, 0, " 480"}, {0, 0, 0, " 0"}, {25, 5, 5, " 2555"},
      {0, 14, 6, " 146"}, {255, 255, 255, " 28305"}, {256, 0, 0, ""}, {1, -1, 0, ""}};
  for (const auto& t : txts) EXPECT_EQ(Limit_Text(t.d0, t.d1, t.d2), QString(t.text)) << t.text;

  struct Key { const char* text; bool refused; } keys[] = {
      {"", false}, {" 136", false}, {"1360", true}, {" 13 ", false}, {"12345", true}, {"1 2 ", false}, {"1 2 3", true}};
  for (const auto& k : keys) EXPECT_EQ(Limit_Key_Refused(k.text), k.refused) << '"' << k.text << '"';
}

TEST(AdjPasswords, StoredCentredInSixCells) {
  constexpr int B = 32, R = Asc_Refused;
  struct Case { const char* text; int first; std::array<int, 6> cells; } cases[] = {
      {"", 0, {B, B, B, B, B, B}},
      {"12", 0, {B, B, '1', '2', B, B}},
      {"7", 0, {B, B, '7', B, B, B}},
      {"123", 0, {B, '1', '2', '3', B, B}},
      {"12345", 0, {'1', '2', '3', '4', '5', B}},
      {"1234567", 0, {'1', '2', '3', '4', '5', '6'}},  // the seventh is not stored
      {"  ab  ", 0, {B, B, 'A', 'B', B, B}},           // lower case as capitals, blanks at the ends dropped
      {"a b", 0, {B, 'A', R, 'B', B, B}},              // an inner blank stores 11
      {"x*", 0, {B, B, 'X', R, B, B}},
      {"7", 6, {B, B, '7', B, B, B}},                  // the super password: cell 8
  };
  for (const auto& c : cases) {
    Image_Row row{};
    row.fill(99);
    Password_Store(row, c.first, c.text);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(row[c.first + k], c.cells[k]) << '"' << c.text << "\" cell " << k;
    const int other = c.first == 0 ? 6 : 0;
    EXPECT_EQ(row[other], 99) << "the other password stays";
    EXPECT_EQ(row[12], 99);
  }
}

TEST(AdjPasswords, ShownFromTheirCells) {
  struct Case { std::array<int, 6> cells; const char* text; } cases[] = {
      {{32, 32, '1', '2', 32, 32}, "12 "},        // a blank in the last cell leaves one trailing blank
      {{'1', '2', '3', '4', '5', '6'}, "123456"},
      {{'1', 32, '2', 'A', 'B', 'C'}, "12ABC"},   // a blank between characters disappears
      {{'A', 'B', 11, 'C', 97, 0}, "ABC"},        // codes outside the set show nothing
      {{'A', 300, 'B', -1, 'C', 32}, "ABC "},     // nor cells that hold no byte value
      {{32, 32, 32, 32, 32, 32}, " "},
  };
  for (const auto& c : cases) {
    Image_Row row{};
    for (int k = 0; k < 6; ++k) row[6 + k] = static_cast<int16_t>(c.cells[k]);
    EXPECT_EQ(Password_Text(row, 6), QString(c.text));
  }
}

TEST(AdjLinkUnpack, DataTakenFromWhereTheReplyCheckFoundIt) {
  Shared_Reset();
  // Reply 2 with a leading 0x06 ('X' at 1), reply 3 without ('X' at 0), the rest as reply 2.
  for (int k = 2; k <= 9; ++k) {
    const int x = k == 3 ? 0 : 1;
    for (int j = 0; j < 71; ++j) Rx_Main[k][j] = 0xEE;
    if (x == 1) Rx_Main[k][0] = 0x06;
    Rx_Main[k][x] = 'X';
    Rx_Main[k][x + 1] = 0x3C;
    Rx_Main[k][x + 2] = 0x00;
    Rx_Main[k][x + 3] = 0x40;
    for (int j = 0; j < 64; ++j) Rx_Main[k][x + 4 + j] = static_cast<int16_t>((k * 64 + j) & 0xFF);
  }
  Adj_Image[32][0] = 7;
  Adj_Image[0][16] = 8;
  Adj_Read_Unpack();
  for (int i = 0; i < 512; ++i)
    ASSERT_EQ(Adj_Image[i / 16][i % 16], ((i / 64 + 2) * 64 + i % 64) & 0xFF) << "byte " << i;
  EXPECT_EQ(Adj_Image[32][0], 7) << "row 32 is not touched";
  EXPECT_EQ(Adj_Image[0][16], 8) << "column 16 is not touched";
}
