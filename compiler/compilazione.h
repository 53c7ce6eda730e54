#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/exit_status.h"
#include "model/source_texts.h"
#include "platform/runtime_failure.h"
#include "model/scenario_files.h"

namespace tracciato {

struct Scenario;
class Platform;

// How one compile ended, as the exit status and the report give it.
struct CompileOutcome {
  enum class Kind { ok, faults, errore, runtime };
  Kind kind = Kind::ok;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  std::string errore;              // the number passed to errore (Kind::errore)
  std::string failure;             // what failed (Kind::runtime)
  RuntimeFailure::Kind failure_kind = RuntimeFailure::Kind::other;
  std::vector<std::string> files;  // binary files written, in writing order

  ExitStatus exit_status() const;
  const char* name() const;  // "ok", "faults", "errore", "runtime"
};

// Runs memorizza_percorso with the plan flag and reports how it ended. A run-time
// failure outside the reader goes to the platform's failure report.
CompileOutcome compile(Scenario& s, std::int32_t con_planimetria, Platform& platform,
                       const SourceTexts& sources, const ScenarioFiles& outputs);

}  // namespace tracciato
