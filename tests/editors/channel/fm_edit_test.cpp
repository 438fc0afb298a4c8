// The commit rules of the FM preset grid, without a window.
#include <gtest/gtest.h>

#include "editors/channel/fm_edit.h"

TEST(FmCellCommit, FrequencyEntries) {
  struct Case {
    const char* typed;
    const char* freq;  // the frequency cell afterwards
    bool name_kept;    // the name cell keeps its text (else it is emptied)
    Fm_Note note;
  } cases[] = {
      {"88", "88.00000", true, Fm_Note::None},
      {"100", "100.00000", true, Fm_Note::None},
      {"108", "108.00000", true, Fm_Note::None},
      {"87", "87.00000", true, Fm_Note::None},
      {"88.9", "88.90000", true, Fm_Note::None},
      {"100.5", "100.50000", true, Fm_Note::None},
      {"107.135791357", "107.13579", true, Fm_Note::None},  // cut, never rounded up
      // Texts longer than their form, blanks and junk after the number.
      {"95.135791", "95.13579", true, Fm_Note::None},
      {" 88.9", "88.90000", true, Fm_Note::None},
      {"8 8.5", "88.50000", true, Fm_Note::None},
      {"88.", "88.00000", true, Fm_Note::None},
      {"088.5", "88.50000", true, Fm_Note::None},
      {"99.95abc", "99.95000", true, Fm_Note::None},
      {"+90", "90.00000", true, Fm_Note::None},
      // Out of range: the lower limit.
      {"86.99", "87.00000", true, Fm_Note::Freq_Range},
      {"108.00001", "87.00000", true, Fm_Note::Freq_Range},
      {"-90", "87.00000", true, Fm_Note::Freq_Range},
      {"abc", "87.00000", true, Fm_Note::Freq_Range},
      {"1e2", "87.00000", true, Fm_Note::Freq_Range},
      // Empty: the preset goes, name and all.
      {"", "", false, Fm_Note::None},
      {"   ", "", false, Fm_Note::None},
  };
  for (const auto& c : cases) {
    const Fm_Commit got = Fm_Cell_Commit(Fm_Freq_Col, c.typed, "90.40000", "CCTV1");
    EXPECT_EQ(got.freq, c.freq) << c.typed;
    EXPECT_EQ(got.name, c.name_kept ? "CCTV1" : "") << c.typed;
    EXPECT_EQ(got.note, c.note) << c.typed;
  }
}

TEST(FmCellCommit, NameEntries) {
  struct Case {
    const char* typed;
    const char* freq_cell;
    const char* name;
    Fm_Note note;
  } cases[] = {
      {"vrnew", "88.90000", "VRNEW", Fm_Note::None},
      {"  ab  ", "88.90000", "AB", Fm_Note::None},
      {"a b", "88.90000", "A B", Fm_Note::None},
      {"abcdef", "88.90000", "ABCDEF", Fm_Note::None},
      {"abcdefgh", "88.90000", "ABCDEF", Fm_Note::Name_Long},
      {"", "88.90000", "", Fm_Note::None},
      // A row without a frequency keeps no name.
      {"abc", "", "", Fm_Note::None},
      {"abc", "  ", "", Fm_Note::None},
      {"abcdefgh", "", "", Fm_Note::Name_Long},
  };
  for (const auto& c : cases) {
    const Fm_Commit got = Fm_Cell_Commit(Fm_Name_Col, c.typed, c.freq_cell, "OLD");
    EXPECT_EQ(got.name, c.name) << c.typed;
    EXPECT_EQ(got.freq, c.freq_cell) << c.typed;
    EXPECT_EQ(got.note, c.note) << c.typed;
  }
  // The number column changes nothing.
  const Fm_Commit none = Fm_Cell_Commit(0, "99", "88.90000", "VRNEW");
  EXPECT_EQ(none.freq, "88.90000");
  EXPECT_EQ(none.name, "VRNEW");
  EXPECT_EQ(none.note, Fm_Note::None);
}

TEST(FmEdit, OnlyAChangedTextOfTheOpenedCellCommits) {
  Fm_Edit e;
  EXPECT_FALSE(e.Commits(1, 0, "")) << "the start cell was never opened";
  EXPECT_FALSE(e.Commits(1, 1, "99")) << "nothing opened yet: a text in the box is stale";

  e.Opened(3, 1, "92.30000");
  EXPECT_FALSE(e.Commits(3, 1, "92.30000")) << "left unchanged";
  EXPECT_TRUE(e.Commits(3, 1, "95"));
  EXPECT_TRUE(e.Commits(3, 1, "")) << "a text the user deleted";
  EXPECT_FALSE(e.Commits(4, 1, "95")) << "another cell than the one opened";
  EXPECT_FALSE(e.Commits(3, 2, "95"));

  e.Closed(3, 1);
  EXPECT_FALSE(e.Commits(3, 1, "95")) << "committed once; the box text is stale now";

  e.Opened(2, 2, "CCTV1");
  e.Discard();
  EXPECT_FALSE(e.Commits(2, 2, "X")) << "the cells were redrawn under the box";

  // The spare row and the number column never commit.
  e.Opened(17, 1, "");
  EXPECT_FALSE(e.Open);
  EXPECT_FALSE(e.Commits(17, 1, "100"));
  e.Opened(5, 0, "5");
  EXPECT_FALSE(e.Commits(5, 0, "6"));
}
