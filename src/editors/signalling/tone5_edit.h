#pragma once
// The 5-tone editor's rules that need no window: list items, what a cell
// shows of the image, how an edit is stored, and the build of the
// signalling file from the image and the decode page.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "editors/signalling/tone5_area.h"

using Tone5_File_Table = std::array<std::array<int16_t, 16>, 256>;  // as Sig_Buffer

// ---- lists ------------------------------------------------------------------
QStringList Tone5_Std_Names();      // "CCIR1" .. "MODAT", index order
QStringList Tone5_Period_Items();   // "20", "30" .. "200": item k = period code k
QStringList Tone5_Digit_Items();    // "0" .. "9", "A" .. "F": item k = digit k
QStringList Tone5_Delay_Items();    // "0", "10" .. "1000": item k = 10 k ms
QStringList Tone5_Reset_Items();    // "100" .. "8000": item k = 100 (k + 1) ms
// The reply delays the decode page offers, in the current language:
// item k = Tone5_Reply_Delay_Step_Ms * k ms, k = 0 .. Tone5_Reply_Delay_Count - 1.
constexpr int Tone5_Reply_Delay_Step_Ms = 100;
constexpr int Tone5_Reply_Delay_Count = 31;  // 0 .. 3000 ms
QStringList Tone5_Reply_Delay_Items();

// The list item a stored byte selects: the byte when it is an item of a list
// of count items, else -1 (no selection).
int Tone5_List_Index(int16_t byte, int count);

// ---- what the grids show -------------------------------------------------------
QString Tone5_Period_Text(int16_t code);  // 20 + 10 code, in decimal
// The five characters of frame f (0..2) of encode entry e (1..15).
QString Tone5_Frame_Text(int entry, int frame);
// What a redraw shows in encode cell (entry, col), col 1..4 (the frames and
// the standard's name), and in standards cell (n, col), n = 1..15, col 1..3
// (the period and the two digits).
QString Tone5_Encode_Cell(int entry, int col);
QString Tone5_Std_Cell(int n, int col);

// ---- edits -------------------------------------------------------------------------
// The frame box's key rule: Backspace passes; a hex digit or Enter passes
// while the trimmed text is shorter than five characters; all else becomes 0.
void Tone5_Frame_Key(int& key, const QString& text);
// Frame f of entry e := the trimmed text, one digit code per character, at
// most five; the other positions 0xFF.
void Tone5_Frame_Write(int entry, int frame, const QString& text);
// An emptied entry, as the factory image holds one: 0xFF in all 16 bytes.
void Tone5_Entry_Clear(int entry);
// Bit `bit` of settings byte `byte` of row 607 set or cleared; the other bits stay.
void Tone5_Settings_Bit(int byte, int bit, bool on);

// ---- the signalling file ---------------------------------------------------------------
// Five digit codes of a cell: the trimmed text padded with blanks to five
// characters, each of the first five through Cov_c2b.
std::array<int16_t, 5> Tone5_Five_Codes(const QString& cell);
// A function cell's number: 255 for an empty cell, else its first character
// read as a number (0 when it is no digit).
int16_t Tone5_Function_Number(const QString& cell);

// What the decode page holds; it lives only in the window.
struct Tone5_Decode_Page {
  std::array<std::array<QString, 9>, 16> cells;       // decode grid, rows 1..15
  std::array<std::array<int16_t, 6>, 15> actions{};   // flag bytes 0..5 of each entry
  int reset_index = -1;                               // Combo_Dec_Res_Time
  bool reply = false;                                 // Check_Dec_back
  bool reply_when_idle = false;                       // Check_Dec_Bcl
  int reply_delay_index = -1;                         // Combo_Dec_Back_Time
};

// The file a save writes: lines 0..63 the constant tone tables; lines 64..95
// the image rows 576..607 as they stand (the grids and lists show nothing
// else, and a load puts exactly these lines back, so saving and loading
// gives the same image); lines 96..143 built from the encode entries and the
// decode page; lines 144..255 taken from `kept`.
Tone5_File_Table Tone5_File_Build(const Tone5_File_Table& kept, const Tone5_Decode_Page& page);

// A load: lines 64..95 into image rows 576..607, nothing else. The caller has
// checked that they are bytes.
void Tone5_File_Apply(const Tone5_File_Table& file);
