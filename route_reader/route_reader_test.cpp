#include "route_reader/route_reader.h"

#include <gtest/gtest.h>

#include "route_reader/route_test_support.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::linea;
using prova::testo;

TEST(RouteReader, BusyBoardCellsAreFaultsWithTheEntryPosition) {
  const std::string cartello = "cartello_indicatore, 1020, (PONTE)\r\n";
  Lettura segno(linea(cartello + "cartello_indicatore, 1000, (ALTRO)\r\n"));
  EXPECT_FALSE(segno.read());
  EXPECT_EQ(segno.s.codice_errore, 6);
  EXPECT_EQ(segno.s.posizione_errore, 1000);
  EXPECT_FALSE(segno.linea_presente());

  Lettura indicatori(linea(cartello + "indicatori_vmax, 1010, 90, 95, 95, 0, , , , 0\r\n"));
  std::vector<Scenario::Record> visti;
  indicatori.s.observer = [&](const Scenario::Record& r) { visti.push_back(r); };
  EXPECT_FALSE(indicatori.read());
  ASSERT_EQ(visti.size(), 1u);
  EXPECT_EQ(visti[0].code, Code::speed_boards_cell_busy);
  EXPECT_EQ(visti[0].position, 1010);
  EXPECT_EQ(indicatori.s.celle[21].evento, event::signboard);
}

TEST(RouteReader, KeywordCaseRulesFollowTheEntry) {
  Lettura l(testo({"[generale]", "LUNGHEZZA Percorso, 10000", "Sfondo uno, 5", "sfondo due, 6",
                   "progressiva chilometrica uno, 0, 100, 1",
                   "Progressiva chilometrica due, 0, 200, 1", "[curve]", "PENDENZA, 500, 3",
                   "MONTAGNA, 1000, 1100, 1", "CURVAD4, 100, 10", "Indicatori_VMAX, 2000, 90, "
                   "0, 0, 0, 0, 0, 0, 0", "CARTELLO_INDICATORE, 3000, (X)", "[fine]"}));
  EXPECT_TRUE(l.read());
  EXPECT_EQ(l.s.codice_errore, 0);
  EXPECT_EQ(l.s.n_celle, 340);
  EXPECT_EQ(l.s.voci[85].inizio_area, 0);
  EXPECT_EQ(l.s.voci[85].posizione, 6);
  EXPECT_EQ(l.s.voci[81].fine_area, 200);  // only "uno" was taken, sorted first, +100
  EXPECT_EQ(l.s.voci[82].fine_area, 0);
  EXPECT_EQ(l.s.celle[10].pendenza, 103);
  EXPECT_EQ(l.s.celle[20].montagna, 1);
  EXPECT_NE(l.s.planimetria(110, 0).number(), 0.0);
  EXPECT_EQ(l.s.celle[41].evento, event::speed_boards);
  EXPECT_EQ(l.s.celle[61].evento, event::signboard);
}

TEST(RouteReader, EntriesCountOnlyInTheirOwnPartOfTheFile) {
  Lettura l(testo({"[generale]", "lunghezza percorso, 10000", "montagna, 1000, 1100, 1",
                   "[curve]", "sfondo uno, 7", "lunghezza percorso, 20000", "[fine]"}));
  EXPECT_TRUE(l.read());
  EXPECT_EQ(l.s.n_montagne, 0);
  EXPECT_EQ(l.s.celle[20].montagna, 0);
  EXPECT_EQ(l.s.voci[85].inizio_area, 0);
  EXPECT_EQ(l.s.n_celle, 340);
}

TEST(RouteReader, OneFieldWithTwoEntriesWordsReadsBothInTestOrder) {
  Lettura l(testo({"[generale]", "sfondo tre uno, 5, 6", "lunghezza percorso, 10000", "[curve]",
                   "pendenza montagna, 1000, 2, 1000, 1100, 1", "[fine]"}));
  EXPECT_TRUE(l.read());
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
    EXPECT_TRUE(l.read());
    EXPECT_EQ(l.s.voci[85].inizio_area, n == 10 ? 5 : 0);
    EXPECT_EQ(l.s.n_montagne, n == 10 ? 1 : 0);
  }
}

TEST(RouteReader, TheLastFieldIsNeverLookedAt) {
  Lettura solo_parola(linea("") + "montagna");
  EXPECT_TRUE(solo_parola.read());
  EXPECT_EQ(solo_parola.s.n_montagne, 0);

  Lettura intera(testo({"[generale]", "lunghezza percorso, 10000", "[curve]", "pendenza, 500, 3"}));
  EXPECT_TRUE(intera.read());
  EXPECT_EQ(intera.s.celle[10].pendenza, 103);

  Lettura generale(testo({"[generale]", "lunghezza percorso, 10000", "sfondo uno"}));
  EXPECT_TRUE(generale.read());
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
    EXPECT_TRUE(l.read());
    EXPECT_EQ(l.s.celle[10].pendenza, c.chiude ? 103 : 100);
  }
}

}  // namespace
}  // namespace tracciato
