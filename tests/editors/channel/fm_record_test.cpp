#include <gtest/gtest.h>

#include "editors/channel/fm_record.h"
#include "editors/image_rows.h"

namespace {
constexpr int F = 0xFF;
}  // namespace

TEST(FmDefault, FactoryRecords) {
  Image_Start();
  Fm_Default();
  struct Case { int n; Row16 bytes; } cases[] = {
      {0, {0, 8, 8, 9, 0, 0, 0, 0, 'V', 'R', 'N', 'E', 'W', F, F, F}},
      {9, {0, 9, 8, 3, 0, 0, 0, 0, 'F', 'J', 'Q', 'X', F, F, F, F}},
      {11, {1, 0, 3, 9, 0, 0, 0, 0, 'C', 'C', 'T', 'V', '6', F, F, F}},
      {13, {1, 0, 0, 7, 0, 0, 0, 0, 'D', 'N', 'Z', 'S', '3', F, F, F}},
      {15, {1, 0, 5, 9, 0, 0, 0, 0, 'C', 'C', 'T', 'V', '9', F, F, F}},
      {2, {0, 0, 0, 0, 0, 0, 0, 0, F, F, F, F, F, F, F, F}},
      {14, {0, 0, 0, 0, 0, 0, 0, 0, F, F, F, F, F, F, F, F}},
  };
  for (const auto& c : cases) EXPECT_EQ(Image_Row16(768 + c.n), c.bytes) << "preset " << c.n;
}

TEST(FmDefault, ShowsTheNineStations) {
  Image_Start();
  Fm_Default();
  struct Case { int n; const char* freq; const char* name; } cases[] = {
      {0, "88.90000", "VRNEW"},  {1, "90.40000", "CCTV1"},  {3, "92.30000", "JTZS2"},
      {5, "95.50000", "VRBBC"},  {7, "96.90000", "CCTV4"},  {9, "98.30000", "FJQX"},
      {11, "103.90000", "CCTV6"}, {13, "100.70000", "DNZS3"}, {15, "105.90000", "CCTV9"},
      {2, "", ""}, {4, "", ""}, {6, "", ""}, {8, "", ""}, {10, "", ""}, {12, "", ""}, {14, "", ""},
  };
  for (const auto& c : cases) {
    const Fm_Cells cells = Fm_Record_Show(c.n);
    EXPECT_EQ(cells.freq, QString(c.freq)) << c.n;
    EXPECT_EQ(cells.name, QString(c.name)) << c.n;
  }
}

TEST(FmDefault, RestoresTheWholeAreaAndNothingElse) {
  EXPECT_TRUE(Default_Restores(Fm_Area, Fm_Default));
}

TEST(CovFreq, TextForms) {
  struct Case { std::array<int, 8> d; const char* text; } cases[] = {
      {{0, 8, 8, 9, 0, 0, 0, 0}, "88.90000"},  {{0, 9, 0, 0, 0, 0, 0, 0}, "90.00000"},
      {{1, 0, 0, 0, 0, 0, 0, 0}, "100.00000"}, {{0, 8, 7, 1, 2, 3, 4, 5}, "87.12345"},
      {{1, 0, 7, 1, 2, 3, 4, 5}, "107.12345"}, {{1, 0, 0, 7, 0, 0, 0, 0}, "100.70000"},
      {{F, F, F, F, F, F, F, F}, "28333.33305"},  // an erased area is shown, not refused
  };
  for (const auto& c : cases)
    EXPECT_EQ(Cov_Freq(c.d[0], c.d[1], c.d[2], c.d[3], c.d[4], c.d[5], c.d[6], c.d[7]),
              QString(c.text));
}

TEST(FmRecordShow, EmptyAndOddRecords) {
  Image_Start();
  struct Case { Row16 bytes; const char* freq; const char* name; } cases[] = {
      {{0, 0, 0, 5, 0, 0, 0, 0, 'A', 'B', F, F, F, F, F, F}, "", ""},  // bytes 0..2 zero: empty
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "", ""},      // after Clear
      {{F, F, F, F, F, F, F, F, F, F, F, F, F, F, F, F}, "28333.33305", ""},
      {{0, 9, 9, 9, 5, 0, 0, 0, F, 'A', ' ', 'B', F, 'C', F, F}, "99.95000", "ABC"},
      {{1, 0, 8, 0, 0, 0, 0, 0, 'S', 'T', 'A', 'T', 'I', 'O', 'N', 'S'}, "108.00000", "STATIONS"},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 16; ++i) Radio_Image[772][i] = static_cast<int16_t>(c.bytes[i]);
    const Fm_Cells cells = Fm_Record_Show(4);
    EXPECT_EQ(cells.freq, QString(c.freq));
    EXPECT_EQ(cells.name, QString(c.name));
  }
  EXPECT_TRUE(Fm_Record_Show(16).freq.isEmpty()) << "no record past preset 16";
}

