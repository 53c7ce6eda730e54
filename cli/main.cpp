// tracciato: with no arguments, the whole embedded run in the executable's directory;
// with a subcommand, the tools for route authors.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/check_command.h"
#include "cli/compile_command.h"
#include "cli/diagnostics.h"
#include "cli/explain_command.h"
#include "cli/new_command.h"
#include "cli/sources_command.h"
#include "cli/subcommand_names.h"
#include "decompile/decompile_command.h"
#include "dump/dump_command.h"
#include "plot/plot_command.h"
#include "driver/form1.h"
#include "model/exit_status.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "view/view_command.h"

namespace {

using tracciato::code_of;
using tracciato::ExitStatus;

constexpr const char* usage =
    "usage: tracciato\n"
    "       tracciato new DIR --route NAME --train NAME [--force]\n"
    "       tracciato sources [DIR] [--force]\n"
    "       tracciato compile ROUTE_TXT TRAIN_TXT [-o OUTDIR] [--route NAME] [--train NAME] "
    "[--no-plan] [--strict] [--report FILE]\n"
    "       tracciato check ROUTE_TXT TRAIN_TXT [--route NAME] [--train NAME] [--no-plan] "
    "[--strict] [--report FILE]\n"
    "       tracciato plot DIR --route NAME --train NAME [--map FILE] [--profile FILE] "
    "[--width PX]\n"
    "       tracciato view DIR --route NAME --train NAME [-o FILE.html] [--report REPORT.json]\n"
    "       tracciato dump FILE [--kind plan|entries|cells] [--format text|json|csv|hex]\n"
    "       tracciato decompile DIR --route NAME --train NAME [-o OUTDIR] [--force] [--no-plan]\n"
    "       tracciato explain [CODE]";

}  // namespace

int main(int argc, char** argv) {
  auto platform = tracciato::make_platform();
  if (argc == 1) {
    // Silent unless something is wrong; then the same diagnostics as compile.
    tracciato::cli::Diagnostics diagnostics(/*base_names=*/true);
    const tracciato::CompileOutcome outcome = tracciato::Form_Load(
        *platform, [&diagnostics](tracciato::Scenario& s) { diagnostics.attach(s); });
    diagnostics.finish(outcome);
    if (!diagnostics.all().empty()) std::cerr << diagnostics.text();
    return tracciato::code_of(outcome.exit_status());
  }

  // Every subcommand runs from a console or a script: no message box may wait there.
  platform->messages_to_console();

  // Named, not taken from argv[0]: the help reads the same however tracciato was started
  // (the man page is made from it).
  CLI::App app{"tracciato: compiles a route and a train into the simulator's scenario files.",
               "tracciato"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("tracciato ") + TRACCIATO_VERSION,
                       "Print the version and end");
  app.footer(
      "Without arguments tracciato runs the embedded scenario (ROVELDA-MARNE, train K 517) in\n"
      "the folder that holds the executable: it writes the route and train texts and three\n"
      "driver documents there, compiles, then deletes the two texts again and leaves the\n"
      "documents and the three binary files. Run it in a folder of its own, and write your\n"
      "own scenarios in another: a text of the same name there would be overwritten and\n"
      "deleted.");

  tracciato::cli::NewOptions new_options;
  auto* start = tracciato::cli::add_new_command(app, new_options);

  tracciato::cli::SourcesOptions sources_options;
  auto* sources = tracciato::cli::add_sources_command(app, sources_options);

  tracciato::cli::CompileOptions compile_options;
  auto* compile = tracciato::cli::add_compile_command(app, compile_options);

  tracciato::cli::CompileOptions check_options;
  auto* check = tracciato::cli::add_check_command(app, check_options);

  tracciato::plot::PlotOptions plot_options;
  auto* plot = tracciato::plot::add_plot_command(app, plot_options);

  tracciato::view::ViewOptions view_options;
  auto* view = tracciato::view::add_view_command(app, view_options);

  tracciato::dump::DumpOptions dump_options;
  auto* dump = tracciato::dump::add_dump_command(app, dump_options);

  tracciato::cli::ExplainOptions explain_options;
  auto* explain = tracciato::cli::add_explain_command(app, explain_options);

  tracciato::decompile::DecompileOptions decompile_options;
  auto* decompile = tracciato::decompile::add_decompile_command(app, decompile_options);

  if (const std::string unknown = tracciato::cli::unknown_subcommand(app, argc, argv);
      !unknown.empty()) {
    std::cerr << "tracciato: " << unknown << "\n" << usage << "\n";
    return code_of(ExitStatus::usage);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    if (status == 0) return tracciato::code_of(tracciato::ExitStatus::ok);  // --help
    std::cerr << (start->parsed() ? tracciato::cli::new_usage
                  : compile->parsed() ? tracciato::cli::compile_usage
                  : check->parsed()   ? tracciato::cli::check_usage
                  : plot->parsed()  ? tracciato::plot::plot_usage
                  : view->parsed()  ? tracciato::view::view_usage
                  : dump->parsed()  ? tracciato::dump::dump_usage
                  : decompile->parsed() ? tracciato::decompile::decompile_usage
                  : explain->parsed() ? tracciato::cli::explain_usage
                                    : usage)
              << "\n";
    return tracciato::code_of(tracciato::ExitStatus::usage);
  }
  if (start->parsed()) return tracciato::cli::run_new(*platform, new_options);
  if (sources->parsed()) return tracciato::cli::run_sources(*platform, sources_options);
  if (compile->parsed()) return tracciato::cli::run_compile(*platform, compile_options);
  if (check->parsed()) return tracciato::cli::run_check(*platform, check_options);
  if (plot->parsed()) return tracciato::plot::launch_plot(*platform, argv, std::cerr);
  if (view->parsed()) return tracciato::view::run_view(*platform, view_options, std::cout, std::cerr);
  if (dump->parsed()) return tracciato::dump::run_dump(*platform, dump_options, std::cout, std::cerr);
  if (explain->parsed()) return tracciato::cli::run_explain(explain_options, std::cout, std::cerr);
  if (decompile->parsed())
    return tracciato::decompile::run_decompile(*platform, decompile_options, std::cout, std::cerr);
  return tracciato::code_of(tracciato::ExitStatus::usage);
}
