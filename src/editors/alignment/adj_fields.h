#pragma once
// The rules of the alignment editor's fields, without any window: the value
// boxes' checks, the band-limit checks and digits, and the password cells.
// The window wires its controls to these; tests drive them with tables.

#include <QString>
#include <array>
#include <optional>

#include "data/shared_state.h"
#include "editors/alignment/adj_area.h"

// ---- value boxes (TX power, squelch level, squelch offset) --------------------

enum class Adj_Family { Tx_Power, Sql_Level, Sql_Offset };

struct Adj_Family_Info {
  int max;              // largest value accepted (the smallest is 0)
  const char* message;  // shown for a bad entry; Chinese in both languages
};
const Adj_Family_Info& Family_Info(Adj_Family f);

enum class Value_Verdict {
  Ok,           // digits only (or empty) and within 0..max
  Bad_Char,     // a character other than 0..9 after the blanks at the ends are gone
  Out_Of_Range  // digits only, above max
};

// The check of a value box's text against 0..max.
Value_Verdict Value_Check(const QString& text, int max);

// The number a value box's text denotes: the trimmed text's leading digits,
// 0 when it starts with none (an empty box). Saturates instead of wrapping.
int Value_Of(const QString& text);

// The value put back after a bad entry: the factory value, kept within
// 0..max so that putting it back can never fail the check again.
int Value_Restore(int factory, int max);

// The image row a value box of band b writes on page `page` (0..4).
int Value_Row(Adj_Family f, int band, int page);

// ---- band limits --------------------------------------------------------------

// The limits each band's boxes accept, in MHz.
constexpr std::array<int16_t, Adj_Bands> Freq_Min_Values = {130, 130, 400, 400};
constexpr std::array<int16_t, Adj_Bands> Freq_Max_Values = {179, 179, 520, 520};

// A band-limit box refuses every key, Backspace included, once its text
// without the blanks at its ends holds this many characters.
constexpr int Limit_Box_Chars = 4;
bool Limit_Key_Refused(const QString& text);

// The number of a limit box: the leading number of its text with every
// blank ignored, a sign and a decimal fraction read; 0 when there is none.
double Limit_Number(const QString& text);

// The outcome of leaving a limit box.
enum class Limit_Verdict {
  Ok,
  Upper_Above_Max,    // message A
  Upper_Below_Lower,  // message B
  Lower_Below_Min,    // message C
  Lower_Above_Upper,  // message D
};
// Leaving the upper box (h) with the band's lower box holding l. An upper
// limit below the band's lowest one is below every lower limit the band
// accepts, so it gets message B as well.
Limit_Verdict Upper_Check(double h, double l, int fmin, int fmax);
// Leaving the lower box (l) with the band's upper box holding h. A lower
// limit above the band's highest one is above every upper limit the band
// accepts, so it gets message D as well.
Limit_Verdict Lower_Check(double l, double h, int fmin, int fmax);

// The message of a refusal, in the current language, and its title.
QString Limit_Message(Limit_Verdict v);
QString Limit_Title();

// The three decimal digits a limit is stored as, or nothing when the limit
// lies outside fmin..fmax (such a box keeps the cells it came from). A
// fraction is dropped (the whole MHz below it).
std::optional<std::array<int16_t, 3>> Limit_Digits(double v, int fmin, int fmax);

// The text a limit box shows for three digit cells: 100 d0 + 10 d1 + d2 with
// one leading blank; empty when a cell holds no byte value.
QString Limit_Text(int d0, int d1, int d2);

// ---- passwords ----------------------------------------------------------------

// Stores a password box's text into cells first..first+5 of row: all six
// blank (32), then the trimmed text's first six characters, centred, each
// coded with Asc_Allowed (a blank inside the text becomes 11).
void Password_Store(Image_Row& row, int first, const QString& text);

// The text a password box shows for cells first..first+5: each cell's
// character appended to the text so far with its blanks at both ends
// removed; a cell outside the allowed set, or holding no byte value, shows
// nothing.
QString Password_Text(const Image_Row& row, int first);
