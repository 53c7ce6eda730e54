#include "compiler/compilazione.h"

#include "compiler/memorizza_percorso.h"
#include "model/errore.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

ExitStatus CompileOutcome::exit_status() const {
  switch (kind) {
    case Kind::ok: return ExitStatus::ok;
    case Kind::faults: return ExitStatus::faults;
    case Kind::errore: return ExitStatus::errore;
    case Kind::runtime: return ExitStatus::runtime;
  }
  return ExitStatus::runtime;
}

const char* CompileOutcome::name() const {
  switch (kind) {
    case Kind::ok: return "ok";
    case Kind::faults: return "faults";
    case Kind::errore: return "errore";
    case Kind::runtime: return "runtime";
  }
  return "runtime";
}

CompileOutcome compile(Scenario& s, std::int32_t con_planimetria, Platform& platform,
                       const SourceTexts& sources, const ScenarioFiles& outputs) {
  CompileOutcome outcome;
  std::int32_t j = con_planimetria;
  try {
    memorizza_percorso(s, j, platform, sources, outputs, outcome.files);
    outcome.kind = s.codice_errore == 0 ? CompileOutcome::Kind::ok : CompileOutcome::Kind::faults;
  } catch (const FatalError& e) {
    outcome.kind = CompileOutcome::Kind::errore;
    outcome.errore = e.number;
  } catch (const RuntimeFailure& f) {
    outcome.kind = CompileOutcome::Kind::runtime;
    outcome.failure = f.what();
    outcome.failure_kind = f.kind;
    platform.report_failure(outcome.failure);
  }
  outcome.codice_errore = s.codice_errore;
  outcome.posizione_errore = s.posizione_errore;
  return outcome;
}

}  // namespace tracciato
