#pragma once
// The memory image every start of the program begins with, built in two
// steps around the start-up's identification: the tables the defaults rely
// on, then the 0xFF fill and the factory defaults of every area.
//
// The simulated radio starts from the same image (tools/radiosim), so a
// first read gives back what the program shows before it.

// Channel count, tone names, option positions, band variants and the
// default band limits.
void Factory_Tables();
// Radio_Image := 0xFF, then the FM presets, options, DTMF, 2-tone and 5-tone
// defaults, the alignment defaults (Adj_Image := Adj_Default) and the
// default channels.
void Factory_Defaults();
