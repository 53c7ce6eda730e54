#include "plot/plot_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "compiler/compilazione.h"
#include "plot/plot_test_scenario.h"
#include "sources/source_writers.h"

namespace tracciato::plot {
namespace {

const std::string plan = "app/ROVELDA-MARNE_linea.dat";
const std::string entries = "app/ROVELDA-MARNE_K 517.sim";
const std::string cells = "app/ROVELDA-MARNE_K 517.dat";

struct Outcome {
  int status;
  std::string out, err;
};

Outcome plot(MemoryPlatform& p, PlotOptions o) {
  std::ostringstream out, err;
  const int status = run_plot(p, o, out, err);
  return {status, out.str(), err.str()};
}

PlotOptions embedded_options() {
  PlotOptions o;
  o.dir = "app";
  o.route = "ROVELDA-MARNE";
  o.train = "K 517";
  o.width = 600;
  return o;
}

MemoryPlatform embedded_files() { return plot::testing::embedded_run(); }

bool is_svg(const std::string& b) { return b.find("<svg") != std::string::npos; }
bool is_png(const std::string& b) { return b.rfind("\x89PNG\r\n\x1a\n", 0) == 0; }

TEST(PlotCommand, TheEmbeddedScenarioDrawsBothPicturesInBothFormats) {
  for (const char* ext : {".svg", ".png"}) {
    MemoryPlatform p = embedded_files();
    PlotOptions o = embedded_options();
    o.map = std::string("out/map") + ext;
    o.profile = std::string("out/profile") + ext;
    const Outcome r = plot(p, o);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const std::string& file : {*o.map, *o.profile}) {
      ASSERT_EQ(p.files.count(file), 1u) << file;
      EXPECT_TRUE(ext == std::string(".svg") ? is_svg(p.files[file]) : is_png(p.files[file]))
          << file;
    }
  }
}

TEST(PlotCommand, TheStarterScenarioDrawsBothPictures) {
  MemoryPlatform p;
  Scenario s;
  s.nome_linea = "MYLINE";
  s.nome_treno = "R 1";
  write_starter(p, "app", s);
  ASSERT_EQ(compile(s, 1, p, {"app/MYLINE_linea.txt", "app/MYLINE_R 1-.txt", false},
                    {"app/MYLINE_linea.dat", "app/MYLINE_R 1.sim", "app/MYLINE_R 1.dat"})
                .kind,
            CompileOutcome::Kind::ok);
  PlotOptions o;
  o.dir = "app";
  o.route = "MYLINE";
  o.train = "R 1";
  o.width = 600;
  const Outcome r = plot(p, o);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(is_svg(p.files["app/MYLINE_R 1_map.svg"]));
  EXPECT_TRUE(is_svg(p.files["app/MYLINE_R 1_profile.svg"]));
}

TEST(PlotCommand, WithoutPicturesNamedBothGoBesideTheScenarioAsSvg) {
  MemoryPlatform p = embedded_files();
  const Outcome r = plot(p, embedded_options());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(is_svg(p.files["app/ROVELDA-MARNE_K 517_map.svg"]));
  EXPECT_TRUE(is_svg(p.files["app/ROVELDA-MARNE_K 517_profile.svg"]));
  EXPECT_EQ(r.out,
            "map: app/ROVELDA-MARNE_K 517_map.svg\nprofile: app/ROVELDA-MARNE_K 517_profile.svg\n");
}

TEST(PlotCommand, WithoutAPlanFileOnlyTheProfileIsDrawn) {
  MemoryPlatform p = embedded_files();
  p.files.erase(plan);
  Outcome r = plot(p, embedded_options());
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("no plan file app/ROVELDA-MARNE_linea.dat"), std::string::npos) << r.err;
  EXPECT_EQ(p.files.count("app/ROVELDA-MARNE_K 517_map.svg"), 0u);
  EXPECT_EQ(p.files.count("app/ROVELDA-MARNE_K 517_profile.svg"), 1u);

  // A map asked for by name that cannot be drawn is a failure, not a success.
  PlotOptions o = embedded_options();
  o.map = "m.png";
  o.profile = "p.png";
  r = plot(p, o);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(p.files.count("p.png"), 1u);
  EXPECT_EQ(p.files.count("m.png"), 0u);
}

