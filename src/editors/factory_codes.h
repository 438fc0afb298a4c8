#pragma once
// Factory data that this programmer chooses itself: the DTMF remote-control
// codes and control IDs, and the two alignment passwords. Every default
// routine takes them from here, so changing a factory value is one edit.

namespace Factory {

// DTMF remote-control codes, three decimal digits each.
inline constexpr const char* Dtmf_Inspection = "101";
inline constexpr const char* Dtmf_Monitor = "102";
inline constexpr const char* Dtmf_Alarm = "103";
inline constexpr const char* Dtmf_Stun = "104";
inline constexpr const char* Dtmf_Kill = "105";
inline constexpr const char* Dtmf_Revive = "106";

// DTMF control IDs, five decimal digits each.
inline constexpr const char* Dtmf_Master_Id = "10001";
inline constexpr const char* Dtmf_Vice_Id = "10002";

// Alignment passwords, six decimal digits each. The user password is the one
// every read/write password box shows when its window opens, so a radio that
// still has its factory passwords accepts the box as it stands.
inline constexpr const char* Adj_User_Password = "580417";
inline constexpr const char* Adj_Super_Password = "888888";

}  // namespace Factory
