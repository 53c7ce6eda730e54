#include "route_reader/route_reader.h"

#include <gtest/gtest.h>

#include "route_reader/route_test_support.h"
#include "sources/embedded_tables.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::linea;
using prova::testo;

TEST(RouteReader, MissingSourceIs101AndLeavesTheTrainSourceUnread) {
  Lettura l("");
  l.p.files.erase(l.sorgenti.linea);
  l.s.posizione_errore = 777;
  l.memorizza();
  EXPECT_EQ(l.s.codice_errore, 101);
  EXPECT_EQ(l.s.posizione_errore, 777);
  EXPECT_TRUE(l.treno_presente());
  EXPECT_EQ(l.s.voci[85].nome, "R");
  EXPECT_EQ(l.s.voci[86].nome, "T");
  EXPECT_FALSE(l.s.celle.allocata());
}

// Faults that end the whole reader: the route source goes only when the run deletes its
// sources, the train source is never read, the register position is left alone.
TEST(RouteReader, HardFaultsEndTheReaderAndDeleteOnlyInADeletingRun) {
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
    for (bool elimina : {true, false}) {
      SCOPED_TRACE(std::string(c.nome) + (elimina ? " deleting" : " keeping"));
      Lettura l(c.route, 1, elimina);
      l.s.posizione_errore = 777;
      l.memorizza();
      EXPECT_EQ(l.s.codice_errore, c.codice);
      EXPECT_EQ(l.s.posizione_errore, 777);
      EXPECT_EQ(l.linea_presente(), !elimina);
      EXPECT_TRUE(l.treno_presente());
    }
  }
}

TEST(RouteReader, BusyBoardCellsAreFaultsWithTheEntryPosition) {
  const std::string cartello = "cartello_indicatore, 1020, (PONTE)\r\n";
  Lettura segno(linea(cartello + "cartello_indicatore, 1000, (ALTRO)\r\n"));
  EXPECT_FALSE(segno.leggi());
  EXPECT_EQ(segno.s.codice_errore, 6);
  EXPECT_EQ(segno.s.posizione_errore, 1000);
  EXPECT_FALSE(segno.linea_presente());

  Lettura indicatori(linea(cartello + "indicatori_vmax, 1010, 90, 95, 95, 0, , , , 0\r\n"));
  std::vector<Scenario::Registrazione> visti;
  indicatori.s.osservatore = [&](const Scenario::Registrazione& r) { visti.push_back(r); };
  EXPECT_FALSE(indicatori.leggi());
  ASSERT_EQ(visti.size(), 1u);
  EXPECT_EQ(visti[0].codice, 21);
  EXPECT_EQ(visti[0].posizione, 1010);
  EXPECT_EQ(indicatori.s.celle[21].evento, evento::cartello);
}

TEST(RouteReader, RunTimeFailuresAreCode25AndRemoveBothSourcesInADeletingRun) {
  const std::string casi[] = {
      "",                                                    // empty file
      testo({"[generale]", "sfondo uno, 1", "[curve]", "pendenza, 100, 1"}),  // no cells
      testo({"[generale]", "lunghezza percorso, 10000", "[curve]", "montagna, 100, 200"}),
      linea("pendenza, 1.5, 2\r\n"),                         // not a whole number
  };
  for (const std::string& route : casi) {
    SCOPED_TRACE(route);
    Lettura l(route);
    l.memorizza();
    EXPECT_EQ(l.s.codice_errore, 25);
    EXPECT_FALSE(l.linea_presente());
    EXPECT_FALSE(l.treno_presente());
  }
  Lettura resta("", 1, false);
  resta.memorizza();
  EXPECT_EQ(resta.s.codice_errore, 25);
  EXPECT_TRUE(resta.linea_presente());
  EXPECT_TRUE(resta.treno_presente());
}

