#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tracciato {
class Platform;
}

namespace tracciato::cli {

struct CompileOptions {
  std::string route_txt;
  std::string train_txt;
  std::string out_dir;
  std::string route_name;
  std::string train_name;
  bool no_plan = false;
  std::string report;
};

// Declares `compile` on `app`, filling `options` when parsed.
CLI::App* add_compile_command(CLI::App& app, CompileOptions& options);

// Runs the compile of two author texts; returns the exit status (0, 1, 2, 3 or 64).
int run_compile(Platform& platform, const CompileOptions& options);

}  // namespace tracciato::cli
