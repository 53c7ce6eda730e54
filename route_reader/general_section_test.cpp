#include "route_reader/general_section.h"

#include <gtest/gtest.h>

#include "route_reader/route_test_support.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::testo;

TEST(GeneralSection, RouteLengthSizesTheModelRoundingHalvesToEven) {
  struct Caso {
    std::int32_t lunghezza, n_celle;
  };
  for (const Caso c : {Caso{0, 140}, Caso{25, 140}, Caso{75, 142}, Caso{100000, 2140},
                       Caso{1000000, 20140}}) {
    SCOPED_TRACE(c.lunghezza);
    Lettura l(prova::linea("", c.lunghezza));
    EXPECT_TRUE(l.read());
    EXPECT_EQ(l.s.voci[84].fine_area, c.lunghezza);
    EXPECT_EQ(l.s.lunghezza_estesa, c.lunghezza + 7000);
    EXPECT_EQ(l.s.n_celle, c.n_celle);
    EXPECT_EQ(l.s.celle.upper(), c.n_celle);
    EXPECT_EQ(l.s.planimetria.upper(), c.lunghezza + 7000);
  }
  Lettura senza_piano(prova::linea("", 0), 0);
  EXPECT_TRUE(senza_piano.read());
  EXPECT_FALSE(senza_piano.s.planimetria.allocated());
}

TEST(GeneralSection, RouteLengthAboveOneMillionIsCode1AfterStoringIt) {
  Lettura l(prova::linea("", 1000001));
  EXPECT_FALSE(l.read());
  EXPECT_EQ(l.s.codice_errore, 1);
  EXPECT_EQ(l.s.voci[84].fine_area, 1000001);
  EXPECT_FALSE(l.s.celle.allocated());
}

TEST(GeneralSection, ASecondRouteLengthRemakesTheTablesUnlessTheyCannotBeMade) {
  Lettura l(testo({"[generale]", "lunghezza percorso, 1000", "lunghezza percorso, 3000",
                   "lunghezza percorso, -8000", "[curve]"}));
  EXPECT_THROW(l.read(), RuntimeFailure);
  EXPECT_EQ(l.s.voci[84].fine_area, -8000);
  EXPECT_EQ(l.s.celle.upper(), 200);
  EXPECT_EQ(l.s.planimetria.upper(), 10000);
}

TEST(GeneralSection, BackgroundsAreKeptInTheOrderOneThreeTwo) {
  Lettura l(testo({"[generale]", "sfondo uno,    1", "sfondo due,    20000",
                   "sfondo tre,    30500", "[curve]"}));
  l.s.voci[85].par1 = 610;
  EXPECT_THROW(l.read(), RuntimeFailure);  // no route length: no cells for the body
  EXPECT_EQ(l.s.voci[85].inizio_area, 1);
  EXPECT_EQ(l.s.voci[85].fine_area, 30500);
  EXPECT_EQ(l.s.voci[85].posizione, 20000);
  EXPECT_EQ(l.s.voci[85].par1, 610);
}

TEST(GeneralSection, SignalRepetitionChecksBothValuesThenTheCodeDigit) {
  struct Caso {
    const char* parola;
    std::int32_t a, b;
    std::int32_t codice, codici;
  };
  const Caso casi[] = {
      {"ripetizione segnali 4 codici", 0, 0, 0, 0},
      {"ripetizione segnali 9 codici", 1000, 5000, 0, 9},
      {"ripetizione segnali 4 e 9", 1000, 5000, 0, 4},
      {"ripetizione segnali 9 codici", 1000, 0, 0, 0},
      {"ripetizione segnali codici", 1000, 0, 5, 0},
      {"ripetizione segnali", 1025, 5000, 3, 0},
      {"ripetizione segnali 4", -50, 5010, 4, 0},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.parola);
    Scenario s;
    EXPECT_EQ(signal_repetition(s, c.parola, c.a, c.b),
              c.codice == 0 ? LineOutcome::next : LineOutcome::error_exit);
    EXPECT_EQ(s.codice_errore, c.codice);
    EXPECT_EQ(s.voci[86].inizio_area, c.a);
    EXPECT_EQ(s.voci[86].fine_area, c.b);
    EXPECT_EQ(s.voci[86].posizione, c.codici);
  }
}

TEST(GeneralSection, ProgressivesAreSortedByValueOneElseByValueTwo) {
  using T = std::array<std::int32_t, 3>;
  struct Caso {
    const char* nome;
    T tre, due, uno;
    T e81, e82, e83;
  };
  const T z{0, 0, 0};
  const Caso casi[] = {
      {"all zero", z, z, z, z, z, z},
      {"only uno, value 3 is 1", z, z, {0, 125300, 1}, {0, 125400, 1}, z, z},
      {"due greatest", z, {30000, 80000, 0}, {0, 50000, 0}, {30000, 80000, 0}, {0, 50000, 0}, z},
      {"tie for the greatest", {40000, 1, 2}, {40000, 3, 4}, z, z, z, z},
      {"already in order", {30, 0, 0}, {20, 0, 0}, {10, 0, 0}, {30, 0, 0}, {20, 0, 0}, {10, 0, 0}},
      {"uno greatest, tre before due", {5, 0, 0}, {3, 0, 0}, {9, 0, 0}, {9, 0, 0}, {5, 0, 0},
       {3, 0, 0}},
      {"value 2 of due and tre", {0, 7, 1}, {0, 8, 0}, z, {0, 8, 0}, {0, 107, 1}, z},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Scenario s;
    auto metti = [&](int i, const T& v) {
      s.voci[i].inizio_area = v[0];
      s.voci[i].fine_area = v[1];
      s.voci[i].posizione = v[2];
    };
    auto terna = [&](int i) { return T{s.voci[i].inizio_area, s.voci[i].fine_area, s.voci[i].posizione}; };
    metti(81, c.tre);
    metti(82, c.due);
    metti(83, c.uno);
    progressive_ordina(s);
    EXPECT_EQ(terna(81), c.e81);
    EXPECT_EQ(terna(82), c.e82);
    EXPECT_EQ(terna(83), c.e83);
  }
}

}  // namespace
}  // namespace tracciato