TEST(FmRecordSave, FrequencyDigitsAndNamePlacement) {
  struct Case { const char* freq; const char* name; Row16 bytes; } cases[] = {
      {"88.90000", "VRNEW", {0, 8, 8, 9, 0, 0, 0, 0, F, 'V', 'R', 'N', 'E', 'W', F, F}},
      {"99.95000", "", {0, 9, 9, 9, 5, 0, 0, 0, F, F, F, F, F, F, F, F}},
      {"87.00000", "A", {0, 8, 7, 0, 0, 0, 0, 0, F, F, F, 'A', F, F, F, F}},
      {"108.00000", "AB", {1, 0, 8, 0, 0, 0, 0, 0, F, F, F, 'A', 'B', F, F, F}},
      {"100.7", "ABC", {1, 0, 0, 7, 0, 0, 0, 0, F, F, 'A', 'B', 'C', F, F, F}},
      {"95.5", "ABCD", {0, 9, 5, 5, 0, 0, 0, 0, F, F, 'A', 'B', 'C', 'D', F, F}},
      {"95.5", "ABCDEF", {0, 9, 5, 5, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', F, F}},
      {"95.5", "ABCDEFG", {0, 9, 5, 5, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', F, F}},
      {" 96.9 ", "  XY  ", {0, 9, 6, 9, 0, 0, 0, 0, F, F, F, 'X', 'Y', F, F, F}},
      {"A B", "ZZ", {0, 0, 0, 0, 0, 0, 0, 0, F, F, F, 'Z', 'Z', F, F, F}},  // non-digits read 0
      {"", "NAME", {0, 0, 0, 0, 0, 0, 0, 0, F, F, F, F, F, F, F, F}},        // empties the preset
      {"   ", "NAME", {0, 0, 0, 0, 0, 0, 0, 0, F, F, F, F, F, F, F, F}},
  };
  for (const auto& c : cases) {
    Image_Start();
    Fill16(775, 0x55);
    Radio_Image[775][16] = 0x55;
    Fm_Record_Save(7, c.freq, c.name);
    EXPECT_EQ(Image_Row16(775), c.bytes) << '"' << c.freq << "\" \"" << c.name << '"';
    EXPECT_EQ(Radio_Image[775][16], 0x55) << "column 16 untouched";
    EXPECT_EQ(Radio_Image[776][0], F) << "next record untouched";
  }
}

TEST(FmRecordSave, DefaultNameMovesToItsPlaceAndShowsTheSame) {
  Image_Start();
  Fm_Default();
  const Fm_Cells before = Fm_Record_Show(0);
  Fm_Record_Save(0, before.freq, before.name);
  EXPECT_EQ(Image_Row16(768), (Row16{0, 8, 8, 9, 0, 0, 0, 0, F, 'V', 'R', 'N', 'E', 'W', F, F}));
  const Fm_Cells after = Fm_Record_Show(0);
  EXPECT_EQ(after.freq, before.freq);
  EXPECT_EQ(after.name, before.name);
}

TEST(FmRecordSave, EveryStoredByteStaysAByte) {
  Image_Start();
  Fm_Record_Save(3, "90.1", QString::fromUtf8("中文é"));
  for (int c = 0; c < 16; ++c) {
    const int b = Radio_Image[771][c];
    EXPECT_TRUE(b >= 0 && b <= 255) << c;
  }
  EXPECT_EQ(Radio_Image[771][10], '?') << "a double-byte character has no one-byte code";
}

TEST(FmRecordSave, NoRecordOutsideTheArea) {
  Image_Start();
  const Image_Table before = Radio_Image;
  Fm_Record_Save(16, "100.0", "X");   // the grid's spare row
  Fm_Record_Save(-1, "100.0", "X");
  Fm_FreqPut(100.0, 16);
  Fm_NamePut("X", -1);
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}

TEST(FmFreqPut, DigitsOfTheFrequency) {
  struct Case { double mhz; std::array<int, 8> d; } cases[] = {
      {88.9, {0, 8, 8, 9, 0, 0, 0, 0}},     {103.9, {1, 0, 3, 9, 0, 0, 0, 0}},
      {87.5, {0, 8, 7, 5, 0, 0, 0, 0}},     {100.125, {1, 0, 0, 1, 2, 5, 0, 0}},
      {1500.0, {9, 9, 9, 9, 9, 9, 9, 9}},   // too high for three MHz digits: the largest
      {-88.9, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Image_Start();
    Fm_FreqPut(c.mhz, 5);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(Radio_Image[773][k], c.d[k]) << c.mhz << " digit " << k;
    EXPECT_EQ(Radio_Image[773][8], F) << "name bytes untouched";
  }
}

TEST(FmNamePut, FromByteEightKeepingTheRest) {
  Image_Start();
  Fill16(776, 0x77);
  Radio_Image[776][16] = 0x77;
  Fm_NamePut("  CCTV  ", 8);
  EXPECT_EQ(Image_Row16(776), (Row16{0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77,
                             'C', 'C', 'T', 'V', 0x77, 0x77, 0x77, 0x77}));
  Fm_NamePut("ABCDEFGHIJ", 8);
  EXPECT_EQ(Radio_Image[776][15], 'H') << "at most eight characters";
  EXPECT_EQ(Radio_Image[776][16], 0x77) << "nothing past the record";
  EXPECT_EQ(Radio_Image[777][0], F);
}
