// Every explanation's example breaks its rule: compiled, it records its code.
#include "cli/code_explanations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compiler/compilazione.h"
#include "model/register_codes.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"

namespace tracciato::cli {
namespace {

std::string crlf(std::string_view lines) {
  std::string out;
  for (char c : lines) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out + "\r\n";
}

// The example in a 10000 m route and a train text, compiled; every code recorded, and
// the number errore showed.
std::set<std::int64_t> codes_of(const CodeExplanation& e) {
  const std::string general = e.part == TextPart::general ? crlf(e.example) : "";
  std::string route = e.whole_text ? crlf(e.example)
                                   : "[generale]\r\n" +
                                         (general.find("lunghezza") == std::string::npos
                                              ? std::string("lunghezza percorso, 10000\r\n")
                                              : std::string()) +
                                         general + "[curve]\r\n" +
                                         (e.part == TextPart::body ? crlf(e.example) : "") +
                                         "[fine]\r\n";
  const std::string train =
      "[generale]\r\n" + (e.part == TextPart::train ? crlf(e.example) : "") + "[fine]\r\n";
  MemoryPlatform p;
  p.files["app/R_linea.txt"] = route;
  p.files["app/R_T-.txt"] = train;
  Scenario s;
  s.nome_linea = "R";
  s.nome_treno = "T";
  std::set<std::int64_t> seen;
  s.observer = [&seen](const Scenario::Record& r) { seen.insert(number_of(r.code)); };
  const CompileOutcome o = compile(s, 1, p, {"app/R_linea.txt", "app/R_T-.txt", false},
                                   {"app/R_linea.dat", "app/R_T.sim", "app/R_T.dat"});
  if (o.kind == CompileOutcome::Kind::errore) seen.insert(std::stoi(o.errore));
  return seen;
}

TEST(CodeExplanations, EveryCodeHasOneAndEachExampleRecordsItsCode) {
  std::set<std::int64_t> explained;
  for (const CodeExplanation& e : code_explanations()) {
    SCOPED_TRACE(e.number);
    explained.insert(e.number);
    EXPECT_FALSE(e.meaning.empty());
    if (!e.example.empty()) {
      EXPECT_EQ(codes_of(e).count(e.number), 1u);
    }
  }
  for (const CodeMeaning& m : register_codes()) EXPECT_EQ(explained.count(number_of(m.code)), 1u);
  EXPECT_EQ(explained.count(1250), 1u);
  EXPECT_EQ(explained.count(1251), 1u);
}

}  // namespace
}  // namespace tracciato::cli
