#pragma once
// The 2-tone editor's transfer: radio 0x2D00..0x2FFF, twelve 64-byte blocks
// read into image rows 720..767, the same 48 rows written back one by one.

#include <functional>

#include "link/link_engine.h"

// The profile of the 2-tone editor's engine. show redraws the editor; the
// unpacking calls it once, after the rows of a complete read are in.
Link_Profile Tone2_Link_Profile(std::function<void()> show);

// Copies the stored replies 2..13 into rows 720..767.
void Tone2_Read_Unpack();
