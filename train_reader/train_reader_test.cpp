#include "train_reader/train_reader.h"

#include <gtest/gtest.h>

#include "platform/runtime_failure.h"
#include "train_reader/staged_train.h"

namespace tracciato {
namespace {

// A station line whose position is not a multiple of 50: error exit 8 after one field.
const std::string uscita_8 = "stazione, 25\r\n";

TEST(TrainReader, GeneralLinesMatchInAnyCaseAndNeedBothWordsForBrakedMass) {
  StagedTrain t;
  t.read("NUMERO VETTURE, 11\r\nmassa, 7\r\nPercentuale Massa Frenata, 125\r\nsabbia, 300\r\n"
          "orologio, 1, 2, 3\r\norologio,    9               18            0 \r\n");
  const voce& corsa = t.s.voci[entry::run_data];
  const voce& treno = t.s.voci[entry::train_header];
  EXPECT_EQ(corsa.posizione, 11);
  EXPECT_EQ(corsa.inizio_area, 125);
  EXPECT_EQ(treno.par1, 300);
  EXPECT_EQ(treno.par3, 9);
  EXPECT_EQ(treno.par4, 18);
  EXPECT_EQ(treno.par5, 0);
  EXPECT_EQ(t.s.codice_errore, 0);
  EXPECT_FALSE(t.testo_rimasto());
}

TEST(TrainReader, HeadersAreSkippedAndTheLastFieldIsNotInterpreted) {
  StagedTrain t;
  t.read("[aderenze]\r\n[vel_limite]\r\n[stazioni]\r\n[rallentamenti]\r\n[segnali]\r\n"
          "[codici]\r\nsabbia");
  EXPECT_EQ(t.s.codice_errore, 0);
  EXPECT_EQ(t.s.voci[1].posizione, 0);
  EXPECT_EQ(t.s.voci[entry::train_header].par1, 0);
}

TEST(TrainReader, AtMostTwoCommentFieldsInARowAreDiscarded) {
  StagedTrain t;
  t.read("----,-- segnale --\r\nsegnale, 2450, 1,4,0,0,0,0,0,0,0,0\r\n"
          "---\r\n---\r\n-segnale-, 3850, 2,4,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(t.c(50).evento, event::signal);
  EXPECT_EQ(t.c(78).evento, event::signal);
}

TEST(TrainReader, MissingTextIsARuntimeFailure) {
  StagedTrain t;
  EXPECT_THROW(read_train(t.s, t.p, t.sources), RuntimeFailure);
}

struct ListCase {
  const char* righe;
  std::int64_t cella;
  std::uint8_t velocita, aderenza;
};

// Each case ends with an error exit, so only what the lines themselves fill is seen.
TEST(TrainReader, ListLinesFillFromTheCursorToTheirRoundedCell) {
  const ListCase casi[] = {
      {"velocita, 0, 95\r\n", 0, 0, 0},  // position 0 writes nothing
      {"velocita, 0, 95\r\nvelocita, 1225, 140\r\n", 23, 19, 0},
      {"velocita, 0, 95\r\nvelocita, 1225, 140\r\n", 24, 0, 0},
      {"velocita, 0, 95\r\nvelocita, 1275, 140\r\n", 25, 19, 0},
      {"velocita, 0, 95\r\nvelocita, 1275, 140\r\n", 26, 0, 0},
      {"velocita,0,95\r\nvelocita,1200,140\r\nvelocita,1200,100\r\n", 24, 28, 0},
      {"velocita,0,95\r\nvelocita,1200,140\r\nvelocita,1200,100\r\n", 25, 0, 0},
      {"velocita,0,102\r\nvelocita,50,103\r\nvelocita,100,0\r\n", 0, 20, 0},
      {"velocita,0,102\r\nvelocita,50,103\r\nvelocita,100,0\r\n", 1, 21, 0},
      {"aderenza,0,300\r\naderenza,100,0\r\n", 1, 0, 44},
  };
  for (const ListCase& k : casi) {
    StagedTrain t;
    t.read(std::string(k.righe) + uscita_8);
    EXPECT_EQ(t.s.codice_errore, 8) << k.righe;
    EXPECT_EQ(t.c(k.cella).velocita, k.velocita) << k.righe << " cell " << k.cella;
    EXPECT_EQ(t.c(k.cella).aderenza, k.aderenza) << k.righe << " cell " << k.cella;
  }
}

TEST(TrainReader, SpeedWhoseFifthIsNotAByteFailsOnlyWhenWritten) {
  for (const char* v : {"1278", "-3"}) {
    StagedTrain t;
    EXPECT_THROW(t.read(std::string("velocita,0,") + v + "\r\nvelocita,50,0\r\n"),
                 RuntimeFailure) << v;
  }
  StagedTrain t;
  t.read("velocita,0,1277\r\nvelocita,50,-2\r\n" + uscita_8);
  EXPECT_EQ(t.c(0).velocita, 255);
}

TEST(TrainReader, ListCursorsNeverWriteOutsideTheCells) {
  std::string righe;
  for (int i = 0; i < 12; ++i) righe += "velocita, 400, 5\r\n";
  StagedTrain t(10);
  t.read(righe);  // the speed fill stops at the last cell index
  EXPECT_EQ(t.c(10).velocita, 1);

  righe.clear();
  for (int i = 0; i < 12; ++i) righe += "aderenza, 400, 5\r\n";
  StagedTrain a(10);
  EXPECT_THROW(a.read(righe), RuntimeFailure);
}

TEST(TrainReader, SoftStopCompletesTheListsAndKeepsItsPosition) {
  StagedTrain t;
  const std::int32_t oltre = 50 * 2140 - 99;
  t.read("velocita,0,95\r\naderenza,0,100\r\nvelocita," + std::to_string(oltre) +
          ",140\r\nsabbia, 5\r\n");
  EXPECT_EQ(t.s.codice_errore, 15);
  EXPECT_EQ(t.s.posizione_errore, oltre);
  EXPECT_EQ(t.s.voci[entry::train_header].par1, 0);
  for (std::int64_t i : {0, 2137}) {
    EXPECT_EQ(t.c(i).velocita, 19);
    EXPECT_EQ(t.c(i).aderenza, 100);
  }
  EXPECT_EQ(t.c(2138).velocita, 0);
  EXPECT_EQ(t.c(2138).aderenza, 0);
  EXPECT_FALSE(t.testo_rimasto());
}

TEST(TrainReader, ErrorExitLeavesTheListsUnfilledAndTheTextOnlyWhenNotDeleting) {
  for (bool remove : {true, false}) {
    StagedTrain t;
    t.sources.delete_after_reading = remove;
    t.read("velocita,0,95\r\nvelocita,100,140\r\n" + uscita_8 + "sabbia, 5\r\n");
    EXPECT_EQ(t.s.codice_errore, 8);
    EXPECT_EQ(t.s.posizione_errore, 25);
    EXPECT_EQ(t.c(1).velocita, 19);
    EXPECT_EQ(t.c(2).velocita, 0);
    EXPECT_EQ(t.s.voci[entry::train_header].par1, 0);
    EXPECT_EQ(t.testo_rimasto(), !remove);
  }
  StagedTrain t;
  t.sources.delete_after_reading = false;
  t.read("sabbia, 5\r\n");
  EXPECT_TRUE(t.testo_rimasto());
}

TEST(TrainReader, RouteSoftStopDoesNotEndTheReadingAtTheFirstSignal) {
  StagedTrain t;
  t.s.record(Code::beyond_the_model, 99999);
  t.read("segnale, 2450, 1,4,0,0,0,0,0,0,0,0\r\nrallentamento, 38950, 75, 350, 1, 0, 0\r\n"
          "segnale, 3850, 2,4,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(t.c(50).evento, event::signal);
  EXPECT_EQ(t.c(780).evento, event::slowdown_start);
  EXPECT_EQ(t.c(78).evento, event::signal);
  EXPECT_EQ(t.s.codice_errore, 15);
  EXPECT_EQ(t.s.posizione_errore, 99999);
}

TEST(TrainReader, ProgressiveNotAMultipleOf50IsCode2) {
  StagedTrain t;
  t.s.posizione_errore = 7;
  t.s.voci[entry::progressive_two].fine_area = 1025;
  t.read("");
  EXPECT_EQ(t.s.codice_errore, 2);
  EXPECT_EQ(t.s.posizione_errore, 7);
}

}  // namespace
}  // namespace tracciato
