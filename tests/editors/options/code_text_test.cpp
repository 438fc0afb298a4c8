// The code boxes' and the power-on box's store, display and filters.
#include <gtest/gtest.h>

#include <QSet>

#include "editors/options/code_text.h"

namespace {
std::array<uint8_t, 16> Codes(std::initializer_list<int> head, int fill = 0xFF) {
  std::array<uint8_t, 16> b;
  b.fill(static_cast<uint8_t>(fill));
  int k = 0;
  for (int v : head) b[k++] = static_cast<uint8_t>(v);
  return b;
}
std::array<uint8_t, 16> Ascii(const char* s) {
  std::array<uint8_t, 16> b;
  b.fill(0x20);
  for (int k = 0; s[k] && k < 16; ++k) b[k] = static_cast<uint8_t>(s[k]);
  return b;
}
}  // namespace

TEST(CodeText, StoreAndRedraw) {
  struct Case {
    const char* typed;
    std::array<uint8_t, 16> stored;
    const char* shown;  // after the next redraw
  } const cases[] = {
      {"", Codes({}), ""},
      {"80808", Codes({8, 0, 8, 0, 8}), "80808"},
      {"1 2#", Codes({1, 0, 2, 15}), "102#"},
      {"12x4", Codes({1, 2, 0xFF, 4}), "124"},
      {"ab*", Codes({10, 11, 14}), "AB*"},
      {"  123  ", Codes({1, 2, 3}), "123"},
      {"+-./", Codes({0, 0, 0, 0}), "0000"},
      {"E9", Codes({0xFF, 9}), "9"},
      {"中1", Codes({0xFF, 1}), "1"},
      // A paste longer than the row: 16 codes, nothing behind them.
      {"1234567890ABCD*#99999", Codes({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 10, 11, 12, 13, 14, 15}),
       "1234567890ABCD*#"},
  };
  for (const Case& c : cases) {
    const auto b = Code_Bytes(QString::fromUtf8(c.typed));
    EXPECT_EQ(b, c.stored) << c.typed;
    std::array<int16_t, 16> cells{};
    for (int k = 0; k < 16; ++k) cells[k] = b[k];
    EXPECT_EQ(Code_Text(cells.data()), QString::fromUtf8(c.shown)) << c.typed;
  }
  // Codes above 15 and cells outside a byte show nothing.
  const int16_t odd[16] = {1, 16, 2, 300, -1, 3, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  EXPECT_EQ(Code_Text(odd), "123");
}

TEST(CodeText, KeyFilterStopsAtSixteenCharacters) {
  EXPECT_FALSE(Code_Key_Refused(""));
  EXPECT_FALSE(Code_Key_Refused("123456789012345"));
  EXPECT_TRUE(Code_Key_Refused("1234567890123456"));
  EXPECT_TRUE(Code_Key_Refused("123456789012345 "));  // blanks count
  EXPECT_FALSE(Code_Key_Refused("1234567890123 "));
}

TEST(CodeText, AniCheck) {
  struct Case {
    const char* text;
    Ani_Result result;
  } const cases[] = {
      {"000", Ani_Result::Range},  {"0000", Ani_Result::Range},   {"00000", Ani_Result::Ok},
      {"12345", Ani_Result::Ok},   {"12A", Ani_Result::Ok},       {"9*1", Ani_Result::Ok},
      {"*12", Ani_Result::Range},  {"A12", Ani_Result::Range},    {"9A1", Ani_Result::Range},
      {"", Ani_Result::Length},    {"12", Ani_Result::Length},    {"123456", Ani_Result::Length},
      {"  123  ", Ani_Result::Ok}, {"99999", Ani_Result::Ok},     {"999991", Ani_Result::Length},
  };
  for (const Case& c : cases) EXPECT_EQ(Ani_Check(c.text), c.result) << c.text;
}

TEST(PonText, StoreAndRedraw) {
  struct Case {
    const char* typed;
    std::array<uint8_t, 16> stored;
    const char* shown;
  } const cases[] = {
      {"  Hello  ", Ascii("Hello"), "Hello"},
      {"AB CD", Ascii("AB CD"), "ABCD"},
      {"123456789012345", Ascii("123456789012345"), "123456789012345"},
      {"1234567890123456", Ascii("123456789012345"), "123456789012345"},
      {"", Ascii(""), ""},
  };
  for (const Case& c : cases) {
    const auto b = Pon_Bytes(c.typed);
    EXPECT_EQ(b, c.stored) << c.typed;
    std::array<int16_t, 16> cells{};
    for (int k = 0; k < 16; ++k) cells[k] = b[k];
    EXPECT_EQ(Pon_Shown_Text(cells.data()), c.shown) << c.typed;
  }
  // A character without a single-byte code never stores a value outside a byte.
  const auto b = Pon_Bytes(QString::fromUtf8("A中B"));
  EXPECT_EQ(b, Ascii("A?B"));
  // The factory row: leading and trailing blanks, 0xFF in byte 15 (not shown).
  const int16_t factory[16] = {32, 'M', 'o', 'd', 'e', 'l', ':', 'C', 'V', '-', 'R', '4', '7', 'X', 32, 0xFF};
  EXPECT_EQ(Pon_Shown_Text(factory), "Model:CV-R47X");
  // 16 characters read from the radio show in full; the store keeps 15.
  const int16_t full[16] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'};
  EXPECT_EQ(Pon_Shown_Text(full), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(Pon_Bytes(Pon_Shown_Text(full)), Ascii("ABCDEFGHIJKLMNO"));
  // Cells no byte can hold read as the erased 0xFF and are left out.
  const int16_t odd[16] = {'A', 300, -1, 'B', 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32};
  EXPECT_EQ(Pon_Shown_Text(odd), "AB");
}

TEST(PonText, EveryByteTheRadioSendsShowsAsOneCharacterAndStoresBackUnchanged) {
  // Rows as a read brings them: two-byte text of the radio's own code page,
  // control bytes, the byte 0x7F and every byte from 0x80 up. Shown and
  // stored again, the row is the same but for the blanks closing up and the
  // erased 0xFF dropping out.
  struct Case {
    std::array<int16_t, 16> row;
    std::array<uint8_t, 16> stored;
  } cases[] = {
      {{0xB5, 0xE7, 0xCC, 0xA8, 'R', '4', '7', 32, 32, 32, 32, 32, 32, 32, 32, 32},
       {0xB5, 0xE7, 0xCC, 0xA8, 'R', '4', '7', 32, 32, 32, 32, 32, 32, 32, 32, 32}},
      {{0x00, 0x01, 0x1F, 0x7F, 0x80, 0x81, 0x9F, 0xA0, 0xAD, 0xFE, 0xC0, 32, 0xFF, 'A', 32, 0xD6},
       {0x00, 0x01, 0x1F, 0x7F, 0x80, 0x81, 0x9F, 0xA0, 0xAD, 0xFE, 0xC0, 'A', 0xD6, 32, 32, 32}},
  };
  for (const Case& c : cases) {
    const QString shown = Pon_Shown_Text(c.row.data());
    EXPECT_EQ(Pon_Bytes(shown), c.stored) << shown.toStdString();
  }
  // One character per byte, none of them a blank a trim would remove, each
  // byte its own character.
  QSet<QChar> seen;
  for (int v = 0; v <= 0xFE; ++v) {
    if (v == 0x20) continue;
    std::array<int16_t, 16> row;
    row.fill(0x20);
    row[0] = static_cast<int16_t>(v);
    const QString shown = Pon_Shown_Text(row.data());
    ASSERT_EQ(shown.size(), 1) << v;
    EXPECT_FALSE(shown[0].isSpace()) << v;
    EXPECT_TRUE(shown[0].isPrint()) << v;
    EXPECT_FALSE(seen.contains(shown[0])) << v;
    seen.insert(shown[0]);
    EXPECT_EQ(Pon_Bytes(shown)[0], v) << v;
  }
  // Typed characters outside printable ASCII are still no power-on characters.
  for (QChar ch : {QChar(0xE9), QChar(0xB5), QChar(0x4E2D), QChar(0x2400)}) EXPECT_FALSE(Pon_Char_Storable(ch));
}

TEST(PonText, KeyFilterAndStorableCharacters) {
  EXPECT_FALSE(Pon_Key_Refused("12345678901234"));
  EXPECT_TRUE(Pon_Key_Refused("123456789012345"));
  EXPECT_FALSE(Pon_Key_Refused("  12345678901234  "));  // blanks at the ends do not count
  EXPECT_TRUE(Pon_Char_Storable('A'));
  EXPECT_TRUE(Pon_Char_Storable(' '));
  EXPECT_TRUE(Pon_Char_Storable('~'));
  EXPECT_FALSE(Pon_Char_Storable(QChar(0x4E2D)));  // 中
  EXPECT_FALSE(Pon_Char_Storable(QChar(0xE9)));
  EXPECT_FALSE(Pon_Char_Storable(QChar(0x7F)));
}
