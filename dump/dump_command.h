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

namespace tracciato::dump {

// The arguments of `tracciato dump`; a kind not given is taken from the file's name.
struct DumpOptions {
  std::string file;
  std::optional<std::string> kind;  // "plan", "entries", "cells"
  std::string format = "text";      // "text", "json", "csv", "hex"
};

inline constexpr const char* dump_usage =
    "usage: tracciato dump FILE [--kind plan|entries|cells] [--format text|json|csv|hex]";

// Declares `dump` on `app`, filling `options` when parsed.
CLI::App* add_dump_command(CLI::App& app, DumpOptions& options);

// Writes the dump of the file to `out`, messages to `err`. Nothing is written to `out`
// unless the whole file decodes. Returns the exit status: 0 dumped, 3 the file cannot be
// read or cannot be a file of its kind (or the dump cannot be written), 64 usage error.
int run_dump(Platform& platform, const DumpOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracciato::dump
