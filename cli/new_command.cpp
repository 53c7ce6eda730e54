#include "cli/new_command.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "model/compile_names.h"
#include "model/exit_status.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/output_folder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "sources/source_writers.h"

namespace tracciato::cli {

CLI::App* add_new_command(CLI::App& app, NewOptions& options) {
  auto* cmd = app.add_subcommand(
      "new", "Write a small starter scenario (a 10 km route and a train) into DIR");
  cmd->add_option("DIR", options.dir, "Folder of the scenario, made when missing")->required();
  cmd->add_option("--route", options.route, "Route name")->required();
  cmd->add_option("--train", options.train, "Train name")->required();
  cmd->add_flag("--force", options.force, "Write over texts of the same names already in DIR");
  cmd->footer(
      "The two texts hold every kind of entry once at least, each after a comment line that\n"
      "names its fields in order; they compile without fault or warning. Edit them into your\n"
      "own scenario; docs/format.md tells what every field does.\n\n"
      "Examples:\n"
      "  tracciato new my-line --route MYLINE --train \"R 1\"\n"
      "  tracciato check \"my-line/MYLINE_linea.txt\" \"my-line/MYLINE_R 1-.txt\"");
  return cmd;
}

int run_new(Platform& platform, const NewOptions& options) {
  if (auto refusal = names_refusal(options.route, options.train)) {
    std::cerr << "tracciato new: " << *refusal << "\n" << new_usage << "\n";
    return code_of(ExitStatus::usage);
  }
  Scenario s;
  s.nome_linea = options.route;
  s.nome_treno = options.train;
  const std::string route_txt = route_source_name(s.nome_linea);
  const std::string train_txt = train_source_name(s.nome_linea, s.nome_treno);
  try {
    if (const std::string refused =
            prepare_folder(platform, options.dir, {route_txt, train_txt}, options.force);
        !refused.empty()) {
      std::cerr << "tracciato new: " << refused << "\n";
      return code_of(ExitStatus::runtime);
    }
    write_starter(platform, options.dir, s);
  } catch (const RuntimeFailure& f) {
    platform.report_failure(f.what());
    return code_of(ExitStatus::runtime);
  }
  std::cout << "wrote " << platform.join(options.dir, route_txt) << "\n"
            << "wrote " << platform.join(options.dir, train_txt) << "\n";
  return code_of(ExitStatus::ok);
}

}  // namespace tracciato::cli
