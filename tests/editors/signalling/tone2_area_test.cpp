#include <gtest/gtest.h>

#include "editors/image_rows.h"
#include "editors/signalling/tone2_area.h"

namespace {
constexpr int F = 0xFF;
}  // namespace

TEST(Tone2Default, FactoryRows) {
  Image_Start();
  Tone2_Default();
  struct Case { int row; Row16 bytes; } cases[] = {
      {720, {0xBD, 0x07, F, F, F, F, F, F, 0x64, 0x04, F, F, F, F, F, F}},   // 1981, 1124 Hz
      {734, {0x86, 0x06, F, F, F, F, F, F, 0x26, 0x07, F, F, F, F, F, F}},   // 1670, 1830 Hz
      {735, {0x3C, 0x3C, 0x1E, F, F, F, F, F, F, F, F, F, F, F, F, F}},
      {736, {0, 1, 1, 4, 2, 2, 8, 3, 3, 9, 0, 4, F, F, F, F}},
      {750, {9, 0, 4, 8, 3, 3, 4, 2, 2, 0, 1, 1, F, F, F, F}},
      {752, {0xBD, 0x07, 0x64, 0x04, 0xAD, 0x04, 0xFB, 0x04,
             0xCC, 0x13, 0xE4, 0x22, 0xC4, 0x20, 0xC3, 0x1E}},
      {767, {0x3B, F, F, F, F, F, F, F, F, F, F, F, F, F, F, F}},
  };
  for (const auto& c : cases) EXPECT_EQ(Image_Row16(c.row), c.bytes) << "row " << c.row;
  for (int r : {723, 730, 738, 748, 751, 754, 764})
    EXPECT_EQ(Image_Row16(r), Row_Of(F)) << "row " << r << " stays 0xFF";
}

TEST(Tone2Default, RestoresTheWholeAreaAndNothingElse) {
  EXPECT_TRUE(Default_Restores(Tone2_Area, Tone2_Default));
}

TEST(Tone2FreqPut, ValueAndRoundedDivider) {
  struct Case { int32_t freq; int lo, hi, dlo, dhi; } cases[] = {
      {300, 0x2C, 0x01, 0xBB, 0x82},    // divider 33467
      {3000, 0xB8, 0x0B, 0x13, 0x0D},   // 3346.67 rounds up to 3347
      {1981, 0xBD, 0x07, 0xCC, 0x13},   // 5068.2 rounds down to 5068
      {154, 0x9A, 0x00, 0xAB, 0xFE},    // 65194.8 -> 65195, the lowest that fits
  };
  for (const auto& c : cases) {
    Image_Start();
    Tone2_FreqPut(Tone2_Tone_Page, 4, 2, c.freq);  // tone C of decode code 5: row 756
    Row16 want = Row_Of(F);
    want[4] = c.lo, want[5] = c.hi, want[12] = c.dlo, want[13] = c.dhi;
    EXPECT_EQ(Image_Row16(756), want) << c.freq;
  }
}

TEST(Tone2FreqPut, UnstorableFrequencyIsNotSetAndStaysInByteRange) {
  // Below 154 Hz the divider, above 65535 Hz the value no longer fits 16 bits;
  // 0 and negatives would divide by zero or store negative bytes.
  for (int32_t freq : {153, 1, 0, -300, 65536, 100000}) {
    Image_Start();
    Fill16(756, 0x11);
    Tone2_FreqPut(Tone2_Tone_Page, 4, 1, freq);
    Row16 want = Row_Of(0x11);
    want[2] = want[3] = want[10] = want[11] = F;
    EXPECT_EQ(Image_Row16(756), want) << freq;
  }
}

TEST(Tone2PairPut, StoresBothTonesKeepsReservedBytes) {
  struct Case { int32_t first, second; int b0, b1, b8, b9; } cases[] = {
      {1981, 1124, 0xBD, 0x07, 0x64, 0x04},
      {65535, 0, 0xFF, 0xFF, 0x00, 0x00},
      {70000, -5, 0x00, 0x00, 0x00, 0x00},  // no 16-bit value: stored as no tone
  };
  for (const auto& c : cases) {
    Image_Start();
    Fill16(722, 0x33);
    Tone2_PairPut(Tone2_Encode_Page, 2, c.first, c.second);
    Row16 want = Row_Of(0x33);
    want[0] = c.b0, want[1] = c.b1, want[8] = c.b8, want[9] = c.b9;
    EXPECT_EQ(Image_Row16(722), want) << c.first << "/" << c.second;
  }
}

TEST(Tone2StoreRoutines, OutOfAreaTargetsWriteNothing) {
  Image_Start();
  const Image_Table before = Radio_Image;
  Tone2_PairPut(Tone2_Encode_Page, 15, 1000, 1000);   // index past code 15
  Tone2_PairPut(Tone2_Encode_Page, -1, 1000, 1000);
  Tone2_PairPut(0x30, 0, 1000, 1000);                 // the FM page
  Tone2_FreqPut(Tone2_Tone_Page, 15, 0, 1000);        // row 767 is the reset row
  Tone2_FreqPut(Tone2_Tone_Page, 0, 4, 1000);         // no tone E
  Tone2_FreqPut(Tone2_Tone_Page, 0, -1, 1000);
  Tone2_FreqPut(100, 0, 0, 1000);                     // far outside the image
  EXPECT_TRUE(Same_Image(Radio_Image, before));
}
