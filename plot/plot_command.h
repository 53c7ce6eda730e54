#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tracciato {
class Platform;
}

namespace tracciato::plot {

// The arguments of `tracciato plot`.
struct PlotOptions {
  std::string dir;
  std::string route;
  std::string train;
  std::optional<std::string> map;
  std::optional<std::string> profile;
  int width = 1200;
};

inline constexpr const char* plot_usage =
    "usage: tracciato plot DIR --route NAME --train NAME [--map FILE] [--profile FILE] "
    "[--width PX]";

inline constexpr int plot_least_width = 300;
inline constexpr int plot_most_width = 8000;

// The program that draws, beside the executable. The pictures need cairo and its two
// dozen shared libraries; tracciato itself does not load them at every start, it
// starts this program for `plot`.
inline constexpr const char* plot_program = "tracciato-plot";

// Declares `plot` on `app`, filling `options` when parsed.
CLI::App* add_plot_command(CLI::App& app, PlotOptions& options);

// Draws the pictures of the scenario compiled into DIR, from its binary files. With
// neither --map nor --profile both are drawn, as DIR/<route>_<train>_map.svg and
// _profile.svg. Without a plan file there is no map: it says so on `err` and draws the
// profile. Returns the exit status: 0 drawn, 3 an input file missing or corrupt (or
// the map asked for by --map impossible) or a picture not written, 64 a usage error.
int run_plot(Platform& platform, const PlotOptions& options, std::ostream& out,
             std::ostream& err);

// `tracciato plot`, its command line already checked: hands `argv` ("tracciato",
// "plot", ...) on to the drawing program beside the executable, which then takes the
// place of this process. Returns only when that program cannot be started: 3, said on
// `err`.
int launch_plot(Platform& platform, char** argv, std::ostream& err);

}  // namespace tracciato::plot
