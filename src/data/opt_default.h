#pragma once
// Factory defaults of the option block (rows 224..239 through Opt_Bytes), the
// four VFO records (rows 240..247) and the power-on text (row 254).

// The model name shown in the power-on text.
extern const char* const Model_Name;

void Opt_Default();
