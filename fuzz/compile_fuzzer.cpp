// The whole compile in memory: route text, NUL, train text. An input of odd length
// builds the plan, one of even length does not. The files a compile writes are then
// decompiled and the texts compiled again: inside the class that decompile promises to
// give back, the files must come back byte for byte.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decompile/decompiler.h"
#include "decompile/promise.h"
#include "decompile/round_trip.h"
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
    decompile::PromiseWatch promise;
    promise.attach(b.s);
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

    if (finito) {
      decompile::CompiledFiles files;
      if (piano != 0) files.plan = b.p.files.at(outputs.planimetria);
      files.entries = b.p.files.at(outputs.voci);
      files.cells = b.p.files.at(outputs.celle);
      const decompile::Names names{b.s.nome_linea, b.s.nome_treno};
      const bool promised = !promise.outside(b.s);
      try {
        const decompile::DecompiledTexts d = decompile::decompile(files, names);
        const decompile::RoundTrip r =
            decompile::round_trip(d.route_text, d.train_text, files, names);
        if (promised) fuzz::verifica(r.identical());
      } catch (const decompile::Refusal&) {
        fuzz::verifica(!promised);  // nothing a compile in the class writes is refused
      }
    }
  }
  return 0;
}
