#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "dump/dump_command.h"

namespace tracciato::dump {
namespace {

namespace fs = std::filesystem;

int run(const std::string& args, const fs::path& out, const fs::path& err) {
  const std::string command = std::string("\"") + TRACCIATO_EXE + "\" " + args + " >\"" +
                              out.string() + "\" 2>\"" + err.string() + "\"";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DumpExecutable, HelpUsageAndFilesOnDisk) {
  const fs::path dir = fs::temp_directory_path() / ("dump_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path out = dir / "out", err = dir / "err";

  EXPECT_EQ(run("dump --help", out, err), 0);
  EXPECT_NE(read(out).find("Examples:"), std::string::npos);

  EXPECT_EQ(run("dump x.dat --format yaml", out, err), 64);
  EXPECT_NE(read(err).find(dump_usage), std::string::npos);

  // Two cells: 0 and cell 1 with the mark 5121.
  const fs::path cells = dir / "T_K 1.dat";
  std::ofstream(cells, std::ios::binary) << std::string(15, '\0') << std::string("\0\x01\x14", 3)
                                         << std::string(12, '\0');
  EXPECT_EQ(run("dump \"" + cells.string() + "\" --format csv", out, err), 0) << read(err);
  std::istringstream lines(read(out));
  std::string line;
  for (int i = 0; i < 3; ++i) std::getline(lines, line);
  EXPECT_EQ(line, "1,0,49,0,none,5121,0,0,0,0,0,0,0,0,0,valore1: mark; valore2: codice_gara_og 0; "
                  "velocita: 0 km/h; pendenza: -100 per mille");

  EXPECT_EQ(run("dump \"" + (dir / "none.sim").string() + "\"", out, err), 3);
  EXPECT_EQ(read(out), "");
  EXPECT_NE(read(err).find("tracciato: dump: cannot open"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tracciato::dump
