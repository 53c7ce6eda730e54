// The texts this build carries, read back by the model reader.
#include <gtest/gtest.h>

#include "compiler/memorizza_dati.h"
#include "model/scenario.h"
#include "route_reader/route_test_support.h"
#include "sources/embedded_tables.h"
#include "sources/line_table.h"
#include "test_support/memory_platform.h"

namespace tracciato {
namespace {

using prova::Lettura;

TEST(RouteReader, TheShippedRouteReadsWithoutFaults) {
  Lettura l(table_text(route_table()));
  ASSERT_TRUE(l.read());
  const Scenario& s = l.s;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.n_celle, 2140);
  EXPECT_EQ(s.n_montagne, 40);
  EXPECT_EQ(s.signboard_slot, 80 - 51);
  for (std::int64_t c = 1879; c <= 2137; ++c) ASSERT_EQ(s.celle[c].pendenza, 80) << c;
  for (std::int64_t c = 2138; c <= 2140; ++c) EXPECT_EQ(s.celle[c].pendenza, 0) << c;
  EXPECT_EQ(s.planimetria(2151, 0).real, 0.001);
  EXPECT_EQ(s.planimetria(106998, 0).kind, PlanValue::Kind::Double);
  EXPECT_EQ(s.planimetria(106999, 0).kind, PlanValue::Kind::Empty);
  EXPECT_FALSE(l.linea_presente());
}

// The shipped route and train through the whole model reader.
struct ShippedTexts : ::testing::Test {
  Scenario s;
  MemoryPlatform p;
  SourceTexts sources{"app/ROVELDA-MARNE_linea.txt", "app/ROVELDA-MARNE_K 517-.txt", true};
  void read(const std::string& treno) {
    s.nome_linea = "ROVELDA-MARNE";
    s.nome_treno = "K 517";
    p.files[sources.route] = table_text(route_table());
    p.files[sources.train] = treno;
    memorizza_dati(s, p, sources);
  }
};

TEST_F(ShippedTexts, ShippedTextsGiveTheWorkedExamples) {
  read(table_text(train_table()));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.signboard_slot, 29);
  EXPECT_EQ(s.voci[27].nome, "MARNE");
  EXPECT_TRUE(p.files.empty());

  const voce& primo = s.voci[1];
  EXPECT_EQ(primo.inizio_area, -500);
  EXPECT_EQ(primo.fine_area, 500);
  EXPECT_EQ(primo.orario, 33540);
  EXPECT_EQ(s.voci[2].inizio_area, 4200);
  EXPECT_EQ(s.voci[2].fine_area, 4800);
  for (auto [fermata, numero] : {std::pair{9, 1}, {95, 2}}) {
    EXPECT_EQ(s.celle[fermata].evento, event::station);
    EXPECT_EQ(s.celle[fermata].valore1, numero);
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(s.celle[fermata - j].avviso, 80 + j);
  }

  const cella& a = s.celle[50];
  EXPECT_EQ(a.evento, event::signal);
  EXPECT_EQ(a.valore1, 40);
  EXPECT_EQ(a.valore4, 3);
  EXPECT_EQ(a.tempo, 0);
  const cella& b = s.celle[1745];
  EXPECT_EQ(b.valore1, 20);
  EXPECT_EQ(b.valore2, 30);
  EXPECT_EQ(b.valore4, 6);
  EXPECT_EQ(b.tempo, 205);
  for (int j = 1; j <= 4; ++j) {
    EXPECT_EQ(s.celle[50 - 2 * j].avviso, 30 + j);
    EXPECT_EQ(s.celle[1745 - 2 * j].avviso, 60 + j);
  }

  EXPECT_EQ(s.celle[756].evento, event::warning_board);
  EXPECT_EQ(s.celle[780].evento, event::slowdown_start);
  EXPECT_EQ(s.celle[787].evento, event::slowdown_end);
  EXPECT_EQ(s.celle[787].valore1, 75);
  EXPECT_EQ(s.celle[787].valore3, 1);
  EXPECT_EQ(s.celle[755].evento, 0);

  for (auto [cella, velocita] : {std::pair{23, 19}, {24, 28}, {1881, 15}, {2137, 15}, {2138, 0}})
    EXPECT_EQ(s.celle[cella].velocita, velocita) << "cell " << cella;
  EXPECT_EQ(s.celle[2137].aderenza, 100);
}

TEST_F(ShippedTexts, A28thStationIsStoredThenEndsTheReadingWithCode10) {
  std::string treno = table_text(train_table());
  treno.insert(treno.find("[rallentamenti]"),
               "stazione, 100500, 22, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0,OLTRE\r\n");
  read(treno);
  EXPECT_EQ(s.codice_errore, 10);
  EXPECT_EQ(s.voci[28].nome, "OLTRE");
  EXPECT_EQ(s.celle[50].evento, 0);  // no signal read
  EXPECT_TRUE(p.files.empty());
}

TEST_F(ShippedTexts, FailureInTheTrainTextIsCode25AndDeletesIt) {
  read("[generale]\r\nsegnale, 2450, 1\r\n");
  EXPECT_EQ(s.codice_errore, 25);
  EXPECT_TRUE(p.files.empty());
}

}  // namespace
}  // namespace tracciato
