// The model reader on a fixed small route and any train text. The route is read
// without the plan, which the train half never looks at.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string treno = fuzz::testo_di(data, size);
  for (const bool elimina : {true, false}) {
    fuzz::Banco b(0, elimina);
    b.p.files[b.sorgenti.linea] = fuzz::linea_piccola;
    b.p.files[b.sorgenti.treno] = treno;
    memorizza_dati(b.s, b.p, b.sorgenti);
    if (elimina) {
      fuzz::verifica(b.p.files.empty());
    } else {
      fuzz::verifica(b.p.files.at(b.sorgenti.linea) == fuzz::linea_piccola);
      fuzz::verifica(b.p.files.at(b.sorgenti.treno) == treno);
    }
  }
  return 0;
}
