#include "cli/check_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::cli {
namespace {

namespace fs = std::filesystem;

TEST(ReadOnlyPlatform, ReadsThroughAndKeepsWritesAndDeletionsToItself) {
  MemoryPlatform real;
  real.files["a"] = "A";
  ReadOnlyPlatform p(real);
  p.write("b", "B");
  EXPECT_TRUE(p.exists("b"));
  EXPECT_EQ(p.read("b"), "B");
  p.write("a", "changed");
  EXPECT_EQ(p.read("a"), "changed");
  p.remove("a");
  EXPECT_FALSE(p.exists("a"));
  EXPECT_THROW(p.read("a"), RuntimeFailure);
  EXPECT_THROW(p.remove("a"), RuntimeFailure);
  EXPECT_EQ(real.files, (std::map<std::string, std::string>{{"a", "A"}}));
  EXPECT_EQ(p.kept().count("b"), 1u);
}

std::string shell_quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    std::ifstream in(e.path(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    out[e.path().filename().string()] = s.str();
  }
  return out;
}

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("tracciato-check-" + std::to_string(::getpid())) / info->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
    ASSERT_EQ(run({"sources", "."}), 0);
  }
  void TearDown() override { fs::remove_all(dir.parent_path()); }

  int run(const std::vector<std::string>& args) {
    std::string command = "cd " + shell_quote(dir.string()) + " && " + shell_quote(TRACCIATO_EXE);
    for (const auto& a : args) command += " " + shell_quote(a);
    command += " 2>" + shell_quote((dir.parent_path() / "stderr.txt").string()) + " >/dev/null";
    const int status = std::system(command.c_str());
    std::ifstream in(dir.parent_path() / "stderr.txt", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    err = s.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The shipped train text with one line added after its clock line.
  void add_train_line(const std::string& line) {
    const fs::path train = dir / "ROVELDA-MARNE_K 517-.txt";
    std::ifstream in(train, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    const std::string clock = "[aderenze]\r\n";
    text.insert(text.find(clock), line + "\r\n");
    std::ofstream(train, std::ios::binary) << text;
  }

  fs::path dir;
  std::string err;
  const std::string route = "ROVELDA-MARNE_linea.txt";
  const std::string train = "ROVELDA-MARNE_K 517-.txt";
};

TEST_F(CheckCommand, ShippedTextsCheckCleanAndNothingOnDiskChanges) {
  const auto before = snapshot(dir);
  EXPECT_EQ(run({"check", route, train}), 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(snapshot(dir), before);
}

TEST_F(CheckCommand, ExitsAndReportsAsCompileDoesWritingOnlyTheReport) {
  add_train_line("segnale, 200000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0");
  auto before = snapshot(dir);
  EXPECT_EQ(run({"check", route, train, "--report", "check.json"}), 1);
  const std::string check_err = err;
  EXPECT_NE(err.find(train + ":6: error 15: position 200000 m"), std::string::npos) << err;
  auto after = snapshot(dir);
  ASSERT_EQ(after.count("check.json"), 1u);
  const nlohmann::json check_report = nlohmann::json::parse(after["check.json"]);
  after.erase("check.json");
  EXPECT_EQ(after, before);

  EXPECT_EQ(run({"compile", route, train, "--report", "compile.json"}), 1);
  EXPECT_EQ(err, check_err);
  nlohmann::json compile_report = nlohmann::json::parse(snapshot(dir)["compile.json"]);
  EXPECT_EQ(check_report["files"], nlohmann::json::array());  // check writes none
  compile_report["files"] = nlohmann::json::array();
  EXPECT_EQ(check_report, compile_report);
  EXPECT_EQ(check_report["faults"][0]["code"], 15);
}

TEST_F(CheckCommand, NamesAreValidatedAsUnderCompile) {
  EXPECT_EQ(run({"check", route, train, "--train", "linea"}), 64);
  EXPECT_NE(err.find("tracciato check: "), std::string::npos);
  EXPECT_NE(err.find("usage: tracciato check"), std::string::npos);
}

TEST_F(CheckCommand, AMissingTextIsOneLineAndExit3) {
  EXPECT_EQ(run({"check", "nowhere_linea.txt", train, "--train", "K 517"}), 3);
  EXPECT_EQ(err, "tracciato: cannot read nowhere_linea.txt: No such file or directory\n");
}

TEST_F(CheckCommand, HelpGivesWorkedExamples) {
  EXPECT_EQ(run({"check", "--help"}), 0);
  const std::string command = "cd " + shell_quote(dir.string()) + " && " + shell_quote(TRACCIATO_EXE) +
                              " check --help > help.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(dir / "help.txt");
  std::ostringstream s;
  s << in.rdbuf();
  EXPECT_NE(s.str().find("Examples:"), std::string::npos);
}

}  // namespace
}  // namespace tracciato::cli
