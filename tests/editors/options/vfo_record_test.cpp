// The VFO record rules: frequency text and entry, offset, tones, settings.
#include <gtest/gtest.h>

#include "data/tone_table.h"
#include "editors/options/vfo_record.h"

namespace {
class Vfo : public ::testing::Test {
protected:
  void SetUp() override {
    Shared_Reset();
    Tone_Init();
    Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  }
};

Image_Row Row_With(std::initializer_list<int> bytes, int first = 0) {
  Image_Row r{};
  r.fill(0);
  int c = first;
  for (int b : bytes) r[c++] = static_cast<int16_t>(b);
  return r;
}

std::array<int, 8> Digits(const char* s) {
  std::array<int, 8> d{};
  for (int i = 0; i < 8; ++i) d[i] = s[i] - '0';
  return d;
}
}  // namespace

TEST_F(Vfo, FrequencyTextFromTheDigitBytes) {
  struct Case {
    std::initializer_list<int> bytes;
    const char* text;
  } const cases[] = {
      {{1, 3, 6, 0, 2, 5, 0, 0}, "136.02500"},
      {{1, 4, 5, 0, 0, 5, 0, 0}, "145.00500"},
      {{1, 4, 0xFF, 6, 2, 5, 0, 0}, "14.62500"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "."},
      {{1, 4, 10, 6, 2, -1, 0, 0}, "14.6200"},
  };
  for (const Case& c : cases) EXPECT_EQ(Vfo_Freq_Text(Row_With(c.bytes)), c.text) << c.text;
}

TEST_F(Vfo, FrequencyEntriesAreNormalisedAndSnapped) {
  struct Case {
    const char* typed;
    const char* text;
    const char* digits;
  } const cases[] = {
      {"145", "145.00000", "14500000"},       {"145.5", "145.50000", "14550000"},
      {"145.005", "145.00500", "14500500"},   {"145.02125", "145.02125", "14502125"},
      {"145.0244", "145.02425", "14502425"},  {"145.0249", "145.02500", "14502500"},
      {"145.02375", "145.02400", "14502400"}, {"145.01875", "145.01900", "14501900"},
      {"438.12345", "438.12325", "43812325"},
      // A fraction that rounds to a whole MHz carries into the MHz digits.
      {"145.99975", "146.00000", "14600000"}, {"173.9999", "174.00000", "17400000"},
      // Just below the band's upper edge, and staying there.
      {"480.9994", "480.99925", "48099925"},
  };
  for (const Case& c : cases) {
    const Vfo_Entry e = Vfo_Freq_Entry(c.typed);
    EXPECT_FALSE(e.out_of_band) << c.typed;
    EXPECT_EQ(e.text, c.text) << c.typed;
    EXPECT_EQ(e.digits, Digits(c.digits)) << c.typed;
  }
  // Two MHz digits get a leading 0 when the limits allow them.
  Band_Limits[0] = 90;
  const Vfo_Entry e = Vfo_Freq_Entry("99.5");
  EXPECT_EQ(e.text, "099.50000");
  EXPECT_EQ(e.digits, Digits("09950000"));
}

TEST_F(Vfo, OutOfBandFallsBackToAnInBandFrequency) {
  struct Case {
    std::array<double, 8> limits;
    const char* typed;
    const char* fallback;
  } const cases[] = {
      {{136, 174, 136, 174, 400, 480, 400, 480}, "100", "136.02500"},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "", "136.02500"},
      {{136, 174, 136, 174, 400, 480, 400, 480}, ".", "136.02500"},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "600", "136.02500"},
      // The limits the radio reported.
      {{144, 148, 144, 148, 430, 440, 430, 440}, "145.0", nullptr},
      {{144, 148, 144, 148, 430, 440, 430, 440}, "174", "144.02500"},
      // A lower limit with a fraction: the next whole MHz is in band.
      {{136.5, 174, 136, 174, 400, 480, 400, 480}, "100", "137.02500"},
      // A first pair that gives no three-digit frequency: the next one does.
      {{0, 0, 136, 174, 400, 480, 400, 480}, "100", "136.02500"},
      // In band as typed, but rounded to the 25 Hz steps it carries into the
      // next MHz, past the band's upper edge: the stored value is what counts.
      {{136, 174, 136, 174, 400, 480, 400, 480}, "480.9996", "136.02500"},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "174.9996", "136.02500"},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "480.99999", "136.02500"},
      {{144, 148, 144, 148, 430, 440, 430, 440}, "148.9998", "144.02500"},
  };
  for (const Case& c : cases) {
    Band_Limits = c.limits;
    const Vfo_Entry e = Vfo_Freq_Entry(c.typed);
    if (!c.fallback) {
      EXPECT_FALSE(e.out_of_band) << c.typed;
      continue;
    }
    EXPECT_TRUE(e.out_of_band) << c.typed;
    EXPECT_EQ(e.text, c.fallback) << c.typed;
    // The fallback passes the band check itself: leaving the box again is quiet.
    EXPECT_FALSE(Vfo_Freq_Entry(e.text).out_of_band) << c.typed;
  }
}

