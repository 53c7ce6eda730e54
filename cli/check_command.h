#pragma once

#include <map>
#include <set>
#include <string>

#include "cli/compile_command.h"
#include "platform/platform.h"

namespace CLI {
class App;
}

namespace tracciato::cli {

// Reads through `real`, but keeps every write and deletion to itself: after a run
// nothing on `real` has been created, deleted or changed.
class ReadOnlyPlatform : public Platform {
 public:
  explicit ReadOnlyPlatform(Platform& real) : real_(real) {}

  void show_waiting() override {}
  std::string application_directory() override { return real_.application_directory(); }
  std::string join(const std::string& dir, const std::string& name) const override {
    return real_.join(dir, name);
  }
  bool exists(const std::string& path) override;
  std::string cannot_read(const std::string& path) override { return real_.cannot_read(path); }
  void make_directories(const std::string&) override {}
  void remove(const std::string& path) override;
  std::string read(const std::string& path) override;
  void write(const std::string& path, std::string_view bytes) override;
  void show_message(const std::string& text) override { real_.show_message(text); }
  void report_failure(const std::string& what) override { real_.report_failure(what); }
  [[noreturn]] void end_program(int status) override;

  // What the run would have written, by path.
  const std::map<std::string, std::string>& kept() const { return written_; }

 private:
  Platform& real_;
  std::map<std::string, std::string> written_;
  std::set<std::string> deleted_;
};

inline constexpr const char* check_usage =
    "usage: tracciato check ROUTE_TXT TRAIN_TXT [--route NAME] [--train NAME] [--no-plan] "
    "[--strict] [--report FILE]";

// Declares `check` on `app`, filling `options` when parsed.
CLI::App* add_check_command(CLI::App& app, CompileOptions& options);

// The whole compile of two author texts without writing any file but the report:
// the same names, validation, diagnostics, report and exit status as compile.
int run_check(Platform& platform, const CompileOptions& options);

}  // namespace tracciato::cli
