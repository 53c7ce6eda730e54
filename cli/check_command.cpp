#include "cli/check_command.h"

#include <CLI/CLI.hpp>

#include <cstdlib>

#include "platform/runtime_failure.h"

namespace tracciato::cli {

bool ReadOnlyPlatform::exists(const std::string& path) {
  if (written_.count(path) != 0) return true;
  if (deleted_.count(path) != 0) return false;
  return real_.exists(path);
}

void ReadOnlyPlatform::remove(const std::string& path) {
  if (!exists(path)) throw RuntimeFailure("cannot delete " + path + ": no such file");
  written_.erase(path);
  deleted_.insert(path);
}

std::string ReadOnlyPlatform::read(const std::string& path) {
  if (auto it = written_.find(path); it != written_.end()) return it->second;
  if (deleted_.count(path) != 0) throw RuntimeFailure("cannot read " + path + ": no such file");
  return real_.read(path);
}

void ReadOnlyPlatform::write(const std::string& path, std::string_view bytes) {
  written_[path] = std::string(bytes);
  deleted_.erase(path);
}

void ReadOnlyPlatform::end_program(int status) {
  real_.end_program(status);
  std::abort();  // not reached: the real platform ends the program
}

CLI::App* add_check_command(CLI::App& app, CompileOptions& options) {
  auto* cmd = app.add_subcommand(
      "check", "Compile ROUTE_TXT and TRAIN_TXT as compile does, but write no scenario file");
  add_source_options(*cmd, options, "Check without the plan (curve entries disregarded)",
                     "Write the JSON report of the outcome to FILE (the one file check writes)");
  cmd->footer(
      "Every fault and warning is printed on standard error as FILE:LINE: error CODE: MESSAGE\n"
      "or FILE:LINE: warning: MESSAGE, with the source line and a caret under the field at\n"
      "fault, then a summary. Exit status: 0 ok, 1 faults, 2 errore, 3 run-time failure,\n"
      "64 usage error, exactly as compile would end.\n"
      "The texts' format, entry by entry: docs/format.md. What a code means, with an\n"
      "example and what to do: tracciato explain CODE. --strict counts warnings as faults.\n\n"
      "Examples:\n"
      "  tracciato check ROVELDA-MARNE_linea.txt \"ROVELDA-MARNE_K 517-.txt\"\n"
      "  tracciato check my_linea.txt my_R1-.txt --route my --train R1 --report check.json");
  return cmd;
}

int run_check(Platform& platform, const CompileOptions& options) {
  ReadOnlyPlatform files(platform);
  return run_compile_on(files, platform, options, {"check", check_usage, false});
}

}  // namespace tracciato::cli
