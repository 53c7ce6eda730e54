#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tracciato {
class Platform;
}

namespace tracciato::cli {

struct NewOptions {
  std::string dir;
  std::string route;
  std::string train;
  bool force = false;
};

inline constexpr const char* new_usage =
    "usage: tracciato new DIR --route NAME --train NAME [--force]";

// Declares `new` on `app`, filling `options` when parsed.
CLI::App* add_new_command(CLI::App& app, NewOptions& options);

// Writes the starter scenario's two texts into DIR, made when missing, under the names
// of NAME's route and train; texts already there are kept unless --force. Returns the
// exit status: 0 written, 3 refused or not written, 64 a name that cannot name files.
int run_new(Platform& platform, const NewOptions& options);

}  // namespace tracciato::cli
