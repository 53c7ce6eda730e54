#include "view/view_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support/memory_platform.h"
#include "view/test_scenario.h"

namespace tracciato::view {
namespace {

constexpr const char* page_path = "out/ROVELDA-MARNE_K 517.html";

struct ViewRun {
  MemoryPlatform platform;
  ViewOptions options{"out", "ROVELDA-MARNE", "K 517", {}, {}};
  std::ostringstream out, err;

  ViewRun() {
    const auto& f = testing::embedded_files();
    platform.files["out/ROVELDA-MARNE_linea.dat"] = f.plan;
    platform.files["out/ROVELDA-MARNE_K 517.sim"] = f.entries;
    platform.files["out/ROVELDA-MARNE_K 517.dat"] = f.cells;
  }
  int operator()() { return run_view(platform, options, out, err); }
  // The data the page carries, read back from it.
  std::string page() const {
    auto it = platform.files.find(options.out.value_or(page_path));
    return it == platform.files.end() ? "" : it->second;
  }
};

TEST(ViewCommand, WritesThePageBesideTheScenarioFiles) {
  ViewRun run;
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(run.out.str(), std::string("page: ") + page_path + "\n");
  EXPECT_EQ(run.err.str(), "");
  EXPECT_NE(run.page().find("ROVELDA"), std::string::npos);

  ViewRun elsewhere;
  elsewhere.options.out = "pages/line.HTML";
  EXPECT_EQ(elsewhere(), 0);
  EXPECT_FALSE(elsewhere.page().empty());
}

TEST(ViewCommand, WithoutAPlanFileThePageHasNoMap) {
  ViewRun run;
  run.platform.files.erase("out/ROVELDA-MARNE_linea.dat");
  EXPECT_EQ(run(), 0);
  EXPECT_NE(run.err.str().find("no plan file out/ROVELDA-MARNE_linea.dat"), std::string::npos);
  EXPECT_NE(run.page().find("\"plan\":null"), std::string::npos);
}

TEST(ViewCommand, AnInputMissingOrCorruptIsOneLineNamingItsFile) {
  const struct {
    const char* file;
    const char* bytes;  // nullptr: the file is missing
    const char* names;
  } cases[] = {
      {"out/ROVELDA-MARNE_K 517.dat", nullptr, "out/ROVELDA-MARNE_K 517.dat"},
      {"out/ROVELDA-MARNE_K 517.sim", nullptr, "out/ROVELDA-MARNE_K 517.sim"},
      {"out/ROVELDA-MARNE_K 517.sim", "\x01\x02", "out/ROVELDA-MARNE_K 517.sim: "},
      {"out/ROVELDA-MARNE_K 517.dat", "0123456789", "out/ROVELDA-MARNE_K 517.dat: "},
      {"out/ROVELDA-MARNE_linea.dat", "\x05", "out/ROVELDA-MARNE_linea.dat: "},
      {"report.json", nullptr, "report.json"},
      {"report.json", "{\"outcome\": 1}", "report.json: not a report of check or compile: "},
  };
  for (const auto& c : cases) {
    ViewRun run;
    run.platform.files.erase("out/ROVELDA-MARNE_linea.dat");  // no map: a note, not said on failure
    run.options.report = "report.json";
    run.platform.files["report.json"] = "{\"outcome\": \"ok\"}";
    if (c.bytes)
      run.platform.files[c.file] = c.bytes;
    else
      run.platform.files.erase(c.file);
    EXPECT_EQ(run(), 3) << c.file;
    const std::string err = run.err.str();
    EXPECT_EQ(err.rfind("tracciato view: ", 0), 0u) << err;
    EXPECT_NE(err.find(c.names), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_EQ(run.page(), "") << c.file;
    EXPECT_EQ(run.out.str(), "");
  }
}

TEST(ViewCommand, ABadCommandLineIsAUsageError) {
  const struct {
    ViewOptions options;
    const char* says;
  } cases[] = {
      {{"out", "", "K 517", {}, {}}, "the route name"},
      {{"out", "ROVELDA-MARNE", "a/b", {}, {}}, "the train name"},
      {{"out", "ROVELDA-MARNE", "linea", {}, {}}, "the train name"},
      {{"", "ROVELDA-MARNE", "K 517", {}, {}}, "DIR is empty"},
      {{"out", "ROVELDA-MARNE", "K 517", "out/ROVELDA-MARNE_K 517.dat", {}}, "must end in .html"},
      {{"out", "ROVELDA-MARNE", "K 517", "r.html", "r.html"}, "name the same file"},
  };
  for (const auto& c : cases) {
    ViewRun run;
    run.options = c.options;
    EXPECT_EQ(run(), 64) << c.says;
    EXPECT_NE(run.err.str().find(c.says), std::string::npos) << run.err.str();
    EXPECT_NE(run.err.str().find(view_usage), std::string::npos);
  }
}

TEST(ViewCommand, TheReportsFaultsReachThePage) {
  ViewRun run;
  run.options.report = "report.json";
  run.platform.files["report.json"] =
      R"({"outcome": "faults", "codice_errore": 16, "posizione_errore": 2450, "files": [],
          "faults": [{"code": 16, "position": 2450, "file": "t-.txt", "line": 61,
                      "message": "signal at 2450 m: cell 50 already holds a signal"}],
          "warnings": []})";
  EXPECT_EQ(run(), 0);
  EXPECT_NE(run.page().find(R"("report":{"outcome":"faults","codice_errore":16)"), std::string::npos);
  EXPECT_NE(run.page().find("cell 50 already holds a signal"), std::string::npos);
}

}  // namespace
}  // namespace tracciato::view
