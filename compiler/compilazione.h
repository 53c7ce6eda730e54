#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/memorizza_dati.h"
#include "model/scenario_files.h"

namespace tracciato {

struct Scenario;
class Platform;

// How one compile ended, as the exit status and the report give it.
struct EsitoCompilazione {
  enum class Tipo { ok, faults, errore, runtime };
  Tipo tipo = Tipo::ok;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  std::string errore;             // the number passed to errore (Tipo::errore)
  std::string guasto;             // what failed (Tipo::runtime)
  std::vector<std::string> file;  // binary files written, in writing order

  // 0 ok, 1 faults, 2 errore, 3 runtime.
  int stato() const;
  const char* nome() const;  // "ok", "faults", "errore", "runtime"
};

// Runs memorizza_percorso with the plan flag and reports how it ended. A run-time
// failure outside the reader goes to the platform's failure report.
EsitoCompilazione compila(Scenario& s, std::int32_t con_planimetria, Platform& platform,
                          const SorgentiTesto& sorgenti, const FileScenario& uscite);

}  // namespace tracciato
