#pragma once
// The option block's working copy.
//
// The block (radio 0x0E00..0x0EFF) lives in image rows 224..239 and, as a
// working copy, in Opt_Bytes(0..255). Other windows rewrite the rows without
// telling the option editor (a file load, a whole-radio read), so the rows
// are what counts: every writer of a block byte goes through here, and here
// the copy is first brought up to date from the rows, then the byte is
// written into both. A store can therefore never bring back bytes that were
// replaced in the image since the last redraw.

#include <cstdint>

// A cell of the image as the editor reads a byte from it: 0..255 as it is;
// anything else (only a file can put it there) reads as 0xFF, the value of
// an erased byte, so that a list shows it as above its range and a code
// position as empty.
constexpr int Opt_Cell_Byte(int16_t v) { return v >= 0 && v <= 255 ? v : 0xFF; }

// Rows 224..239 into Opt_Bytes(0..255) (the redraw's first step).
void Opt_Block_Load();

// Stores one setting: the copy is reloaded from the rows, element pos gets
// value, and the whole block is written back into the rows.
void Opt_Block_Store(int pos, int value);

// Stores n consecutive bytes from pos (a 16-byte code), in the copy and in
// the rows, after the same reload.
void Opt_Block_Store_Run(int pos, const uint8_t* bytes, int n);

// The item a list shows for a stored value: the value itself when the list
// has it, else the list's last item.
constexpr int Opt_List_Shown(int value, int count) {
  return value >= 0 && value < count ? value : count - 1;
}
