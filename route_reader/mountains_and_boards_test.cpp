#include "route_reader/mountains_and_boards.h"

#include <gtest/gtest.h>

#include "route_reader/route_test_support.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::linea;

// A model of 100000 m read from `corpo`; the reading must get to the end.
Scenario read(const std::string& corpo) {
  Lettura l(linea(corpo, 100000));
  EXPECT_TRUE(l.read());
  EXPECT_EQ(l.s.codice_errore, 0);
  return std::move(l.s);
}

TEST(Mountains, TypeAboveTenMarksEveryFourthFreeCell) {
  Scenario s = read("montagna,   31050,  31150,  12\r\n");
  EXPECT_EQ(s.celle[620].montagna, 0);
  EXPECT_EQ(s.celle[621].montagna, 2);
  EXPECT_EQ(s.celle[622].montagna, 2);
  EXPECT_EQ(s.celle[623].montagna, 0);
  EXPECT_EQ(s.celle[622].evento, 0);

  // Cell 107 already holds a signboard: the marker goes only where evento was 0.
  Scenario m = read("cartello_indicatore, 5300, (X)\r\nmontagna, 5000, 5500, 11\r\n");
  for (int c = 100; c <= 109; ++c) EXPECT_EQ(m.celle[c].montagna, 1) << c;
  EXPECT_EQ(m.celle[110].montagna, 0);
  EXPECT_EQ(m.celle[103].evento, event::mountain_marker);
  EXPECT_EQ(m.celle[107].evento, event::signboard);
  EXPECT_EQ(m.celle[104].evento, 0);
  EXPECT_EQ(m.montagna_inizio[1], 5000);
  EXPECT_EQ(m.montagna_fine[1], 5500);
}

TEST(Mountains, ASpanAtMost150MetresAfterTheOneBeforeTakesType3) {
  struct Caso {
    const char* seconda;
    int quarta_cella;  // the fourth cell of the second span
    int tipo;
    bool marca;
  };
  const Caso casi[] = {
      {"montagna, 53150, 53500, 1", 1066, 3, false},  // gap 50
      {"montagna, 53250, 53500, 12", 1068, 3, true},  // gap 150, markers kept
      {"montagna, 53300, 53500, 12", 1069, 2, true},  // gap 200
      {"montagna, 53000, 53500, 1", 1063, 3, false},  // overlap
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.seconda);
    Scenario s = read("montagna, 53050, 53100, 1\r\n" + std::string(c.seconda) + "\r\n");
    EXPECT_EQ(s.n_montagne, 2);
    EXPECT_EQ(s.celle[c.quarta_cella].montagna, c.tipo);
    EXPECT_EQ(s.celle[c.quarta_cella].evento, c.marca ? event::mountain_marker : 0);
  }
}

TEST(Mountains, AShortSpanIsCountedWithoutCells) {
  Scenario s = read("montagna, 1000, 1020, 2\r\nmontagna, 1110, 1150, 1\r\n");
  EXPECT_EQ(s.n_montagne, 2);
  EXPECT_EQ(s.celle[20].montagna, 0);
  EXPECT_EQ(s.celle[22].montagna, 3);  // 70 m after the short span's end
  EXPECT_EQ(s.celle[23].montagna, 0);
}

TEST(Mountains, SpansBeyondTheTablesAreRunTimeFailures) {
  std::string ottantuno;
  for (int i = 0; i < 81; ++i) ottantuno += "montagna, " + std::to_string(1000 * i) + ", 0, 1\r\n";
  Lettura troppe(linea(ottantuno, 100000));
  EXPECT_THROW(troppe.read(), RuntimeFailure);
  EXPECT_EQ(troppe.s.montagna_inizio[80], 79000);

  Lettura oltre(linea("montagna, 16800, 18000, 1\r\n"));
  EXPECT_THROW(oltre.read(), RuntimeFailure);
  EXPECT_EQ(oltre.s.celle[340].montagna, 1);
}

TEST(SpeedIndicators, SpeedsArePackedSideSInHundredsSideDInFives) {
  Scenario s = read("indicatori_vmax,  600,  90,  95,  95,  0,  ,  ,  ,  0\r\n"
                     "indicatori_vmax, 1200, 120, 0, 0, 4000, 60, 62, 0, 3\r\n");
  const cella& a = s.celle[13];
  EXPECT_EQ(a.evento, event::speed_boards);
  EXPECT_EQ(std::vector<int>({a.valore1, a.valore2, a.valore3, a.valore4}),
            std::vector<int>({1800, 1900, 1900, 0}));
  const cella& b = s.celle[25];
  EXPECT_EQ(b.valore1, 2412);
  EXPECT_EQ(b.valore2, 12);       // 62 / 5 = 12.4
  EXPECT_EQ(b.valore4, 40003 - 65536);  // stripes keep the low 16 bits
}

TEST(SpeedIndicators, TheyReplaceAMountainMarkerAndAPackedValueMustFit16Bits) {
  Scenario s = read("montagna, 5000, 5500, 11\r\nindicatori_vmax, 5100, 50, 0, 0, 0, 0, 0, 0, 0\r\n");
  EXPECT_EQ(s.celle[103].evento, event::speed_boards);

  Lettura troppo(linea("indicatori_vmax, 600, 1600, 1700, 0, 0, 0, 0, 0, 0\r\n"));
  EXPECT_THROW(troppo.read(), RuntimeFailure);
  EXPECT_EQ(troppo.s.celle[13].evento, event::speed_boards);
  EXPECT_EQ(troppo.s.celle[13].valore1, 32000);
  EXPECT_EQ(troppo.s.celle[13].valore2, 0);
}

TEST(Signboards, SlotsCountDownFrom80AndTheTextIsKeptWhole) {
  Scenario s = read("cartello_indicatore, 31000, (GALLERIA-NORD )(Km.31+000)\r\n"
                     "cartello_indicatore, 32250, (B)\r\n");
  EXPECT_EQ(s.celle[621].evento, event::signboard);
  EXPECT_EQ(s.celle[621].valore1, 80);
  EXPECT_EQ(s.voci[80].nome, "(GALLERIA-NORD )(Km.31+000)");
  EXPECT_EQ(s.celle[646].valore1, 79);
  EXPECT_EQ(s.voci[79].nome, "(B)");
  EXPECT_EQ(s.signboard_slot, 78);
  for (const char* posizione : {"31025", "31075"}) {
    Scenario m = read("cartello_indicatore, " + std::string(posizione) + ", (C)\r\n");
    EXPECT_EQ(m.celle[622].evento, event::signboard) << posizione;
  }
}

TEST(Signboards, The81stTakesEntryZeroAndThe82ndIsARunTimeFailure) {
  std::string corpo;
  for (int i = 0; i < 82; ++i) corpo += "cartello_indicatore, " + std::to_string(1000 * i) + ", T\r\n";
  Lettura l(linea(corpo, 100000));
  EXPECT_THROW(l.read(), RuntimeFailure);
  EXPECT_EQ(l.s.voci[0].nome, "T");
  EXPECT_EQ(l.s.celle[1601].valore1, 0);
  // The 82nd has written its cell when the slot below entry 0 fails.
  EXPECT_EQ(l.s.celle[1621].evento, event::signboard);
  EXPECT_EQ(l.s.celle[1621].valore1, -1);
  EXPECT_EQ(l.s.signboard_slot, -1);
}

}  // namespace
}  // namespace tracciato
