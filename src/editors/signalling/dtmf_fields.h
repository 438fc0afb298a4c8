#pragma once
// What the DTMF editor's controls show and store, without the controls: the
// code boxes and the rows they own, the key filter of a code box, the lists
// with their bytes, and the text a code row shows.

#include <QString>
#include <QStringList>

#include "platform/vb_controls.h"

// A code box and the row of the DTMF area it keeps equal to its text.
struct Dtmf_Code_Box {
  const char* name;  // the control's name, e.g. "Text_XC"
  int row;
};
// Encode codes 1..15 (Text_tx_Encode 0..14), then the six remote-control codes
// and the two control IDs.
constexpr int Dtmf_Code_Box_Count = 23;
extern const Dtmf_Code_Box Dtmf_Code_Boxes[Dtmf_Code_Box_Count];

// The filter of every code box: the DTMF characters only, at most 16 of
// them, Backspace never. Enter passes the filter while the box is not full.
Key_Filter Dtmf_Code_Filter();
// The code box's own key rule beyond the filter: once the box holds 16
// characters even Enter is refused.
void Dtmf_Code_KeyPress(int& key, const QString& text);

// The text of a code row: the characters of bytes 0..15 in order; bytes of
// 16 or more (0xFF among them) show nothing wherever they stand.
QString Dtmf_Code_Text(int row);

// A setting list: its items, and the image byte that holds its index (or the
// digit code of its item, for the group and space codes).
struct Dtmf_List {
  const char* name;
  int row;
  int byte;
  bool digit_code;  // the byte is Dtmf_c2b of the item, not its index
};
enum Dtmf_List_Id { Enc_On, Enc_Off, Dec_Group, Dec_Space, Dec_Delay, Dec_Reset, Dtmf_List_Count };
extern const Dtmf_List Dtmf_Lists[Dtmf_List_Count];
QStringList Dtmf_List_Items(Dtmf_List_Id id);

// The item a stored index selects: the index itself, or the last item for an
// index beyond the list (the 2-tone lists follow the same rule).
int List_Pick(int byte, int count);

// Check boxes of the decode settings row: the byte and the bit mask.
struct Dtmf_Bit {
  int byte;
  int mask;
};
// Sets or clears mask in byte of the settings row, leaving the other bits.
void Dtmf_Bit_Put(const Dtmf_Bit& bit, bool set);