TEST(RouteReader, ARunTimeFailureNamesTheLineOfTheEntry) {
  for (const char* corpo : {"pendenza, 1.5, 2\r\n", "montagna, 16800, 18000, 1\r\n"}) {
    Lettura l(linea(std::string("\r\n") + corpo));
    std::string causa;
    l.s.osservatore = [&](const Scenario::Registrazione& r) { causa = r.causa; };
    l.memorizza();
    EXPECT_EQ(causa.rfind("app/R_linea.txt:5:", 0), 0u) << causa;
  }
}

TEST(RouteReader, PositionBeyondTheModelStopsSoftlyAndTheTrainHalfRuns) {
  // 340 cells: the last accepted position is 16900.
  Lettura l(linea("pendenza, 16900, 5\r\nmontagna, 16901, 17000, 1\r\npendenza, 0, 9\r\n"));
  l.memorizza();
  EXPECT_EQ(l.s.codice_errore, 15);
  EXPECT_EQ(l.s.posizione_errore, 16901);
  EXPECT_FALSE(l.linea_presente());
  EXPECT_FALSE(l.treno_presente());  // read and deleted by the train half
  EXPECT_EQ(l.s.montagna_inizio[1], 0);
  // Completion ran from what was read: the last accepted gradient reaches cell 338.
  EXPECT_EQ(l.s.celle[337].pendenza, 100);
  EXPECT_EQ(l.s.celle[338].pendenza, 105);
  EXPECT_EQ(l.s.planimetria(16998, 1).numero(), 16998.0);

  Lettura resta(linea("cartello_indicatore, 20000, (X)\r\n"), 1, false);
  EXPECT_TRUE(resta.leggi());
  EXPECT_EQ(resta.s.codice_errore, 15);
  EXPECT_TRUE(resta.linea_presente());
}

TEST(RouteReader, KeywordCaseRulesFollowTheEntry) {
  Lettura l(testo({"[generale]", "LUNGHEZZA Percorso, 10000", "Sfondo uno, 5", "sfondo due, 6",
                   "progressiva chilometrica uno, 0, 100, 1",
                   "Progressiva chilometrica due, 0, 200, 1", "[curve]", "PENDENZA, 500, 3",
                   "MONTAGNA, 1000, 1100, 1", "CURVAD4, 100, 10", "Indicatori_VMAX, 2000, 90, "
                   "0, 0, 0, 0, 0, 0, 0", "CARTELLO_INDICATORE, 3000, (X)", "[fine]"}));
  EXPECT_TRUE(l.leggi());
  EXPECT_EQ(l.s.codice_errore, 0);
  EXPECT_EQ(l.s.n_celle, 340);
  EXPECT_EQ(l.s.voci[85].inizio_area, 0);
  EXPECT_EQ(l.s.voci[85].posizione, 6);
  EXPECT_EQ(l.s.voci[81].fine_area, 200);  // only "uno" was taken, sorted first, +100
  EXPECT_EQ(l.s.voci[82].fine_area, 0);
  EXPECT_EQ(l.s.celle[10].pendenza, 103);
  EXPECT_EQ(l.s.celle[20].montagna, 1);
  EXPECT_NE(l.s.planimetria(110, 0).numero(), 0.0);
  EXPECT_EQ(l.s.celle[41].evento, evento::indicatori_v_max);
  EXPECT_EQ(l.s.celle[61].evento, evento::cartello);
}

TEST(RouteReader, EntriesCountOnlyInTheirOwnPartOfTheFile) {
  Lettura l(testo({"[generale]", "lunghezza percorso, 10000", "montagna, 1000, 1100, 1",
                   "[curve]", "sfondo uno, 7", "lunghezza percorso, 20000", "[fine]"}));
  EXPECT_TRUE(l.leggi());
  EXPECT_EQ(l.s.n_montagne, 0);
  EXPECT_EQ(l.s.celle[20].montagna, 0);
  EXPECT_EQ(l.s.voci[85].inizio_area, 0);
  EXPECT_EQ(l.s.n_celle, 340);
}

