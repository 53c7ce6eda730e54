#include "cli/compile_report.h"

#include <nlohmann/json.hpp>

#include "cli/diagnostics.h"

namespace tracciato::cli {

std::string compile_report(const CompileOutcome& outcome, const std::vector<std::string>& files,
                           const Diagnostics* diagnostics) {
  nlohmann::ordered_json report;
  report["outcome"] = outcome.name();
  report["codice_errore"] = outcome.codice_errore;
  report["posizione_errore"] = outcome.posizione_errore;
  if (outcome.kind == CompileOutcome::Kind::errore) report["errore"] = outcome.errore;
  report["files"] = files;
  if (diagnostics) diagnostics->add_to(report);
  // Names are Windows-1252 bytes, not UTF-8: a byte that is not valid UTF-8 is kept
  // as the replacement character rather than failing the report.
  return report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace tracciato::cli
