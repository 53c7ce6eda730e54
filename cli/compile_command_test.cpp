#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string route_txt = "ROVELDA-MARNE_linea.txt";
const std::string train_txt = "ROVELDA-MARNE_K 517-.txt";
const std::string plan_dat = "ROVELDA-MARNE_linea.dat";
const std::string entry_sim = "ROVELDA-MARNE_K 517.sim";
const std::string cell_dat = "ROVELDA-MARNE_K 517.dat";

std::string shell_quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

struct Outcome {
  int status;
  std::string err;
};

// Each test works in a fresh directory of its own.
class CompileCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("tracciato-cli-" + std::to_string(::getpid())) / info->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir.parent_path()); }

  Outcome run(const std::vector<std::string>& args, const std::string& exe = TRACCIATO_EXE) {
    std::string command = "cd " + shell_quote(dir.string()) + " && " + shell_quote(exe);
    for (const auto& a : args) command += " " + shell_quote(a);
    const fs::path err = dir / "stderr.txt";
    command += " 2>" + shell_quote(err.string()) + " >/dev/null";
    const int raw = std::system(command.c_str());
    Outcome r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(err)};
    fs::remove(err);
    return r;
  }

  // The shipped texts, as an author starts from them.
  void write_sources() { ASSERT_EQ(run({"sources", "."}).status, 0); }

  // An author's own pair of texts named after route R and train T.
  void write_texts(const std::string& route_body, const std::string& train = "[generale]\r\n[fine]\r\n") {
    put(dir / "R_linea.txt", "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n" + route_body + "[fine]\r\n");
    put(dir / "R_T-.txt", train);
  }

  nlohmann::json report(const std::string& name = "report.json") {
    return nlohmann::json::parse(slurp(dir / name));
  }
  // The report without its diagnostics, which have tests of their own.
  nlohmann::json outcome() {
    nlohmann::json r = report();
    r.erase("faults");
    r.erase("warnings");
    return r;
  }

  std::map<std::string, std::string> files_here() {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) out[e.path().filename().string()] = slurp(e.path());
    return out;
  }

  fs::path dir;
};

