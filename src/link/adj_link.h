#pragma once
// The alignment editor's transfer: a read of the whole alignment area
// (radio 0x3C00..0x3DFF, eight 64-byte blocks) into Adj_Image rows 0..31,
// and a write of the band-limit rows 24..27 only (radio 0x3D80..0x3DBF).
//
// Its exchange departs from the common one: no password block is read, the
// identification reply is acknowledged by the first byte of the first data
// frame, a time-out restarts the exchange after 2000 ms, and a final failure
// shows only in the main window's status bar.

#include <functional>

#include "link/link_engine.h"

// The profile; show redraws the editor after a completed read.
Link_Profile Adj_Link_Profile(std::function<void()> show);

// Copies the 64 data bytes of replies 2..9, each from where the reply check
// found its data, into Adj_Image rows 0..31 (cells 0..15).
void Adj_Read_Unpack();

class Adj_Link : public Link_Engine {
  Q_OBJECT
public:
  explicit Adj_Link(std::function<void()> show, QObject* parent = nullptr);

protected:
  // The first write frame goes out with the bar at 100.
  void Data_Phase_Begin() override;
};
