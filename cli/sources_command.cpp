#include "cli/sources_command.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "driver/form1.h"
#include "model/exit_status.h"
#include "model/scenario.h"
#include "platform/output_folder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "sources/source_writers.h"

namespace tracciato::cli {

CLI::App* add_sources_command(CLI::App& app, SourcesOptions& options) {
  auto* cmd = app.add_subcommand(
      "sources", "Write the five embedded texts (route, train, three driver documents) into DIR");
  cmd->add_option("DIR", options.dir, "Target folder, made when missing (default: the current one)");
  cmd->add_flag("--force", options.force, "Write over texts of the same names already in DIR");
  cmd->footer(
      "The shipped route and train texts of the 100 km example; edit them, then run check\n"
      "and compile on them. Texts already in DIR are never overwritten without --force.\n\n"
      "Examples:\n"
      "  tracciato sources\n"
      "  tracciato sources my-scenario\n"
      "  tracciato sources my-scenario --force");
  return cmd;
}

int run_sources(Platform& platform, const SourcesOptions& options) {
  Scenario s;
  s.nome_linea = embedded_route;
  s.nome_treno = embedded_train;
  try {
    if (const std::string refused = prepare_folder(platform, options.dir, text_names(s), options.force);
        !refused.empty()) {
      std::cerr << "tracciato sources: " << refused << "\n";
      return code_of(ExitStatus::runtime);
    }
    write_texts(platform, options.dir, s);
  } catch (const RuntimeFailure& f) {
    platform.report_failure(f.what());
    return code_of(ExitStatus::runtime);
  }
  return code_of(ExitStatus::ok);
}

}  // namespace tracciato::cli
