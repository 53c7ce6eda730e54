#include "cli/compile_command.h"

#include <CLI/CLI.hpp>

namespace tracciato::cli {

CLI::App* add_compile_command(CLI::App& app, CompileOptions& options) {
  auto* cmd = app.add_subcommand("compile", "Compile ROUTE_TXT and TRAIN_TXT");
  cmd->add_option("ROUTE_TXT", options.route_txt)->required();
  cmd->add_option("TRAIN_TXT", options.train_txt)->required();
  return cmd;
}

int run_compile(Platform&, const CompileOptions&) { return 3; }

}  // namespace tracciato::cli
