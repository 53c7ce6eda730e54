#include "train_reader/signals.h"

#include <gtest/gtest.h>

#include "platform/runtime_failure.h"
#include "train_reader/staged_train.h"

namespace tracciato {
namespace {

std::string segnale(std::int32_t p, int sx, int tempo = 0) {
  return "segnale, " + std::to_string(p) + ", " + std::to_string(sx) + ", 2,3,0, 0,0, 0,0,0, " +
         std::to_string(tempo) + "\r\n";
}

TEST(Signals, TimeIsKeptOnlyOnTheLeftKind2AndRaisedTo101BelowIt) {
  const struct {
    int sx, tempo;
    std::uint8_t cella;
  } casi[] = {{2, 50, 101}, {2, 100, 101}, {2, 0, 0}, {2, 205, 205}, {2, 300, 44}, {1, 50, 0}, {1, 205, 0}};
  for (const auto& k : casi) {
    StagedTrain t;
    t.read(segnale(10000, k.sx, k.tempo));
    EXPECT_EQ(t.c(201).tempo, k.cella) << k.sx << " " << k.tempo;
  }
  Scenario s;
  s.celle.allocate(300);
  std::int32_t tempo = 7;
  EXPECT_FALSE(memo_segnale(s, 10000, 1, 0, 0, 0, 0, 0, 0, 0, 0, tempo));
  EXPECT_EQ(tempo, 101);
}

TEST(Signals, BusyCellIsRefusedWithCode16ButAMountainMarkerIsTaken) {
  StagedTrain t;
  t.s.celle[242].evento = event::mountain_marker;
  t.s.celle[260].evento = event::slowdown_start;
  t.read(segnale(12050, 1) + segnale(12950, 1) + "sabbia, 5\r\n");
  EXPECT_EQ(t.c(242).evento, event::signal);
  for (std::int64_t i : {240, 238, 236, 234}) EXPECT_EQ(t.c(i).avviso, 30 + (242 - i) / 2);
  EXPECT_EQ(t.s.codice_errore, 16);
  EXPECT_EQ(t.s.posizione_errore, 12950);
  EXPECT_EQ(t.c(258).avviso, 0);
  EXPECT_EQ(t.s.voci[entry::train_header].par1, 0);
}

TEST(Signals, SecondSignal100MetresOnMarksTheFirstSignalCell) {
  StagedTrain t;
  t.read(segnale(10000, 1) + segnale(10100, 2, 205));
  const cella& primo = t.c(201);
  EXPECT_EQ(primo.evento, event::signal);
  EXPECT_EQ(primo.valore4, 3);
  EXPECT_EQ(primo.avviso, 61);
}

TEST(Signals, MarkerBelowCellZeroFailsAfterTheEarlierWrites) {
  StagedTrain t;
  EXPECT_THROW(t.read(segnale(300, 1)), RuntimeFailure);
  EXPECT_EQ(t.c(7).evento, event::signal);
  EXPECT_EQ(t.c(5).avviso, 31);
  EXPECT_EQ(t.c(3).avviso, 32);
  EXPECT_EQ(t.c(1).avviso, 33);
}

}  // namespace
}  // namespace tracciato
