#pragma once
// The DTMF editor's transfer: radio 0x2900..0x2AFF, eight 64-byte blocks read
// into image rows 656..687, the same 32 rows written back one by one.

#include <functional>

#include "link/link_engine.h"

// The profile of the DTMF editor's engine. show redraws the editor; the
// unpacking calls it once, after the rows of a complete read are in.
Link_Profile Dtmf_Link_Profile(std::function<void()> show);

// Copies the stored replies 2..9 into rows 656..687.
void Dtmf_Read_Unpack();
