#pragma once
// What the editor windows' transfers share beyond Link_Profile's own
// defaults, so that each editor's profile states only where it differs.

#include <functional>

#include "link/link_engine.h"

// The common start of an editor window's profile: the progress shows the
// block number once it has advanced; the full bar and the label are up
// before the end-of-read message; both end messages carry the "Operate
// Prompt" title; the end-of-read message is the editors' own; a port that
// will not open gets the short message under the same title.
Link_Profile Editor_Link_Profile();

// An Unpack that copies the stored replies into the image with unpack, then
// redraws the window with show (when there is one).
std::function<void(Link_Engine&)> Unpack_Then_Show(void (*unpack)(), std::function<void()> show);

// A final failure that shows only in the main window's status bar.
constexpr Fail_Report Fail_Status_Bar_Only{.message = false, .bar_zero = false, .label = false, .panel2 = true};
