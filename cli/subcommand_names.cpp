#include "cli/subcommand_names.h"

#include <CLI/CLI.hpp>

#include "cli/edit_distance.h"

namespace tracciato::cli {

std::string unknown_subcommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return {};
  const std::string given = argv[1];
  std::string nearest;
  std::size_t best = 3;  // at most two edits away, or the start of a name
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    const std::string& name = sub->get_name();
    if (name == given) return {};
    const std::size_t d = name.rfind(given, 0) == 0 ? 1 : edit_distance(given, name);
    if (d < best) {
      best = d;
      nearest = name;
    }
  }
  std::string line = "unknown subcommand '" + given + "'";
  if (!nearest.empty()) line += "; did you mean '" + nearest + "'?";
  return line;
}

}  // namespace tracciato::cli
