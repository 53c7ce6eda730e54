// `tracciato plot` in a build without cairo (the Windows cross build): the command
// is known, takes any arguments, says that this build draws no pictures and points to
// `tracciato view`, whose page shows the same map and profile in a browser.
#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

#include "model/exit_status.h"
#include "plot/plot_command.h"

namespace tracciato::plot {

namespace {

std::string quoted_if_needed(const std::string& s) {
  return s.find_first_of(" \t") == std::string::npos && !s.empty() ? s : "\"" + s + "\"";
}

}  // namespace

CLI::App* add_plot_command(CLI::App& app, PlotOptions&) {
  auto* cmd = app.add_subcommand(
      "plot", "Draw the map and the profile (not in this build: use tracciato view)");
  cmd->allow_extras();
  return cmd;
}

int launch_plot(Platform&, char** argv, std::ostream& err) {
  // The scenario the pictures were asked of, to name it in the view command.
  std::string dir = "DIR", route = "NAME", train = "NAME";
  bool dir_seen = false;
  for (char** a = argv + 2; *a != nullptr; ++a) {
    const std::string arg = *a;
    if ((arg == "--route" || arg == "--train") && a[1] != nullptr) {
      (arg == "--route" ? route : train) = *++a;
    } else if (arg.starts_with("--route=") || arg.starts_with("--train=")) {
      (arg[2] == 'r' ? route : train) = arg.substr(8);
    } else if ((arg == "--map" || arg == "--profile" || arg == "--width") && a[1] != nullptr) {
      ++a;
    } else if (!arg.starts_with("-") && !dir_seen) {
      dir = arg;
      dir_seen = true;
    }
  }
  err << "tracciato plot: this build draws no pictures: it was built without cairo.\n"
         "The map and the profile are on the page that tracciato view writes, which any\n"
         "browser opens as it is:\n"
         "  tracciato view "
      << quoted_if_needed(dir) << " --route " << quoted_if_needed(route) << " --train "
      << quoted_if_needed(train) << "\n";
  return code_of(ExitStatus::runtime);
}

}  // namespace tracciato::plot
