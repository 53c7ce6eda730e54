#include "driver/form1.h"

#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "sources/source_writers.h"

namespace tracciato {

CompileOutcome Form_Load(Platform& platform,
                            const std::function<void(Scenario&)>& before_compile) {
  Scenario s;
  s.nome_linea = embedded_route;
  s.nome_treno = embedded_train;
  platform.show_waiting();

  std::string cartella;
  try {
    cartella = platform.application_directory();
    write_texts(platform, cartella, s);
  } catch (const RuntimeFailure& f) {
    CompileOutcome outcome;
    outcome.kind = CompileOutcome::Kind::runtime;
    outcome.failure = f.what();
    platform.report_failure(outcome.failure);
    return outcome;
  }

  const SourceTexts sources{
      platform.join(cartella, route_source_name(s.nome_linea)),
      platform.join(cartella, train_source_name(s.nome_linea, s.nome_treno)),
      /*delete_after_reading=*/true};
  const ScenarioFiles outputs{
      platform.join(cartella, plan_file_name(s.nome_linea)),
      platform.join(cartella, entry_file_name(s.nome_linea, s.nome_treno)),
      platform.join(cartella, cell_file_name(s.nome_linea, s.nome_treno))};
  if (before_compile) before_compile(s);
  return compile(s, 1, platform, sources, outputs);
}

}  // namespace tracciato
