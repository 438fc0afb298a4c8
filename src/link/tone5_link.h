#pragma once
// The transfer of the 5-tone editor: a read of radio 0x2400..0x25FF (the
// standards, encode entries and settings, image rows 576..607) and a write
// of the whole 5-tone area, image rows 512..607 to radio 0x2000..0x25FF, the
// tone tables sent as they stand in the image.

#include <functional>

#include "link/link_engine.h"

constexpr int Tone5_Link_Read_Base = 0x2400;
constexpr int Tone5_Link_Read_Row = 576;     // first image row a read fills
constexpr int Tone5_Link_Read_Blocks = 8;    // 64-byte blocks, replies 2..9
constexpr int Tone5_Link_Write_Base = 0x2000;
constexpr int Tone5_Link_Write_Rows = 96;    // rows 512..607

// The profile; show redraws the window after a completed read.
Link_Profile Tone5_Link_Profile(std::function<void()> show);

// Copies the replies of a completed read into rows 576..607.
void Tone5_Read_Unpack();
