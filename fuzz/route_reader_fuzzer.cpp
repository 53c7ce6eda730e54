// The model reader with only a route text: the route half on any bytes. The input's
// length chooses the run, so that mutations reach all four: its lowest bit whether the
// plan is built, the next one whether the run deletes its sources.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string route = fuzz::text_of(data, size);
  {
    const std::int32_t with_plan = static_cast<std::int32_t>(size % 2);
    const bool remove = (size / 2) % 2 == 1;
    fuzz::Bench b(with_plan, remove);
    b.p.files[b.sources.route] = route;
    memorizza_dati(b.s, b.p, b.sources);
    // The route text exists, so the reader never reports it missing; a deleting run
    // leaves it nowhere, a compile leaves it byte for byte as it was.
    fuzz::require(b.s.codice_errore != 101);
    if (remove)
      fuzz::require(!b.has(b.sources.route));
    else
      fuzz::require(b.p.files.at(b.sources.route) == route);
    fuzz::require(b.p.files.size() == (remove ? 0u : 1u));
  }
  return 0;
}