TEST(RouteReader, OneFieldWithTwoEntriesWordsReadsBothInTestOrder) {
  Lettura l(testo({"[generale]", "sfondo tre uno, 5, 6", "lunghezza percorso, 10000", "[curve]",
                   "pendenza montagna, 1000, 2, 1000, 1100, 1", "[fine]"}));
  EXPECT_TRUE(l.leggi());
  EXPECT_EQ(l.s.voci[85].inizio_area, 5);
  EXPECT_EQ(l.s.voci[85].fine_area, 6);
  EXPECT_EQ(l.s.celle[20].pendenza, 102);
  EXPECT_EQ(l.s.celle[20].montagna, 1);
}

// Ten comment fields in a row are skipped in the general section, two in the body;
// the next one is tested like a keyword.
TEST(RouteReader, CommentFieldsAreSkippedTenAtATimeThenTwo) {
  auto trattini = [](int n) {
    std::string t;
    for (int i = 0; i < n; ++i) t += "---,";
    return t;
  };
  for (int n : {9, 10}) {
    SCOPED_TRACE(n);
    Lettura l(testo({"[generale]", "lunghezza percorso, 10000",
                     trattini(n) + "-sfondo uno-, 5", "[curve]",
                     trattini(n - 8) + "-montagna-, 1000, 1100, 1", "[fine]"}));
    EXPECT_TRUE(l.leggi());
    EXPECT_EQ(l.s.voci[85].inizio_area, n == 10 ? 5 : 0);
    EXPECT_EQ(l.s.n_montagne, n == 10 ? 1 : 0);
  }
}

TEST(RouteReader, TheLastFieldIsNeverLookedAt) {
  Lettura solo_parola(linea("") + "montagna");
  EXPECT_TRUE(solo_parola.leggi());
  EXPECT_EQ(solo_parola.s.n_montagne, 0);

  Lettura intera(testo({"[generale]", "lunghezza percorso, 10000", "[curve]", "pendenza, 500, 3"}));
  EXPECT_TRUE(intera.leggi());
  EXPECT_EQ(intera.s.celle[10].pendenza, 103);

  Lettura generale(testo({"[generale]", "lunghezza percorso, 10000", "sfondo uno"}));
  EXPECT_TRUE(generale.leggi());
  EXPECT_EQ(generale.s.codice_errore, 0);
}

TEST(RouteReader, ClosingHeaderNeedsBothBracketsAndNoLeadingHyphen) {
  struct Caso {
    std::string campo;
    bool chiude;
  };
  const std::string dieci = "-,-,-,-,-,-,-,-,-,-,";
  const Caso casi[] = {
      {"[curve]", true},          {"x [pendenze] y", true},
      {"[curve", false},          {"curve]", false},
      {dieci + "\"  -[x]\"", false}, {dieci + "\"  [x-]\"", true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.campo);
    Lettura l(testo({"[generale]", "lunghezza percorso, 10000", c.campo, "pendenza, 500, 3",
                     "[fine]"}));
    EXPECT_TRUE(l.leggi());
    EXPECT_EQ(l.s.celle[10].pendenza, c.chiude ? 103 : 100);
  }
}

TEST(RouteReader, TheShippedRouteReadsWithoutFaults) {
  Lettura l(testo_tabella(tabella_linea()));
  ASSERT_TRUE(l.leggi());
  const Scenario& s = l.s;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.n_celle, 2140);
  EXPECT_EQ(s.n_montagne, 40);
  EXPECT_EQ(s.slot_cartello, 80 - 51);
  for (std::int64_t c = 1879; c <= 2137; ++c) ASSERT_EQ(s.celle[c].pendenza, 80) << c;
  for (std::int64_t c = 2138; c <= 2140; ++c) EXPECT_EQ(s.celle[c].pendenza, 0) << c;
  EXPECT_EQ(s.planimetria(2151, 0).doppio, 0.001);
  EXPECT_EQ(s.planimetria(106998, 0).tipo, Valore::Tipo::doppio);
  EXPECT_EQ(s.planimetria(106999, 0).tipo, Valore::Tipo::vuoto);
  EXPECT_FALSE(l.linea_presente());
}

}  // namespace
}  // namespace tracciato
