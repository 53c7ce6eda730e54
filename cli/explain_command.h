#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tracciato::cli {

struct ExplainOptions {
  std::optional<std::string> code;
  bool markdown = false;
};

inline constexpr const char* explain_usage = "usage: tracciato explain [CODE] [--markdown]";

// Declares `explain` on `app`, filling `options` when parsed.
CLI::App* add_explain_command(CLI::App& app, ExplainOptions& options);

// Prints what CODE means, its rule, an example and what to do; without CODE every code
// with its meaning. Returns the exit status: 0, or 64 for a number that is no code.
int run_explain(const ExplainOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tracciato::cli
