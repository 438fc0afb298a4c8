// The 5-tone editor's rules without the window: key filter, frame writes,
// list items, and the signalling file's build.
#include <gtest/gtest.h>

#include "data/tone5_tables.h"
#include "editors/image_rows.h"
#include "editors/signalling/tone5_area.h"
#include "editors/signalling/tone5_edit.h"

namespace {
constexpr int F = 0xFF;

void Start_Up() {
  Image_Start();
  Tone5_Default();
}

std::array<int, 16> Line(const Tone5_File_Table& t, int l) {
  std::array<int, 16> out{};
  for (int c = 0; c < 16; ++c) out[c] = t[l][c];
  return out;
}
}  // namespace

TEST(Tone5Edit, FrameKeyFilter) {
  struct Case { int key; const char* text; int want; } cases[] = {
      {'1', "", '1'},      {'a', "12", 'a'},    {'F', "1234", 'F'}, {13, "", 13},
      {'6', "12345", 0},   {13, "12345", 0},    {8, "12345", 8},    {8, "", 8},
      {' ', "", 0},        {'G', "", 0},        {'*', "1", 0},      {'#', "", 0},
      {0x4E2D, "", 0},     {'9', "  12  ", '9'},  // blanks around the digits do not count
  };
  for (const auto& c : cases) {
    int k = c.key;
    Tone5_Frame_Key(k, QString::fromUtf8(c.text));
    EXPECT_EQ(k, c.want) << c.key << " into \"" << c.text << "\"";
  }
}

TEST(Tone5Edit, FrameWriteTouchesOnlyItsFiveBytes) {
  Start_Up();
  struct Case { int entry, frame; const char* text; std::array<int, 5> want; } cases[] = {
      {4, 1, "1a2B3", {1, 10, 2, 11, 3}},
      {1, 2, "", {F, F, F, F, F}},
      {1, 0, " 123 ", {1, 2, 3, F, F}},
      {2, 0, "12x45", {1, 2, F, 4, 5}},       // a character that is no digit
      {3, 2, "1234567", {1, 2, 3, 4, 5}},     // at most five
      {15, 1, "1 3", {1, F, 3, F, F}},        // a blank inside stays no digit
  };
  for (const auto& c : cases) {
    const Image_Table before = Radio_Image;
    Tone5_Frame_Write(c.entry, c.frame, c.text);
    const int row = 591 + c.entry;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Radio_Image[row][5 * c.frame + k], c.want[k]) << c.text << " " << k;
    Image_Table expect = before;
    for (int k = 0; k < 5; ++k) expect[row][5 * c.frame + k] = Radio_Image[row][5 * c.frame + k];
    EXPECT_TRUE(Same_Image(Radio_Image, expect)) << c.text;
  }
}

TEST(Tone5Edit, EntryClearIsTheFactoryEmptyEntry) {
  Start_Up();
  Tone5_Entry_Clear(1);
  EXPECT_EQ(Image_Row16(592), Row_Of(F));
  EXPECT_EQ(Image_Row16(606)[15], 14) << "other entries stay";
}

TEST(Tone5Edit, ListsAndStoredBytes) {
  EXPECT_EQ(Tone5_Period_Items().size(), 19);
  EXPECT_EQ(Tone5_Period_Items().front(), "20");
  EXPECT_EQ(Tone5_Period_Items().back(), "200");
  EXPECT_EQ(Tone5_Digit_Items().join(""), "0123456789ABCDEF");
  EXPECT_EQ(Tone5_Delay_Items().size(), 101);
  EXPECT_EQ(Tone5_Delay_Items()[12], "120");
  EXPECT_EQ(Tone5_Reset_Items().size(), 80);
  EXPECT_EQ(Tone5_Reset_Items()[59], "6000");
  EXPECT_EQ(Tone5_Reply_Delay_Items().size(), Tone5_Reply_Delay_Count);
  EXPECT_EQ(Tone5_Reply_Delay_Items()[3], QString::number(3 * Tone5_Reply_Delay_Step_Ms));
  struct Case { int byte, count, want; } cases[] = {{0, 15, 0}, {14, 15, 14}, {15, 15, -1}, {255, 101, -1},
                                                     {100, 101, 100}, {-1, 80, -1}};
  for (const auto& c : cases) EXPECT_EQ(Tone5_List_Index(static_cast<int16_t>(c.byte), c.count), c.want);
  EXPECT_EQ(Tone5_Period_Text(255), "2570");
  EXPECT_EQ(Tone5_Period_Text(5), "70");
}