TEST_F(CompileCommand, ShippedTextsGiveTheEmbeddedRunsBinariesAndStayUntouched) {
  write_sources();
  const std::string route = slurp(dir / route_txt), train = slurp(dir / train_txt);
  const Outcome r = run({"compile", route_txt, train_txt, "--report", "report.json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir / route_txt), route);
  EXPECT_EQ(slurp(dir / train_txt), train);
  EXPECT_EQ(slurp(dir / "report.json"),
            "{\n  \"outcome\": \"ok\",\n  \"codice_errore\": 0,\n  \"posizione_errore\": 0,\n"
            "  \"files\": [\n    \"ROVELDA-MARNE_linea.dat\",\n    \"ROVELDA-MARNE_K 517.sim\",\n"
            "    \"ROVELDA-MARNE_K 517.dat\"\n  ],\n  \"faults\": [],\n  \"warnings\": []\n}\n");

  // The embedded run in a directory of its own gives the same bytes.
  const fs::path embedded = dir / "embedded";
  fs::create_directory(embedded);
  fs::copy_file(TRACCIATO_EXE, embedded / "tracciato");
  ASSERT_EQ(run({}, (embedded / "tracciato").string()).status, 0);
  for (const auto& name : {plan_dat, entry_sim, cell_dat}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::exists(embedded / name));
    EXPECT_TRUE(slurp(embedded / name) == slurp(dir / name));
  }
  EXPECT_EQ(fs::file_size(dir / plan_dat), 2139964u);
}

TEST_F(CompileCommand, OutputDirectoryAndNamesCanBeGiven) {
  write_sources();
  fs::create_directory(dir / "out");
  fs::create_directory(dir / "texts");
  fs::rename(dir / route_txt, dir / "texts" / "route.txt");
  fs::rename(dir / train_txt, dir / "texts" / "train.txt");
  const Outcome r = run({"compile", "texts/route.txt", "texts/train.txt", "-o", "out", "--route", "NORD",
                     "--train", "R 1", "--report", "out/r.json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "out" / "NORD_linea.dat"));
  EXPECT_TRUE(fs::exists(dir / "out" / "NORD_R 1.sim"));
  EXPECT_TRUE(fs::exists(dir / "out" / "NORD_R 1.dat"));
  EXPECT_EQ(report("out/r.json")["files"],
            (nlohmann::json{"NORD_linea.dat", "NORD_R 1.sim", "NORD_R 1.dat"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "texts"), fs::directory_iterator()), 2);
}

TEST_F(CompileCommand, OutputDefaultsToTheRouteTextsDirectory) {
  fs::create_directory(dir / "a");
  write_texts("");
  fs::rename(dir / "R_linea.txt", dir / "a" / "R_linea.txt");
  EXPECT_EQ(run({"compile", "a/R_linea.txt", "R_T-.txt"}).status, 0);
  EXPECT_TRUE(fs::exists(dir / "a" / "R_linea.dat"));
  EXPECT_TRUE(fs::exists(dir / "a" / "R_T.sim"));
  EXPECT_TRUE(fs::exists(dir / "a" / "R_T.dat"));
  EXPECT_FALSE(fs::exists(dir / "R_T.sim"));
}

TEST_F(CompileCommand, NoPlanWritesNoPlanFileAndLeavesAnOlderOne) {
  write_texts("curvas4, 100, 150\r\n");
  put(dir / "R_linea.dat", "older plan");
  const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "--no-plan", "--report", "report.json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir / "R_linea.dat"), "older plan");
  EXPECT_EQ(report()["files"], (nlohmann::json{"R_T.sim", "R_T.dat"}));
  EXPECT_EQ(fs::file_size(dir / "R_T.dat"), 15u * 161);
}

TEST_F(CompileCommand, DataFaultsStillWriteTheFilesAndExitWith1) {
  write_texts("pendenza, 999999, 1\r\n");
  const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "--report", "report.json"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(outcome(), nlohmann::json::parse(R"({"outcome": "faults", "codice_errore": 15,
      "posizione_errore": 999999, "files": ["R_linea.dat", "R_T.sim", "R_T.dat"]})"));
}

// A start that cannot succeed writes nothing but its report and leaves the files of
// the last good compile as they were.
TEST_F(CompileCommand, AnInputThatCannotBeReadWritesNothing) {
  write_texts("");
  ASSERT_EQ(run({"compile", "R_linea.txt", "R_T-.txt"}).status, 0);
  const std::string cells = slurp(dir / "R_T.dat");
  fs::create_directory(dir / "folder_linea.txt");
  const struct {
    std::vector<std::string> args;
    const char* line;
  } cases[] = {
      {{"R_linea.txt", "R_Tx-.txt", "--train", "T"},
       "tracciato: cannot read R_Tx-.txt: No such file or directory\n"},
      {{"R_lnea.txt", "R_T-.txt", "--route", "R"},
       "tracciato: cannot read R_lnea.txt: No such file or directory\n"},
      {{"folder_linea.txt", "R_T-.txt", "--route", "R", "--train", "T"},
       "tracciato: cannot read folder_linea.txt: it is a directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> args{"compile"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"--report", "report.json"});
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, c.line);
    EXPECT_EQ(outcome(), nlohmann::json::parse(R"({"outcome": "runtime", "codice_errore": 0,
        "posizione_errore": 0, "files": []})"));
    EXPECT_EQ(slurp(dir / "R_T.dat"), cells);
  }
}

TEST_F(CompileCommand, StrictCountsAWarningAsAFault) {
  write_texts("pendnza, 850, 4\r\n", "[generale]\r\nstazione, 0, 25, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S\r\n[fine]\r\n");
  for (const char* command : {"check", "compile"}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(run({command, "R_linea.txt", "R_T-.txt", "--report", "report.json"}).status, 0);
    EXPECT_EQ(report()["outcome"], "ok");
    EXPECT_EQ(run({command, "R_linea.txt", "R_T-.txt", "--strict", "--report", "report.json"}).status, 1);
    EXPECT_EQ(report()["outcome"], "faults");
  }
}

TEST_F(CompileCommand, TheOutputFolderIsMadeWithItsParents) {
  write_texts("");
  const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "-o", "out/a/b"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "out/a/b/R_T.dat"));
}

TEST_F(CompileCommand, AReservedSlotConflictWritesNoBinaryAndExitsWith2) {
  write_texts("indicatori_vmax, 0, 90, 95, 95, 0, , , , 0\r\n");
  const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "--report", "report.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(" Errore n. 1250\n"), std::string::npos) << r.err;
  EXPECT_EQ(outcome(), nlohmann::json::parse(R"({"outcome": "errore", "codice_errore": 0,
      "posizione_errore": 0, "errore": "1250", "files": []})"));
  EXPECT_FALSE(fs::exists(dir / "R_linea.dat"));
  EXPECT_FALSE(fs::exists(dir / "R_T.sim"));
  EXPECT_FALSE(fs::exists(dir / "R_T.dat"));
  EXPECT_TRUE(fs::exists(dir / "R_linea.txt"));
  EXPECT_TRUE(fs::exists(dir / "R_T-.txt"));
}

TEST_F(CompileCommand, RunTimeFailuresExitWith3AndSayWhatFailed) {
  write_texts("");
  {
    SCOPED_TRACE("output folder that cannot be made");
    put(dir / "afile", "x");
    const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "-o", "afile/sub", "--report", "report.json"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("afile/sub"), std::string::npos) << r.err;
    EXPECT_EQ(report()["outcome"], "runtime");
    EXPECT_EQ(report()["files"], nlohmann::json::array());
  }
  {
    SCOPED_TRACE("report cannot be written");
    const Outcome r = run({"compile", "R_linea.txt", "R_T-.txt", "--report", "nowhere/report.json"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("nowhere/report.json"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(dir / "R_T.sim"));
  }
}

TEST_F(CompileCommand, BadNamesAndArgumentsAreUsageErrorsWithoutReport) {
  write_texts("");
  put(dir / "R_T.sim.txt", "x");
  const std::vector<std::vector<std::string>> cases = {
      {"--route", ""},
      {"--route", "a/b"},
      {"--route", "a\\b"},
      {"--route", "."},
      {"--route", ".."},
      {"--route", "Citt\xE0"},
      {"--route", "new\nline"},
      {"--train", ""},
      {"--train", "x/y"},
      {"--train", ".."},
      {"--train", "linea"},
      {"--train", "LINEA"},
      {"-o", ""},
      {"--frobnicate"},
      {"extra"},
  };
  for (const auto& extra : cases) {
    std::vector<std::string> args{"compile", "R_linea.txt", "R_T-.txt", "--report", "report.json"};
    args.insert(args.end(), extra.begin(), extra.end());
    SCOPED_TRACE(extra.back());
    const auto before = files_here();
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("usage: tracciato compile ROUTE_TXT TRAIN_TXT"), std::string::npos) << r.err;
    EXPECT_EQ(files_here(), before);  // no report, no binary
  }
  const std::vector<std::vector<std::string>> underivable = {
      {"compile", "R_T-.txt", "R_T-.txt"},                 // route name not in the file name
      {"compile", "R_linea.txt", "R_T.sim.txt"},           // train name not in the file name
      {"compile", "R_linea.txt", "R_T-.txt", "--route", "S"},  // train text not named after S
      {"compile", "R_linea.txt"},
      {"compile"},
  };
  for (const auto& args : underivable) {
    const auto before = files_here();
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("usage: tracciato"), std::string::npos) << r.err;
    EXPECT_EQ(files_here(), before);
  }
  EXPECT_NE(run({"compile", "R_T-.txt", "R_T-.txt"}).err.find("--route"), std::string::npos);
}

TEST_F(CompileCommand, NoOutputMayReplaceASourceText) {
  write_texts("");
  fs::rename(dir / "R_T-.txt", dir / "R_T.sim");
  const std::string train = slurp(dir / "R_T.sim");
  Outcome r = run({"compile", "R_linea.txt", "R_T.sim", "--train", "T"});
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(slurp(dir / "R_T.sim"), train);
  r = run({"compile", "R_linea.txt", "R_T.sim", "--train", "T", "--report", "R_linea.txt"});
  EXPECT_EQ(r.status, 64);
  r = run({"compile", "R_linea.txt", "R_T.sim", "--train", "U", "--report", "R_U.dat"});
  EXPECT_EQ(r.status, 64);
  EXPECT_FALSE(fs::exists(dir / "R_U.dat"));
}

}  // namespace
