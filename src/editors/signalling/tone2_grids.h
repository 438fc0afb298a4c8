#pragma once
// What the 2-tone editor's grids, tone boxes and lists show and store,
// without the controls: cell texts from the image, the value rules of a
// committed encode cell or tone box, the decode cell's list and its byte,
// and the key filters of the typed boxes.

#include <QString>
#include <QStringList>

#include "platform/vb_controls.h"

// Decode grid texts of a pair, a response and an alert byte.
QString Pair_Text(int value);
QString Resp_Text(int value);
QString Alert_Text(int value);

// The text of encode cell (n, c), n = 1..15, c = 1..2: the stored tone with
// ".0", or empty for a value outside 300..3000.
QString Tone2_Encode_Text(int n, int c);
// The text of tone box t (0..3) of decode code index + 1: empty for 0 or
// FF FF, else the stored value with ".0".
QString Tone2_Tone_Text(int index, int t);
// The text of decode cell (n, c), n = 1..15, c = 1..12.
QString Tone2_Decode_Text(int n, int c);

// How a commit ended.
enum class Tone2_Commit { Stored, Cleared, Refused };

// Commits encode cell (n, c) from the editor's text: a value of 300..3000 is
// stored rounded half up; an empty text stores 0x0000; anything else is
// refused (the caller shows the range message) and stores 0x0000 too.
Tone2_Commit Tone2_Encode_Commit(int n, int c, const QString& text);

// Commits tone box t of decode code index + 1: the value rounded half to
// even; 300..3000 is stored with its divider; an empty text clears the
// slot's four bytes to 0xFF; anything else is refused and clears them too.
Tone2_Commit Tone2_Tone_Commit(int index, int t, const QString& text);

// The decode cell's column kind.
enum class Tone2_Column { Number, Pair, Response, Alert };
Tone2_Column Tone2_Column_Kind(int c);
// The items the in-cell list offers for column c.
QStringList Tone2_Decode_Items(int c);
// The list position that shows what decode cell (n, c) holds, -1 for a byte
// that is none of the items.
int Tone2_Decode_Shown(int n, int c);
// Stores a pick at list position p in decode cell (n, c).
void Tone2_Decode_Store(int n, int c, int p);

// The decode tone boxes: digits and ".", at most 7 characters, no Backspace.
Key_Filter Tone2_Tone_Filter();
// Their own key rule beyond the filter: with more than 6 characters even
// Enter is refused.
void Tone2_Tone_KeyPress(int& key, const QString& text);
// The encode cell editor: digits and ".", no Backspace, no limit.
Key_Filter Tone2_Encode_Filter();

// The setting lists: items and the byte each stores its position in.
struct Tone2_List {
  const char* name;
  int row;
  int byte;
};
enum Tone2_List_Id { Enc_First, Enc_Second, Enc_Gap, Dec_Reset_Time, Tone2_List_Count };
extern const Tone2_List Tone2_Lists[Tone2_List_Count];
QStringList Tone2_List_Items(Tone2_List_Id id);
