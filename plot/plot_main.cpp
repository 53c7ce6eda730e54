// tracciato-plot: the drawing half of `tracciato plot`, which starts it with its own
// command line ("tracciato-plot plot DIR --route NAME ..."). It is a program of its own
// so that tracciato does not load cairo and its libraries at every start.
#include <CLI/CLI.hpp>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <iostream>

#include "model/exit_status.h"
#include "plot/plot_command.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  CLI::App app{"tracciato plot: draws the map and the profile of a compiled scenario"};
  app.require_subcommand(1);
  tracciato::plot::PlotOptions options;
  tracciato::plot::add_plot_command(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    if (status == 0) return tracciato::code_of(tracciato::ExitStatus::ok);  // --help
    std::cerr << tracciato::plot::plot_usage << "\n";
    return tracciato::code_of(tracciato::ExitStatus::usage);
  }
  auto platform = tracciato::make_platform();
  const int status = tracciato::plot::run_plot(*platform, options, std::cout, std::cerr);
  // cairo and fontconfig keep their font caches for the life of the process: hand
  // them back, so that a leak checker sees only what drawing itself leaves.
  cairo_debug_reset_static_data();
  FcFini();
  return status;
}
