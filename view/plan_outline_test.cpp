#include "view/plan_outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "platform/runtime_failure.h"
#include "view/test_scenario.h"

namespace tracciato::view {
namespace {

using Point = std::optional<std::pair<double, double>>;

// A plan of metres 0 .. last whose point at metre m is at(m), Empty where it has none.
DecodedPlan plan_of(std::int64_t last, const std::function<Point(std::int64_t)>& at) {
  DecodedPlan p;
  for (std::int64_t m = 0; m <= last; ++m) {
    const Point q = at(m);
    p.x.push_back(q ? PlanValue::of_double(q->first) : PlanValue{});
    p.y.push_back(q ? PlanValue::of_double(q->second) : PlanValue{});
  }
  return p;
}

// The largest distance in metres from a plan metre to the outline over it: the kept
// segment whose metres enclose it.
double largest_error(const DecodedPlan& plan, const std::vector<OutlineRun>& runs) {
  double worst = 0;
  for (const OutlineRun& run : runs)
    for (std::size_t k = 0; k + 1 < run.size(); ++k) {
      const double ax = run[k].x_cm / 100.0, ay = run[k].y_cm / 100.0;
      const double bx = run[k + 1].x_cm / 100.0, by = run[k + 1].y_cm / 100.0;
      for (std::int64_t m = run[k].metre; m <= run[k + 1].metre; ++m) {
        const double px = plan.x[static_cast<std::size_t>(m)].number();
        const double py = plan.y[static_cast<std::size_t>(m)].number();
        const double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / l2, 0.0, 1.0) : 0;
        worst = std::max(worst, std::hypot(ax + t * dx - px, ay + t * dy - py));
      }
    }
  return worst;
}

std::vector<std::int64_t> metres_of(const OutlineRun& run) {
  std::vector<std::int64_t> m;
  for (const OutlinePoint& p : run) m.push_back(p.metre);
  return m;
}

TEST(PlanOutline, TheEmbeddedLineStaysWithinHalfAMetreOfItsPlan) {
  const DecodedPlan plan = decode_plan(testing::embedded_files().plan);
  const PlanOutline o = plan_outline(plan, 100000);
  // Metres 0 .. 106998 hold both coordinates; the last two are Empty.
  ASSERT_EQ(o.route.size(), 1u);
  ASSERT_EQ(o.beyond.size(), 1u);
  EXPECT_EQ(o.route[0].front().metre, 0);
  EXPECT_EQ(o.route[0].back().metre, 100000);
  EXPECT_EQ(o.beyond[0].front().metre, 100000);
  EXPECT_EQ(o.beyond[0].back().metre, 106998);
  EXPECT_LE(largest_error(plan, o.route), 0.5);
  EXPECT_LE(largest_error(plan, o.beyond), 0.5);
  // What makes the page small: a few points a kilometre, not a thousand.
  EXPECT_LT(o.route[0].size() + o.beyond[0].size(), 107000u / 20);
}

TEST(PlanOutline, KeepsTheEndsTheKilometresAndWhatStandsOffTheLine) {
  const struct {
    const char* what;
    std::int64_t last;
    std::function<Point(std::int64_t)> at;
    std::vector<std::int64_t> kept;
  } cases[] = {
      {"a straight line", 2500, [](std::int64_t m) -> Point { return std::pair{0.0, double(m)}; },
       {0, 1000, 2000, 2500}},
      {"a point 46 cm off it", 900,
       [](std::int64_t m) -> Point { return std::pair{m == 300 ? 0.46 : 0.0, double(m)}; },
       {0, 299, 300, 301, 900}},
      {"a point 44 cm off it", 900,
       [](std::int64_t m) -> Point { return std::pair{m == 300 ? 0.44 : 0.0, double(m)}; },
       {0, 900}},
      {"a right angle", 800,
       [](std::int64_t m) -> Point {
         return m <= 400 ? std::pair{0.0, double(m)} : std::pair{double(m - 400), 400.0};
       },
       {0, 400, 800}},
  };
  for (const auto& c : cases) {
    const PlanOutline o = plan_outline(plan_of(c.last, c.at), c.last);
    ASSERT_EQ(o.route.size(), 1u) << c.what;
    EXPECT_EQ(metres_of(o.route[0]), c.kept) << c.what;
    EXPECT_TRUE(o.beyond.empty()) << c.what;
  }
}

TEST(PlanOutline, AMetreWithoutCoordinatesBreaksTheLineAndTheRouteEndSplitsIt) {
  const DecodedPlan p = plan_of(600, [](std::int64_t m) -> Point {
    if (m == 100 || m == 101) return std::nullopt;
    return std::pair{0.0, double(m)};
  });
  const PlanOutline o = plan_outline(p, 400);
  ASSERT_EQ(o.route.size(), 2u);
  EXPECT_EQ(metres_of(o.route[0]), (std::vector<std::int64_t>{0, 99}));
  EXPECT_EQ(metres_of(o.route[1]), (std::vector<std::int64_t>{102, 400}));
  ASSERT_EQ(o.beyond.size(), 1u);
  EXPECT_EQ(metres_of(o.beyond[0]), (std::vector<std::int64_t>{400, 600}));
  // Centimetres, rounded to the nearest.
  EXPECT_EQ(o.route[1].front().y_cm, 10200);
}

TEST(PlanOutline, RefusesPointsItCannotDrawNamingTheirMetre) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const double bad : {inf, std::numeric_limits<double>::quiet_NaN(), -2e7}) {
    const DecodedPlan p = plan_of(
        50, [&](std::int64_t m) -> Point { return std::pair{m == 7 ? bad : 0.0, double(m)}; });
    try {
      plan_outline(p, 50);
      ADD_FAILURE() << bad << " was taken";
    } catch (const RuntimeFailure& f) {
      EXPECT_NE(std::string(f.what()).find("metre 7"), std::string::npos) << f.what();
    }
  }
}

}  // namespace
}  // namespace tracciato::view
