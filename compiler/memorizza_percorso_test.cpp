#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/errore.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

// A scenario as the readers leave it: names in entries 85 and 86, cells allocated.
Scenario read_scenario() {
  Scenario s;
  s.voci[entry::route_header].nome = "ROVELDA-MARNE";
  s.voci[entry::train_header].nome = "K 517";
  s.celle.allocate(2140);
  s.n_celle = 2140;
  return s;
}

TEST(ReservedSlots, FreeSlotsAreStampedWithTheMarksAndTheCodes) {
  MemoryPlatform p;
  Scenario s = read_scenario();
  stamp_reserved_slots(s, p);
  EXPECT_EQ(s.voci[85].par1, 610);
  EXPECT_EQ(s.celle[1].valore1, 5121);
  EXPECT_EQ(s.voci[85].orario, 33997);
  EXPECT_EQ(s.celle[1].valore2, 2414);
  EXPECT_TRUE(p.messages.empty());
}

TEST(ReservedSlots, ASlotAlreadyInUseEndsTheRunThroughErrore) {
  struct Case {
    const char* slot;
    void (*stage)(Scenario&);
    const char* number;
  };
  const Case cases[] = {
      {"entry 85 par1", [](Scenario& s) { s.voci[85].par1 = -1; }, "1250"},
      {"cell 1 valore1", [](Scenario& s) { s.celle[1].valore1 = 180; }, "1250"},
      {"entry 85 orario", [](Scenario& s) { s.voci[85].orario = 1; }, "1251"},
      {"cell 1 valore2", [](Scenario& s) { s.celle[1].valore2 = 7; }, "1251"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    MemoryPlatform p;
    Scenario s = read_scenario();
    c.stage(s);
    try {
      stamp_reserved_slots(s, p);
      ADD_FAILURE() << "no errore";
    } catch (const FatalError& e) {
      EXPECT_EQ(e.number, c.number);
    }
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], std::string(" Errore n. ") + c.number);
    // The marks go in before the codes are checked; nothing is stamped after errore.
    EXPECT_EQ(s.voci[85].par1 == 610, std::string(c.number) == "1251");
    EXPECT_NE(s.voci[85].orario, 33997);
  }
}

TEST(ReservedSlots, WithoutCellsTheCheckIsARunTimeFailure) {
  MemoryPlatform p;
  Scenario s;
  EXPECT_THROW(stamp_reserved_slots(s, p), RuntimeFailure);
  EXPECT_TRUE(p.messages.empty());
}

// The compile on texts staged in memory, as an author would give them.
struct Compile {
  MemoryPlatform p;
  Scenario s;
  std::vector<std::string> scritti;
  SourceTexts sources{"app/R_linea.txt", "app/R_T-.txt", false};
  ScenarioFiles outputs{"app/R_linea.dat", "app/R_T.sim", "app/R_T.dat"};

  Compile(const std::string& route, const std::string& train = "[generale]\r\n[fine]\r\n") {
    s.nome_linea = "R";
    s.nome_treno = "T";
    p.files[sources.route] = route;
    p.files[sources.train] = train;
  }
  void run(std::int32_t flag = 1) { memorizza_percorso(s, flag, p, sources, outputs, scritti); }
  const std::string& file(const std::string& path) { return p.files.at(path); }
};

std::string route_of_length(std::int64_t length, const std::string& body = "") {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(length) + "\r\n[curve]\r\n" + body +
         "[fine]\r\n";
}

std::uint16_t u16_at(const std::string& f, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(f.at(offset)) |
                                    static_cast<unsigned char>(f.at(offset + 1)) << 8);
}

std::int32_t i32_at(const std::string& f, std::size_t offset) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(f.at(offset + k));
  return static_cast<std::int32_t>(v);
}

TEST(Compile, A100KmRouteWithoutCurvesGivesThePlanFileItsExactLayout) {
  Compile c(route_of_length(100000));
  c.run();
  EXPECT_EQ(c.s.codice_errore, 0);
  const std::string& plan = c.file(c.outputs.planimetria);
  const std::size_t per_coordinate = 10 * 107000 - 18;
  ASSERT_EQ(plan.size(), 2139964u);
  const std::string start("\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00", 10);
  const std::string y_start("\x02\x00\x00\x00\x02\x00\x01\x00\x05\x00", 10);
  EXPECT_EQ(plan.substr(0, 10), start);
  EXPECT_EQ(plan.substr(per_coordinate, 10), y_start);
  // The last two metres of each coordinate are Empty: two bytes each.
  EXPECT_EQ(plan.substr(per_coordinate - 14, 2), std::string("\x05\x00", 2));
  EXPECT_EQ(plan.substr(per_coordinate - 4, 4), std::string(4, '\0'));
  EXPECT_EQ(plan.substr(plan.size() - 14, 2), std::string("\x05\x00", 2));
  EXPECT_EQ(plan.substr(plan.size() - 4, 4), std::string(4, '\0'));
}

