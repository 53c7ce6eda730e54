// The whole compile in memory: route text, NUL, train text. An input of odd length
// builds the plan, one of even length does not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "model/errore.h"
#include "compiler/memorizza_percorso.h"
#include "platform/runtime_failure.h"

using namespace tracciato;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Coppia testi = fuzz::dividi(fuzz::testo_di(data, size));
  {
    std::int32_t piano = static_cast<std::int32_t>(size % 2);
    fuzz::Banco b(piano, false);
    b.p.files[b.sources.route] = testi.linea;
    b.p.files[b.sources.train] = testi.treno;
    const ScenarioFiles outputs{"out/R_linea.dat", "out/R_T.sim", "out/R_T.dat"};
    std::vector<std::string> scritti;
    bool finito = false;
    try {
      memorizza_percorso(b.s, piano, b.p, b.sources, outputs, scritti);
      finito = true;
    } catch (const FatalError&) {
    } catch (const RuntimeFailure&) {
    }
    // Every file said to be written is there; a compile that ran to its end wrote all
    // of them; the sources are untouched.
    for (const std::string& path : scritti) fuzz::verifica(b.presente(path));
    if (finito) fuzz::verifica(scritti.size() == (piano != 0 ? 3u : 2u));
    fuzz::verifica(b.p.files.at(b.sources.route) == testi.linea);
    fuzz::verifica(b.p.files.at(b.sources.train) == testi.treno);
  }
  return 0;
}
