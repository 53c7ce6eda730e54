// The plan as the compiler computes it, against a plain step-by-step computation that
// reads every point back, for curve sequences the fast path must not get wrong.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "route_reader/gradients_and_curves.h"

namespace tracciato {
namespace {

struct Curve {
  std::string keyword;
  std::int64_t start, length;
};

// Point m from points m-1 and m-2, as the algorithm states it.
struct Reference {
  std::vector<double> x, y;
  std::int64_t m = 2;
  explicit Reference(std::int64_t last) : x(last + 1), y(last + 1) { y[1] = 1; }
  void step(double k) {
    const double dx = x[m - 1] - x[m - 2], dy = y[m - 1] - y[m - 2];
    x[m] = x[m - 1] + (dx + k * dy);
    y[m] = y[m - 1] + (dy - k * dx);
    ++m;
  }
};

void expect_same_plan(const std::vector<Curve>& curves) {
  Scenario s;
  s.con_planimetria = 1;
  s.lunghezza_estesa = 8000;
  s.planimetria.allocate(s.lunghezza_estesa);
  seed_plan(s);
  BodyCursors c;
  Reference r(s.lunghezza_estesa);
  for (const Curve& curve : curves) {
    ASSERT_EQ(apply_curve(s, c, curve.keyword, curve.start, curve.length), LineOutcome::next);
    const double k = *curvature(curve.keyword);
    while (r.m <= curve.start) r.step(0);
    while (r.m <= curve.start + curve.length) r.step(k);
  }
  complete_plan(s, c);
  while (r.m <= s.lunghezza_estesa - 2) r.step(0);

  for (std::int64_t m = 2; m <= s.lunghezza_estesa; ++m) {
    const bool computed = m < r.m;
    ASSERT_EQ(s.planimetria(m, 0).kind, computed ? PlanValue::Kind::Double : PlanValue::Kind::Empty) << m;
    if (!computed) continue;
    ASSERT_EQ(s.planimetria(m, 0).real, r.x[m]) << m;  // bit for bit
    ASSERT_EQ(s.planimetria(m, 1).real, r.y[m]) << m;
  }
}

TEST(PlanAgainstReference, CurvesInOrderThenStraightToTheEnd) {
  expect_same_plan({{"curvad4", 100, 200}, {"curvas6", 400, 50}, {"curvad1", 1000, 3000}});
}

TEST(PlanAgainstReference, OverlappingAndOutOfOrderCurvesBendFromTheCursor) {
  expect_same_plan({{"curvad5", 500, 300}, {"curvas3", 600, 500}, {"curvad2", 200, 100},
                    {"curvas4", 300, 1000}});
}

TEST(PlanAgainstReference, ANegativeLengthStillRunsStraightToTheStart) {
  expect_same_plan({{"curvad4", 100, 50}, {"curvas5", 900, -800}, {"curvad6", 950, 20}});
  // Seen from the points alone a straight run put off is the same run; the limit of
  // the plan cursor tells them apart.
  Scenario s;
  s.con_planimetria = 1;
  s.lunghezza_estesa = 1007000;
  s.planimetria.allocate(s.lunghezza_estesa);
  seed_plan(s);
  BodyCursors c;
  ASSERT_EQ(apply_curve(s, c, "curvad1", 999000, 700), LineOutcome::next);
  EXPECT_EQ(apply_curve(s, c, "curvad4", 1000500, -900), LineOutcome::error_exit);
  EXPECT_EQ(s.codice_errore, 103);
  EXPECT_EQ(c.metro, 1000001);
}

TEST(PlanAgainstReference, ACurveEndingOnTheLastMetreFillsTheLastTwoPoints) {
  expect_same_plan({{"curvas2", 7000, 1000}});
}

TEST(PlanAgainstReference, ACurveStartingOnTheSecondPointBendsAtOnce) {
  expect_same_plan({{"curvad6", 1, 10}, {"curvas6", 11, 10}});
}

}  // namespace
}  // namespace tracciato
