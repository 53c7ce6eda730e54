// Faults on disk met by the built executable: every one ends in a one-line report that
// names the path, exit status 3, and no earlier file lost or cut short.
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sched.h>

#include "test_support/run_executable.h"

namespace tracciato::support {
namespace {

namespace fs = std::filesystem;

const std::string route_txt = "ROVELDA-MARNE_linea.txt";
const std::string train_txt = "ROVELDA-MARNE_K 517-.txt";
const std::string plan_dat = "ROVELDA-MARNE_linea.dat";
const std::string entries_sim = "ROVELDA-MARNE_K 517.sim";
const std::string cells_dat = "ROVELDA-MARNE_K 517.dat";

// The lines of standard error that report a run-time failure.
std::vector<std::string> guasti(const std::string& errors) {
  const std::string inizio = "tracciato: run-time failure: ";
  std::vector<std::string> righe;
  std::size_t at = 0;
  while (at < errors.size()) {
    std::size_t fine = errors.find('\n', at);
    if (fine == std::string::npos) fine = errors.size();
    if (errors.compare(at, inizio.size(), inizio) == 0) righe.push_back(errors.substr(at, fine - at));
    at = fine + 1;
  }
  return righe;
}

std::map<std::string, std::string> cartella(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(dir))
    files[e.path().filename().string()] = file_contents(e.path().string());
  return files;
}

// The shipped texts in src/, a good compile of them in ref/, and out/ holding an earlier
// version of each binary file whose bytes no later compile may lose.
class DiskFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "src");
    fs::create_directories(dir / "ref");
    fs::create_directories(dir / "out");
    ASSERT_EQ(run_program(TRACCIATO_EXE, {"sources", dir / "src"}).status, 0);
    ASSERT_EQ(compile(dir / "ref").status, 0);
    for (const std::string& name : {plan_dat, entries_sim, cells_dat})
      write_file(dir / ("out/" + name), "earlier " + name + "\n");
    prima = cartella(dir / "out");
  }

  ProgramRun compile(const std::string& out, std::vector<std::string> extra = {},
                     const std::function<bool()>& prepara = {}) {
    std::vector<std::string> args{"compile", dir / ("src/" + route_txt),
                                  dir / ("src/" + train_txt), "-o", out};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_program(TRACCIATO_EXE, args, prepara);
  }
  std::string ref(const std::string& name) { return file_contents(dir / ("ref/" + name)); }

  // Status 3, one run-time failure line, `path` named, and out/ exactly as before. A
  // failure to write names the path in that very line.
  void fallito_senza_perdite(const ProgramRun& e, const std::string& path, bool nella_riga) {
    EXPECT_EQ(e.status, 3) << e.errors;
    const std::vector<std::string> righe = guasti(e.errors);
    ASSERT_EQ(righe.size(), 1u) << e.errors;
    EXPECT_NE((nella_riga ? righe[0] : e.errors).find(path), std::string::npos) << e.errors;
    EXPECT_EQ(cartella(dir / "out"), prima);
  }

  TempDir dir;
  std::map<std::string, std::string> prima;
};

// A file larger than the limit fails with EFBIG instead of killing the process.
std::function<bool()> limite_file(rlim_t byte) {
  return [byte] {
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limite{byte, byte};
    return ::setrlimit(RLIMIT_FSIZE, &limite) == 0;
  };
}

TEST_F(DiskFaults, FullDiskOnTheFirstFileKeepsEveryEarlierFile) {
  const ProgramRun e = compile(dir / "out", {}, limite_file(4096));
  fallito_senza_perdite(e, dir / ("out/" + plan_dat), true);
}

