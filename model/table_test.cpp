#include "model/table.h"

#include <gtest/gtest.h>

#include "model/scenario.h"

namespace tracciato {
namespace {

TEST(Tables, IndexOutsideTheTableIsARunTimeFailure) {
  Table<int> t("celle", 140);
  t[0] = 1;
  t[140] = 2;
  EXPECT_EQ(t.upper(), 140);
  EXPECT_THROW(t[-1], RuntimeFailure);
  EXPECT_THROW(t[141], RuntimeFailure);
  try {
    t[141] = 3;
  } catch (const RuntimeFailure& f) {
    EXPECT_STREQ(f.what(), "celle(141): index outside 0 .. 140");
  }
  EXPECT_EQ(t[140], 2);
}

TEST(Tables, UseBeforeAllocationIsARunTimeFailure) {
  Scenario s;
  EXPECT_THROW(s.celle[0], RuntimeFailure);
  EXPECT_THROW(s.planimetria(0, 0), RuntimeFailure);
  EXPECT_THROW(s.within_cells(0, 100), RuntimeFailure);  // the position check is a use
  EXPECT_NO_THROW(s.voci[86]);
  EXPECT_THROW(s.voci[87], RuntimeFailure);
  EXPECT_THROW(s.montagna_inizio[81], RuntimeFailure);
  EXPECT_NO_THROW(s.montagna_fine[80]);
}

TEST(Tables, ANegativeSizeKeepsTheEarlierTable) {
  Table<int> t("celle", 3);
  t[3] = 7;
  EXPECT_THROW(t.allocate(-1), RuntimeFailure);
  EXPECT_EQ(t[3], 7);
  t.allocate(5);
  EXPECT_EQ(t[3], 0);  // made anew, all zero
  EXPECT_EQ(t.upper(), 5);
}

TEST(Tables, PlanHasTwoCoordinatesPerMetre) {
  Plan p;
  p.allocate(7000);
  p(7000, 1) = PlanValue::of_double(1.5);
  EXPECT_EQ(p(7000, 1).kind, PlanValue::Kind::Double);
  EXPECT_EQ(p(7000, 0).kind, PlanValue::Kind::Empty);
  EXPECT_THROW(p(7001, 0), RuntimeFailure);
  EXPECT_THROW(p(0, 2), RuntimeFailure);
}

TEST(Scenario, PositionCheckAndEventCell) {
  Scenario s;
  s.celle.allocate(2140);
  s.n_celle = 2140;
  EXPECT_TRUE(s.within_cells(106900, 100));
  EXPECT_FALSE(s.within_cells(106901, 100));
  EXPECT_TRUE(s.within_cells(106200, 800));
  EXPECT_FALSE(s.within_cells(106250, 800));
  EXPECT_EQ(Scenario::cell_of(2450), 50);
  EXPECT_EQ(Scenario::cell_of(31025), 622);
  EXPECT_EQ(Scenario::cell_of(31075), 622);
}

TEST(Scenario, EveryRegisterWriteReachesTheListener) {
  Scenario s;
  std::vector<std::pair<int, std::optional<int>>> seen;
  s.observer = [&](const Scenario::Record& r) { seen.push_back({number_of(r.code), r.position}); };
  s.posizione_errore = 9;
  s.record(Code::progressive_off_grid);
  EXPECT_EQ(s.posizione_errore, 9);  // codes without a position leave it
  s.record(Code::signal_cell_busy, 2450);
  EXPECT_EQ(s.codice_errore, 16);
  EXPECT_EQ(s.posizione_errore, 2450);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].second, std::nullopt);
  EXPECT_EQ(seen[1].second, 2450);
}

}  // namespace
}  // namespace tracciato
