// The model reader on a fixed small route and any train text. The route is read
// without the plan, which the train half never looks at.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string treno = fuzz::testo_di(data, size);
  for (const bool remove : {true, false}) {
    fuzz::Banco b(0, remove);
    b.p.files[b.sources.route] = fuzz::linea_piccola;
    b.p.files[b.sources.train] = treno;
    memorizza_dati(b.s, b.p, b.sources);
    if (remove) {
      fuzz::verifica(b.p.files.empty());
    } else {
      fuzz::verifica(b.p.files.at(b.sources.route) == fuzz::linea_piccola);
      fuzz::verifica(b.p.files.at(b.sources.train) == treno);
    }
  }
  return 0;
}
