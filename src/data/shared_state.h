#pragma once
// The module-level state every window shares. One instance for the whole run;
// windows read and write it in place. Each variable starts zero, empty or
// zero-filled, as at program start; the start-up sequence gives the first
// values.

#include <QString>
#include <array>
#include <cstdint>

// ---- memory image ---------------------------------------------------------
constexpr int Image_Rows = 1025;  // rows 0..1024
constexpr int Image_Cols = 17;    // columns 0..16; column 16 carries no radio byte
using Image_Row = std::array<int16_t, Image_Cols>;
using Image_Table = std::array<Image_Row, Image_Rows>;

// Element (r, c), c = 0..15, holds the byte at radio address r * 16 + c.
extern Image_Table Radio_Image;

// ---- application frame ----------------------------------------------------
extern int16_t Lang_Flag;                  // 0 English, -1 Chinese (any non-zero reads as Chinese)
extern std::array<QString, 4> Title_Text;  // zh title, zh status, en title, en status
extern int16_t Chann_Count;
extern QString File_Path;
extern int16_t Adj_Open_Flag, Adj_Save_Flag, Sig_Open_Flag, Sig_Save_Flag;

extern std::array<QString, 261> Tone_Name;
extern std::array<QString, 11> Band_Names;
extern std::array<std::array<int16_t, 5>, 11> Band_Table;
extern int16_t Band_Type;
extern std::array<double, 8> Band_Limits;  // four (low, high) pairs in MHz
extern std::array<uint8_t, 4> Freq_Bcd;    // scratch of the frequency codec

extern std::array<int16_t, 513> Opt_Bytes;  // elements 0..255 mirror the option block

extern std::array<QString, 6> About_Text;
extern std::array<QString, 4> Resp_List;
extern std::array<QString, 9> Func_List;

// ---- radio link -------------------------------------------------------------
extern std::array<uint8_t, 10> Hand_Cmd;  // bytes 0..7: the connect command
extern int16_t Port_No;
extern int16_t Port_Error;                // 0, or -1 after a failed open
using Reply_Store = std::array<std::array<int16_t, 71>, 257>;
extern Reply_Store Rx_Main;               // raw read replies (reply number, byte position)
extern std::array<int16_t, 17> Pass_Typed;
extern std::array<uint8_t, 17> Pass_Block;
extern Reply_Store Rx_Name;               // raw name-area replies of the channel editor
extern int16_t Area_Toggle;
extern std::array<int16_t, 17> Pass_Old, Pass_New;

// ---- alignment ----------------------------------------------------------------
constexpr int Adj_Rows = 33;  // rows 0..32, rows 0..31 used (radio 0x3C00..0x3DFF)
constexpr int Adj_Addr = 0x3C00;  // element (r, c), c = 0..15, is radio address Adj_Addr + 16 r + c
using Adj_Table = std::array<Image_Row, Adj_Rows>;
extern Adj_Table Adj_Image, Adj_Default;
extern std::array<int16_t, 8> Sql_Rows;

// Puts every shared variable back to its program-start state (zero / empty).
// The program itself never calls it; tests use it to start from a clean run.
void Shared_Reset();

// Picks the text of the current language.
inline QString Lang_Pick(const QString& zh, const QString& en) { return Lang_Flag ? zh : en; }
inline QString Lang_Pick(const char* zh, const char* en) {
  return Lang_Flag ? QString::fromUtf8(zh) : QString::fromUtf8(en);
}
