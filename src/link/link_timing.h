#pragma once
// Lengths the program chooses for its short pauses, in one place.
//
// After some acknowledgements the radio wants a moment before the next
// frame. A pause holds back the next frame and the handling of received
// bytes for its length, while the window stays responsive.

namespace link_timing {
// The long pause: after the acknowledgement of an identification reply in
// most windows, and of the 64-byte block in a password change.
constexpr int Pause_Long_Ms = 20;
// The short pause: after the acknowledgement of a password block reply, and
// of the identification reply in the whole-radio write.
constexpr int Pause_Short_Ms = 5;
// After every frame the option editor sends.
constexpr int Pause_Frame_Ms = 50;
// From the start of a frame to its first byte on the line (the send pump's
// first tick). It also gives the radio a moment between its acknowledgement
// and the next frame.
constexpr int Pump_Start_Ms = 15;
// When an exchange gave way while its radio still owed it a reply, the next
// frame on that line waits until the reply's bytes have all come, or until
// the line has been quiet this long (from the frame the reply belongs to, or
// from its last byte): a radio begins to answer within a few milliseconds,
// and its longest reply, the 50-byte identification, lasts 52 ms on the line.
// What comes meanwhile is dropped.
constexpr int Line_Settle_Ms = 500;
}  // namespace link_timing
