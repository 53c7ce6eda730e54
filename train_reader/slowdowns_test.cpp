#include "train_reader/slowdowns.h"

#include <gtest/gtest.h>

#include "platform/runtime_failure.h"
#include "train_reader/staged_train.h"

namespace tracciato {
namespace {

TEST(Slowdowns, WarningBoardAndApproachCellsOnlyBeyond1500Metres) {
  StagedTrain a;
  a.read("rallentamento, 1500, 60, 500, 1, 1, 0\r\n");
  EXPECT_EQ(a.c(31).evento, event::slowdown_start);
  EXPECT_EQ(a.c(41).evento, event::slowdown_end);
  for (std::int64_t i = 1; i <= 30; ++i) EXPECT_EQ(a.c(i).evento, 0) << i;

  StagedTrain b;
  b.s.celle[32].valore2 = 9;
  b.read("rallentamento, 1550, 60, 500, 2, 1, 0\r\n");
  EXPECT_EQ(b.c(8).evento, event::warning_board);
  EXPECT_EQ(b.c(8).valore1, 60);
  EXPECT_EQ(b.c(32).valore3, 2);
  EXPECT_EQ(b.c(32).valore2, 9);  // d_v 0 leaves it
  for (std::int16_t rango = 1; rango <= 4; ++rango) {
    EXPECT_EQ(b.c(8 - rango).evento, event::approach_cell);
    EXPECT_EQ(b.c(8 - rango).valore1, rango);
    EXPECT_EQ(b.c(8 - rango).valore2, 0);
  }
}

TEST(Slowdowns, SecondValueIsWrittenEverywhereWhenNonZero) {
  StagedTrain t;
  t.read("rallentamento, 10000, 60, 500, 1, 1, 7\r\n");
  for (std::int64_t i : {177, 201, 211}) EXPECT_EQ(t.c(i).valore2, 7) << i;
  for (std::int16_t rango = 1; rango <= 4; ++rango) EXPECT_EQ(t.c(177 - rango).valore2, rango);
}

TEST(Slowdowns, BusyBoardCellsAreCodes17To19AndWriteNothing) {
  const struct {
    std::int64_t occupata;
    int codice;
  } casi[] = {{177, 17}, {201, 18}, {211, 19}};
  for (const auto& k : casi) {
    StagedTrain t;
    t.s.celle[k.occupata].evento = event::signal;
    t.read("rallentamento, 10000, 60, 500, 1, 0, 0\r\n");
    EXPECT_EQ(t.s.codice_errore, k.codice);
    EXPECT_EQ(t.s.posizione_errore, 10000);
    for (std::int64_t i : {177, 201, 211})
      EXPECT_TRUE(i == k.occupata || t.c(i).evento == 0) << k.codice << " cell " << i;
  }
  StagedTrain montagna;
  montagna.s.celle[201].evento = event::mountain_marker;
  montagna.read("rallentamento, 10000, 60, 500, 1, 0, 0\r\n");
  EXPECT_EQ(montagna.c(201).evento, event::slowdown_start);
}

TEST(Slowdowns, BusyApproachCellIsCode20AfterTheBoards) {
  StagedTrain t;
  t.s.celle[174].evento = event::signboard;
  t.read("rallentamento, 10000, 60, 500, 1, 1, 0\r\n");
  EXPECT_EQ(t.s.codice_errore, 20);
  EXPECT_EQ(t.c(177).evento, event::warning_board);
  EXPECT_EQ(t.c(201).evento, event::slowdown_start);
  EXPECT_EQ(t.c(211).evento, event::slowdown_end);
  EXPECT_EQ(t.c(176).evento, 0);
}

TEST(Slowdowns, EndBoardOutsideTheCellsIsARuntimeFailure) {
  StagedTrain t(100);
  EXPECT_THROW(t.read("rallentamento, 4000, 60, 1000, 1, 0, 0\r\n"), RuntimeFailure);
  EXPECT_EQ(t.c(81).evento, 0);
}

TEST(Slowdowns, AbatementUsesTheCellWithoutThePlusOne) {
  StagedTrain t;
  t.s.celle[100].valore1 = 9;
  t.read("abbattimento, 12050, 90\r\nabbattimento, 5000, 0\r\nabbattimento, 12050, 5\r\n");
  EXPECT_EQ(t.c(241).evento, event::abatement);
  EXPECT_EQ(t.c(241).valore1, 90);
  EXPECT_EQ(t.c(100).evento, event::bare_abatement);
  EXPECT_EQ(t.c(100).valore1, 9);
  EXPECT_EQ(t.s.codice_errore, 7);
  EXPECT_EQ(t.s.posizione_errore, 12050);
}

}  // namespace
}  // namespace tracciato
