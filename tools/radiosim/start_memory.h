#pragma once
// What the simulated radio's memory holds when it starts: the program's own
// factory start-up image, or the rows of an image file; in both, the
// program's factory alignment table in the alignment area.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace radiosim {

// The 16 KiB the program's start-up image puts in rows 0..1023, with the
// factory alignment table at 0x3C00..0x3DFF (its two passwords included).
std::vector<uint8_t> Factory_Memory();

// Rows 0..1023 of an image file, read through the program's bounded reader
// and checked by its parser, with the factory alignment table at
// 0x3C00..0x3DFF, as image files do not carry the alignment area. Nothing,
// with a reason, for anything else.
std::optional<std::vector<uint8_t>> Image_File_Memory(const QString& path, QString* why);

}  // namespace radiosim
