#pragma once
// Layout of the DTMF area (image rows 656..687, radio 0x2900..0x2AFF) and its
// factory defaults. The area is two pages of 16 rows: the encode page 0x29
// and the decode page 0x2A; row = page * 16 + offset.
//
// A code row holds up to 16 digit codes from byte 0 on, 0xFF after the last.

#include <QString>

constexpr int Dtmf_Encode_Page = 0x29;
constexpr int Dtmf_Decode_Page = 0x2A;

constexpr int Dtmf_Encode_Row = Dtmf_Encode_Page * 16;   // encode code n (1..15) in row 655 + n
constexpr int Dtmf_Encode_Count = 15;
constexpr int Dtmf_Timing_Row = Dtmf_Encode_Page * 16 + 15;  // 671: on time, off time

// Decode page rows.
constexpr int Dtmf_Inspection_Row = Dtmf_Decode_Page * 16 + 0;  // 672
constexpr int Dtmf_Monitor_Row = Dtmf_Decode_Page * 16 + 1;
constexpr int Dtmf_Alarm_Row = Dtmf_Decode_Page * 16 + 2;
constexpr int Dtmf_Stun_Row = Dtmf_Decode_Page * 16 + 3;
constexpr int Dtmf_Kill_Row = Dtmf_Decode_Page * 16 + 4;
constexpr int Dtmf_Revive_Row = Dtmf_Decode_Page * 16 + 5;      // 677
constexpr int Dtmf_Master_Row = Dtmf_Decode_Page * 16 + 13;     // 685
constexpr int Dtmf_Vice_Row = Dtmf_Decode_Page * 16 + 14;       // 686
constexpr int Dtmf_Settings_Row = Dtmf_Decode_Page * 16 + 15;   // 687

// Bytes of the timing row: list index i, time = 50 + 10 * i ms (0..195).
constexpr int Dtmf_On_Time = 0;
constexpr int Dtmf_Off_Time = 1;

// Bytes of the decode settings row.
constexpr int Dtmf_Id_Control = 0;    // non-zero: remote functions need a control ID
constexpr int Dtmf_Master_Rights = 1; // bit 0 inspection, 1 monitor, 2 stun, 3 kill, 4 revive
constexpr int Dtmf_Vice_Rights = 2;
constexpr int Dtmf_Radio_State = 3;   // bit 0 receive disabled, bit 1 transmit disabled
constexpr int Dtmf_Group_Code = 4;    // code of "*", "#", "A".."D"
constexpr int Dtmf_Space_Code = 5;
constexpr int Dtmf_Delay_Time = 6;    // list index i, 100 * (i + 1) ms (0..39)
constexpr int Dtmf_Reset_Time = 7;    // list index i, 100 * (i + 1) ms (0..199)

// Rewrites a code row from a typed code: the text without leading and
// trailing blanks, one Dtmf_c2b code per character from byte 0, 0xFF after
// the last. Characters after the 16th have no byte and are left out; nothing
// outside bytes 0..15 of the row is written. A row outside the DTMF area is
// left alone.
void Dtmf_RowPut(int row, const QString& code);

// Rows 656..687 := 0xFF, then the factory codes, timing and settings.
void Dtmf_Default();
