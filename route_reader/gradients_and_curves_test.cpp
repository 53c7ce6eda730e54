#include "route_reader/gradients_and_curves.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "route_reader/route_test_support.h"

namespace tracciato {
namespace {

using prova::Lettura;
using prova::linea;

// The gradient bytes of cells from .. to.
std::vector<int> pendenze(const Scenario& s, std::int64_t da, std::int64_t a) {
  std::vector<int> v;
  for (std::int64_t i = da; i <= a; ++i) v.push_back(s.celle[i].pendenza);
  return v;
}

TEST(Gradients, EachEntryStartsAtItsRoundedCellAndTheCompletionFillsToTheLastThree) {
  Lettura l(linea("pendenza,  850,   4\r\npendenza, 875, 1\r\npendenza, 925, 2\r\n"
                  "pendenza, 16000, -3\r\n"));
  ASSERT_TRUE(l.read());
  const Scenario& s = l.s;
  EXPECT_EQ(pendenze(s, 0, 16), std::vector<int>(17, 100));
  EXPECT_EQ(s.celle[17].pendenza, 104);
  // 875 and 925 both start at cell 18: the second one moves the cursor one cell on.
  EXPECT_EQ(s.celle[18].pendenza, 101);
  EXPECT_EQ(pendenze(s, 19, 319), std::vector<int>(301, 102));
  EXPECT_EQ(pendenze(s, 320, 337), std::vector<int>(18, 97));
  EXPECT_EQ(pendenze(s, 338, 340), std::vector<int>(3, 0));
}

TEST(Gradients, EqualStartCellsShiftTheSecondOneCellOn) {
  Lettura l(linea("pendenza, 23000, 5\r\npendenza, 23020, 7\r\n", 30000));
  ASSERT_TRUE(l.read());
  EXPECT_EQ(pendenze(l.s, 459, 462), (std::vector<int>{100, 105, 107, 107}));
}

TEST(Gradients, PositionZeroWritesNoCellAndNoEntryLeavesEveryCellLevel) {
  Lettura zero(linea("pendenza, 0, -22\r\n"));
  ASSERT_TRUE(zero.read());
  EXPECT_EQ(pendenze(zero.s, 0, 337), std::vector<int>(338, 78));

  Lettura nessuna(linea(""));
  ASSERT_TRUE(nessuna.read());
  EXPECT_EQ(pendenze(nessuna.s, 0, 337), std::vector<int>(338, 100));
  EXPECT_EQ(pendenze(nessuna.s, 338, 340), std::vector<int>(3, 0));
}

TEST(Gradients, TheCompletionWritesBeforeItTests) {
  // Start cell 338 leaves the cursor there; the completion still writes that cell.
  Lettura l(linea("pendenza, 16900, 56\r\n"));
  ASSERT_TRUE(l.read());
  EXPECT_EQ(pendenze(l.s, 337, 340), (std::vector<int>{100, 156, 0, 0}));
}

TEST(Gradients, ACursorPushedPastTheLastCellIsARunTimeFailure) {
  std::string corpo;
  for (int i = 0; i < 141; ++i) corpo += "pendenza, 50, 1\r\n";
  Lettura l(linea(corpo, 0));
  EXPECT_THROW(l.read(), RuntimeFailure);
  EXPECT_EQ(l.s.celle[140].pendenza, 101);
}

TEST(Curves, TheFirstShippedCurveBendsRightAfterAStraightStart) {
  Lettura l(linea("curvad4,  2150,  100\r\n", 100000));
  ASSERT_TRUE(l.read());
  const Plan& p = l.s.planimetria;
  EXPECT_EQ(p(0, 0).kind, PlanValue::Kind::Integer);
  EXPECT_EQ(p(1, 1).kind, PlanValue::Kind::Integer);
  EXPECT_EQ(p(1, 1).integer, 1);
  for (std::int64_t m : {2, 1000, 2150}) {
    EXPECT_EQ(p(m, 0).kind, PlanValue::Kind::Double);
    EXPECT_EQ(p(m, 0).real, 0.0);
    EXPECT_EQ(p(m, 1).real, static_cast<double>(m));
  }
  EXPECT_EQ(p(2151, 0).real, 0.001);
  EXPECT_EQ(p(2151, 1).real, 2151.0);
  // The step grows by sqrt(1 + k*k) per bent metre and is never rescaled.
  const double dx = p(2250, 0).real - p(2249, 0).real;
  const double dy = p(2250, 1).real - p(2249, 1).real;
  EXPECT_NEAR(std::hypot(dx, dy), std::pow(1.000001, 50), 1e-9);
  EXPECT_NEAR(std::atan2(dx, dy), 100 * std::atan(0.001), 1e-9);
  // From 2251 on the track runs straight in the direction reached.
  EXPECT_NEAR(p(3251, 0).real - p(2251, 0).real, 1000 * dx, 1e-6);
  // The grouping of the sums fixes the bits of every point.
  EXPECT_EQ(std::bit_cast<std::uint64_t>(p(2250, 0).real), 0x40142F0537C713BDu);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(p(2250, 1).real), 0x40A193AAB73B227Cu);
  // The plan runs straight to lunghezza_estesa - 2; the last two metres stay empty.
  EXPECT_EQ(p(106998, 0).kind, PlanValue::Kind::Double);
  EXPECT_EQ(p(106999, 0).kind, PlanValue::Kind::Empty);
  EXPECT_EQ(p(107000, 1).kind, PlanValue::Kind::Empty);
}

TEST(Curves, ClassIsTheSmallestDigitAndAnSMakesItLeftHand) {
  EXPECT_EQ(curvature("curvas4"), -0.001);
  EXPECT_EQ(curvature("curvad6"), 0.003);
  EXPECT_EQ(curvature("curva 5 3"), 0.0004);
  EXPECT_EQ(curvature("CurvaS1"), -0.0001);
  EXPECT_EQ(curvature("curva2"), 0.0002);
  EXPECT_EQ(curvature("curvad7"), std::nullopt);

  Lettura sinistra(linea("curvas4,  2150,  100\r\n"));
  ASSERT_TRUE(sinistra.read());
  EXPECT_EQ(sinistra.s.planimetria(2151, 0).real, -0.001);
}

TEST(Curves, ACurveStartingBehindTheCursorBendsFromTheCursorOnly) {
  Lettura l(linea("curvad4, 100, 100\r\ncurvad6, 150, 100\r\ncurvas6, 120, 50\r\n"));
  ASSERT_TRUE(l.read());
  Lettura senza(linea("curvad4, 100, 100\r\ncurvad6, 200, 50\r\n"));
  ASSERT_TRUE(senza.read());
  // Both bend 201 .. 250 with class 6; the third entry of the first text changes nothing.
  for (std::int64_t m : {201, 250, 400})
    EXPECT_EQ(l.s.planimetria(m, 0).real, senza.s.planimetria(m, 0).real);
}

TEST(Curves, WithoutThePlanCurveValuesAreReadAsKeywords) {
  Lettura l(linea("curvad4, pendenza, 500, 3\r\n"), 0);
  ASSERT_TRUE(l.read());
  EXPECT_FALSE(l.s.planimetria.allocated());
  EXPECT_EQ(l.s.celle[10].pendenza, 103);
}

TEST(Curves, NoClassDigitOrAPlanPastOneMillionIsCode103) {
  Lettura senza_classe(linea("curvad4, 100, 10\r\ncurvad, 300, 50\r\n"));
  EXPECT_FALSE(senza_classe.read());
  EXPECT_EQ(senza_classe.s.codice_errore, 103);
  EXPECT_EQ(senza_classe.s.planimetria(110, 1).kind, PlanValue::Kind::Double);
  EXPECT_EQ(senza_classe.s.planimetria(111, 1).kind, PlanValue::Kind::Empty);

  Lettura lunga(linea("curvad1, 999990, 100\r\n", 1000000));
  EXPECT_FALSE(lunga.read());
  EXPECT_EQ(lunga.s.codice_errore, 103);
  EXPECT_EQ(lunga.s.planimetria(1000000, 0).kind, PlanValue::Kind::Double);
  EXPECT_EQ(lunga.s.planimetria(1000001, 0).kind, PlanValue::Kind::Empty);
}

TEST(Curves, ACurveEndBeyondThePlanIsARunTimeFailure) {
  Lettura l(linea("curvad4, 16000, 2000\r\n"));
  EXPECT_THROW(l.read(), RuntimeFailure);
  EXPECT_EQ(l.s.planimetria(17000, 0).kind, PlanValue::Kind::Double);
}

}  // namespace
}  // namespace tracciato
