#pragma once
// The commit rules of the FM preset grid, free of any window: which cell a
// commit may touch, what a typed frequency or name becomes in its cell, and
// the edit state that decides whether leaving a cell commits at all.
//
// Grid row r (1..16) shows preset r - 1; column 1 is the frequency, column 2
// the station name. Row 17 is a spare row that stands for no preset.

#include <QString>

#include "editors/channel/fm_record.h"

// The receive range of the FM presets in MHz, both limits included.
constexpr double Fm_Freq_Low = 87;
constexpr double Fm_Freq_High = 108;

constexpr int Fm_Freq_Col = 1;
constexpr int Fm_Name_Col = 2;
constexpr int Fm_Grid_Rows = Fm_Count + 2;  // header, 16 presets, the spare row

// A cell the text box may be opened on: a frequency or name cell of a preset row.
constexpr bool Fm_Editable(int row, int col) {
  return row >= 1 && row <= Fm_Count && (col == Fm_Freq_Col || col == Fm_Name_Col);
}

// What a commit asks the window to tell the user.
enum class Fm_Note {
  None,
  Freq_Range,  // the frequency was outside 87..108 MHz and became the lower limit
  Name_Long,   // the name had more than 6 characters and was cut
};

// The row's two cells after a commit, and the note to show first.
struct Fm_Commit {
  QString freq;
  QString name;
  Fm_Note note = Fm_Note::None;
};

// The cell form of an accepted frequency entry: the leading number of the
// text (blanks anywhere ignored), its decimals cut to five and padded with
// zeros ("88" gives 88.00000, "107.135791357" gives 107.13579, " 88.9 "
// gives 88.90000).
QString Fm_Freq_Entry(const QString& typed);

// The commit of text x typed into column col of a row whose cells hold freq
// and name:
//  - frequency: a value in 87..108 gives its cell form; an empty or blank
//    entry empties both cells (the preset is cleared); anything else is
//    refused with Freq_Range and gives the lower limit, 87.00000;
//  - name: the trimmed text, its first 6 characters in upper case (Name_Long
//    when it was longer); a row without a frequency keeps no name.
// Any other column changes nothing.
Fm_Commit Fm_Cell_Commit(int col, const QString& x, const QString& freq, const QString& name);

// The edit state of the grid: the cell the text box was last opened on or
// last left, and the text it showed when it opened. Leaving a cell commits
// only when the box was opened on that very cell since the last commit and
// the user changed its text; so a cell left by the arrow keys, a cell
// clicked and left unchanged, and a text left behind in a hidden box change
// nothing.
struct Fm_Edit {
  int Edit_Row = 1;
  int Edit_Col = 0;
  QString Edit_Text;  // the cell's text when the box was opened on it
  bool Open = false;  // the box was opened on (Edit_Row, Edit_Col) and not yet committed

  void Opened(int row, int col, const QString& cell_text);
  // Leaving (row, col) with the box holding x: true when that is a commit.
  bool Commits(int row, int col, const QString& x) const;
  // After a commit or a redraw: nothing is pending; the left cell is remembered.
  void Closed(int row, int col);
  void Discard() { Open = false; }
};
