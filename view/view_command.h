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

namespace tracciato::view {

// The arguments of `tracciato view`.
struct ViewOptions {
  std::string dir;
  std::string route;
  std::string train;
  std::optional<std::string> out;     // default DIR/<route>_<train>.html
  std::optional<std::string> report;  // a --report file of check or compile
};

inline constexpr const char* view_usage =
    "usage: tracciato view DIR --route NAME --train NAME [-o FILE.html] [--report REPORT.json]";

// Declares `view` on `app`, filling `options` when parsed.
CLI::App* add_view_command(CLI::App& app, ViewOptions& options);

// Writes the page of the scenario compiled into DIR, from its three binary files (the
// plan file may be missing: the page then has no map, which `err` says). Returns the
// exit status: 0 written ("page: PATH" on `out`), 3 an input file missing or corrupt
// or the page not written (one line on `err` naming the file), 64 a usage error.
int run_view(Platform& platform, const ViewOptions& options, std::ostream& out,
             std::ostream& err);

}  // namespace tracciato::view
