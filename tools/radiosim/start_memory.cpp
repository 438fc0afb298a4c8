#include "tools/radiosim/start_memory.h"

#include "app/factory_image.h"
#include "data/shared_state.h"
#include "files/bounded_read.h"
#include "files/image_file.h"
#include "link/protocol.h"
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
}  // namespace

std::vector<uint8_t> Factory_Memory() {
  Factory_Tables();
  Factory_Defaults();
  std::vector<uint8_t> mem = Rows(Radio_Image);
  for (int k = 0; k < 12; ++k) mem[proto::Pass_Addr + k] = ' ';
  return mem;
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
  return Rows(*table);
}

}  // namespace radiosim
