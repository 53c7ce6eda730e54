// The command line of `tracciato plot`, declared alike by tracciato (for its help and
// to refuse a wrong command line at once) and by the drawing program it starts.
#include <CLI/CLI.hpp>

#include "plot/plot_command.h"

namespace tracciato::plot {

CLI::App* add_plot_command(CLI::App& app, PlotOptions& options) {
  auto* cmd = app.add_subcommand(
      "plot", "Draw the map and the profile of the scenario compiled into DIR");
  cmd->add_option("DIR", options.dir, "Directory holding the binary scenario files")->required();
  cmd->add_option("--route", options.route, "Route name")->required();
  cmd->add_option("--train", options.train, "Train name")->required();
  cmd->add_option_function<std::string>(
      "--map", [&options](const std::string& v) { options.map = v; },
      "Draw the map into FILE (.svg or .png)");
  cmd->add_option_function<std::string>(
      "--profile", [&options](const std::string& v) { options.profile = v; },
      "Draw the profile into FILE (.svg or .png)");
  cmd->add_option("--width", options.width, "Width of the pictures in pixels (default 1200)")
      ->check(CLI::Range(plot_least_width, plot_most_width));
  cmd->footer(
      "The pictures show what the simulator will see: they are drawn from the three binary\n"
      "files in DIR, not from the source texts. With neither --map nor --profile both are\n"
      "drawn as DIR/<route>_<train>_map.svg and _profile.svg. Without a plan file (a\n"
      "--no-plan compile) only the profile is drawn. Exit status: 0 drawn, 3 an input file\n"
      "missing or corrupt or a picture not written, 64 usage error.\n\n"
      "Examples:\n"
      "  tracciato plot . --route ROVELDA-MARNE --train \"K 517\"\n"
      "  tracciato plot out --route MYLINE --train \"R 2\" --map map.png --width 1600\n"
      "  tracciato plot out --route MYLINE --train \"R 2\" --profile profile.svg");
  return cmd;
}

}  // namespace tracciato::plot