TEST(Compile, EntryAndCellFilesCarryTheMarksAndTheCodes) {
  Compile c(route_of_length(100000));
  c.run();
  EXPECT_EQ(c.scritti, (std::vector<std::string>{c.outputs.planimetria, c.outputs.voci, c.outputs.celle}));
  const std::string& entries = c.file(c.outputs.voci);
  ASSERT_EQ(entries.size(), 2958u + 1 + 1);  // names "R" and "T"
  const std::size_t route_header = 85 * 34;
  EXPECT_EQ(u16_at(entries, route_header + 14), 1);
  EXPECT_EQ(entries.substr(route_header + 17, 2), "\x62\x02");
  EXPECT_EQ(i32_at(entries, route_header + 31), c.s.voci[85].orario);
  EXPECT_NE(c.s.voci[85].orario, 0);
  const std::string& cells = c.file(c.outputs.celle);
  ASSERT_EQ(cells.size(), 15u * 2141);
  EXPECT_EQ(cells.substr(16, 2), "\x01\x14");
  EXPECT_EQ(u16_at(cells, 18), static_cast<std::uint16_t>(c.s.celle[1].valore2));
  EXPECT_NE(c.s.celle[1].valore2, 0);
}

TEST(Compile, StartsFromAClearedTableAndAResetRegister) {
  Compile c(route_of_length(0));
  c.s.codice_errore = 12;
  c.s.voci[3].nome = "left over";
  c.s.voci[85].par1 = 610;
  c.s.voci[0].orario = 5;
  c.run();
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.voci[3].nome, "");
  EXPECT_EQ(c.s.voci[0].orario, 0);
  EXPECT_EQ(c.file(c.outputs.celle).size(), 2115u);
}

TEST(Compile, ADataFaultStillStampsAndWritesEveryFile) {
  // A gradient beyond the model stops the route reading softly with code 15.
  Compile c(route_of_length(0, "pendenza, 999999, 1\r\n"));
  c.run();
  EXPECT_EQ(c.s.codice_errore, 15);
  EXPECT_EQ(c.s.posizione_errore, 999999);
  EXPECT_EQ(c.scritti.size(), 3u);
  EXPECT_EQ(c.s.voci[85].par1, 610);
}

TEST(Compile, AnEventInCellOneEndsTheRunWithErrore1250AndWritesNothing) {
  Compile c(route_of_length(1000, "indicatori_vmax, 0, 90, 95, 95, 0, , , , 0\r\n"));
  c.p.files[c.outputs.voci] = "older entries";
  EXPECT_THROW(c.run(), FatalError);
  EXPECT_EQ(c.p.messages, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_TRUE(c.scritti.empty());
  EXPECT_EQ(c.p.files.count(c.outputs.planimetria), 0u);
  EXPECT_EQ(c.p.files.count(c.outputs.celle), 0u);
  EXPECT_EQ(c.file(c.outputs.voci), "older entries");
}

TEST(Compile, AMissingRouteTextLeavesNoCellsAndWritesNothing) {
  Compile c(route_of_length(0));
  c.p.files.erase(c.sources.route);
  EXPECT_THROW(c.run(), RuntimeFailure);
  EXPECT_EQ(c.s.codice_errore, 101);
  EXPECT_TRUE(c.scritti.empty());
  EXPECT_EQ(c.p.files.count(c.sources.train), 1u);  // never reached, never deleted
}

TEST(Compile, PlanFlagZeroWritesNoPlanFileAndKeepsAnOlderOne) {
  Compile c(route_of_length(0, "curvas4, 100, 150\r\n"));
  c.p.files[c.outputs.planimetria] = "older plan";
  c.run(0);
  EXPECT_EQ(c.s.con_planimetria, 0);
  EXPECT_EQ(c.scritti, (std::vector<std::string>{c.outputs.voci, c.outputs.celle}));
  EXPECT_EQ(c.file(c.outputs.planimetria), "older plan");
}

TEST(Compile, ANameTooLongForTheEntryFileStopsAfterThePlanFile) {
  Compile c(route_of_length(0));
  c.s.nome_treno = std::string(65536, 't');
  EXPECT_THROW(c.run(), RuntimeFailure);
  EXPECT_EQ(c.scritti, std::vector<std::string>{c.outputs.planimetria});
  EXPECT_EQ(c.p.files.count(c.outputs.voci), 0u);
  EXPECT_EQ(c.p.files.count(c.outputs.celle), 0u);
}

TEST(Compile, SourceTextsAreKeptWhenTheRunDoesNotDeleteThem) {
  Compile c(route_of_length(0));
  const std::string route = c.file(c.sources.route);
  c.run();
  EXPECT_EQ(c.file(c.sources.route), route);
  EXPECT_EQ(c.file(c.sources.train), "[generale]\r\n[fine]\r\n");
}

}  // namespace
}  // namespace tracciato
