// The model reader with only a route text: the route half on any bytes. The input's
// length chooses the run, so that mutations reach all four: its lowest bit whether the
// plan is built, the next one whether the run deletes its sources.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string linea = fuzz::testo_di(data, size);
  {
    const std::int32_t piano = static_cast<std::int32_t>(size % 2);
    const bool elimina = (size / 2) % 2 == 1;
    fuzz::Banco b(piano, elimina);
    b.p.files[b.sorgenti.linea] = linea;
    memorizza_dati(b.s, b.p, b.sorgenti);
    // The route text exists, so the reader never reports it missing; a deleting run
    // leaves it nowhere, a compile leaves it byte for byte as it was.
    fuzz::verifica(b.s.codice_errore != 101);
    if (elimina)
      fuzz::verifica(!b.presente(b.sorgenti.linea));
    else
      fuzz::verifica(b.p.files.at(b.sorgenti.linea) == linea);
    fuzz::verifica(b.p.files.size() == (elimina ? 0u : 1u));
  }
  return 0;
}
