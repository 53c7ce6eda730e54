#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tracciato {
class Platform;
}

namespace tracciato::cli {

// The arguments of `tracciato compile`; an option not given stays empty (nullopt).
struct CompileOptions {
  std::string route_txt;
  std::string train_txt;
  std::optional<std::string> out_dir;
  std::optional<std::string> route_name;
  std::optional<std::string> train_name;
  bool no_plan = false;
  bool strict = false;  // every warning counts as a fault
  std::optional<std::string> report;
};

inline constexpr const char* compile_usage =
    "usage: tracciato compile ROUTE_TXT TRAIN_TXT [-o OUTDIR] [--route NAME] [--train NAME] "
    "[--no-plan] [--strict] [--report FILE]";

// The positional texts, --route, --train, --no-plan and --report shared by compile and
// check.
void add_source_options(CLI::App& cmd, CompileOptions& options, const std::string& no_plan_help,
                        const std::string& report_help);

// Declares `compile` on `app`, filling `options` when parsed.
CLI::App* add_compile_command(CLI::App& app, CompileOptions& options);

// Runs the compile of two author texts, which are read and never deleted or changed;
// returns the exit status: 0 ok, 1 faults, 2 errore, 3 run-time failure, 64 usage error.
int run_compile(Platform& platform, const CompileOptions& options);

// Which command runs the compile: its name and usage line for usage errors, and
// whether it writes the binary files (check does not).
struct CompileCommand {
  const char* name;
  const char* usage;
  bool writes_files;
};

// The same compile with its files read and written through `files` and the report and
// the failure messages through `out`.
int run_compile_on(Platform& files, Platform& out, const CompileOptions& options,
                   const CompileCommand& command);

}  // namespace tracciato::cli
