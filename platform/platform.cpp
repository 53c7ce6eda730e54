#include "platform/platform.h"

#include "platform/runtime_failure.h"

namespace tracciato {

void Platform::write_in_pieces(const std::string& path, const Piece& pezzo) {
  std::string bytes;
  for (;;) {
    const std::size_t fatto = bytes.size();
    bytes.resize(fatto + piece_room);
    const std::size_t n = pezzo(std::span<char>(bytes.data() + fatto, piece_room));
    if (n > piece_room) throw RuntimeFailure(path + ": a piece larger than its room");
    bytes.resize(fatto + n);
    if (n == 0) break;
  }
  write(path, bytes);
}

}  // namespace tracciato
