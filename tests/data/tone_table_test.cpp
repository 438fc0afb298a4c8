#include <gtest/gtest.h>

#include "data/shared_state.h"
#include "data/tone_table.h"

TEST(ToneTable, PaddingAtTheBoundaries) {
  Shared_Reset();
  Tone_Init();
  struct Case { int index; const char* name; } cases[] = {
      {0, "   OFF      "}, {1, "   67.0    "},  {9, "   88.5    "},  {10, "  91.5    "},
      {12, "  97.4    "},  {13, "  100.0   "},  {50, "  254.1   "},  {51, "  D023N   "},
      {99, "  D266N   "},  {100, " D271N   "},  {155, " D754N   "},  {156, " D023I   "},
      {260, " D754I   "}};
  for (auto c : cases) EXPECT_EQ(Tone_Name[c.index], QString(c.name)) << c.index;
}

TEST(ToneTable, InvertedNamesMirrorTheNormalOnes) {
  Shared_Reset();
  Tone_Init();
  for (int k = 51; k <= 155; ++k) {
    QString normal = Tone_Name[k];
    if (k <= 99) normal.remove(0, 1);  // one leading blank fewer in the inverted name
    normal.replace('N', 'I');
    EXPECT_EQ(Tone_Name[k + 105], normal) << k;
  }
}

TEST(BandTable, VariantsAndEmptyEntries) {
  Shared_Reset();
  Band_Init();
  EXPECT_EQ(Band_Names[0], "VHF0/UHF0");
  EXPECT_EQ(Band_Names[2], "VHF2/UHF2");
  EXPECT_TRUE(Band_Names[3].isEmpty());
  EXPECT_EQ(Band_Table[6][1], 89);
  EXPECT_EQ(Band_Table[3][2], 0);
  EXPECT_EQ(Band_Table[5][1], 701);
  EXPECT_EQ(Band_Table[1][2], 240);
  EXPECT_EQ(Band_Table[7][0], 0);
}
