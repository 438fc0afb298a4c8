#include <gtest/gtest.h>

#include <cmath>

#include "data/tone5_tables.h"
#include "editors/image_rows.h"
#include "editors/signalling/tone2_area.h"
#include "editors/signalling/tone5_area.h"

namespace {
constexpr int F = 0xFF;
}  // namespace

TEST(Tone5Tables, WorkedEntries) {
  Image_Start();
  Tone5_Tables();
  struct Case { int s, d; const char* text; int flo, fhi, clo, chi; } cases[] = {
      {0, 0, "   1981.0  ", 0xBD, 7, 204, 19},     // 1981 Hz, 5068
      {11, 0, "   979.8   ", 211, 3, 15, 40},    // stored as 979; divider from 979: 10255
      {10, 14, "   459.0   ", 0xCB, 1, 113, 85}, // 21873
      {14, 0, "   637.5   ", 125, 2, 145, 61},   // 637 Hz, 15761
      {5, 11, "   0.0     ", 0, 0, 0, 0},        // no tone
      {3, 10, "   2800.0  ", 0xF0, 0x0A, 0x01, 0x0E},  // 3585, the smallest divider
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Freq_Text[c.s][c.d], QString(c.text)) << c.s << "/" << c.d;
    EXPECT_EQ(Radio_Image[512 + c.s][c.d], c.flo) << c.s << "/" << c.d;
    EXPECT_EQ(Radio_Image[528 + c.s][c.d], c.fhi) << c.s << "/" << c.d;
    EXPECT_EQ(Radio_Image[544 + c.s][c.d], c.clo) << c.s << "/" << c.d;
    EXPECT_EQ(Radio_Image[560 + c.s][c.d], c.chi) << c.s << "/" << c.d;
  }
}

TEST(Tone5Tables, EveryEntryIsTheFlooredDividerOfTheWholeHertz) {
  Image_Start();
  Tone5_Tables();
  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int d = 0; d < 16; ++d) {
      const int f = static_cast<int>(std::floor(Tone5_Freq(s, d)));
      const int stored_f = Radio_Image[512 + s][d] + 256 * Radio_Image[528 + s][d];
      const int code = Radio_Image[544 + s][d] + 256 * Radio_Image[560 + s][d];
      ASSERT_EQ(stored_f, f) << s << "/" << d;
      ASSERT_EQ(Freq_Text[s][d].size(), 11) << s << "/" << d;
      if (f == 0) {
        ASSERT_EQ(code, 0) << s << "/" << d;
        continue;
      }
      // code * f <= 10040000 < (code + 1) * f, in integers
      ASSERT_LE(static_cast<long>(code) * f, 10040000L) << s << "/" << d;
      ASSERT_GT(static_cast<long>(code + 1) * f, 10040000L) << s << "/" << d;
      for (int r : {512, 528, 544, 560}) ASSERT_LE(Radio_Image[r + s][d], 255);
    }
}

TEST(Tone5Tables, DividerFloorsWhereTheTwoToneDividerRounds) {
  // 1197 Hz: 10040000 / 1197 = 8387.63.
  Image_Start();
  Tone5_Tables();
  EXPECT_EQ(Radio_Image[544][2] + 256 * Radio_Image[560][2], 8387) << "CCIR1 digit 2";
  Tone2_FreqPut(Tone2_Tone_Page, 0, 0, 1197);
  EXPECT_EQ(Radio_Image[752][8] + 256 * Radio_Image[752][9], 8388);
}