TEST(PlotCommand, ACorruptOrMissingInputFileIsAOneLineErrorNamingIt) {
  const struct {
    std::string file;
    std::string bytes;  // empty: the file is missing
    std::string expected;
  } cases[] = {
      {cells, "fourteen bytes", "tracciato plot: " + cells + ": cell file: 14 bytes is not a whole number of 15-byte cells\n"},
      {entries, "\x01\x02", "tracciato plot: " + entries + ": entry file ends inside inizio_area at byte 1 (file is 2 bytes)\n"},
      {plan, std::string("\x07\x00", 2), "tracciato plot: " + plan + ": plan file: type tag 7 at byte 0 is none of 0 (Empty), 2 (Integer), 5 (Double)\n"},
      {plan, std::string("\x00\x00\x00\x00", 4), "tracciato plot: " + plan + ": plan file: no metre has both coordinates\n"},
      {entries, "", "tracciato plot: "},
  };
  for (const auto& c : cases) {
    MemoryPlatform p = embedded_files();
    if (c.bytes.empty())
      p.files.erase(c.file);
    else
      p.files[c.file] = c.bytes;
    const Outcome r = plot(p, embedded_options());
    EXPECT_EQ(r.status, 3) << c.file;
    EXPECT_EQ(r.err.rfind(c.expected, 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.file), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(p.files.count("app/ROVELDA-MARNE_K 517_profile.svg"), 0u);  // nothing drawn
  }
}

TEST(PlotCommand, BadArgumentsAreUsageErrors) {
  const struct {
    const char* what;
    void (*change)(PlotOptions&);
  } cases[] = {
      {"no known format", [](PlotOptions& o) { o.map = "map.jpg"; }},
      {"one file for both", [](PlotOptions& o) { o.map = o.profile = "x.svg"; }},
      {"a route name with a slash", [](PlotOptions& o) { o.route = "a/b"; }},
      {"a train named linea", [](PlotOptions& o) { o.train = "LINEA"; }},
      {"a width too small", [](PlotOptions& o) { o.width = 10; }},
  };
  for (const auto& c : cases) {
    MemoryPlatform p = embedded_files();
    PlotOptions o = embedded_options();
    c.change(o);
    const Outcome r = plot(p, o);
    EXPECT_EQ(r.status, 64) << c.what;
    EXPECT_NE(r.err.find(plot_usage), std::string::npos) << c.what;
  }
}

TEST(PlotCommand, TheExecutableRefusesAnIncompleteCommandLine) {
  const std::string exe = TRACCIATO_EXE;
  const std::string quiet = " >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(("\"" + exe + "\" plot . --route R" + quiet).c_str())), 64);
  EXPECT_EQ(WEXITSTATUS(std::system(
                ("\"" + exe + "\" plot . --route R --train T --width 0" + quiet).c_str())),
            64);
  EXPECT_EQ(WEXITSTATUS(std::system(
                ("\"" + exe + "\" plot /nonexistent --route R --train T" + quiet).c_str())),
            3);
}

// tracciato hands `plot` over to the drawing program beside it: the pictures come from
// there, and without it tracciato says which program is missing and where.
TEST(PlotCommand, TheExecutableDrawsThroughTheProgramBesideIt) {
  namespace fs = std::filesystem;
  const fs::path exe = TRACCIATO_EXE;
  const fs::path dir = fs::path(::testing::TempDir()) / "plot-handover";
  fs::remove_all(dir);
  fs::create_directories(dir / "alone");
  fs::create_directories(dir / "out");
  const std::string quiet = " >/dev/null 2>&1";
  const std::string out = (dir / "out").string();
  ASSERT_EQ(std::system(("\"" + exe.string() + "\" sources \"" + out + "\"" + quiet).c_str()), 0);
  ASSERT_EQ(std::system(("cd \"" + out + "\" && \"" + exe.string() +
                         "\" compile ROVELDA-MARNE_linea.txt \"ROVELDA-MARNE_K 517-.txt\"" + quiet)
                            .c_str()),
            0);
  const std::string args = " plot \"" + out + "\" --route ROVELDA-MARNE --train \"K 517\" --width 400";
  EXPECT_EQ(std::system(("\"" + exe.string() + "\"" + args + quiet).c_str()), 0);
  EXPECT_TRUE(fs::exists(fs::path(out) / "ROVELDA-MARNE_K 517_map.svg"));
  EXPECT_TRUE(fs::exists(fs::path(out) / "ROVELDA-MARNE_K 517_profile.svg"));

  fs::copy_file(exe, dir / "alone" / exe.filename());
  const std::string err = (dir / "err.txt").string();
  const int status = std::system(
      ("\"" + (dir / "alone" / exe.filename()).string() + "\"" + args + " 2>\"" + err + "\"").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 3);
  std::ifstream in(err);
  const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(said.find((dir / "alone" / plot_program).string()), std::string::npos) << said;
  EXPECT_NE(said.find("beside the executable"), std::string::npos) << said;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tracciato::plot
