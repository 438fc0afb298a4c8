#pragma once
// The channel table's records and their editing, without any window.
//
// Channel c (0..199) is two image rows: its channel record (row c) and its
// name record (row 256 + c); grid row r = c + 1 shows it. Everything here
// works on the shared memory image and on the cell texts of one grid, seen
// through Chann_Cells, so that the channel window and the tests drive the
// same code.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// ---- record layout ----------------------------------------------------------

constexpr int Chann_Name_Row0 = 256;  // image row of channel 0's name record
constexpr int Name_Bytes = 8;         // bytes 0..7 of a name record hold the name

// Grid columns of a channel row.
namespace chann_col {
constexpr int Number = 0, Band = 1, Rx = 2, Tx = 3, Dec = 4, Enc = 5, Power = 6, Width = 7,
              Ptt_Id = 8, Busy_Lock = 9, Scan_Add = 10, Sig_Code = 11, Opt_Sig = 12, Sq_Mode = 13,
              Scr = 14, Name = 15, Count = 16;
}

// The band text of a channel that is not empty (with its trailing blank).
inline const QString Band_Cell_Text = QStringLiteral("VHF/UHF ");
// The band list's one item.
inline const QString Band_Item_Text = QStringLiteral("VHF/UHF");
// What a tone word outside the tone coding shows. The bytes stay as they
// are until the user picks a tone.
inline const QString Tone_Unknown_Text = QStringLiteral("----");

// The text of a tone word (low, high bytes); dcs_padded: a DCS code shows
// its tone-table entry with all its blanks (the decode column) or trimmed.
QString Tone_Word_Text(int low, int high, bool dcs_padded);

// The two bytes (low, high) of tone-list item i (0..260).
std::array<uint8_t, 2> Tone_Item_Bytes(int i);
// The two bytes of a CTCSS tone typed as hz: the tone's word in tenths of a
// hertz, rounded to the nearest (half to even) before it is split.
std::array<uint8_t, 2> Ctcss_Bytes(double hz);
// What a typed tone text stores: a number from 60 to 259.9 Hz as that CTCSS
// tone, else the tone name it equals (the list item); nothing for anything else.
struct Tone_Entry {
  std::array<uint8_t, 2> bytes{};
  int item = -1;  // the list item it names, -1 for a typed CTCSS number
};
std::optional<Tone_Entry> Tone_Parse(const QString& text);

// The list items of a column, index 0 first (columns 1 and 4..14; empty
// for the text-box columns).
QStringList Column_Items(int col);
// Writes list choice i of a setting column (6..14) into channel ch's record;
// only the bits of that field change.
void Setting_Apply(int ch, int col, int i);

// The name as the window shows it from a name record: GBK text up to the
// first 0xFF, blanks at both ends removed.
QString Name_Decode(const std::array<uint8_t, Name_Bytes>& bytes);
// The bytes a name is stored as: whole characters in their GBK encoding,
// as many as fit into 8 bytes, the rest 0xFF. A character is never cut.
// whole, when given: set to whether every character of the name was stored.
std::array<uint8_t, Name_Bytes> Name_Encode(const QString& name, bool* whole = nullptr);
// The text of one name record from a raw name reply (the mapping the radio's
// own name pass uses after a read).
QString Name_Reply_Text(const int16_t* eight);

// ---- frequencies ----------------------------------------------------------------

// True when text (MHz) is blank.
bool Blank(const QString& text);
// The frequency in MHz that Freq_Put would store for text.
double Freq_Stored_Value(const QString& text);
// True when the frequency that text would be stored as passes Band_Check.
bool Freq_In_Band(const QString& text);
// The replacement for an out-of-band entry: the first band pair's low limit
// with five decimals ("136.00000", "87.00000").
QString Freq_Replacement();
// Stores text as the RX (col 0) or TX (col 4) frequency of channel ch, only
// when what it stores passes the band check; false when nothing was stored.
bool Freq_Store(const QString& text, int ch, int col);
// A typed frequency completed for the cell: its first 9 characters, then
// zeros up to 9 characters (8 below 100 MHz).
QString Freq_Complete(const QString& typed);

