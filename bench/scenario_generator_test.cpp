#include "bench/scenario_generator.h"

#include <gtest/gtest.h>

#include <map>

#include "compiler/compilazione.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"

namespace tracciato::bench {
namespace {

// Lines of `text` whose keyword field (up to the first comma) is exactly `keyword`.
std::int64_t lines_of(const std::string& text, const std::string& keyword) {
  std::int64_t n = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    const std::string line = text.substr(at, end - at);
    if (line.compare(0, keyword.size() + 1, keyword + ",") == 0) ++n;
    at = end + 2;
  }
  return n;
}

class GeneratedScenario : public ::testing::TestWithParam<std::int64_t> {};

// Every line of the texts leaves its event in place: nothing refused, nothing
// overwritten (a station's stop cell is written without a test), and the walk finds a
// free cell for every abatement, so the register stays 0.
TEST_P(GeneratedScenario, CompilesCleanWithEveryEventInItsOwnCell) {
  const auto texts = generate_scenario(GetParam());
  ASSERT_TRUE(texts);
  MemoryPlatform p;
  p.files["b/G_linea.txt"] = texts->route;
  p.files["b/G_T-.txt"] = texts->train;
  Scenario s;
  s.nome_linea = "G";
  s.nome_treno = "T";
  const CompileOutcome outcome =
      compile(s, 1, p, {"b/G_linea.txt", "b/G_T-.txt", false}, {"b/P", "b/V", "b/C"});
  ASSERT_EQ(outcome.kind, CompileOutcome::Kind::ok) << outcome.failure;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(outcome.files.size(), 3u);

  std::map<int, std::int64_t> events;
  for (const cella& c : s.celle.elements()) ++events[c.evento];
  const std::int64_t slowdowns = lines_of(texts->train, "rallentamento");
  const std::int64_t signboards = lines_of(texts->route, "cartello_indicatore");
  const std::int64_t stations = lines_of(texts->train, "stazione");
  EXPECT_EQ(events[event::speed_boards], lines_of(texts->route, "indicatori_vmax"));
  EXPECT_EQ(events[event::signboard], signboards);
  EXPECT_EQ(events[event::signal], lines_of(texts->train, "segnale"));
  EXPECT_EQ(events[event::station], stations);
  EXPECT_EQ(events[event::warning_board], slowdowns);
  EXPECT_EQ(events[event::slowdown_start], slowdowns);
  EXPECT_EQ(events[event::slowdown_end], slowdowns);
  EXPECT_GT(slowdowns, 0);
  EXPECT_GT(events[event::abatement], 4 * slowdowns);
  EXPECT_GT(events[event::mountain_marker], 0);

  // Stations and signboards share the entry table without meeting.
  EXPECT_LE(stations + signboards, 78);
  EXPECT_EQ(s.signboard_slot, 80 - signboards);
  for (std::int64_t k = 1; k <= stations; ++k) EXPECT_FALSE(s.voci[k].nome.empty()) << k;
}

INSTANTIATE_TEST_SUITE_P(Lengths, GeneratedScenario,
                         ::testing::Values(min_length, 137000, max_length));

TEST(GeneratedScenarioSize, TheMaximumHasTheIssuesDensities) {
  const auto texts = generate_scenario(max_length);
  ASSERT_TRUE(texts);
  EXPECT_EQ(lines_of(texts->route, "pendenza"), 5000);
  EXPECT_EQ(lines_of(texts->route, "indicatori_vmax"), 5000);
  EXPECT_EQ(lines_of(texts->route, "montagna"), 80);
  EXPECT_EQ(lines_of(texts->route, "cartello_indicatore"), 39);
  EXPECT_EQ(lines_of(texts->train, "segnale"), 999);
  EXPECT_EQ(lines_of(texts->train, "rallentamento"), 99);
  EXPECT_EQ(lines_of(texts->train, "stazione"), 39);
}

TEST(GeneratedScenarioSize, LengthsOutsideTheRouteLimitsOrNotInKilometresAreRefused) {
  for (std::int64_t length : {min_length - 1000, max_length + 1000, std::int64_t{150500}})
    EXPECT_FALSE(generate_scenario(length)) << length;
}

}  // namespace
}  // namespace tracciato::bench
