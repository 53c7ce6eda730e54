#include "cli/plot_command.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <vector>

#include "cli/compile_names.h"
#include "cli/plot_canvas.h"
#include "cli/plot_features.h"
#include "cli/plot_map.h"
#include "cli/plot_profile.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::cli {

namespace {

constexpr const char* prefix = "tracciato plot: ";
constexpr int least_width = 300;
constexpr int most_width = 8000;

struct UsageError {
  std::string message;
};

// An input file that cannot be read or decoded; the message names it.
struct InputError {
  std::string message;
};

struct Picture {
  std::string path;
  plot::Format format;
};

Picture picture(const std::string& option, const std::string& path) {
  const auto format = plot::format_from_path(path);
  if (!format)
    throw UsageError{option + " \"" + path + "\": the file name must end in .svg or .png"};
  return {path, *format};
}

std::string read_input(Platform& platform, const std::string& path) {
  try {
    return platform.leggi(path);
  } catch (const RuntimeFailure& f) {
    throw InputError{f.what()};
  }
}

template <class Decode>
auto decode(const std::string& path, const std::string& bytes, Decode d) {
  try {
    return d(bytes);
  } catch (const DecodeError& e) {
    throw InputError{path + ": " + e.what()};
  }
}

}  // namespace

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
      ->check(CLI::Range(least_width, most_width));
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

int run_plot(Platform& platform, const PlotOptions& o, std::ostream& out, std::ostream& err) {
  std::optional<Picture> map, profile;
  try {
    if (auto fault = route_name_fault(o.route))
      throw UsageError{"the route name \"" + o.route + "\" " + *fault};
    if (auto fault = train_name_fault(o.train))
      throw UsageError{"the train name \"" + o.train + "\" " + *fault};
    if (o.width < least_width || o.width > most_width)
      throw UsageError{"--width must lie between " + std::to_string(least_width) + " and " +
                       std::to_string(most_width)};
    if (o.dir.empty()) throw UsageError{"DIR is empty"};
    if (!o.map && !o.profile) {
      const std::string stem = o.route + "_" + o.train;
      map = picture("the map", platform.unisci(o.dir, stem + "_map.svg"));
      profile = picture("the profile", platform.unisci(o.dir, stem + "_profile.svg"));
    } else {
      if (o.map) map = picture("--map", *o.map);
      if (o.profile) profile = picture("--profile", *o.profile);
      if (map && profile && map->path == profile->path)
        throw UsageError{"--map and --profile name the same file \"" + map->path + "\""};
    }
  } catch (const UsageError& e) {
    err << prefix << e.message << "\n" << plot_usage << "\n";
    return 64;
  }

  int status = 0;
  std::vector<voce> voci;
  std::vector<cella> celle;
  std::optional<PlanimetriaLetta> plan;
  try {
    const std::string entries = platform.unisci(o.dir, nome_file_voci(o.route, o.train));
    const std::string cells = platform.unisci(o.dir, nome_file_celle(o.route, o.train));
    voci = decode(entries, read_input(platform, entries), decodifica_voci);
    celle = decode(cells, read_input(platform, cells), decodifica_celle);
    if (map) {
      const std::string path = platform.unisci(o.dir, nome_file_planimetria(o.route));
      if (!platform.esiste(path)) {
        err << prefix << "no plan file " << path
            << " (a compile with --no-plan writes none): no map, "
            << (profile ? "the profile only" : "nothing drawn") << "\n";
        if (o.map) status = 3;  // the map asked for cannot be drawn
        map.reset();
      } else {
        plan = decode(path, read_input(platform, path), decodifica_planimetria);
        try {
          plot::map_layout(*plan, o.width);
        } catch (const RuntimeFailure& f) {
          throw InputError{path + ": " + f.what()};
        }
      }
    }
  } catch (const InputError& e) {
    err << prefix << e.message << "\n";
    return 3;
  }

  const plot::RouteFeatures features = plot::route_features(voci, celle);
  try {
    if (map) {
      platform.scrivi(map->path, plot::draw_map(*plan, features, map->format, o.width));
      out << "map: " << map->path << "\n";
    }
    if (profile) {
      const plot::ProfileData data = plot::profile_data(celle, features.length);
      platform.scrivi(profile->path,
                      plot::draw_profile(data, features, profile->format, o.width));
      out << "profile: " << profile->path << "\n";
    }
  } catch (const RuntimeFailure& f) {
    err << prefix << f.what() << "\n";
    return 3;
  }
  return status;
}

}  // namespace tracciato::cli