// ---- the grid's cells ------------------------------------------------------------

class Chann_Cells {
public:
  virtual ~Chann_Cells() = default;
  virtual QString Cell(int row, int col) const = 0;
  virtual void Set_Cell(int row, int col, const QString& text) = 0;
};

// A plain table of cell texts: rows 0..200, columns 0..15.
class Chann_Table : public Chann_Cells {
public:
  QString Cell(int row, int col) const override { return t_.at(row).at(col); }
  void Set_Cell(int row, int col, const QString& text) override { t_.at(row).at(col) = text; }

private:
  std::array<std::array<QString, chann_col::Count>, 201> t_{};
};

// Row routines for grid row r (channel r - 1).
void Chann_Decode(Chann_Cells& g, int r);
void Row_Show(Chann_Cells& g, int r);
void Row_Default(Chann_Cells& g, int r);
void Row_Clear(Chann_Cells& g, int r);
void Row_ClearData(Chann_Cells& g, int r);
// After a completed read: column 15 from the raw name replies 2 ..
// read_last + 1 (Rx_Name).
void Name_Rescan(Chann_Cells& g, int read_last);
void Name_Redecode(Chann_Cells& g, int k, int r, int o);

// ---- cell editing ------------------------------------------------------------------

enum class Editor_Kind { None, Hide_Both, List, Box };

// What opening an editor on a cell shows.
struct Editor_Open {
  Editor_Kind kind = Editor_Kind::None;
  QStringList items;  // List: the items
  QString text;       // the editor's text
};

// What Enter in the text box asks the window to do after it.
struct Enter_Move {
  int row = 0, col = 0;  // the cell to make current, then open the editor on
};

// The edit state of the channel window and the rules of its commits.
//
// A cell is committed only when an editor was opened on it and its text was
// changed from what the editor opened with: a cell left without an editor
// (arrow keys), or left unchanged, writes nothing, and an editor's text from
// an earlier cell is never committed to another.
class Chann_Edit {
public:
  explicit Chann_Edit(Chann_Cells& g) : g_(g) {}

  int16_t Edit_Row = 0;
  int16_t Edit_Col = 0;
  QString Edit_Text;

  // Opening the editor on (r, c).
  Editor_Open Cell_Edit(int r, int c);
  // The list editor's choice of item i (text: the item) on (r, c).
  void List_Click(int r, int c, int i, const QString& text);
  // The cell (r, c) is left; box and list: the editors' texts now.
  void Leave_Cell(int r, int c, const QString& box, const QString& list);
  // Enter in the text box on (r, c) with its text box; returns the cell to
  // move to (the move then commits (r, c) with *box). box may be changed.
  std::optional<Enter_Move> Box_Enter(int r, int c, QString* box);
  // Enter in the list editor on (r, c): the cell to move to, if any.
  std::optional<Enter_Move> List_Enter(int r, int c) const;
  // True when an editor is open on (r, c).
  bool Open_On(int r, int c) const { return open_row_ == r && open_col_ == c; }
  void Forget() { open_row_ = open_col_ = -1; }

private:
  void Band_Rule(int r, const QString& list);
  // Row r as the image holds it, after a pick or commit.
  void Show_Stored(int r);
  void Tone_Commit(int r, int c, const QString& list);
  void Name_Commit(int r, const QString& box);
  void Rx_Commit(int r, const QString& e);
  void Tx_Commit(int r, const QString& e);

  Chann_Cells& g_;
  int open_row_ = -1, open_col_ = -1;
  QString open_text_;
};

// Messages of the channel editing (text and title by Lang_Flag).
void Chann_Message(const char* zh, const char* en, const char* title_zh, const char* title_en);