TEST_F(DiskFaults, FullDiskOnTheCellFileKeepsItAndTheEntryFileWrittenBefore) {
  const std::string sim = ref(entries_sim);
  ASSERT_LT(sim.size(), ref(cells_dat).size());
  const ProgramRun e = compile(dir / "out", {"--no-plan"}, limite_file(sim.size()));
  EXPECT_EQ(e.status, 3) << e.errors;
  ASSERT_EQ(guasti(e.errors).size(), 1u) << e.errors;
  EXPECT_NE(guasti(e.errors)[0].find(dir / ("out/" + cells_dat)), std::string::npos);
  std::map<std::string, std::string> attesi = prima;
  attesi[entries_sim] = sim;
  EXPECT_EQ(cartella(dir / "out"), attesi);
}

TEST_F(DiskFaults, ReadOnlyOutputFolderFailsOnTheFirstFileAndKeepsTheEarlierOnes) {
  std::function<bool()> sola_lettura;
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod((dir / "out").c_str(), 0555), 0);
  } else {
    // Permission bits do not stop root: make the folder a read-only mount in a mount
    // namespace of the child's own.
    const std::string out = dir / "out";
    sola_lettura = [out] {
      return ::unshare(CLONE_NEWNS) == 0 &&
             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
             ::mount(out.c_str(), out.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
             ::mount(nullptr, out.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                     nullptr) == 0;
    };
  }
  const ProgramRun e = compile(dir / "out", {}, sola_lettura);
  ::chmod((dir / "out").c_str(), 0755);
  if (e.status == preparation_failed)
    GTEST_SKIP() << "running as root without the right to mount: a read-only folder cannot "
                    "be made here";
  fallito_senza_perdite(e, dir / ("out/" + plan_dat), true);
}

TEST_F(DiskFaults, OutputThatIsALinkIsReplacedAndItsTargetKept) {
  write_file(dir / "symlink_target", "not a scenario file\n");
  write_file(dir / "hardlink_target", "nor this one\n");
  fs::remove(dir / ("out/" + cells_dat));
  fs::remove(dir / ("out/" + entries_sim));
  fs::create_symlink(dir / "symlink_target", dir / ("out/" + cells_dat));
  fs::create_hard_link(dir / "hardlink_target", dir / ("out/" + entries_sim));

  const ProgramRun e = compile(dir / "out");
  EXPECT_EQ(e.status, 0) << e.errors;
  EXPECT_EQ(file_contents(dir / "symlink_target"), "not a scenario file\n");
  EXPECT_EQ(file_contents(dir / "hardlink_target"), "nor this one\n");
  EXPECT_FALSE(fs::is_symlink(dir / ("out/" + cells_dat)));
  EXPECT_EQ(fs::hard_link_count(dir / "hardlink_target"), 1u);
  EXPECT_EQ(cartella(dir / "out"), cartella(dir / "ref"));
}

TEST_F(DiskFaults, LongerEarlierFileLeavesNoTrailingBytes) {
  for (const std::string& name : {plan_dat, entries_sim, cells_dat})
    write_file(dir / ("out/" + name), ref(name) + std::string(100000, 'x'));
  EXPECT_EQ(compile(dir / "out").status, 0);
  EXPECT_EQ(cartella(dir / "out"), cartella(dir / "ref"));
}

TEST_F(DiskFaults, UnreadableRouteTextFailsNamingItAndKeepsTheEarlierFiles) {
  const std::string route = dir / ("src/" + route_txt);
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(route.c_str(), 0), 0);
  } else {
    // Root reads any file: a folder in the text's place cannot be read by anyone.
    fs::remove(route);
    fs::create_directory(route);
  }
  // Inputs are looked at before anything is compiled: one line, nothing written.
  const ProgramRun e = compile(dir / "out");
  EXPECT_EQ(e.status, 3) << e.errors;
  EXPECT_EQ(e.errors.rfind("tracciato: cannot read " + route + ": ", 0), 0u) << e.errors;
  EXPECT_EQ(std::count(e.errors.begin(), e.errors.end(), '\n'), 1) << e.errors;
  EXPECT_EQ(cartella(dir / "out"), prima);
}

}  // namespace
}  // namespace tracciato::support
