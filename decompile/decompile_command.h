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

namespace tracciato::decompile {

// The arguments of `tracciato decompile`.
struct DecompileOptions {
  std::string dir;
  std::string route;
  std::string train;
  std::optional<std::string> out_dir;  // default: DIR
  bool force = false;
  bool no_plan = false;  // disregard a plan file in DIR
};

inline constexpr const char* decompile_usage =
    "usage: tracciato decompile DIR --route NAME --train NAME [-o OUTDIR] [--force] [--no-plan]";

// Exit statuses of `tracciato decompile`.
inline constexpr int decompile_identical = 0;   // texts written, every file given back
inline constexpr int decompile_different = 1;   // texts written, not every file given back
inline constexpr int decompile_refused = 3;     // nothing written: see the message
inline constexpr int decompile_usage_error = 64;

// Declares `decompile` on `app`, filling `options` when parsed.
CLI::App* add_decompile_command(CLI::App& app, DecompileOptions& options);

// Reads DIR/<route>_linea.dat (when there is one), DIR/<route>_<train>.sim and .dat,
// writes <route>_linea.txt and <route>_<train>-.txt into OUTDIR (created with its
// parents; texts already there only with --force), then compiles them in memory and
// says per file "identical" or where the first difference lies. Messages go to `err`,
// the outcome to `out`. Returns the exit status above.
int run_decompile(Platform& platform, const DecompileOptions& options, std::ostream& out,
                  std::ostream& err);

}  // namespace tracciato::decompile
