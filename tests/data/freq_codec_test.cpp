#include <gtest/gtest.h>

#include <cmath>

#include "data/freq_codec.h"
#include "data/shared_state.h"

namespace {
std::array<int, 4> Stored(int row, int col) {
  return {Radio_Image[row][col], Radio_Image[row][col + 1], Radio_Image[row][col + 2],
          Radio_Image[row][col + 3]};
}
}  // namespace

TEST(FreqPut, WorkedExamples) {
  struct Case { const char* typed; const char* normal; std::array<int, 4> bytes; } cases[] = {
      {"145", "145.00000", {0x00, 0x00, 0x50, 0x14}},
      {"146.52", "146.52000", {0x00, 0x20, 0x65, 0x14}},
      {"145.0063", "145.00625", {0x25, 0x06, 0x50, 0x14}},
      {"145.0124", "145.01000", {0x00, 0x10, 0x50, 0x14}},
      {"145.0188", "145.01875", {0x75, 0x18, 0x50, 0x14}},
      {"145.0024", "145.00000", {0x00, 0x00, 0x50, 0x14}},
      {"155.025", "155.02500", {0x00, 0x25, 0x50, 0x15}},
      {"145.00625", "145.00625", {0x25, 0x06, 0x50, 0x14}},
      {"  438.5", "438.50000", {0x00, 0x00, 0x85, 0x43}},        // leading blanks skipped
      {"145.0049995", "145.00500", {0x00, 0x05, 0x50, 0x14}},    // within 1 Hz below a point
      {"abc", "0.0000000", {0x00, 0x00, 0x00, 0x00}},
      {"87.5", "87.500000", {0x00, 0x00, 0x75, 0x08}},
  };
  for (const auto& c : cases) {
    Radio_Image[3].fill(0x77);
    QString text = c.typed;
    Freq_Put(text, 3, 4);
    EXPECT_EQ(text, QString(c.normal)) << c.typed;
    EXPECT_EQ(Stored(3, 4), c.bytes) << c.typed;
    EXPECT_EQ(Radio_Image[3][3], 0x77) << "byte before the field untouched";
    EXPECT_EQ(Radio_Image[3][8], 0x77) << "byte after the field untouched";
  }
}

TEST(FreqPut, OutOfRangeValuesStillStoreBcdBytes) {
  for (const char* typed : {"1234.5", "-145", "99999999"}) {
    QString text = typed;
    Freq_Put(text, 0, 0);
    for (int c = 0; c < 4; ++c) {
      const int b = Radio_Image[0][c];
      EXPECT_TRUE(b >= 0 && b <= 0x99 && (b & 0x0F) <= 9) << typed << " byte " << c << " = " << b;
    }
  }
}

