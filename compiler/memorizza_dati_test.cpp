// The model reader as a whole: the route half, then the train half, and the failure
// handler around both.
#include "compiler/memorizza_dati.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/diagnostica.h"

#include "route_reader/route_test_support.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::linea;
using prova::testo;

void memorizza(Lettura& l) { memorizza_dati(l.s, l.p, l.sources); }

TEST(ModelReader, MissingSourceIs101AndLeavesTheTrainSourceUnread) {
  Lettura l("");
  l.p.files.erase(l.sources.route);
  l.s.posizione_errore = 777;
  memorizza(l);
  EXPECT_EQ(l.s.codice_errore, 101);
  EXPECT_EQ(l.s.posizione_errore, 777);
  EXPECT_TRUE(l.treno_presente());
  EXPECT_EQ(l.s.voci[85].nome, "R");
  EXPECT_EQ(l.s.voci[86].nome, "T");
  EXPECT_FALSE(l.s.celle.allocated());
}

// Faults that end the whole reader: the route source goes only when the run deletes its
// sources, the train source is never read, the register position is left alone.
TEST(ModelReader, HardFaultsEndTheReaderAndDeleteOnlyInADeletingRun) {
  struct Caso {
    const char* nome;
    std::string route;
    std::int32_t codice;
  };
  const Caso casi[] = {
      {"header is the last field", testo({"x", "[GENERALE]"}), 102},
      {"no header at all", testo({"a", "b"}), 102},
      {"route too long", linea("", 1000001), 1},
      {"repetition not on 50", testo({"[generale]", "ripetizione segnali 4, 1025, 0", "x"}), 3},
      {"curve without class", linea("curvad, 100, 50\r\n"), 103},
  };
  for (const Caso& c : casi) {
    for (bool remove : {true, false}) {
      SCOPED_TRACE(std::string(c.nome) + (remove ? " deleting" : " keeping"));
      Lettura l(c.route, 1, remove);
      l.s.posizione_errore = 777;
      memorizza(l);
      EXPECT_EQ(l.s.codice_errore, c.codice);
      EXPECT_EQ(l.s.posizione_errore, 777);
      EXPECT_EQ(l.linea_presente(), !remove);
      EXPECT_TRUE(l.treno_presente());
    }
  }
}

TEST(ModelReader, RunTimeFailuresAreCode25AndRemoveBothSourcesInADeletingRun) {
  const std::string casi[] = {
      "",                                                    // empty file
      testo({"[generale]", "sfondo uno, 1", "[curve]", "pendenza, 100, 1"}),  // no cells
      testo({"[generale]", "lunghezza percorso, 10000", "[curve]", "montagna, 100, 200"}),
      linea("pendenza, 1.5, 2\r\n"),                         // not a whole number
  };
  for (const std::string& route : casi) {
    SCOPED_TRACE(route);
    Lettura l(route);
    memorizza(l);
    EXPECT_EQ(l.s.codice_errore, 25);
    EXPECT_FALSE(l.linea_presente());
    EXPECT_FALSE(l.treno_presente());
  }
  Lettura resta("", 1, false);
  memorizza(resta);
  EXPECT_EQ(resta.s.codice_errore, 25);
  EXPECT_TRUE(resta.linea_presente());
  EXPECT_TRUE(resta.treno_presente());
}

TEST(ModelReader, ARunTimeFailureNamesTheLineOfTheEntry) {
  for (const char* corpo : {"pendenza, 1.5, 2\r\n", "montagna, 16800, 18000, 1\r\n"}) {
    Lettura l(linea(std::string("\r\n") + corpo));
    std::string causa;
    l.s.observer = [&](const Scenario::Record& r) { causa = r.cause; };
    memorizza(l);
    EXPECT_EQ(causa.rfind("app/R_linea.txt:5:", 0), 0u) << causa;
  }
}

// The trail tells of each entry read to its end where its keyword field and its last
// field end in its text; comments skipped before it belong to no entry, and the entry
// that stops the reading is not told.
TEST(ModelReader, TheTrailTellsWhereEachEntryReadEnds) {
  const std::string route =
      linea("- a comment\r\npendenza, 100, 2\r\nxyz,montagna, 16901, 17000, 1\r\n");
  Lettura l(route, 0);
  l.p.files[l.sources.train] = "[generale]\r\nsabbia, 3\r\n[fine]\r\n";
  ReadingTrail trail;
  struct Told {
    Scope scope;
    std::string keyword;
    std::size_t keyword_end, end;
  };
  std::vector<Told> told;
  trail.on_entry = [&](Scope scope, std::size_t keyword_end, std::size_t end) {
    told.push_back({scope, l.s.riga, keyword_end, end});
  };
  l.s.trail = &trail;
  memorizza(l);
  EXPECT_EQ(l.s.codice_errore, 15);
  auto after = [&](const std::string& text, const char* what) { return text.find(what) + std::strlen(what); };
  const std::string train = "[generale]\r\nsabbia, 3\r\n[fine]\r\n";
  ASSERT_EQ(told.size(), 5u);
  const Told expected[] = {
      {Scope::general, "lunghezza percorso", after(route, "percorso,"), after(route, "10000\r\n")},
      {Scope::general, "[curve]", after(route, "[curve]\r\n"), after(route, "[curve]\r\n")},
      {Scope::body, "pendenza", after(route, "pendenza,"), after(route, "2\r\n")},
      {Scope::body, "xyz", after(route, "xyz,"), after(route, "xyz,")},
      {Scope::train, "sabbia", after(train, "sabbia,"), after(train, "3\r\n")},
  };
  for (std::size_t i = 0; i < told.size(); ++i) {
    SCOPED_TRACE(expected[i].keyword);
    EXPECT_EQ(told[i].scope, expected[i].scope);
    EXPECT_EQ(told[i].keyword, expected[i].keyword);
    EXPECT_EQ(told[i].keyword_end, expected[i].keyword_end);
    EXPECT_EQ(told[i].end, expected[i].end);
  }
}

TEST(ModelReader, PositionBeyondTheModelStopsSoftlyAndTheTrainHalfRuns) {
  // 340 cells: the last accepted position is 16900.
  Lettura l(linea("pendenza, 16900, 5\r\nmontagna, 16901, 17000, 1\r\npendenza, 0, 9\r\n"));
  memorizza(l);
  EXPECT_EQ(l.s.codice_errore, 15);
  EXPECT_EQ(l.s.posizione_errore, 16901);
  EXPECT_FALSE(l.linea_presente());
  EXPECT_FALSE(l.treno_presente());  // read and deleted by the train half
  EXPECT_EQ(l.s.montagna_inizio[1], 0);
  // Completion ran from what was read: the last accepted gradient reaches cell 338.
  EXPECT_EQ(l.s.celle[337].pendenza, 100);
  EXPECT_EQ(l.s.celle[338].pendenza, 105);
  EXPECT_EQ(l.s.planimetria(16998, 1).number(), 16998.0);

  Lettura resta(linea("cartello_indicatore, 20000, (X)\r\n"), 1, false);
  EXPECT_TRUE(resta.read());
  EXPECT_EQ(resta.s.codice_errore, 15);
  EXPECT_TRUE(resta.linea_presente());
}

}  // namespace
}  // namespace tracciato
