// The generated scenario, the largest the format takes, decompiled and compiled again.
#include <gtest/gtest.h>

#include "bench/scenario_generator.h"
#include "decompile/decompiler.h"
#include "decompile/round_trip.h"

namespace tracciato::bench {
namespace {

class GeneratedScenarioRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(GeneratedScenarioRoundTrip, ComesBackByteForByte) {
  const auto texts = generate_scenario(max_length);
  ASSERT_TRUE(texts);
  const decompile::Names names{"BENCH", "MAX"};
  const decompile::CompileOutput c = decompile::compile_texts(texts->route, texts->train, GetParam(), names);
  ASSERT_TRUE(c.written) << c.failure;
  ASSERT_EQ(c.codice_errore, 0);
  const decompile::DecompiledTexts d = decompile::decompile(c.files, names);
  EXPECT_TRUE(d.notes.empty());
  const decompile::RoundTrip r = decompile::round_trip(d.route_text, d.train_text, c.files, names);
  for (const decompile::FileComparison& f : r.files) EXPECT_TRUE(f.identical) << f.name << ": " << f.difference;
}

INSTANTIATE_TEST_SUITE_P(Plan, GeneratedScenarioRoundTrip, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "WithThePlan" : "WithoutThePlan"; });

}  // namespace
}  // namespace tracciato::bench
