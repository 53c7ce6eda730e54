// The command line as a whole: what each start prints first and how it ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "test_support/run_executable.h"

namespace tracciato::cli {
namespace {

namespace fs = std::filesystem;

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(CommandLine, StartsEndAsTheyShould) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* first;  // first line of standard output, or else of standard error
  } cases[] = {
      {{"--version"}, 0, "tracciato " TRACCIATO_VERSION},
      {{"compil", "a", "b"}, 64, "tracciato: unknown subcommand 'compil'; did you mean 'compile'?"},
      {{"frobnicate"}, 64, "tracciato: unknown subcommand 'frobnicate'"},
      {{"sources", "new/folder"}, 0, ""},
      {{"sources", "new/folder"}, 3,
       "tracciato sources: new/folder/ROVELDA-MARNE_linea.txt already exists; --force overwrites it"},
      {{"sources", "new/folder", "--force"}, 0, ""},
      {{"explain", "16"}, 0, "error 16: signal on a cell already taken"},
      {{"explain", "99"}, 64,
       "tracciato explain: 99 is no code: the codes are 1 to 13, 15 to 22, 24, 25, 101 to 103, "
       "1250 and 1251"},
  };
  support::TempDir dir;
  const std::string here = dir.path();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    const auto r =
        support::run_program(TRACCIATO_EXE, c.args, [here] { return ::chdir(here.c_str()) == 0; });
    EXPECT_EQ(r.status, c.status) << r.errors;
    EXPECT_EQ(first_line(r.output.empty() ? r.errors : r.output), c.first);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "new/folder"), {}), 5);
}

TEST(CommandLine, HelpSaysWhatTheEmbeddedRunDoesToItsFolder) {
  const auto r = support::run_program(TRACCIATO_EXE, {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.output.find("Run it in a folder of its own"), std::string::npos) << r.output;
  // Started by its full path, the usage still names the program plainly.
  EXPECT_NE(r.output.find("\nUsage: tracciato [OPTIONS] SUBCOMMAND\n"), std::string::npos) << r.output;
  const auto sub = support::run_program(TRACCIATO_EXE, {"compile", "--help"});
  EXPECT_EQ(sub.status, 0);
  EXPECT_NE(sub.output.find("\nUsage: tracciato compile [OPTIONS] ROUTE_TXT TRAIN_TXT\n"),
            std::string::npos)
      << sub.output;
}

}  // namespace
}  // namespace tracciato::cli
