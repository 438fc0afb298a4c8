#include "tools/radiosim/start_memory.h"

#include "app/factory_image.h"
#include "data/shared_state.h"
#include "editors/alignment/adj_area.h"
#include "files/bounded_read.h"
#include "files/image_file.h"
#include "tools/radiosim/radio_sim.h"

namespace radiosim {
namespace {
template <class Table>
std::vector<uint8_t> Rows(const Table& t) {
  std::vector<uint8_t> mem;
  mem.reserve(Memory_Bytes);
  for (int r = 0; r < Memory_Bytes / 16; ++r)
    for (int c = 0; c < 16; ++c) mem.push_back(static_cast<uint8_t>(t[r][c]));
  return mem;
}

// The factory alignment table where the alignment editor's transfer reads
// and writes it: row r at Adj_Addr + 16 r. A radio from the factory holds
// it, so a first alignment read shows the values the editor starts with.
std::vector<uint8_t> With_Factory_Alignment(std::vector<uint8_t> mem) {
  Adj_DefaultFill();
  for (int r = 0; r < Adj_Area_Rows; ++r)
    for (int c = 0; c < 16; ++c) mem[Adj_Addr + 16 * r + c] = static_cast<uint8_t>(Adj_Default[r][c] & 0xFF);
  return mem;
}
}  // namespace

std::vector<uint8_t> Factory_Memory() {
  Factory_Tables();
  Factory_Defaults();
  return With_Factory_Alignment(Rows(Radio_Image));
}

std::optional<std::vector<uint8_t>> Image_File_Memory(const QString& path, QString* why) {
  // An image file is about 75 KB; the program's loader takes no more either.
  constexpr qint64 kCap = 4 * 1024 * 1024;
  QByteArray text;
  if (!Read_Bounded_File(path, kCap, &text, why)) return std::nullopt;
  Image_Parse_Error err{};
  const auto table = Image_File_Parse(text, &err);
  if (!table) {
    if (why) *why = Image_Parse_Message(err);
    return std::nullopt;
  }
  return With_Factory_Alignment(Rows(*table));
}

}  // namespace radiosim
