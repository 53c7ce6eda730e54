#include "train_reader/stations.h"

#include <gtest/gtest.h>

#include "model/diagnostica.h"
#include "platform/runtime_failure.h"
#include "train_reader/staged_train.h"

namespace tracciato {
namespace {

// Fields 4 to 6 are opz1, opz5, opz4.
std::string stazione(std::int32_t p, int genere, std::int32_t lunghezza, int opz5 = 0, int opz4 = 0,
                     const char* nome = "X") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(genere) + ", " +
         std::to_string(lunghezza) + ", 1, " + std::to_string(opz5) + ", " +
         std::to_string(opz4) + ", 4,1,0, 2,1,1, 99, 9,43,0," + nome + "\r\n";
}
const std::string prima = stazione(0, 8, 500, 1, 1, "ROVELDA");

struct KindCase {
  int genere, lunghezza, opz4;
  std::int32_t inizio, fine;
  std::int64_t fermata;  // 0: none
  bool avvisi;
};

TEST(Stations, AreaStopCellAndMarkersFollowTheKind) {
  const KindCase casi[] = {
      {5, 300, 1, 9700, 10150, 202, false}, {6, 300, 0, 9700, 10150, 202, false},
      {7, 300, 1, 9700, 10300, 205, true},  {8, 300, 0, 9700, 10300, 205, true},
      {28, 400, 0, 9800, 10200, 0, false},  {12, 600, 0, 9700, 10300, 205, true},
      {12, 600, 1, 9700, 10350, 206, true},
  };
  for (const KindCase& k : casi) {
    StagedTrain t;
    t.read(prima + stazione(10000, k.genere, k.lunghezza, 0, k.opz4));
    const voce& v = t.s.voci[2];
    SCOPED_TRACE("kind " + std::to_string(k.genere) + " opz4 " + std::to_string(k.opz4));
    EXPECT_EQ(t.s.codice_errore, 0);
    EXPECT_EQ(v.inizio_area, k.inizio);
    EXPECT_EQ(v.fine_area, k.fine);
    for (std::int64_t i = 190; i <= 210; ++i) {
      const bool fermata = i == k.fermata;
      const bool avviso = k.avvisi && i < k.fermata && i >= k.fermata - 4;
      EXPECT_EQ(t.c(i).evento, fermata ? event::station : 0) << i;
      EXPECT_EQ(t.c(i).valore1, fermata ? 2 : 0) << i;
      EXPECT_EQ(t.c(i).avviso, avviso ? 80 + (k.fermata - i) : 0) << i;
    }
  }
}

TEST(Stations, MarkersStopAboveCell1) {
  StagedTrain t;
  t.read(stazione(100, 8, 100));
  EXPECT_EQ(t.c(3).evento, event::station);
  EXPECT_EQ(t.c(2).avviso, 81);
  EXPECT_EQ(t.c(1).avviso, 0);
}

TEST(Stations, FieldsAreStoredAsReadAndOpz4Opz5ClearedByTheirRules) {
  StagedTrain t;
  t.read(prima + stazione(5000, 12, 600, 3, 1, "S. VITTORE-ROVELDESE") +
          stazione(10000, 12, 500, 3, 1) + stazione(15000, 7, 600, 3, 1));
  EXPECT_EQ(t.s.codice_errore, 0);
  const voce& uno = t.s.voci[1];
  EXPECT_EQ(uno.opz4, 0);
  EXPECT_EQ(uno.opz5, 0);
  EXPECT_EQ(uno.nome, "ROVELDA");
  const voce& due = t.s.voci[2];
  EXPECT_EQ(due.nome, "S. VITTORE-ROVELDESE");
  EXPECT_EQ(due.genere, 12);
  EXPECT_EQ(due.posizione, 5000);
  EXPECT_EQ(due.opz1, 1);
  EXPECT_EQ(due.opz5, 3);
  EXPECT_EQ(due.opz4, 1);
  EXPECT_EQ(due.par1, 4);
  EXPECT_EQ(due.par2, 1);
  EXPECT_EQ(due.opz2, 0);
  EXPECT_EQ(due.par3, 2);
  EXPECT_EQ(due.opz3, 99);
  EXPECT_EQ(due.orario, 34980);
  EXPECT_EQ(t.s.voci[3].opz5, 0);  // length 500
  EXPECT_EQ(t.s.voci[3].opz4, 1);
  EXPECT_EQ(t.s.voci[4].opz5, 3);
  EXPECT_EQ(t.s.voci[4].opz4, 0);  // kind 7
}

TEST(Stations, AreasMustBeAtLeast350MetresApart) {
  StagedTrain ok;  // 500 + 350 = 850 = 1150 - 300
  ok.read(prima + stazione(1150, 12, 600));
  EXPECT_EQ(ok.s.codice_errore, 0);
  StagedTrain stretto;
  stretto.read(prima + stazione(1100, 12, 600));
  EXPECT_EQ(stretto.s.codice_errore, 22);
  EXPECT_EQ(stretto.s.posizione_errore, 1100);
  EXPECT_EQ(stretto.c(27).evento, event::station);  // the whole station stays
}

TEST(Stations, FaultsStopAfterTheFieldsAlreadyStored) {
  StagedTrain posizione;
  posizione.read("stazione, 1025, 12, 600, 1\r\n");
  EXPECT_EQ(posizione.s.codice_errore, 8);
  EXPECT_EQ(posizione.s.voci[1].posizione, 1025);
  EXPECT_EQ(posizione.s.voci[1].genere, 0);

  StagedTrain lunghezza;
  lunghezza.read(stazione(1000, 12, 650));
  EXPECT_EQ(lunghezza.s.codice_errore, 9);
  EXPECT_EQ(lunghezza.s.posizione_errore, 1000);
  EXPECT_EQ(lunghezza.s.voci[1].genere, 12);
  EXPECT_EQ(lunghezza.s.voci[1].opz1, 0);

  StagedTrain fermata;
  fermata.s.posizione_errore = 7;
  fermata.read(stazione(0, 12, 100));
  EXPECT_EQ(fermata.s.codice_errore, 24);
  EXPECT_EQ(fermata.s.posizione_errore, 7);
}

TEST(Stations, RangeCheckLeavesRoomForTheArea) {
  StagedTrain dentro;
  dentro.read(stazione(50 * 2140 - 800, 12, 600));
  EXPECT_EQ(dentro.s.codice_errore, 0);
  StagedTrain fuori;
  fuori.read(stazione(50 * 2140 - 750, 12, 600));
  EXPECT_EQ(fuori.s.codice_errore, 15);
  EXPECT_EQ(fuori.s.posizione_errore, 50 * 2140 - 750);
  EXPECT_EQ(fuori.s.voci[1].posizione, 50 * 2140 - 750);
  EXPECT_EQ(fuori.s.voci[1].genere, 0);
  // A long station near the end puts its markers beyond the last cell.
  StagedTrain oltre(100);
  EXPECT_THROW(oltre.read(stazione(4200, 8, 1000)), RuntimeFailure);
}

TEST(Stations, CapacityEndsAtTheNextFreeSignboardEntry) {
  StagedTrain t;
  t.s.signboard_slot = 3;
  t.read(prima + stazione(5000, 12, 600) + "sabbia, 5\r\n");
  EXPECT_EQ(t.s.codice_errore, 10);
  EXPECT_EQ(t.c(105).valore1, 2);
  EXPECT_EQ(t.s.voci[entry::train_header].par1, 0);

  StagedTrain piena;  // 80 signboards: entry 1 holds a board text and keeps it
  piena.s.signboard_slot = 0;
  piena.s.voci[1].nome = "(GALLERIA)";
  piena.read(prima);
  EXPECT_EQ(piena.s.codice_errore, 10);
  EXPECT_EQ(piena.s.voci[1].nome, "(GALLERIA)");
  EXPECT_EQ(piena.s.voci[1].genere, 0);
  EXPECT_EQ(piena.c(9).evento, 0);

  StagedTrain quasi;  // 79 signboards: entry 1 is still free, the station is stored
  quasi.s.signboard_slot = 1;
  quasi.read(prima);
  EXPECT_EQ(quasi.s.codice_errore, 10);
  EXPECT_EQ(quasi.s.voci[1].genere, 8);
  EXPECT_EQ(quasi.c(9).evento, event::station);
}

TEST(Stations, StopCellOverwritesAnEarlierSignalAndRefusesALaterOne) {
  StagedTrain t;
  ReadingTrail d;
  t.s.trail = &d;
  t.read("segnale, 400, 1,4,0,0,0,0,0,0,0,0\r\n" + prima +
          "segnale, 400, 1,4,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(t.c(9).evento, event::station);
  EXPECT_EQ(t.s.codice_errore, 16);
  EXPECT_EQ(t.s.posizione_errore, 400);
  // The listener hears of the signal the station wrote over, and of no free cell.
  EXPECT_EQ(d.stops_over_events, std::vector<std::int64_t>{9});
}

}  // namespace
}  // namespace tracciato
