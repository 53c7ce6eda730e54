// Inputs of hostile size given to the built executable: a correct result or a clear
// failure, memory bounded by the input's size, never a crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "test_support/run_executable.h"

namespace tracciato::support {
namespace {

namespace fs = std::filesystem;

const std::string route_txt = "ROVELDA-MARNE_linea.txt";
const std::string train_txt = "ROVELDA-MARNE_K 517-.txt";
constexpr long mega = 1024;  // KB in a MB, as the peak memory is counted

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sotto_sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sotto_sanitizer = true;
#else
constexpr bool sotto_sanitizer = false;
#endif
#else
constexpr bool sotto_sanitizer = false;
#endif

// A bound on peak memory; the sanitizers' shadow and quarantine need more on top.
long limite_kb(long kb) { return sotto_sanitizer ? 2 * kb + 512 * mega : kb; }

// The shipped texts in src/ and their compile in ref/; a hostile variant of one text is
// compiled into out/ against the shipped other one.
class HostileSizes : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"src", "ref", "out"}) fs::create_directories(dir / sub);
    ASSERT_EQ(run_program(TRACCIATO_EXE, {"sources", dir / "src"}).status, 0);
    ASSERT_EQ(compile(route(), treno(), dir / "ref").status, 0);
  }
  std::string route() { return dir / ("src/" + route_txt); }
  std::string treno() { return dir / ("src/" + train_txt); }
  ProgramRun compile(const std::string& r, const std::string& t, const std::string& out,
                     std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"compile", r, t, "-o", out, "--route", "ROVELDA-MARNE",
                                  "--train", "K 517", "--report", dir / "report.json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_program(TRACCIATO_EXE, args);
  }
  // The shipped route text with `corpo` put into its body, just before its last line.
  std::string route_con(const std::string& nome, const std::string& corpo) {
    std::string text = file_contents(route());
    text.insert(text.rfind("[fine]"), corpo);
    const std::string path = dir / nome;
    write_file(path, text);
    return path;
  }
  bool come_il_riferimento(const std::string& name) {
    return file_contents(dir / ("out/" + name)) == file_contents(dir / ("ref/" + name));
  }
  bool tutto_come_il_riferimento() {
    return come_il_riferimento("ROVELDA-MARNE_linea.dat") &&
           come_il_riferimento("ROVELDA-MARNE_K 517.sim") &&
           come_il_riferimento("ROVELDA-MARNE_K 517.dat");
  }
  // The register code the report gives, -1 when it gives none.
  long codice_nel_report() {
    const std::string r = file_contents(dir / "report.json");
    const std::size_t at = r.find("\"codice_errore\":");
    if (at == std::string::npos) return -1;
    return std::strtol(r.c_str() + at + 16, nullptr, 10);
  }

  TempDir dir;
};

TEST_F(HostileSizes, SourceTextOf200MbIsReadInMemoryBoundedByItsSize) {
  // 2 million comment lines of 100 bytes each, disregarded by the reader.
  const std::string riga = "-- " + std::string(95, 'c') + "\r\n";
  std::string corpo;
  corpo.reserve(riga.size() * 2'000'000);
  for (int i = 0; i < 2'000'000; ++i) corpo += riga;
  const std::string r = route_con("huge_linea.txt", corpo);
  corpo = {};
  const auto byte = static_cast<long>(fs::file_size(r));
  ASSERT_GE(byte, 200'000'000);

  const ProgramRun e = compile(r, treno(), dir / "out");
  EXPECT_EQ(e.status, 0) << e.errors;
  EXPECT_TRUE(tutto_come_il_riferimento());
  // The text is held once, plus the model and some slack for the run-time's own needs.
  EXPECT_LT(e.peak_memory_kb, limite_kb(2 * byte / 1024 + 300 * mega));
}

TEST_F(HostileSizes, LineOf10MbIsOneFieldDisregarded) {
  for (const std::string& riga : {std::string(10'000'000, 'x'), std::string(10'000'000, ' ') + "y",
                                  "\"" + std::string(10'000'000, ',') + "\""}) {
    const ProgramRun e = compile(route_con("long_linea.txt", riga + "\r\n"), treno(), dir / "out");
    EXPECT_EQ(e.status, 0) << e.errors;
    EXPECT_TRUE(tutto_come_il_riferimento());
    EXPECT_LT(e.peak_memory_kb, limite_kb(300 * mega));
  }
}

TEST_F(HostileSizes, MillionEntriesAreReadInLinearTimeAndBoundedMemory) {
  // The shipped general lines, each repeated a million times: the same result.
  auto ripeti = [](std::string text, const std::string& chiave) {
    const std::size_t at = text.find(chiave);
    const std::size_t fine = text.find('\n', at) + 1;
    const std::string riga = text.substr(at, fine - at);
    std::string righe;
    righe.reserve(riga.size() * 1'000'000);
    for (int i = 0; i < 1'000'000; ++i) righe += riga;
    text.insert(at, righe);
    return text;
  };
  write_file(dir / "million_linea.txt", ripeti(file_contents(route()), "sfondo uno"));
  write_file(dir / "million-.txt", ripeti(file_contents(treno()), "sabbia"));
  const ProgramRun e = compile(dir / "million_linea.txt", dir / "million-.txt", dir / "out");
  EXPECT_EQ(e.status, 0) << e.errors;
  EXPECT_TRUE(tutto_come_il_riferimento());
  EXPECT_LT(e.peak_memory_kb, limite_kb(300 * mega));
}

TEST_F(HostileSizes, NumberOf400DigitsIsAClearFailure) {
  const std::string cifre(400, '7');
  {
    std::string text = file_contents(route());
    const std::string chiave = "lunghezza percorso,";
    const std::size_t at = text.find(chiave);
    ASSERT_NE(at, std::string::npos);
    const std::size_t fine = text.find('\r', at);
    text.replace(at, fine - at, chiave + " " + cifre);
    write_file(dir / "digits_linea.txt", text);
    // No route length, so no cells: the run stops after the reader's code 25.
    const ProgramRun e = compile(dir / "digits_linea.txt", treno(), dir / "out");
    EXPECT_EQ(e.status, 3) << e.errors;
    EXPECT_EQ(codice_nel_report(), 25);
  }
  {
    std::string text = file_contents(treno());
    text.insert(text.find("[generale]") + 10, "\r\nnumero vetture, -" + cifre);
    write_file(dir / "digits-.txt", text);
    const ProgramRun e = compile(route(), dir / "digits-.txt", dir / "out");
    EXPECT_EQ(e.status, 1) << e.errors;
    EXPECT_EQ(codice_nel_report(), 25);
  }
}

}  // namespace
}  // namespace tracciato::support
