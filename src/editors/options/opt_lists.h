#pragma once
// The lists of the option editor: the items of every list (one table per
// list), the option-block lists bound to their position variables, and the
// lists of the two VFO frames bound to the fields of a VFO record.
//
// An item's index is the value the editor stores; the items are the same in
// number in both languages, so a stored value means the same in either.

#include <QStringList>
#include <cstdint>
#include <span>

// One item: its English and Chinese text (zh == nullptr: the same in both).
struct Item_Text {
  const char* en;
  const char* zh = nullptr;
};

// The items of one list: fixed texts first, then numbers, or a generated rule.
struct List_Items {
  enum class Rule {
    Fixed,    // only `fixed`, then `numbers` counting from `first`
    Offset,   // 2000 items "00.000MHZ" .. "99.950MHZ" (i x 50 kHz)
    Tone,     // 261 items: the OFF word, then the tone table's entries 1..260
    Alarm,    // 200 items "CH-000" .. "CH-199"
    Timeout,  // 40 items "15" .. "600" ((i + 1) x 15 s)
  };
  Rule rule = Rule::Fixed;
  std::span<const Item_Text> fixed{};
  int numbers = 0;  // how many number items follow the fixed ones
  int first = 0;    // the number the first of them shows

  int Count() const;
  // The texts for a language (zh: the Chinese texts).
  QStringList Texts(bool zh) const;
};

// A label caption.
struct Caption {
  const char* en;
  const char* zh;
};

// ---- the option-block lists ------------------------------------------------

struct Opt_Block_List {
  const char* combo;  // the list control's name, "Combo_Sql"
  const char* label;  // its label's name, "Label_Sql"
  Caption caption;
  int16_t* pos;  // its position variable (Opt_Pos_Sql); its byte and default: opt_positions.h
  const List_Items* items;
};

// The 43 lists, in the order the redraw shows them.
std::span<const Opt_Block_List> Opt_Block_Lists();

// ---- the lists of the VFO frames ---------------------------------------------

struct Vfo_List {
  enum class Field {
    Setting,  // one byte of the parameter row holds the index
    Tone,     // two bytes of the parameter row hold the tone word
    Offset,   // bytes 8..13 of the frequency row hold the offset digits
  };
  const char* combo_a;  // left frame (records A, C)
  const char* combo_b;  // right frame (records B, D)
  const char* label_a;
  const char* label_b;
  Caption caption;
  Field field;
  int byte;  // Setting: the byte of the parameter row; Tone: its low byte
  const List_Items* items;
};

// The eleven lists of each frame, in the order a record's display sets them
// (the offset and the tones first, then the settings by byte).
std::span<const Vfo_List> Vfo_Lists();

// The item sets that several lists share, for tests and the window.
namespace opt_items {
extern const List_Items On_Off;
extern const List_Items Colour;
extern const List_Items Offset;
extern const List_Items Tone;
}  // namespace opt_items
