#pragma once
// The byte position of every option setting in the 256-byte option block,
// one shared variable per setting, set once at start-up by Opt_PosInit.

#include <cstdint>

// Byte 0x35 is the power-on-key list's: the one start-up position in
// 0x00..0x3D that had neither a list nor a factory default.
//
// X(member, position, default): default is the list index (or plain byte) that
// Opt_Default gives the setting, -1 where the setting has no default, and -2
// for the first byte of a 16-byte DTMF code, which Opt_Default writes itself.
#define CV_OPT_POSITIONS(X) \
  X(Opt_Pos_Tdr, 0x00, 0) \
  X(Opt_Pos_01, 0x01, 3) \
  X(Opt_Pos_Sql, 0x02, 5) \
  X(Opt_Pos_03, 0x03, 0) \
  X(Opt_Pos_04, 0x04, 0) \
  X(Opt_Pos_tot, 0x05, 3) \
  X(Opt_Pos_06, 0x06, 0) \
  X(Opt_Pos_Autolk, 0x07, 0) \
  X(Opt_Pos_Language, 0x08, 0) \
  X(Opt_Pos_Beep, 0x09, 1) \
  X(Opt_Pos_0A, 0x0A, 0) \
  X(Opt_Pos_0B, 0x0B, 0) \
  X(Opt_Pos_0C, 0x0C, 0) \
  X(Opt_Pos_0D, 0x0D, 0) \
  X(Opt_Pos_Dtmfst, 0x0E, 1) \
  X(Opt_Pos_Bcl, 0x0F, 0) \
  X(Opt_Pos_Sc_Add, 0x10, 1) \
  X(Opt_Pos_Sc_rev, 0x11, 0) \
  X(Opt_Pos_12, 0x12, 0) \
  X(Opt_Pos_13, 0x13, 0) \
  X(Opt_Pos_Ptt_id, 0x14, 0) \
  X(Opt_Pos_Ptt_lt, 0x15, 5) \
  X(Opt_Pos_16, 0x16, 0) \
  X(Opt_Pos_Emc_Tp, 0x17, 2) \
  X(Opt_Pos_Emc_Ch, 0x18, 1) \
  X(Opt_Pos_optsig_bp, 0x19, 1) \
  X(Opt_Pos_1A, 0x1A, 0) \
  X(Opt_Pos_MDF_A, 0x1B, 0) \
  X(Opt_Pos_MDF_B, 0x1C, 0) \
  X(Opt_Pos_1D, 0x1D, 0) \
  X(Opt_Pos_vox, 0x1E, 0) \
  X(Opt_Pos_vox_t, 0x1F, 5) \
  X(Opt_Pos_stat_fc, 0x20, 5) \
  X(Opt_Pos_sfa_fc, 0x21, 0) \
  X(Opt_Pos_sfb_fc, 0x22, 0) \
  X(Opt_Pos_batt_fc, 0x23, 4) \
  X(Opt_Pos_sig_fc, 0x24, 5) \
  X(Opt_Pos_menu_fc, 0x25, 4) \
  X(Opt_Pos_tx_fc, 0x26, 6) \
  X(Opt_Pos_rx_fc, 0x27, 3) \
  X(Opt_Pos_28, 0x28, 0) \
  X(Opt_Pos_29, 0x29, 0) \
  X(Opt_Pos_2A, 0x2A, 0) \
  X(Opt_Pos_2B, 0x2B, 0) \
  X(Opt_Pos_2C, 0x2C, 0) \
  X(Opt_Pos_ANI_L, 0x2D, 2) \
  X(Opt_Pos_REP_S, 0x2E, 2) \
  X(Opt_Pos_Apo, 0x2F, 0) \
  X(Opt_Pos_TDR_AB, 0x30, 10) \
  X(Opt_Pos_STE, 0x31, 1) \
  X(Opt_Pos_RP_STE, 0x32, 5) \
  X(Opt_Pos_Sync, 0x33, 0) \
  X(Opt_Pos_Dtmf_Gain, 0x34, 10) \
  X(Opt_Pos_Pon_Key, 0x35, 0) \
  X(Opt_Pos_spk_sw, 0x36, 1) \
  X(Opt_Pos_mic_sele, 0x37, 1) \
  X(Opt_Pos_Rep_M, 0x38, 0) \
  X(Opt_Pos_Abr, 0x39, 0) \
  X(Opt_Pos_B_roger, 0x3A, 0) \
  X(Opt_Pos_E_roger, 0x3B, 0) \
  X(Opt_Pos_3C, 0x3C, 1) \
  X(Opt_Pos_Killed_En, 0x3D, 0) \
  X(Opt_Pos_66, 0x66, -1) \
  X(Opt_Pos_67, 0x67, -1) \
  X(Opt_Pos_68, 0x68, -1) \
  X(Opt_Pos_69, 0x69, -1) \
  X(Opt_Pos_6A, 0x6A, -1) \
  X(Opt_Pos_6B, 0x6B, -1) \
  X(Opt_Pos_6C, 0x6C, -1) \
  X(Opt_Pos_6D, 0x6D, -1) \
  X(Opt_Pos_6E, 0x6E, -1) \
  X(Opt_Pos_6F, 0x6F, -1) \
  X(Opt_Pos_70, 0x70, -1) \
  X(Opt_Pos_71, 0x71, -1) \
  X(Opt_Pos_72, 0x72, -1) \
  X(Opt_Pos_73, 0x73, -1) \
  X(Opt_Pos_74, 0x74, -1) \
  X(Opt_Pos_75, 0x75, -1) \
  X(Opt_Pos_76, 0x76, -1) \
  X(Opt_Pos_77, 0x77, -1) \
  X(Opt_Pos_78, 0x78, -1) \
  X(Opt_Pos_79, 0x79, -1) \
  X(Opt_Pos_7A, 0x7A, -1) \
  X(Opt_Pos_7B, 0x7B, -1) \
  X(Opt_Pos_7C, 0x7C, -1) \
  X(Opt_Pos_7D, 0x7D, -1) \
  X(Opt_Pos_7E, 0x7E, -1) \
  X(Opt_Pos_7F, 0x7F, -1) \
  X(Opt_Pos_80, 0x80, -1) \
  X(Opt_Pos_81, 0x81, -1) \
  X(Opt_Pos_82, 0x82, -1) \
  X(Opt_Pos_83, 0x83, -1) \
  X(Opt_Pos_84, 0x84, 31) \
  X(Opt_Pos_85, 0x85, 1) \
  X(Opt_Pos_ANI, 0xD0, -2) \
  X(Opt_Pos_PttId_Begin, 0xE0, -2) \
  X(Opt_Pos_PttId_End, 0xF0, -2)

#define CV_OPT_DECLARE(name, pos, def) extern int16_t name;
CV_OPT_POSITIONS(CV_OPT_DECLARE)
#undef CV_OPT_DECLARE

constexpr int Opt_Pos_Count = 97;

// Sets every position variable (start-up).
void Opt_PosInit();
// Puts every position variable back to 0 (program start; tests).
void Opt_Pos_Reset();
