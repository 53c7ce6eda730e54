// tracciato: with no arguments, the whole embedded run in the executable's directory;
// with a subcommand, the tools for route authors.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/check_command.h"
#include "cli/compile_command.h"
#include "cli/diagnostics.h"
#include "cli/dump_command.h"
#include "cli/plot_command.h"
#include "decompile/decompile_command.h"
#include "driver/form1.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "sources/source_writers.h"

namespace {

int run_sources(tracciato::Platform& platform, const std::string& dir) {
  tracciato::Scenario s;
  s.nome_linea = tracciato::linea_incorporata;
  s.nome_treno = tracciato::treno_incorporato;
  try {
    tracciato::scrivi_testi(platform, dir, s);
  } catch (const tracciato::RuntimeFailure& f) {
    platform.segnala_guasto(f.what());
    return 3;
  }
  return 0;
}

constexpr const char* usage =
    "usage: tracciato\n"
    "       tracciato sources [DIR]\n"
    "       tracciato compile ROUTE_TXT TRAIN_TXT [-o OUTDIR] [--route NAME] [--train NAME] "
    "[--no-plan] [--report FILE]\n"
    "       tracciato check ROUTE_TXT TRAIN_TXT [--route NAME] [--train NAME] [--no-plan] "
    "[--report FILE]\n"
    "       tracciato plot DIR --route NAME --train NAME [--map FILE] [--profile FILE] "
    "[--width PX]\n"
    "       tracciato dump FILE [--kind plan|entries|cells] [--format text|json|csv|hex]\n"
    "       tracciato decompile DIR --route NAME --train NAME [-o OUTDIR] [--force] [--no-plan]";

}  // namespace

int main(int argc, char** argv) {
  auto platform = tracciato::crea_piattaforma();
  if (argc == 1) {
    // Silent unless something is wrong; then the same diagnostics as compile.
    tracciato::cli::Diagnostics diagnostics(/*base_names=*/true);
    const tracciato::EsitoCompilazione esito = tracciato::Form_Load(
        *platform, [&diagnostics](tracciato::Scenario& s) { diagnostics.attach(s); });
    diagnostics.finish(esito);
    if (!diagnostics.all().empty()) std::cerr << diagnostics.text();
    return esito.stato();
  }

  CLI::App app{"tracciato: compiles a route and a train into the simulator's scenario files.\n"
               "Without arguments it runs the embedded scenario in its own directory."};
  app.require_subcommand(1);

  std::string sources_dir = ".";
  auto* sources = app.add_subcommand(
      "sources", "Write the five embedded texts (route, train, three driver documents) into DIR");
  sources->add_option("DIR", sources_dir, "Target directory (default: current directory)");
  sources->footer(
      "The shipped route and train texts are the starting point of a scenario of your own:\n"
      "edit them, then run check and compile on them.\n\n"
      "Examples:\n"
      "  tracciato sources\n"
      "  tracciato sources my-scenario");

  tracciato::cli::CompileOptions compile_options;
  auto* compile = tracciato::cli::add_compile_command(app, compile_options);

  tracciato::cli::CompileOptions check_options;
  auto* check = tracciato::cli::add_check_command(app, check_options);

  tracciato::cli::PlotOptions plot_options;
  auto* plot = tracciato::cli::add_plot_command(app, plot_options);

  tracciato::cli::DumpOptions dump_options;
  auto* dump = tracciato::cli::add_dump_command(app, dump_options);

  tracciato::decompile::DecompileOptions decompile_options;
  auto* decompile = tracciato::decompile::add_decompile_command(app, decompile_options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    if (status == 0) return 0;  // --help
    std::cerr << (compile->parsed() ? tracciato::cli::compile_usage
                  : check->parsed()   ? tracciato::cli::check_usage
                  : plot->parsed()  ? tracciato::cli::plot_usage
                  : dump->parsed()  ? tracciato::cli::dump_usage
                  : decompile->parsed() ? tracciato::decompile::decompile_usage
                                    : usage)
              << "\n";
    return 64;
  }
  if (sources->parsed()) return run_sources(*platform, sources_dir);
  if (compile->parsed()) return tracciato::cli::run_compile(*platform, compile_options);
  if (check->parsed()) return tracciato::cli::run_check(*platform, check_options);
  if (plot->parsed()) return tracciato::cli::launch_plot(*platform, argv, std::cerr);
  if (dump->parsed()) return tracciato::cli::run_dump(*platform, dump_options, std::cout, std::cerr);
  if (decompile->parsed())
    return tracciato::decompile::run_decompile(*platform, decompile_options, std::cout, std::cerr);
  return 64;
}