TEST_F(Vfo, FrequencyKeyFilter) {
  struct Case {
    const char* text;
    int key;
    bool passes;
  } const cases[] = {
      {"", '.', false},          {"  ", '.', false},        {"1", '.', true},
      {"145.025001", '.', true}, {"", '5', true},           {"14502500", '0', true},
      {"145.02500", '0', false}, {"145.02500", 8, true},    {"145", 'a', false},
      {"145", '-', false},       {"145", ' ', false},       {"145", 13, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Vfo_Freq_Key(c.key, c.text), c.passes ? c.key : 0) << c.text << " + " << c.key;
}

TEST_F(Vfo, OffsetBytesAndItems) {
  struct Case {
    std::initializer_list<int> bytes;
    int item;
  } const cases[] = {
      {{0, 0, 0, 6, 0, 0}, 12},       {{0, 0, 1, 6, 2, 5}, 32},  // 32.5 rounds to even
      {{0, 1, 0, 6, 5, 5}, 213},      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 1999},
      {{0, 0, 0, 0, 7, 5}, 2},        {{0, 0, 0, 1, 2, 5}, 2},   // 2.5 rounds to even
      {{0, 0, 0, 0, 0, 0}, 0},        {{300, 0, 0, 0, 0, 0}, 1999},
  };
  for (const Case& c : cases) EXPECT_EQ(Vfo_Offset_Index(Row_With(c.bytes, 8)), c.item);
  EXPECT_EQ(Vfo_Offset_Digits("05.000MHZ"), (std::array<int, 6>{0, 0, 5, 0, 0, 0}));
  EXPECT_EQ(Vfo_Offset_Digits("99.950MHZ"), (std::array<int, 6>{0, 9, 9, 9, 5, 0}));
  EXPECT_EQ(Vfo_Offset_Digits("01.600MHZ"), (std::array<int, 6>{0, 0, 1, 6, 0, 0}));
}

TEST_F(Vfo, ToneBytesShownAndStored) {
  using K = Vfo_Tone_Shown;
  struct Case {
    int low, high;
    K::Kind kind;
    int index;
    const char* text;
  } const cases[] = {
      {0, 0, K::Item, 0, ""},
      {0xFF, 0xFF, K::Item, 0, ""},
      {1, 0, K::Item, 51, ""},
      {210, 0, K::Item, 260, ""},
      {158, 2, K::Text, 1, "67.0"},
      {237, 9, K::Text, 50, "254.1"},
      {0, 1, K::Text, -1, "25.6"},
      // A pair with one 0xFF byte is the OFF word as well (stored back 0, 0).
      {255, 0, K::Item, 0, ""},
      {0xFF, 5, K::Item, 0, ""},
      {5, 0xFF, K::Item, 0, ""},
      {255, 3, K::Item, 0, ""},
      // A DCS number past the table: nothing selected, the bytes kept.
      {211, 0, K::Neutral, -1, ""},
      {254, 0, K::Neutral, -1, ""},
      {-3, 400, K::Item, 0, ""},
  };
  for (const Case& c : cases) {
    const Vfo_Tone_Shown s = Vfo_Tone_Decode(c.low, c.high);
    EXPECT_EQ(s.kind, c.kind) << c.low << "," << c.high;
    EXPECT_EQ(s.index, c.index) << c.low << "," << c.high;
    EXPECT_EQ(s.text, c.text) << c.low << "," << c.high;
  }
  struct Store {
    int index;
    const char* text;
    int low, high;
  } const stores[] = {{0, "OFF", 0, 0}, {50, "254.1", 237, 9}, {1, "67.0", 158, 2},
                      {260, "D754I", 210, 0}, {51, "D023N", 1, 0}};
  for (const Store& s : stores)
    EXPECT_EQ(Vfo_Tone_Encode(s.index, s.text), (std::array<int, 2>{s.low, s.high})) << s.text;
}

TEST_F(Vfo, SettingBytesAboveTheListShowTheLastItem) {
  EXPECT_EQ(Vfo_Setting_Index(9, 3), 2);
  EXPECT_EQ(Vfo_Setting_Index(2, 3), 2);
  EXPECT_EQ(Vfo_Setting_Index(0, 15), 0);
  EXPECT_EQ(Vfo_Setting_Index(0xFF, 6), 5);
  EXPECT_EQ(Vfo_Setting_Index(-1, 6), 5);
  EXPECT_EQ(Vfo_Setting_Index(256, 6), 5);
}
