// The compile harness's properties over its corpus, outside the fuzzer: every seed and
// every input kept from a campaign, each with every property, in this build's compiler.
#include "fuzz/compile_properties.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>


namespace tracciato::fuzz {
namespace {

namespace fs = std::filesystem;

TEST(CompileProperties, HoldOnEveryInputOfTheCorpus) {
  std::size_t replayed = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(TRACCIATO_COMPILE_CORPUS)) {
    std::ifstream in(e.path(), std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(in), {}};
    const CompileCase c = compile_case(input);
    const std::optional<Baseline> b = baseline(c, longest_route);
    if (!b) continue;
    try {
      check_properties(c, *b, /*all=*/true);
    } catch (const PropertyBroken& broken) {
      ADD_FAILURE() << e.path().filename() << ": " << broken.what();
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 10u);
}

}  // namespace
}  // namespace tracciato::fuzz
