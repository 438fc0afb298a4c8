#pragma once
// The FM preset editor's transfer: reads radio 0x3000..0x30FF in four
// 64-byte blocks into image rows 768..783 and writes those 16 rows back.
// It is the one editor transfer whose password check takes effect: when the
// radio holds a user password and the password typed in the editor's own box
// matches neither of the radio's two, nothing moves.

#include <array>
#include <functional>

#include "link/link_engine.h"

Link_Profile Fm_Link_Profile();

// The password decision: accepted when the radio's first password (block
// bytes 0..5) is six blanks or six 0xFF bytes (no password set), or when the
// six typed codes equal the first or the second password (bytes 6..11), byte
// for byte.
bool Fm_Password_Accepted(const std::array<int16_t, 17>& typed, const std::array<uint8_t, 17>& block);

class Fm_Link : public Link_Engine {
  Q_OBJECT
public:
  explicit Fm_Link(const Link_Profile& profile = Fm_Link_Profile(), QObject* parent = nullptr);

  // The window's redraw after a completed read.
  std::function<void()> FM_Show;
  // The text of the window's own password box, taken when Read or Write is pressed.
  std::function<QString()> Password_Text;
  // The codes of that text (blank-padded to six), compared by every attempt
  // of the transfer started by the press.
  std::array<int16_t, 17> Pass_Pressed{};

  // Copies replies 2..5 into the area's rows, then FM_Show.
  static void Read_Unpack(Link_Engine& e);

protected:
  bool Password_Accepted() const override;
};
