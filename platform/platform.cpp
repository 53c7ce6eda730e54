#include "platform/platform.h"

#include "platform/runtime_failure.h"

namespace tracciato {

void Platform::scrivi_a_pezzi(const std::string& path, const Pezzo& pezzo) {
  std::string bytes;
  for (;;) {
    const std::size_t fatto = bytes.size();
    bytes.resize(fatto + spazio_pezzo);
    const std::size_t n = pezzo(std::span<char>(bytes.data() + fatto, spazio_pezzo));
    if (n > spazio_pezzo) throw RuntimeFailure(path + ": a piece larger than its room");
    bytes.resize(fatto + n);
    if (n == 0) break;
  }
  scrivi(path, bytes);
}

}  // namespace tracciato
