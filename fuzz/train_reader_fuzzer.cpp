// The model reader on a fixed small route and any train text. The route is read
// without the plan, which the train half never looks at.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string train = fuzz::text_of(data, size);
  for (const bool remove : {true, false}) {
    fuzz::Bench b(0, remove);
    b.p.files[b.sources.route] = fuzz::small_route;
    b.p.files[b.sources.train] = train;
    memorizza_dati(b.s, b.p, b.sources);
    if (remove) {
      fuzz::require(b.p.files.empty());
    } else {
      fuzz::require(b.p.files.at(b.sources.route) == fuzz::small_route);
      fuzz::require(b.p.files.at(b.sources.train) == train);
    }
  }
  return 0;
}
