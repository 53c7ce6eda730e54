#include "decompile/decompiler.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "decompile/random_texts.h"
#include "decompile/round_trip.h"
#include "sources/embedded_tables.h"
#include "sources/line_table.h"

namespace tracciato::decompile {
namespace {

const Names names{"R", "T"};

std::string lines(std::initializer_list<std::string> l) {
  std::string t;
  for (const std::string& s : l) t += s + "\r\n";
  return t;
}
std::string route(int length, const std::string& body) {
  return lines({"[generale]", "lunghezza percorso, " + std::to_string(length), "[curve]"}) + body + "[fine]\r\n";
}
std::string train(const std::string& body) { return "[generale]\r\n" + body + "[fine]\r\n"; }

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Compiles the texts, decompiles the files and compiles the decompiled texts again.
struct Trip {
  CompileOutput original;
  DecompiledTexts texts;
  RoundTrip again;
};
Trip trip(const std::string& route_text, const std::string& train_text, bool plan) {
  Trip t;
  t.original = compile_texts(route_text, train_text, plan, names);
  EXPECT_TRUE(t.original.written) << t.original.failure;
  t.texts = decompile(t.original.files, names);
  t.again = round_trip(t.texts.route_text, t.texts.train_text, t.original.files, names);
  for (const FileComparison& f : t.again.files) EXPECT_TRUE(f.identical) << f.name << ": " << f.difference;
  return t;
}

TEST(RoundTrip, TheShippedScenarioComesBackWithAndWithoutThePlan) {
  const Names shipped{"ROVELDA-MARNE", "K 517"};
  for (bool plan : {true, false}) {
    SCOPED_TRACE(plan ? "with the plan" : "without the plan");
    const std::string r = table_text(route_table()), t = table_text(train_table());
    const CompileOutput c = compile_texts(r, t, plan, shipped);
    ASSERT_TRUE(c.written);
    const DecompiledTexts d = decompile(c.files, shipped);
    EXPECT_TRUE(round_trip(d.route_text, d.train_text, c.files, shipped).identical());
    EXPECT_TRUE(d.notes.empty());
    // The shipped entries come back one for one, but for the gradients that repeat the
    // one in force (12 of 172), which are not in the files.
    EXPECT_EQ(count(d.route_text, "\r\ncurva"), plan ? 183u : 0u);
    EXPECT_EQ(count(d.route_text, "\r\npendenza,"), 160u);
    EXPECT_EQ(count(d.route_text, "\r\nmontagna,"), 40u);
    EXPECT_EQ(count(d.route_text, "\r\ncartello_indicatore,"), 51u);
    EXPECT_EQ(count(d.train_text, "\r\nstazione,"), 27u);
    EXPECT_EQ(count(d.train_text, "\r\nsegnale,"), 41u);
    EXPECT_EQ(count(d.train_text, "\r\nrallentamento,"), 5u);
    EXPECT_EQ(count(d.train_text, "\r\nabbattimento,"), 0u);  // the walk places all 43
    if (plan) {
      EXPECT_NE(d.route_text.find("curvad4,   2150,   100"), std::string::npos);
    }
  }
}

TEST(RoundTrip, TheStarterScenarioComesBackWithAndWithoutThePlan) {
  const Names starter{"MYLINE", "R 1"};
  for (bool plan : {true, false}) {
    SCOPED_TRACE(plan ? "with the plan" : "without the plan");
    const CompileOutput c = compile_texts(table_text(starter_route_table()),
                                          table_text(starter_train_table()), plan, starter);
    ASSERT_TRUE(c.written);
    const DecompiledTexts d = decompile(c.files, starter);
    EXPECT_TRUE(round_trip(d.route_text, d.train_text, c.files, starter).identical());
  }
}

TEST(RoundTrip, TheSectionsComeInTheShippedOrderEachWithACommentLine) {
  const Names shipped{"ROVELDA-MARNE", "K 517"};
  const CompileOutput c =
      compile_texts(table_text(route_table()), table_text(train_table()), true, shipped);
  const DecompiledTexts d = decompile(c.files, shipped);
  auto headers = [](const std::string& text) {
    std::vector<std::string> h;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      const std::string line = text.substr(at, end - at);
      if (line.front() == '[') h.push_back(line);
      // A comment line is one field: a hyphen and no comma.
      if (line.front() == '-') {
        EXPECT_EQ(line.find(','), std::string::npos) << line;
      }
      at = end + 2;
    }
    return h;
  };
  EXPECT_EQ(headers(d.route_text), (std::vector<std::string>{"[generale]", "[curve]", "[pendenze]", "[montagne]",
                                                             "[cartelli]", "[indicazioni]", "[fine]"}));
  EXPECT_EQ(headers(d.train_text),
            (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                      "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}));
  EXPECT_EQ(count(d.route_text, "\r\n- "), 6u);
  EXPECT_EQ(count(d.train_text, "\r\n- "), 6u);
}

// Each case stages a part of the files that only one reading gives back.
struct Staged {
  const char* name;
  std::string route, train;
  bool plan;
  std::vector<std::string> in_route, in_train;  // lines the texts must hold
  std::size_t abatements;                        // source abatement lines expected
};

TEST(RoundTrip, StagedHardPartsComeBackIdentical) {
  const std::string quiet_train = train("");
  const Staged cases[] = {
      // The walk's first window before the start in cell 101 finds cell 96 taken by the
      // source: the walk's own abatement goes to 95. The marker rule finds 109 taken and
      // puts its marker in 108, so the next one in 116: only a source at 109 gives that.
      {"a walk abatement beside a source one",
       route(10000, ""),
       train(lines({"rallentamento, 5000, 60, 1000, 1, 0, 0", "abbattimento, 4800, 180",
                    "abbattimento, 5450, 180"})),
       true, {}, {"abbattimento,  5450,  180"}, 2},
      {"curves of every class both ways, the last bend to the last metre",
       route(5000, lines({"curvad1, 100, 100", "curvas1, 300, 100", "curvad2, 500, 100", "curvas2, 700, 100",
                          "curvad3, 900, 100", "curvas3, 1100, 100", "curvad4, 1300, 100", "curvas4, 1500, 100",
                          "curvad5, 1700, 100", "curvas5, 1800, 100", "curvad6, 1900, 50", "curvas6, 1950, 50",
                          "curvas6, 11800, 200"})),
       quiet_train, true,
       {"curvad1,    100,  100", "curvas5,   1800,  100", "curvas6,   1950,   50", "curvas6,  11800,  200"}, {}, 0},
      {"a signboard whose cell a station's stop overwrote",
       route(10000, lines({"cartello_indicatore, 5000, (A)", "cartello_indicatore, 9000, (B)"})),
       train(lines({"stazione, 8800, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,X"})), true,
       {"cartello_indicatore,  5000, (A)", "cartello_indicatore,  9000, (B)"}, {}, 0},
      // Outside the promise, but the signal's other values and markers tell it.
      {"a signal whose cell a station's stop overwrote",
       route(10000, ""),
       train(lines({"segnale, 4400, 2, 4, 3, 0, 0, 0, 0, 0, 0, 205",
                    "stazione, 4200, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,A"})),
       true, {}, {"segnale,  4400,  2,  0,  3"}, 0},
      {"a plan-less scenario", route(8000, lines({"curvad4, 1000, 200", "pendenza, 500, 5"})),
       train(lines({"velocita, 0, 100", "segnale, 2450, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"})), false,
       {"pendenza,  500,  5"}, {"velocita,  0,  100"}, 0},
      // Two signboards on one cell stop the route's reading: the plan ends at the last
      // curve, the gradients are not completed and the train is not read.
      {"a route whose reading stopped in the body",
       route(10000, lines({"curvas2, 1000, 300", "pendenza, 2000, 7", "cartello_indicatore, 5000, (A)",
                           "cartello_indicatore, 5010, (B)", "pendenza, 6000, 2"})),
       train(lines({"velocita, 0, 100"})), true, {"curva,  0,  0"}, {}, 0},
      // The second station is stored, then its spacing fails: its line ends the train.
      {"a station that ended the train's reading",
       route(10000, ""),
       train(lines({"stazione, 1000, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,A",
                    "segnale, 4000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
                    "stazione, 1500, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,B",
                    "segnale, 6000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"})),
       true, {}, {"segnale,  4000"}, 0},
      // A signal's markers in cells 96 and 94 written over by a later station's.
      {"a station after a signal whose markers it overwrote",
       route(10000, ""),
       train(lines({"segnale, 4950, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
                    "stazione, 4600, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,A"})),
       true, {}, {"[segnali]\r\n- signals"}, 0},
      {"slow-downs of length 0, half a cell in, at cell 31, below 1500 m, ending on their warning",
       route(40000, ""),
       train(lines({"rallentamento, 24325, 60, 350, 0, 1, 0", "rallentamento, 10000, 50, 0, 1, 0, 3",
                    "rallentamento, 1510, 100, 500, 1, 1, 0", "rallentamento, 800, 30, 300, 1, 0, 0",
                    "rallentamento, 30000, 110, -1200, 1, 0, 0"})),
       true, {}, {"rallentamento,  24325", "rallentamento,   1510"}, 0},
      {"lists that reach into the last three cells",
       route(10000, lines({"pendenza, 3000, 4", "pendenza, 16900, 56", "pendenza, 16900, -7"})),
       train(lines({"velocita, 0, 90", "velocita, 16900, 30", "velocita, 16900, 40", "velocita, 16900, 50",
                    "aderenza, 16900, 7"})),
       true, {}, {}, 0},
      // Spans 150 m apart that still keep their own type, one that begins in the cell
      // the one before ends in (after a span of its own type, or of type 3), and spans
      // joined into type 3 with their markers.
      {"mountain spans close together",
       route(10000, lines({"montagna, 1000, 2000, 1", "montagna, 2151, 3000, 2", "montagna, 4850, 5025, 12",
                           "montagna, 5025, 6000, 11", "montagna, 6000, 6400, 12", "montagna, 6450, 6700, 2",
                           "montagna, 7150, 7725, 13", "montagna, 7725, 7925, 13"})),
       quiet_train, true, {}, {}, 0},
      {"texts that only double quotes give back",
       route(10000, lines({"cartello_indicatore, 5000, \"  (A, B)\""})),
       train(lines({"stazione, 1000, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 99, 9,43,0,\"SAN X, Y \""})), true,
       {"\"  (A, B)\""}, {"\"SAN X, Y \""}, 0},
  };
  for (const Staged& k : cases) {
    SCOPED_TRACE(k.name);
    const Trip t = trip(k.route, k.train, k.plan);
    for (const std::string& l : k.in_route) EXPECT_NE(t.texts.route_text.find(l), std::string::npos) << l;
    for (const std::string& l : k.in_train) EXPECT_NE(t.texts.train_text.find(l), std::string::npos) << l;
    EXPECT_EQ(count(t.texts.train_text, "\r\nabbattimento,"), k.abatements);
  }
}

// Every compile of random texts that lies in the promised class comes back identical.
TEST(RoundTrip, RandomTextsInsideThePromiseComeBackIdentical) {
  int inside = 0;
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    const RandomTexts r = random_texts(seed);
    const CompileOutput c = compile_texts(r.route, r.train, r.plan, names, true);
    if (!c.written || c.outside_promise) continue;
    ++inside;
    const DecompiledTexts d = decompile(c.files, names);
    EXPECT_TRUE(round_trip(d.route_text, d.train_text, c.files, names).identical()) << "seed " << seed;
  }
  EXPECT_GT(inside, 100);
}

}  // namespace
}  // namespace tracciato::decompile
