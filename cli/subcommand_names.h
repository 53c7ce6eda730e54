#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tracciato::cli {

// When the first argument names no subcommand of `app`: the line that says so and, when
// one is close, which one was meant. Empty when the first argument is an option or a
// subcommand.
std::string unknown_subcommand(const CLI::App& app, int argc, char** argv);

}  // namespace tracciato::cli