TEST(FreqGet, ReadsBackStoredBytes) {
  struct Case { std::array<int, 4> b; const char* text; } cases[] = {
      {{0x00, 0x25, 0x50, 0x15}, "155.02500"}, {{0x25, 0x06, 0x50, 0x14}, "145.00625"},
      {{0x00, 0x00, 0x75, 0x08}, "87.50000"},  {{0x00, 0x00, 0x00, 0x00}, "00000000"},
      {{0x00, 0x00, 0x50, 0x14}, "145.00000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Freq_Get(c.b[0], c.b[1], c.b[2], c.b[3]), QString(c.text));
  // Nibbles above 9 count with their value; nothing is rejected.
  EXPECT_FALSE(Freq_Get(0xFF, 0xFF, 0xFF, 0xFF).isEmpty());
}

TEST(FreqCodec, EveryGridFrequencyRoundTrips) {
  // Every 2.5 kHz and every 6.25 kHz point from 100 MHz up to below 1000 MHz.
  for (double step : {2.5, 6.25}) {
    const long first = static_cast<long>(std::ceil(100000 / step));
    const long last = static_cast<long>(std::floor((1000000 - 0.001) / step));
    for (long n = first; n <= last; ++n) {
      QString text = Vb_Num(n * step / 1000);
      Freq_Put(text, 0, 0);
      const QString back = Freq_Get(Radio_Image[0][0], Radio_Image[0][1], Radio_Image[0][2],
                                    Radio_Image[0][3]);
      ASSERT_EQ(back, text) << "step " << step << " n " << n;
      ASSERT_EQ(text.size(), 9);
    }
  }
}

TEST(TonePut, StoresTenthsLowByteFirst) {
  struct Case { const char* text; int low, high; } cases[] = {
      {"67.0", 0x9E, 0x02}, {"100.0", 0xE8, 0x03}, {"127.3", 0xF9, 0x04},
      {"203.5", 0xF3, 0x07}, {"250.3", 0xC7, 0x09}, {"FF", 0xFF, 0xFF},
      // Values whose tenths round up across a 256 boundary: the low byte must
      // wrap into the high byte, never become 256.
      {"76.76", 0x00, 0x03}, {"102.36", 0x00, 0x04}, {"127.96", 0x00, 0x05},
      {"254.9", 0xF5, 0x09},
  };
  for (const auto& c : cases) {
    Radio_Image[2][8] = Radio_Image[2][9] = 0x11;
    Tone_Put(c.text, 2, 8);
    EXPECT_EQ(Radio_Image[2][8], c.low) << c.text;
    EXPECT_EQ(Radio_Image[2][9], c.high) << c.text;
  }
}

TEST(TonePut, TextsThatStoreNothing) {
  for (const char* text : {"ff", " FF", "FF ", "0", "-5", "255", "300", "", "abc"}) {
    Radio_Image[2][8] = Radio_Image[2][9] = 0x11;
    Tone_Put(text, 2, 8);
    EXPECT_EQ(Radio_Image[2][8], 0x11) << text;
    EXPECT_EQ(Radio_Image[2][9], 0x11) << text;
  }
}

TEST(CtcssWord, RoundsHalfToEven) {
  EXPECT_EQ(Ctcss_Word(76.76), 768);
  EXPECT_EQ(Ctcss_Word(67.0), 670);
  EXPECT_EQ(Ctcss_Word(0.25), 2);   // 2.5 -> 2
  EXPECT_EQ(Ctcss_Word(0.35), 4);   // 3.5 -> 4
}

TEST(BandCheck, StartUpLimits) {
  Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  struct Case { double f; int result; } cases[] = {
      {136.0, 0}, {135.99999, 255}, {174.99999, 0}, {175.0, 255},
      {400.0, 0}, {480.625, 0},     {480.99999, 0}, {481.0, 255}, {0, 255}};
  for (auto c : cases) EXPECT_EQ(Band_Check(c.f), c.result) << c.f;
}

TEST(VbText, ValAndNumberForms) {
  EXPECT_DOUBLE_EQ(Vb_Val("  145.5MHz"), 145.5);
  EXPECT_DOUBLE_EQ(Vb_Val("-3.25x"), -3.25);
  EXPECT_DOUBLE_EQ(Vb_Val("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(Vb_Val("abc"), 0);
  EXPECT_DOUBLE_EQ(Vb_Val("."), 0);
  EXPECT_EQ(Vb_Num(145.00625), "145.00625");
  EXPECT_EQ(Vb_Num(0.0), "0");
  EXPECT_EQ(Vb_Num(-2), "-2");
  EXPECT_EQ(Vb_Str(136), " 136");
  EXPECT_EQ(Vb_Str(-1), "-1");
}

TEST(VbText, TypedValIgnoresBlanksAnywhere) {
  struct Case { const char* text; double value; } cases[] = {
      {"1 45.5", 145.5}, {" 9 9 . 9 5 ", 99.95}, {"- 3", -3}, {"\t88.9\n", 88.9},
      {"abc", 0},        {"", 0},                {"1 2x3", 12},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Typed_Val(c.text), c.value) << c.text;
  EXPECT_DOUBLE_EQ(Vb_Val("1 45.5"), 1) << "Vb_Val keeps stopping at an inner blank";
}
