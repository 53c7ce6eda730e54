#pragma once

#include <string>
#include <vector>

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

// Makes `dir` (with its parents) and refuses, unless `force`, when any of `names` is
// already there. Empty when the files may be written; otherwise the line to print.
std::string prepare_folder(Platform& platform, const std::string& dir,
                           const std::vector<std::string>& names, bool force);

}  // namespace tracciato::cli