TEST(Tone5Edit, FileCellRules) {
  using A = std::array<int16_t, 5>;
  EXPECT_EQ(Tone5_Five_Codes("123"), (A{1, 2, 3, 255, 255}));
  EXPECT_EQ(Tone5_Five_Codes(""), (A{255, 255, 255, 255, 255}));
  EXPECT_EQ(Tone5_Five_Codes("CCIR1"), (A{12, 12, 255, 255, 1}));
  EXPECT_EQ(Tone5_Five_Codes(" ab12F "), (A{255, 255, 1, 2, 15})) << "lower case is no digit here";
  EXPECT_EQ(Tone5_Function_Number("6.Stun"), 6);
  EXPECT_EQ(Tone5_Function_Number(""), 255);
  EXPECT_EQ(Tone5_Function_Number("x"), 0);
}

TEST(Tone5Edit, FileBuildAfterStartUp) {
  Start_Up();
  Tone5_File_Table kept{};
  for (int l = 144; l < 256; ++l) kept[l].fill(static_cast<int16_t>(l));
  kept[10].fill(77);  // built lines never come from the kept table
  Tone5_Decode_Page page;
  const Image_Table before = Radio_Image;
  const Tone5_File_Table t = Tone5_File_Build(kept, page);
  EXPECT_TRUE(Same_Image(Radio_Image, before)) << "the build changes nothing";
  EXPECT_EQ(Line(t, 0), (std::array<int, 16>{189, 100, 173, 251, 78, 166, 4, 104, 211, 68, 96, 162, 199, 223, 62, 31}));
  for (int l : {15, 31, 47, 63}) EXPECT_EQ(Line(t, l), (std::array<int, 16>{})) << l;
  EXPECT_EQ(t[64][0], 8);
  EXPECT_EQ(t[64][1], 10);
  EXPECT_EQ(t[64][2], 14);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(Line(t, 64 + k), Image_Row16(576 + k)) << "line " << 64 + k;
  // Entry 1 with its standard's name in bytes 0..4; the staging row of delays.
  EXPECT_EQ(Line(t, 96), (std::array<int, 16>{12, 12, 255, 255, 1, 3, 4, 5, 6, 7, 5, 6, 7, 8, 9, 0}));
  EXPECT_EQ(Line(t, 97), Row_Of(255));
  for (int l : {111, 127}) EXPECT_EQ(Line(t, l), (std::array<int, 16>{20, 20, 20, 0})) << l;
  // An empty decode page: no codes, no standard, no function.
  EXPECT_EQ(Line(t, 112), Row_Of(255));
  EXPECT_EQ(Line(t, 128), (std::array<int, 16>{255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255}));
  EXPECT_EQ(Line(t, 143), (std::array<int, 16>{})) << "no selection in a list writes 0";
  for (int l = 144; l < 256; ++l) ASSERT_EQ(Line(t, l), Row_Of(l)) << l;
}

TEST(Tone5Edit, FileBuildOfTheDecodePage) {
  Start_Up();
  Tone5_Decode_Page page;
  page.cells[2] = {"", "EURO", "12A", "6.Stun", "ABCDE", "", "", "", "0F"};
  page.actions[1] = {1, 2, 4, 8, 15, 31};
  page.reset_index = 59;
  page.reply = true;
  page.reply_delay_index = 7;
  const Tone5_File_Table t = Tone5_File_Build({}, page);
  EXPECT_EQ(Line(t, 113), (std::array<int, 16>{1, 2, 10, 255, 255, 10, 11, 12, 13, 14, 255, 255, 255, 255, 255, 11}));
  EXPECT_EQ(Line(t, 129), (std::array<int, 16>{0, 15, 255, 255, 255, 6, 255, 255, 1, 2, 4, 8, 15, 31, 255, 11}));
  EXPECT_EQ(Line(t, 143), (std::array<int, 16>{59, 1, 0, 7}));
}
