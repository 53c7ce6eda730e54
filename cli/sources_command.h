#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tracciato {
class Platform;
}

namespace tracciato::cli {

struct SourcesOptions {
  std::string dir = ".";
  bool force = false;
};

// Declares `sources` on `app`, filling `options` when parsed.
CLI::App* add_sources_command(CLI::App& app, SourcesOptions& options);

// Writes the five embedded texts into DIR, made with its parents when missing. When one
// of them is there already and --force is not given, nothing is written: one line names
// it, exit 3.
int run_sources(Platform& platform, const SourcesOptions& options);

}  // namespace tracciato::cli
