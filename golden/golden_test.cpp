// Golden digests of what the program writes: any byte that changes in the files of the
// embedded run, in the binaries of a compile, or in the diagnostics and report of a
// check makes these tests fail. A deliberate change regenerates the digests with
// tools/update_golden.sh, so that it shows in review as a diff of golden/*.sha256.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "driver/form1.h"
#include "test_support/memory_platform.h"
#include "test_support/run_executable.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

std::string sha256(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 failed");
  std::string hex;
  char pair[3];
  for (unsigned int i = 0; i < length; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

// One line per file: digest, size, name; a file that must not exist is "absent".
using Outputs = std::map<std::string, std::optional<std::string>>;

std::string digest_text(const Outputs& outputs) {
  std::string text = "# SHA-256, size in bytes, file. Regenerate with tools/update_golden.sh.\n";
  for (const auto& [name, bytes] : outputs)
    text += bytes ? sha256(*bytes) + "  " + std::to_string(bytes->size()) + "  " + name + "\n"
                  : "absent  " + name + "\n";
  return text;
}

std::string read_file(const fs::path& path) { return support::file_contents(path.string()); }

// Compares with golden/<set>.sha256, or rewrites it when TRACCIATO_UPDATE_GOLDEN is set.
void expect_golden(const std::string& set, const Outputs& outputs) {
  const fs::path path = fs::path(TRACCIATO_GOLDEN_DIR) / (set + ".sha256");
  const std::string now = digest_text(outputs);
  if (std::getenv("TRACCIATO_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << now;
    return;
  }
  EXPECT_EQ(read_file(path), now) << "the bytes of " << set << " changed; if that is meant, "
                                  << "run tools/update_golden.sh and commit " << path.string();
}

// Keeps every text and file the run wrote, also those it deleted again.
class RecordingPlatform : public MemoryPlatform {
 public:
  std::map<std::string, std::string> written;
  void write(const std::string& path, std::string_view bytes) override {
    MemoryPlatform::write(path, bytes);
    written[path] = std::string(bytes);
  }
};

TEST(Golden, EmbeddedRun) {
  RecordingPlatform p;
  Form_Load(p);
  Outputs outputs;
  for (const auto& [path, bytes] : p.written) outputs[fs::path(path).filename().string()] = bytes;
  EXPECT_EQ(outputs.size(), 8u);
  expect_golden("embedded_run", outputs);
}

// The staged faulty texts, copied into a folder of their own and run from there, so
// that the diagnostics name them as an author typing the command would.
class GoldenStaged : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {route_txt, train_txt})
      fs::copy_file(fs::path(TRACCIATO_GOLDEN_DIR) / "staged" / name, dir_ / name);
  }
  support::ProgramRun run(const std::vector<std::string>& args) {
    const std::string here = dir_.path();
    return support::run_program(TRACCIATO_EXE, args,
                              [here] { return ::chdir(here.c_str()) == 0; });
  }
  static constexpr const char* route_txt = "STAGED_linea.txt";
  static constexpr const char* train_txt = "STAGED_F 1-.txt";
  support::TempDir dir_;
};

TEST_F(GoldenStaged, CompileWithoutPlan) {
  const auto e = run({"compile", route_txt, train_txt, "--no-plan"});
  EXPECT_EQ(e.status, 1) << e.errors;
  Outputs outputs;
  for (const char* name : {"STAGED_linea.dat", "STAGED_F 1.sim", "STAGED_F 1.dat"}) {
    const fs::path path = fs::path(dir_ / name);
    outputs[name] = fs::exists(path) ? std::optional(read_file(path)) : std::nullopt;
  }
  expect_golden("staged_compile", outputs);
}

TEST_F(GoldenStaged, CheckDiagnosticsAndReport) {
  const auto e = run({"check", route_txt, train_txt, "--report", "report.json"});
  EXPECT_EQ(e.status, 1);
  expect_golden("staged_check",
                {{"standard error", e.errors}, {"report.json", read_file(dir_ / "report.json")}});
}

}  // namespace
}  // namespace tracciato
