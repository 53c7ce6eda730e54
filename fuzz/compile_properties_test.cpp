// The compile harness's properties outside the fuzzer: over its corpus, every seed and
// every input kept from a campaign with every property, in this build's compiler; and
// the conditions that leave inputs out, each shown to be needed where it applies.
#include "fuzz/compile_properties.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/text_variants.h"

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

const Property& property(std::string_view name) {
  for (const Property& p : compile_properties())
    if (name == p.name) return p;
  throw std::invalid_argument(std::string(name));
}

// A 1 km route (160 cells, to 7900 m) whose body holds `body`, and a train text of
// `lines` after its header.
Texts texts(const std::string& body, const std::string& lines = "") {
  return {"[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n" + body + "[fine]\r\n",
          "[generale]\r\nvelocita, 0, 95\r\n" + lines + "[fine]\r\n"};
}

bool same_entries_and_cells(const Compiled& a, const Compiled& b) {
  return a.entries == b.entries && a.cells == b.cells &&
         a.outcome.codice_errore == b.outcome.codice_errore;
}

// Without the plan a curve's keyword and numbers are read as keyword fields. Where they
// are not merely passed over, the entry and cell files differ, and the property leaves
// the input out.
TEST(CompileProperties, ThePlanFlagLeavesOutCurvesReadAnotherWayWithoutThePlan) {
  struct Case {
    const char* what;
    std::string body;
    bool compared;
  };
  const Case cases[] = {
      {"curves passed over", "curvad4, 100, 200\r\nmontagna, 400, 600, 2\r\ncurvas6,1000,50\r\n", true},
      {"numbers that are comments", "curvad4, -100, -200\r\n- x montagna\r\nmontagna, 100, 200, 2\r\n",
       false},
      {"a keyword that names a mountain", "curva5 montagna, 1000, 50, 1100, 1200, 1\r\n", false},
      {"a curve without a class", "curvas, 100, 200\r\npendenza, 800, 2\r\n", false},
      {"a curve beyond the model", "curvas4, 7950, 20\r\npendenza, 900, 7\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CompileCase k{texts(c.body), 1, 0};
    const std::optional<Baseline> b = baseline(k, longest_route);
    ASSERT_TRUE(b);
    EXPECT_EQ(property("plan flag").check(k, *b), c.compared);
    EXPECT_EQ(same_entries_and_cells(b->traced, b->without_plan(k)), c.compared);
  }
}

// Two signals swap when their warning cells are apart; where they share one, the one
// read later writes its warning byte there, and the swap shows.
TEST(CompileProperties, SignalsSwapOnlyWhenTheirWarningCellsAreApart) {
  auto signal = [](int posizione) {
    return "segnale, " + std::to_string(posizione) + ", 1, 4, 0, 0, 0, 2, 0, 0, 0, 0\r\n";
  };
  struct Case {
    int first, second;  // positions; cells first / 50 + 1 and second / 50 + 1
    bool compared;
  };
  const Case cases[] = {{1000, 1050, true}, {1000, 1400, true}, {1000, 1100, false}, {1300, 1000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.second));
    const CompileCase k{texts("", signal(c.first) + signal(c.second)), 0, 0};
    const std::optional<Baseline> b = baseline(k, longest_route);
    ASSERT_TRUE(b);
    EXPECT_EQ(property("independence").check(k, *b), c.compared);
    const Compiled other = compile_texts(texts("", signal(c.second) + signal(c.first)), 0, false);
    EXPECT_EQ(other.cells == b->traced.cells, c.compared);
  }
}

// A quoted name that spans lines keeps its line ends: rewritten, the entry file differs,
// and the property leaves the input out.
TEST(CompileProperties, LineEndsLeaveOutNamesThatHoldThem) {
  const std::string station = "stazione, 1000, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43, 0,";
  for (const bool spans : {false, true}) {
    SCOPED_TRACE(spans ? "a name over two lines" : "a name on one line");
    const Texts t = texts("", station + (spans ? "\"LA\r\nSPEZIA\"" : "\"LA SPEZIA\"") + "\r\n");
    const CompileCase k{t, 0, 0};
    const std::optional<Baseline> b = baseline(k, longest_route);
    ASSERT_TRUE(b);
    EXPECT_EQ(property("line ends").check(k, *b), !spans);
    const Compiled lf = compile_texts({with_line_ends(t.route, "\n"), with_line_ends(t.train, "\n")}, 0, false);
    EXPECT_EQ(lf.entries == b->traced.entries, !spans);
  }
}

}  // namespace
}  // namespace tracciato::fuzz