TEST(Tone5Tables, RunsIdenticallyAndLeavesTheSixteenthRowsAlone) {
  Image_Start();
  for (int r : {527, 543, 559, 575}) Fill16(r, 0x5A);
  Radio_Image[511][0] = Radio_Image[576][0] = 0x66;
  Tone5_Tables();
  const Image_Table image = Radio_Image;
  const auto text = Freq_Text;
  const auto tables = std::array{Tone5_FreqLo, Tone5_FreqHi, Tone5_CodeLo, Tone5_CodeHi};
  // A read could have put anything into the table rows.
  for (int r = 512; r <= 574; ++r) Fill16(r, 0x01);
  for (int r : {527, 543, 559, 575}) Fill16(r, 0x5A);
  Tone5_Tables();
  EXPECT_TRUE(Same_Image(Radio_Image, image));
  EXPECT_EQ(Freq_Text, text);
  EXPECT_EQ((std::array{Tone5_FreqLo, Tone5_FreqHi, Tone5_CodeLo, Tone5_CodeHi}), tables);
  for (int r : {527, 543, 559, 575}) EXPECT_EQ(Image_Row16(r), Row_Of(0x5A)) << r;
  EXPECT_EQ(Radio_Image[511][0], 0x66);
  EXPECT_EQ(Radio_Image[576][0], 0x66);
  EXPECT_EQ(Tone5_FreqLo[15], (std::array<int16_t, 16>{})) << "standard 15 is never filled";
  EXPECT_TRUE(Freq_Text[15][0].isEmpty());
}

TEST(Tone5Standards, NamesAndIndexes) {
  struct Case { const char* name; int16_t index; } cases[] = {
      {"CCIR1", 0}, {"PDZVEI", 8}, {" EEA ", 9}, {"MODAT", 14},
      {"eea", 255}, {"", 255},     {"CCIR", 255}, {"CCIR12", 255},
  };
  for (const auto& c : cases) {
    QString name = c.name;
    EXPECT_EQ(Std_Index(name), c.index) << c.name;
    EXPECT_EQ(name, QString(c.name).trimmed()) << "trimmed in place";
  }
  for (int16_t s = 0; s < Tone5_Std_Count; ++s) {
    QString name = Std_Name(s);
    EXPECT_EQ(Std_Index(name), s);
  }
  for (int16_t bad : {15, 255, -1}) EXPECT_TRUE(Std_Name(bad).isEmpty()) << bad;
}

TEST(Tone5Default, FactoryRows) {
  Image_Start();
  Tone5_Default();
  const int period[Tone5_Std_Count] = {8, 5, 5, 5, 5, 5, 5, 5, 5, 2, 1, 8, 5, 5, 2};
  for (int s = 0; s < Tone5_Std_Count; ++s) {
    Row16 want = Row_Of(F);
    want[0] = period[s], want[1] = 10, want[2] = 14;
    EXPECT_EQ(Image_Row16(576 + s), want) << "standard " << s;
  }
  struct Case { int row; Row16 bytes; } cases[] = {
      {592, {1, 2, 3, 4, 5, 3, 4, 5, 6, 7, 5, 6, 7, 8, 9, 0}},
      {606, {2, 3, 4, 5, 6, 4, 5, 6, 7, 8, 6, 7, 8, 9, 0, 14}},
      {607, {20, 20, 20, 0, F, F, F, F, 0, 1, 6, 59, F, F, F, F}},
      {591, Row_Of(F)},
      {526, {0x7D, 0x13, 0xA9, 0x3F, 0xD5, 0x6B, 0x01, 0x97, 0x2D, 0xC3, 0, 0, 0, 0, 0xE7, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(Image_Row16(c.row), c.bytes) << "row " << c.row;
  for (int r = 593; r <= 605; ++r) EXPECT_EQ(Image_Row16(r), Row_Of(F)) << "empty entry " << r;
  for (int r : {527, 543, 559, 575}) EXPECT_EQ(Image_Row16(r), Row_Of(F)) << r;
}

TEST(Tone5Default, DefaultAfterAReadKeepsWhatItDoesNotOwn) {
  EXPECT_TRUE(Writes_Only(Tone5_Area, Tone5_Default));
  Image_Start();
  for (int r = 576; r <= 607; ++r) Fill16(r, 0x21);  // a read
  Tone5_Default();
  for (int s = 0; s < Tone5_Std_Count; ++s)
    for (int c = 3; c < 16; ++c) ASSERT_EQ(Radio_Image[576 + s][c], 0x21) << s << "/" << c;
  EXPECT_EQ(Image_Row16(591), Row_Of(0x21));
  EXPECT_EQ(Image_Row16(600), Row_Of(F));
  EXPECT_EQ(Radio_Image[607][4], F) << "settings bytes 4..7 cleared with the rows";
}
