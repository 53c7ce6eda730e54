#include "decompile/decompile_command.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "decompile/round_trip.h"
#include "platform/platform.h"
#include "sources/embedded_tables.h"
#include "sources/line_table.h"

namespace tracciato::decompile {
namespace {

namespace fs = std::filesystem;

const Names shipped{"ROVELDA-MARNE", "K 517"};

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
void write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

DecompileOptions given(std::string route, std::string train, std::optional<std::string> out_dir = {},
                       bool force = false, bool no_plan = false) {
  DecompileOptions o;
  o.route = std::move(route);
  o.train = std::move(train);
  o.out_dir = std::move(out_dir);
  o.force = force;
  o.no_plan = no_plan;
  return o;
}

// A folder of its own holding a compiled file set in in/.
struct Folder {
  fs::path dir;
  std::unique_ptr<Platform> platform = make_platform();
  std::ostringstream out, err;

  explicit Folder(const std::string& route_text = table_text(route_table()),
                  const std::string& train_text = table_text(train_table()), bool plan = true) {
    dir = fs::temp_directory_path() /
          ("tracciato-decompile-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "in");
    const CompileOutput c = compile_texts(route_text, train_text, plan, shipped);
    EXPECT_TRUE(c.written);
    if (c.files.plan) write(dir / "in" / "ROVELDA-MARNE_linea.dat", *c.files.plan);
    write(dir / "in" / "ROVELDA-MARNE_K 517.sim", c.files.entries);
    write(dir / "in" / "ROVELDA-MARNE_K 517.dat", c.files.cells);
  }
  ~Folder() { fs::remove_all(dir); }

  // With DIR in/ and the shipped names unless given.
  int run(DecompileOptions o = {}) {
    out.str("");
    err.str("");
    if (o.dir.empty()) o.dir = (dir / "in").string();
    if (o.route.empty()) o.route = shipped.route;
    if (o.train.empty()) o.train = shipped.train;
    return run_decompile(*platform, o, out, err);
  }
};

TEST(DecompileCommand, WritesTheTextsIntoANewFolderAndSaysEachFileIsIdentical) {
  Folder f;
  const fs::path to = f.dir / "deep" / "er";
  EXPECT_EQ(f.run(given("", "", to.string())), decompile_identical) << f.err.str();
  for (const char* name : {"ROVELDA-MARNE_linea.dat", "ROVELDA-MARNE_K 517.sim", "ROVELDA-MARNE_K 517.dat"})
    EXPECT_NE(f.out.str().find(std::string(name) + ": identical\n"), std::string::npos) << f.out.str();
  EXPECT_TRUE(fs::exists(to / "ROVELDA-MARNE_linea.txt"));
  EXPECT_TRUE(fs::exists(to / "ROVELDA-MARNE_K 517-.txt"));
  EXPECT_EQ(f.err.str(), "");
}

TEST(DecompileCommand, WithoutAPlanFileTheTextsAreForACompileWithoutThePlan) {
  Folder f(table_text(route_table()), table_text(train_table()), false);
  EXPECT_EQ(f.run(), decompile_identical);
  EXPECT_NE(f.out.str().find("no plan file: the texts are for a compile with --no-plan"), std::string::npos);
  EXPECT_EQ(f.out.str().find("_linea.dat"), std::string::npos);
  // A plan file left beside the others is disregarded on request.
  write(f.dir / "in" / "ROVELDA-MARNE_linea.dat", "stale");
  EXPECT_EQ(f.run(given("", "", {}, true, true)), decompile_identical) << f.err.str();
  EXPECT_NE(f.out.str().find("the plan file disregarded: the texts"), std::string::npos);
}

TEST(DecompileCommand, TextsAlreadyThereAreKeptWithoutForce) {
  Folder f;
  write(f.dir / "in" / "ROVELDA-MARNE_K 517-.txt", "mine");
  EXPECT_EQ(f.run(), decompile_refused);
  EXPECT_EQ(f.err.str(), "tracciato decompile: " + (f.dir / "in" / "ROVELDA-MARNE_K 517-.txt").string() +
                             " already exists; --force overwrites it\n");
  EXPECT_FALSE(fs::exists(f.dir / "in" / "ROVELDA-MARNE_linea.txt"));  // nothing written
  EXPECT_EQ(read(f.dir / "in" / "ROVELDA-MARNE_K 517-.txt"), "mine");
  EXPECT_EQ(f.run(given("", "", {}, true)), decompile_identical);
  EXPECT_NE(read(f.dir / "in" / "ROVELDA-MARNE_K 517-.txt"), "mine");
}

TEST(DecompileCommand, MissingFilesOtherNamesAndBadNamesWriteNothing) {
  Folder f;
  EXPECT_EQ(f.run(given("ROVELDA-MARNE", "K 518")), decompile_refused);
  EXPECT_NE(f.err.str().find("cannot read"), std::string::npos) << f.err.str();

  fs::copy_file(f.dir / "in" / "ROVELDA-MARNE_K 517.sim", f.dir / "in" / "ROVELDA-MARNE_K 518.sim");
  fs::copy_file(f.dir / "in" / "ROVELDA-MARNE_K 517.dat", f.dir / "in" / "ROVELDA-MARNE_K 518.dat");
  EXPECT_EQ(f.run(given("ROVELDA-MARNE", "K 518")), decompile_refused);
  EXPECT_NE(f.err.str().find("compiled for the route \"ROVELDA-MARNE\" and the train \"K 517\""),
            std::string::npos)
      << f.err.str();

  EXPECT_EQ(f.run(given("ROVELDA/MARNE", "")), decompile_usage_error);
  EXPECT_NE(f.err.str().find(decompile_usage), std::string::npos);
  EXPECT_EQ(f.run(given("", "linea")), decompile_usage_error);
  EXPECT_FALSE(fs::exists(f.dir / "in" / "ROVELDA-MARNE_linea.txt"));
}

TEST(DecompileCommand, FilesThatDoNotComeBackAreSaidAndEndWithStatus1) {
  // The station's stop cell takes the slow-down's start: its warning board and end board
  // are left, which no line of a text writes without the start.
  Folder f("[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n[fine]\r\n",
           "[generale]\r\nrallentamento, 4400, 60, 500, 1, 0, 0\r\n"
           "stazione, 4200, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,A\r\n[fine]\r\n");
  EXPECT_EQ(f.run(), decompile_different);
  EXPECT_NE(f.out.str().find("ROVELDA-MARNE_K 517.dat: differs at byte 975, cell 65 (metres 3200 to 3249), "
                             "evento: 4 in the file, 0 from the texts"),
            std::string::npos)
      << f.out.str();
  EXPECT_EQ(f.err.str(), "tracciato decompile: the texts do not give back every file\n");
  EXPECT_TRUE(fs::exists(f.dir / "in" / "ROVELDA-MARNE_linea.txt"));
}

TEST(DecompileCommand, HelpGivesAWorkedExample) {
  const std::string command = std::string("\"") + TRACCIATO_EXE + "\" decompile --help";
  FILE* p = ::popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string help;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) help.append(buffer, n);
  EXPECT_EQ(::pclose(p), 0);
  EXPECT_NE(help.find("tracciato decompile scenari --route ROVELDA-MARNE --train \"K 517\" -o recovered"),
            std::string::npos)
      << help;
  EXPECT_NE(help.find("Exit status: 0"), std::string::npos);
}

}  // namespace
}  // namespace tracciato::decompile
