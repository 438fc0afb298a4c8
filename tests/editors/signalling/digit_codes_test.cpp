#include <gtest/gtest.h>

#include "editors/signalling/digit_codes.h"

namespace {
struct C2b { const char* text; int code; };
}  // namespace

TEST(DtmfC2b, EveryKindOfCharacter) {
  const C2b cases[] = {
      {"0", 0},  {"7", 7},  {"9", 9},   {"A", 10}, {"a", 10}, {"c", 12}, {"D", 13},
      {"d", 13}, {"*", 14}, {"#", 15},
      // Characters below "9" read as the number they spell: nothing, so 0.
      {" ", 0},  {"-", 0},  {".", 0},   {"+", 0},  {"/", 0},  {"", 0},   {"\t", 0},
      // Above "9" and not a DTMF letter: no digit.
      {":", 255}, {"@", 255}, {"E", 255}, {"e", 255}, {"Z", 255}, {"z", 255}, {"~", 255},
  };
  for (const auto& c : cases) EXPECT_EQ(Dtmf_c2b(QString::fromLatin1(c.text)), c.code) << '"' << c.text << '"';
  EXPECT_EQ(Dtmf_c2b(QString::fromUtf8("中")), 255);
  EXPECT_EQ(Dtmf_c2b(QString::fromUtf8("é")), 255);
}

TEST(DtmfC2b, LongerTextsNeverLeaveTheByteRange) {
  // Callers pass one character; a longer text still yields a byte value.
  const C2b cases[] = {{"12", 12}, {" 1 2", 12}, {"255", 255}, {"256", 255},
                       {"1000", 255}, {"-5", 255}, {"AB", 255}, {"**", 0}};
  for (const auto& c : cases) EXPECT_EQ(Dtmf_c2b(QString::fromLatin1(c.text)), c.code) << c.text;
}

TEST(DtmfB2c, CodesToCharacters) {
  struct Case { int16_t code; const char* text; } cases[] = {
      {0, "0"}, {9, "9"}, {10, "A"}, {13, "D"}, {14, "*"}, {15, "#"},
      {16, ""}, {254, ""}, {255, ""}, {-1, ""}, {-256, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Dtmf_b2c(c.code), QString(c.text)) << c.code;
}

TEST(DtmfCodes, RoundTripFoldsCaseAndPunctuation) {
  struct Case { const char* typed; const char* shown; } cases[] = {
      {"1", "1"}, {"a", "A"}, {"*", "*"}, {"#", "#"}, {" ", "0"}, {"-", "0"}, {".", "0"}, {"E", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Dtmf_b2c(static_cast<int16_t>(Dtmf_c2b(c.typed))), QString(c.shown)) << c.typed;
}

TEST(Tone5C2b, EveryKindOfCharacter) {
  const C2b cases[] = {
      {"0", 0},    {"1", 1},    {"9", 9},    {"A", 10},   {"a", 10},   {"E", 14},  {"e", 14},
      {"F", 15},   {"f", 15},   {"G", 255},  {"g", 255},  {"*", 255},  {"#", 255}, {" ", 255},
      {"", 255},   {"-", 255},  {".", 255},  {":", 255},  {"00", 255}, {"15", 15}, {"300", 255},
  };
  for (const auto& c : cases) EXPECT_EQ(Tone5_c2b(QString::fromLatin1(c.text)), c.code) << '"' << c.text << '"';
}

TEST(Tone5CellCodes, GridCharactersBothWays) {
  struct B2c { int16_t code; const char* text; } shown[] = {
      {0, "0"}, {9, "9"}, {10, "A"}, {15, "F"}, {16, " "}, {255, " "}, {-1, " "}};
  for (const auto& c : shown) EXPECT_EQ(Cov_b2c(c.code), QString(c.text)) << c.code;
  const C2b read[] = {{"0", 0}, {"9", 9}, {"A", 10}, {"F", 15}, {"a", 255},
                      {"G", 255}, {" ", 255}, {"", 255}, {"*", 255}};
  for (const auto& c : read) EXPECT_EQ(Cov_c2b(c.text), c.code) << '"' << c.text << '"';
}
