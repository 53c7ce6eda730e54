#include "model/exit_status.h"
#include "plot/plot_command.h"

#include <ostream>
#include <vector>

#include "model/compile_names.h"
#include "plot/plot_canvas.h"
#include "plot/plot_features.h"
#include "plot/plot_map.h"
#include "plot/plot_profile.h"
#include "model/compiled_input.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::plot {

namespace {

constexpr const char* prefix = "tracciato plot: ";

struct UsageError {
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

}  // namespace

int run_plot(Platform& platform, const PlotOptions& o, std::ostream& out, std::ostream& err) {
  std::optional<Picture> map, profile;
  try {
    if (auto refusal = names_refusal(o.route, o.train)) throw UsageError{*refusal};
    if (o.width < plot_least_width || o.width > plot_most_width)
      throw UsageError{"--width must lie between " + std::to_string(plot_least_width) + " and " +
                       std::to_string(plot_most_width)};
    if (o.dir.empty()) throw UsageError{"DIR is empty"};
    if (!o.map && !o.profile) {
      const std::string stem = o.route + "_" + o.train;
      map = picture("the map", platform.join(o.dir, stem + "_map.svg"));
      profile = picture("the profile", platform.join(o.dir, stem + "_profile.svg"));
    } else {
      if (o.map) map = picture("--map", *o.map);
      if (o.profile) profile = picture("--profile", *o.profile);
      if (map && profile && map->path == profile->path)
        throw UsageError{"--map and --profile name the same file \"" + map->path + "\""};
    }
  } catch (const UsageError& e) {
    err << prefix << e.message << "\n" << plot_usage << "\n";
    return code_of(ExitStatus::usage);
  }

  int status = code_of(ExitStatus::ok);
  std::vector<voce> voci;
  std::vector<cella> celle;
  std::optional<DecodedPlan> plan;
  try {
    const std::string entries = platform.join(o.dir, entry_file_name(o.route, o.train));
    const std::string cells = platform.join(o.dir, cell_file_name(o.route, o.train));
    voci = read_decoded(platform, entries, decode_entries);
    celle = read_decoded(platform, cells, decode_cells);
    if (map) {
      const std::string path = platform.join(o.dir, plan_file_name(o.route));
      if (!platform.exists(path)) {
        err << prefix << "no plan file " << path
            << " (a compile with --no-plan writes none): no map, "
            << (profile ? "the profile only" : "nothing drawn") << "\n";
        if (o.map) status = code_of(ExitStatus::runtime);  // the map asked for cannot be drawn
        map.reset();
      } else {
        plan = read_decoded(platform, path, decode_plan);
        try {
          plot::map_layout(*plan, o.width);
        } catch (const RuntimeFailure& f) {
          throw FileFailure{path + ": " + f.what()};
        }
      }
    }
  } catch (const FileFailure& e) {
    err << prefix << e.message << "\n";
    return code_of(ExitStatus::runtime);
  }

  const plot::RouteFeatures features = plot::route_features(voci, celle);
  try {
    if (map) {
      platform.write(map->path, plot::draw_map(*plan, features, map->format, o.width));
      out << "map: " << map->path << "\n";
    }
    if (profile) {
      const plot::ProfileData data = plot::profile_data(celle, features.length);
      platform.write(profile->path,
                      plot::draw_profile(data, features, profile->format, o.width));
      out << "profile: " << profile->path << "\n";
    }
  } catch (const RuntimeFailure& f) {
    err << prefix << f.what() << "\n";
    return code_of(ExitStatus::runtime);
  }
  return status;
}

}  // namespace tracciato::plot
