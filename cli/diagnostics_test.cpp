#include "cli/diagnostics.h"
#include "cli/edit_distance.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

#include "compiler/compilazione.h"
#include "driver/form1.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "sources/source_writers.h"

namespace tracciato::cli {
namespace {

const std::string route_path = "app/R_linea.txt";
const std::string train_path = "app/R_T-.txt";

std::string lines(const std::vector<std::string>& ls) {
  std::string t;
  for (const std::string& l : ls) t += l + "\r\n";
  return t;
}

// A 10000 m route (n_celle 340) with `body` after its general section.
std::string route(const std::vector<std::string>& body,
                  const std::vector<std::string>& general = {"lunghezza percorso, 10000"}) {
  std::vector<std::string> all{"[generale]"};
  all.insert(all.end(), general.begin(), general.end());
  all.push_back("[curve]");
  all.insert(all.end(), body.begin(), body.end());
  all.push_back("[fine]");
  return lines(all);
}

// A train text with `body`, and a station at its end, as every train has one.
std::string train(const std::vector<std::string>& body) {
  std::vector<std::string> all{"[generale]"};
  all.insert(all.end(), body.begin(), body.end());
  all.push_back("stazione, 9000, 25, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S");
  all.push_back("[fine]");
  return lines(all);
}

// One compile of staged texts with the collector listening.
struct Compile {
  MemoryPlatform p;
  Scenario s;
  Diagnostics d;
  CompileOutcome outcome;

