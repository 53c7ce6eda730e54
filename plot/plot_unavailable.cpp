// `tracciato plot` in a build without cairo (the Windows cross build): the command
// is known, takes any arguments and says that this build draws no pictures.
#include <CLI/CLI.hpp>

#include <ostream>

#include "model/exit_status.h"
#include "plot/plot_command.h"

namespace tracciato::plot {

CLI::App* add_plot_command(CLI::App& app, PlotOptions&) {
  auto* cmd = app.add_subcommand("plot", "Draw the map and the profile (not in this build)");
  cmd->allow_extras();
  return cmd;
}

int launch_plot(Platform&, char**, std::ostream& err) {
  err << "tracciato plot: this build draws no pictures: it was built without cairo\n";
  return code_of(ExitStatus::runtime);
}

}  // namespace tracciato::plot