  Compile(const std::optional<std::string>& route_text, const std::string& train_text,
          std::int32_t plan = 1) {
    if (route_text) p.files[route_path] = *route_text;
    p.files[train_path] = train_text;
    s.nome_linea = "R";
    s.nome_treno = "T";
    d.attach(s);
    outcome = compile(s, plan, p, {route_path, train_path, false},
                    {"app/R_linea.dat", "app/R_T.sim", "app/R_T.dat"});
    d.finish(outcome);
  }
  std::vector<Diagnostic> faults() const {
    std::vector<Diagnostic> out;
    for (const Diagnostic& g : d.all())
      if (g.in_register) out.push_back(g);
    return out;
  }
  std::vector<Diagnostic> warnings() const {
    std::vector<Diagnostic> out;
    for (const Diagnostic& g : d.all())
      if (g.severity == Diagnostic::Severity::warning) out.push_back(g);
    return out;
  }
};

struct FaultCase {
  const char* name;
  std::optional<std::string> route_text;
  std::string train_text;
  int code;
  std::optional<std::int64_t> metres;
  std::string file;
  std::size_t line;
  std::size_t column;  // of the caret
  const char* says;    // part of the message
};

// Each case shows by its name in the test runner's output.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << "code " << c.code; }

const std::string plain_route = route({});

std::string signboards(int n) {
  std::vector<std::string> body;
  for (int i = 0; i < n; ++i) body.push_back("cartello_indicatore, " + std::to_string(1000 + 50 * i) + ", (X)");
  return route(body);
}

// Signals in cells 28, 29 and 30 (two busy cells before the last), then a slow-down
// whose warning board stands in cell 35.
const std::vector<std::string> three_signals{
    "segnale, 1350, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
    "segnale, 1400, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
    "segnale, 1450, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
};
std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string station_1000 = "stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,ALFA";

const std::vector<FaultCase> fault_cases{
    {"route length above the limit", route({}, {"lunghezza percorso, 1000050"}), train({}), 1,
     std::nullopt, route_path, 2, 21, "1000050 m is above the limit of 1000000 m"},
    {"first repetition value", route({}, {"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 25, 0"}),
     train({}), 3, std::nullopt, route_path, 3, 31, "first signal-repetition value 25"},
    {"second repetition value", route({}, {"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 0, 75"}),
     train({}), 4, std::nullopt, route_path, 3, 34, "second signal-repetition value 75"},
    {"repetition without 4 or 9", route({}, {"lunghezza percorso, 10000", "ripetizione segnali, 0, 0"}),
     train({}), 5, std::nullopt, route_path, 3, 1, "names neither 4 nor 9"},
    {"no general header", lines({"foo", "bar"}), train({}), 102, std::nullopt, route_path, 2, 1,
     "[generale]"},
    {"missing route text", std::nullopt, train({}), 101, std::nullopt, route_path, 0, 0,
     "not found: app/R_linea.txt"},
    {"curve without class", route({"curvad, 100, 50"}), train({}), 103, std::nullopt, route_path, 4, 1,
     "holds no class digit"},
    {"body entry beyond the model", route({"pendenza, 16950, 3"}), train({}), 15, 16950, route_path, 4, 11,
     "may stand at most at 16900 m"},
    {"station beyond the model", plain_route,
     train({"stazione, 16250, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,X"}), 15, 16250, train_path, 2, 11,
     "a station may stand at most at 16200 m"},
    {"signboard on a signboard", route({"cartello_indicatore, 1000, (A)", "cartello_indicatore, 1020, (B)"}),
     train({}), 6, 1020, route_path, 5, 22, "cell 21 (1000-1049 m) already holds a signboard \"(A)\" (line 4)"},
    {"speed boards on a signboard",
     route({"cartello_indicatore, 1000, (A)", "indicatori_vmax, 1000, 90, 90, 90, 0, , , , 0"}), train({}), 21,
     1000, route_path, 5, 18, "cell 21 (1000-1049 m) already holds a signboard"},
    {"signal on a station stop", plain_route,
     train({station_1000, "segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"}), 16, 1000, train_path, 3, 10,
     "cell 21 (1000-1049 m) already holds the stop of station 1 \"ALFA\" (line 2)"},
    {"signal on a signboard of the route", route({"cartello_indicatore, 1000, (A)"}),
     train({"segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"}), 16, 1000, train_path, 2, 10,
     "a signboard \"(A)\" (app/R_linea.txt:4)"},
    {"warning board on a signal", plain_route,
     train({"segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 2200, 50, 100, 1, 0, 0"}), 17,
     2200, train_path, 3, 16, "falls in cell 21 (1000-1049 m), which already holds a signal (line 2)"},
    {"slow-down start on a signal", plain_route,
     train({"segnale, 3000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 3000, 50, 100, 1, 0, 0"}), 18,
     3000, train_path, 3, 16, "its start cell 61 (3000-3049 m) already holds a signal (line 2)"},
    {"slow-down end on a signal", plain_route,
     train({"segnale, 3100, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 3000, 50, 100, 1, 0, 0"}), 19,
     3000, train_path, 3, 16, "its end at 3100 m falls in cell 63"},
    {"approach cells busy", plain_route,
     train({"segnale, 1750, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 3000, 50, 100, 1, 1, 0"}), 20,
     3000, train_path, 3, 16, "cell 36 (1750-1799 m) holds a signal (line 2)"},
    {"abatement on a signal", plain_route,
     train({"segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "abbattimento, 1050, 100"}), 7, 1050, train_path,
     3, 15, "cell 21 (1000-1049 m) already holds a signal (line 2)"},
    {"station off the 50 m grid", plain_route,
     train({"stazione, 1025, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,X"}), 8, 1025, train_path, 2, 11,
     "1025 m is not a multiple of 50"},
    {"station length off the 100 m grid", plain_route,
     train({"stazione, 1000, 12, 250, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,X"}), 9, 1000, train_path, 2, 21,
     "length 250 is not a multiple of 100"},
    {"stations too close", plain_route,
     train({station_1000, "stazione, 1400, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,BETA"}), 22, 1400,
     train_path, 3, 11, "begins at 1300 m, the previous station's ends at 1100 m"},
    {"stop cell at the start", plain_route,
     train({"stazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,X"}), 24, std::nullopt, train_path, 2, 11,
     "stop cell would be cell 1 or lower"},
    {"stations reach the signboards", signboards(80), train({station_1000}), 10, std::nullopt, train_path, 2,
     1, "too many stations"},
    {"speed whose fifth is no byte", plain_route,
     train({"velocita, 0, 90", "velocita, 5000, -70", "velocita, 6000, 90"}), 25, std::nullopt,
     train_path, 3, 17, "speed limit at 5000 m: the speed -70 km/h is kept in fives as -14"},
    {"signal too near the origin", plain_route, train({"segnale, 100, 1,4,0,0,0,0,0,0,0,0"}), 25,
     std::nullopt, train_path, 2, 1,
     "signal at 100 m: its approach markers, 100 to 400 m before it, would fall before the start"},
    {"a line with too few values", plain_route,
     train({"segnale, 5900, 1, 4", "segnale, 6000, 1,4,0,0,0,0,0,0,0,0"}), 25, std::nullopt, train_path,
     2, 20, "signal at 5900 m: the line has 3 values of the 11 signal takes; the first missing is s2"},
    {"speed-indicator speeds beyond their packing", route({"indicatori_vmax, 3100, 1635, 90, 90, 0, 495, , , 0"}),
     train({}), 25, std::nullopt, route_path, 4, 1, "side s up to 1635 km/h and, with side s at 1635, side d up to 335"},
    {"value not a number", plain_route, train({"sabbia, abc"}), 25, std::nullopt, train_path, 2, 9,
     "\"abc\" is not a whole number"},
    {"progressive off the 50 m grid",
     route({}, {"lunghezza percorso, 10000", "progressiva chilometrica uno, 25, 0, 0"}), train({}), 2,
     std::nullopt, route_path, 3, 31, "first value 25 is not a multiple of 50"},
    {"signal before a warning board without room", plain_route,
     train(with(three_signals, {"rallentamento, 2900, 120, 100, 1, 0, 0"})), 11, 1500, train_path, 4, 10,
     "signal at 1450 m: no room for the abatement that the warning board at 1700 m of the slow-down at 2900 m (line 5)"},
    {"approach window full", plain_route,
     train({"segnale, 2550, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "segnale, 2600, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
            "segnale, 2650, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 2900, 120, 100, 1, 0, 0"}),
     12, 2950, train_path, 5, 16, "250 m to 350 m before its start: cell 52 (2550-2599 m) holds a signal (line 2)"},
    {"no room for a marker", plain_route,
     train({"segnale, 3250, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "segnale, 3300, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0",
            "segnale, 3350, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 2900, 50, 600, 1, 0, 0"}),
     13, 3350, train_path, 5, 16, "marker at 3350 m (below 110 km/h one every 400 m inside it): cell 66 (3250-3299 m) holds a signal (line 2)"},
    {"no room before the signal after a slow-down",
     route({"indicatori_vmax, 3100, 90, 90, 90, 0, , , , 0", "indicatori_vmax, 3150, 90, 90, 90, 0, , , , 0"}),
     train({"segnale, 3200, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "rallentamento, 2900, 50, 100, 1, 0, 0"}), 13,
     3050, train_path, 3, 16,
     "before the signal at 3200 m (line 2) after it: cell 63 (3100-3149 m) holds speed-indicator boards (app/R_linea.txt:4)"},
    {"abatement on a half-way position", plain_route,
     train({"segnale, 825, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "abbattimento, 875, 100"}), 7, 875, train_path, 3,
     15, "cell 18 (850-899 m) already holds a signal (line 2)"},
};

class FaultMessage : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultMessage, Says) {
  const FaultCase& c = GetParam();
  Compile run(c.route_text, c.train_text);
  const std::vector<Diagnostic> faults = run.faults();
  ASSERT_FALSE(faults.empty()) << run.d.text();
  const Diagnostic& g = faults.back();
  EXPECT_EQ(g.code, c.code) << run.d.text();
  EXPECT_EQ(g.code, run.s.codice_errore);
  EXPECT_EQ(g.metres, c.metres);
  EXPECT_EQ(g.file, c.file);
  EXPECT_EQ(g.line, c.line) << run.d.text();
  EXPECT_EQ(g.column, c.column) << run.d.text();
  EXPECT_NE(g.message.find(c.says), std::string::npos) << g.message;
}

INSTANTIATE_TEST_SUITE_P(EveryCode, FaultMessage, ::testing::ValuesIn(fault_cases),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST(Diagnostics, EveryRegisterWriteIsKeptInOrderWithTheRegisterUnchanged) {
  // The route stops softly at 15; the train half then meets a signal conflict.
  Compile run(route({"pendenza, 16950, 3"}),
              train({station_1000, "segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"}));
  const std::vector<Diagnostic> faults = run.faults();
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0].code, 15);
  EXPECT_EQ(faults[1].code, 16);
  EXPECT_EQ(run.s.codice_errore, 16);
  EXPECT_EQ(run.s.posizione_errore, 1000);
  EXPECT_EQ(run.outcome.kind, CompileOutcome::Kind::faults);
}

TEST(Diagnostics, ListeningChangesNoByteWritten) {
  const std::string r = route({"pendenza, 850, 4", "curvas4, 300, 100", "cartello_indicatore, 1000, (A)"});
  const std::string t = train({"velocita, 0, 95", station_1000, "rallentamento, 3000, 50, 800, 1, 1, 0",
                               "segnale, 1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"});
  Compile heard(r, t);
  MemoryPlatform p;
  p.files[route_path] = r;
  p.files[train_path] = t;
  Scenario s;
  s.nome_linea = "R";
  s.nome_treno = "T";
  const CompileOutcome outcome =
      compile(s, 1, p, {route_path, train_path, false}, {"app/R_linea.dat", "app/R_T.sim", "app/R_T.dat"});
  EXPECT_EQ(heard.p.files, p.files);
  EXPECT_EQ(heard.outcome.codice_errore, outcome.codice_errore);
  EXPECT_EQ(heard.outcome.posizione_errore, outcome.posizione_errore);
}

TEST(Diagnostics, TextQuotesTheLineWithACaretAndEndsWithTheSummary) {
  Compile run(plain_route, train({station_1000, "segnale,\t1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0", "segnle, 5"}));
  EXPECT_EQ(run.d.text(),
            "app/R_T-.txt:3: error 16: signal at 1000 m: cell 21 (1000-1049 m) already holds the stop "
            "of station 1 \"ALFA\" (line 2)\n"
            "segnale,\t1000, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\n"
            "        \t^\n"
            "tracciato: 1 error, 0 warnings\n");
}

// What stops a compile is an error at the line of the entry behind it, told once.
TEST(Diagnostics, WhatStopsTheCompileIsToldOnceAtItsEntry) {
  const struct {
    const char* name;
    std::optional<std::string> route_text;
    std::string train_text;
    CompileOutcome::Kind kind;
    const char* says;  // the error's first line, or its start
  } cases[] = {
      {"no route text", std::nullopt, train({}), CompileOutcome::Kind::runtime,
       "app/R_linea.txt: error 101: route source text not found: app/R_linea.txt"},
      {"no route length", lines({"[generale]", "sfondo uno, 1", "[curve]", "pendenza, 100, 1"}),
       train({}), CompileOutcome::Kind::runtime,
       "app/R_linea.txt: error 25: no route length: the general section has no \"lunghezza percorso\" entry"},
      {"the train text given as the route text", train({"segnale, 2450, 1,4,0,0,0,0,0,0,0,0"}),
       train({}), CompileOutcome::Kind::runtime,
       "app/R_linea.txt: error 25: this looks like a train text: it has \"stazione\" lines"},
      {"empty route text", std::string(), train({}), CompileOutcome::Kind::runtime,
       "app/R_linea.txt: error 25: the route text is empty or ends before its first entry"},
      {"slow-down of negative length", plain_route, train({"rallentamento, 6800, 30, -300, 1, 0, 0"}),
       CompileOutcome::Kind::runtime,
       "app/R_T-.txt:2: error: slow-down at 6800 m: no end board follows its start (its end at 6500 m "
       "lies before its start)"},
      {"an abatement in cell 1", plain_route, train({"abbattimento, 50, 100"}),
       CompileOutcome::Kind::errore,
       "app/R_T-.txt:2: error 1250: reserved slot taken: entry 85's par1 or cell 1's valore1 was "
       "already set before the marks were stamped: cell 1 (0-49 m), which the compiler keeps for "
       "its marks, holds an abatement of 100 (line 2); move that entry to 50 m or later"},
      {"the walk's abatement in cell 1", plain_route,
       train({"abbattimento, 100, 50", "abbattimento, 150, 50", "rallentamento, 350, 60, 100, 1, 0, 0"}),
       CompileOutcome::Kind::errore,
       "app/R_T-.txt:4: error 1250: reserved slot taken: entry 85's par1 or cell 1's valore1 was "
       "already set before the marks were stamped: cell 1 (0-49 m), which the compiler keeps for "
       "its marks, holds an abatement of 180 that the post-processing placed for the slow-down at "
       "350 m"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Compile run(c.route_text, c.train_text);
    EXPECT_EQ(run.outcome.kind, c.kind);
    EXPECT_EQ(run.d.errors(), 1) << run.d.text();
    EXPECT_NE(run.d.text().find(c.says), std::string::npos) << run.d.text();
  }
}

TEST(Diagnostics, ReportListsFaultsAndWarnings) {
  Compile run(route({"pendnza, 850, 4"}), train({"segnale, 99999, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0"}));
  nlohmann::ordered_json report;
  run.d.add_to(report);
  ASSERT_EQ(report["faults"].size(), 1u);
  const auto& f = report["faults"][0];
  EXPECT_EQ(f["code"], 15);
  EXPECT_EQ(f["position"], 99999);
  EXPECT_EQ(f["file"], train_path);
  EXPECT_EQ(f["line"], 2);
  EXPECT_TRUE(f["message"].is_string());
  ASSERT_EQ(report["warnings"].size(), 1u);
  EXPECT_EQ(report["warnings"][0]["line"], 4);
  EXPECT_EQ(report["warnings"][0]["file"], route_path);

  Compile missing(std::nullopt, train({}));
  nlohmann::ordered_json none;
  missing.d.add_to(none);
  ASSERT_EQ(none["faults"].size(), 1u);  // the failure that follows from it is not told again
  EXPECT_TRUE(none["faults"][0]["position"].is_null());
  EXPECT_TRUE(none["faults"][0]["line"].is_null());

  // A failure that stopped the compile is a fault of its entry, with no register code.
  Compile stopped(plain_route, train({"rallentamento, 6800, 30, -300, 1, 0, 0"}));
  nlohmann::ordered_json r;
  stopped.d.add_to(r);
  ASSERT_EQ(r["faults"].size(), 1u);
  EXPECT_TRUE(r["faults"][0]["code"].is_null());
  EXPECT_EQ(r["faults"][0]["position"], 6800);
  EXPECT_EQ(r["faults"][0]["line"], 2);
}

struct WarningCase {
  const char* name;
  std::string route_text;
  std::string train_text;
  std::size_t line;
  std::size_t column;
  const char* says;
};

void PrintTo(const WarningCase& c, std::ostream* os) { *os << "line " << c.line; }

const std::vector<WarningCase> warning_cases{
    {"typo in the body", route({"pendnza, 850, 4"}), train({}), 4, 1, "did you mean \"pendenza\"?"},
    {"typo in a curve keyword", route({"curvd4, 850, 40"}), train({}), 4, 1, "did you mean \"curvad4\"?"},
    {"curve letters swapped", route({"curvsa5, 850, 40"}), train({}), 4, 1, "did you mean \"curvas5\"?"},
    {"typo in the train text", plain_route, train({"segnle, 1"}), 2, 1, "did you mean \"segnale\"?"},
    {"unknown word far from any keyword", route({"ponte, 850"}), train({}), 4, 1,
     "\"ponte\" matches no entry and is disregarded"},
    {"general entry in the body", route({"sfondo due, 4000"}), train({}), 4, 1,
     "general entry \"sfondo due\" in the body"},
    {"body entry in the general section", route({}, {"lunghezza percorso, 10000", "montagna, 1, 2, 3"}),
     train({}), 3, 1, "body entry \"montagna\" in the general section"},
    {"Sfondo with a capital", route({}, {"lunghezza percorso, 10000", "Sfondo uno, 1"}), train({}), 3, 1,
     "\"Sfondo uno\" is not recognised"},
    {"Progressiva with a capital",
     route({}, {"lunghezza percorso, 10000", "Progressiva chilometrica due, 0, 0, 0"}), train({}), 3, 1,
     "only in lower case"},
    {"gradient behind the cursor", route({"pendenza, 850, 4", "pendenza, 500, 2"}), train({}), 5, 1,
     "gradient at 500 m does not come after the gradient at 850 m (line 4) by 50 m or more"},
    {"gradients in one cell", route({"pendenza, 850, 4", "pendenza, 860, 2"}), train({}), 5, 1,
     "takes effect only from 900 m"},
    {"curve overlapping the one before", route({"curvad4, 850, 100", "curvas4, 900, 100"}), train({}), 5, 1,
     "starts before the curve before it ends, at 950 m (line 4)"},
    {"surplus value on a body line", route({"pendenza, 850, 4, 7"}), train({}), 4, 19,
     "more value fields on the line than its entry reads: \"7\""},
    {"surplus value on a train line", plain_route, train({"velocita, 0, 95, 10"}), 2, 18, "\"10\""},
    {"value on a line of its own", plain_route, train({"velocita, 0", "95", "120"}), 4, 1,
     "value \"120\" stands where a keyword is expected"},
    {"gradient beyond its byte", route({"pendenza, 2000, 160"}), train({}), 4, 1,
     "gradient 160 does not fit its field: it is stored as -96"},
    {"speed not in fives", plain_route, train({"velocita, 0, 73"}), 2, 1, "73 does not fit its field: it is stored as 75"},
    {"signal time beyond its byte", plain_route, train({"segnale, 2450, 2,2,3,0,0,0,0,0,0, 300"}), 2, 1,
     "tempo 300 does not fit its field: it is stored as 44"},
    {"curve without its side", route({"curvaz5, 850, 100"}), train({}), 4, 1, "names neither side"},
    {"mountain span ending at its start", route({"montagna, 5000, 5000, 1"}), train({}), 4, 1,
     "its end is not after its start"},
    {"route of no length", route({}, {"lunghezza percorso, 0"}), train({}), 2, 1,
     "the length of the route is 0 m"},
    {"slow-down of no length", plain_route, train({"rallentamento, 5000, 120, 0, 1, 0, 0"}), 2, 1,
     "the length of the slow-down is 0 m"},
    {"station of no length", plain_route,
     train({"stazione, 5000, 25, 0, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"}), 2, 1,
     "the length of the station is 0 m"},
    {"signal beyond the route's end", plain_route, train({"segnale, 12000, 1,4,0,0,0,0,0,0,0,0"}), 2, 1,
     "lies beyond the route's end at 10000 m"},
    {"no station", plain_route, lines({"[generale]", "[fine]"}), 0, 0, "has no station"},
    {"no [generale] in the train text", plain_route, lines({"velocita, 0, 90"}), 0, 0,
     "nothing of this text was read"},
    {"mistyped header", plain_route, train({"[segnal]"}), 2, 1, "did you mean \"[segnali]\"?"},
    {"entry after [fine]", plain_route,
     lines({"[generale]", "[fine]", "stazione, 9000, 25, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S"}), 3, 1,
     "stands after [fine]"},
    {"slow-down without its warning board", plain_route, train({"rallentamento, 1000, 120, 100, 1, 0, 0"}),
     2, 1, "gets no warning board"},
    {"text saved as UTF-8", route({"cartello_indicatore, 1000, (CITT\xC3\x80)"}), train({}), 4, 33,
     "read as UTF-8"},
    {"stop over a signal", plain_route,
     train({"segnale, 400, 1,4,0,0,0,0,0,0,0,0", "stazione, 0, 8, 500, 1,0,0, 0,0,0, 0,0,0, 0, 9,0,0, A"}),
     3, 1, "held a signal (line 2), which the stop writes over"},
};

class WarningMessage : public ::testing::TestWithParam<WarningCase> {};

TEST_P(WarningMessage, Says) {
  const WarningCase& c = GetParam();
  Compile run(c.route_text, c.train_text);
  const std::vector<Diagnostic> w = run.warnings();
  ASSERT_EQ(w.size(), 1u) << run.d.text();
  EXPECT_EQ(w[0].code, 0);
  EXPECT_EQ(w[0].line, c.line);
  EXPECT_EQ(w[0].column, c.column);
  EXPECT_NE(w[0].message.find(c.says), std::string::npos) << w[0].message;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, WarningMessage, ::testing::ValuesIn(warning_cases),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST(Warnings, NoneForHeadersCommentsEmptyFieldsAndTrailingCommas) {
  Compile run(route({"[pendenze]", "---- gradients ----", "pendenza, 850, 4,", "", "[montagne]"}),
              train({"[segnali]", "-- a comment --", "orologio,    9               18            0 ",
                     "stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,"}));
  EXPECT_TRUE(run.warnings().empty()) << run.d.text();
}

TEST(Warnings, AStationNameOnTheNextLineIsAFieldThatMatchesNothing) {
  // The trailing comma ends the station's line with its empty name field.
  Compile run(plain_route, train({"stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,", "ALFA"}));
  ASSERT_EQ(run.warnings().size(), 1u) << run.d.text();
  EXPECT_EQ(run.warnings()[0].line, 3u);
  EXPECT_EQ(run.s.voci[1].nome, "");
}

TEST(Warnings, CurvesAreNotWarnedAboutWithoutAPlan) {
  Compile run(route({"curvad4, 850, 100", "curvas4, 900, 100"}), train({}), /*plan=*/0);
  EXPECT_TRUE(run.d.all().empty()) << run.d.text();
}

TEST(Warnings, NoneForTheShippedTextsAndTheEmbeddedRunIsSilent) {
  MemoryPlatform p;
  Diagnostics d(/*base_names=*/true);
  const CompileOutcome outcome = Form_Load(p, [&d](Scenario& s) { d.attach(s); });
  d.finish(outcome);
  EXPECT_EQ(outcome.kind, CompileOutcome::Kind::ok);
  EXPECT_TRUE(d.all().empty()) << d.text();

  // The same texts under compile, without the plan too.
  Scenario named;
  named.nome_linea = embedded_route;
  named.nome_treno = embedded_train;
  MemoryPlatform texts;
  write_texts(texts, "app", named);
  const std::string r = texts.files.at("app/ROVELDA-MARNE_linea.txt");
  const std::string t = texts.files.at("app/ROVELDA-MARNE_K 517-.txt");
  for (std::int32_t plan : {1, 0}) {
    Compile run(r, t, plan);
    EXPECT_TRUE(run.d.all().empty()) << run.d.text();
  }
}

TEST(Warnings, EmbeddedRunNamesTextsByTheirFileName) {
  MemoryPlatform p;
  p.directory = "some/dir";
  Diagnostics d(/*base_names=*/true);
  // The train text is replaced, once written, by one whose sand is not a number.
  Form_Load(p, [&d, &p](Scenario& s) {
    d.attach(s);
    p.files["some/dir/ROVELDA-MARNE_K 517-.txt"] = "[generale]\r\nsabbia, x\r\n";
  });
  ASSERT_FALSE(d.all().empty());
  EXPECT_EQ(d.all()[0].file, "ROVELDA-MARNE_K 517-.txt");
  EXPECT_EQ(d.all()[0].code, 25);
}

TEST(EditDistance, CountsInsertionsDeletionsSubstitutionsAndSwaps) {
  EXPECT_EQ(edit_distance("pendnza", "pendenza"), 1u);
  EXPECT_EQ(edit_distance("pendenza", "pendenza"), 0u);
  EXPECT_EQ(edit_distance("", "abc"), 3u);
  EXPECT_EQ(edit_distance("segnael", "segnale"), 1u);
  EXPECT_EQ(edit_distance("curvsa", "curvas"), 1u);
  EXPECT_EQ(edit_distance("curvsa", "curvad"), 2u);
}

}  // namespace
}  // namespace tracciato::cli
