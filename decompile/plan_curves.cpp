#include "decompile/plan_curves.h"

#include <array>
#include <bit>
#include <string>

#include "decompile/compiled_files.h"
#include "route_reader/gradients_and_curves.h"

namespace tracciato::decompile {

namespace {

constexpr std::int64_t last_curve_metre = 1000000;  // the plan cursor may not pass it
constexpr int straight = 0;

// The 12 bends, each as the keyword the texts give it; its curvature is the reader's.
struct Bend {
  std::string keyword;
  double k;
};

const std::array<Bend, 12>& bends() {
  static const std::array<Bend, 12> all = [] {
    std::array<Bend, 12> b;
    int i = 0;
    for (int classe = 1; classe <= 6; ++classe)
      for (const char side : {'d', 's'}) {
        const std::string keyword = std::string("curva") + side + static_cast<char>('0' + classe);
        b[static_cast<std::size_t>(i++)] = {keyword, *curvature(keyword)};
      }
    return b;
  }();
  return all;
}

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool same_point(PlanPoint p, double x, double y) { return same_bits(p.x, x) && same_bits(p.y, y); }

bool is(const PlanValue& v, PlanValue::Kind t) { return v.kind == t; }

[[noreturn]] void refuse(std::int64_t metre, const std::string& what) {
  throw Refusal("plan file: metre " + std::to_string(metre) + " " + what);
}

}  // namespace

PlanCurves plan_curves(const DecodedPlan& plan, std::int64_t n_celle) {
  PlanCurves out;
  const std::int64_t last = static_cast<std::int64_t>(plan.x.size()) - 1;
  bool all_empty = true;
  for (std::int64_t m = 0; m <= last && all_empty; ++m)
    all_empty = is(plan.x[m], PlanValue::Kind::Empty) && is(plan.y[m], PlanValue::Kind::Empty);
  if (all_empty) {
    out.empty = true;
    return out;
  }
  auto seed = [&](std::int64_t m, std::int16_t x, std::int16_t y) {
    return m <= last && is(plan.x[m], PlanValue::Kind::Integer) && plan.x[m].integer == x &&
           is(plan.y[m], PlanValue::Kind::Integer) && plan.y[m].integer == y;
  };
  if (!seed(0, 0, 0) || !seed(1, 0, 1))
    throw Refusal("plan file: metres 0 and 1 are not the seeds (0, 0) and (0, 1)");

  // steps[m] for m = 2 .. the last computed metre: 0 straight, 1 + i bend i.
  std::vector<int> steps(2, straight);
  PreviousPoints u{0.0, 1.0, 0.0, 0.0};
  std::int64_t m = 2;
  for (; m <= last && !is(plan.x[m], PlanValue::Kind::Empty); ++m) {
    if (!is(plan.x[m], PlanValue::Kind::Double) || !is(plan.y[m], PlanValue::Kind::Double))
      refuse(m, "holds no pair of Doubles, as every computed point does");
    const double x = plan.x[m].real, y = plan.y[m].real;
    int step = -1;
    if (same_point(straight_step(u), x, y)) {
      step = straight;
    } else {
      for (std::size_t b = 0; b < bends().size() && step < 0; ++b)
        if (same_point(bend_step(u, bends()[b].k), x, y)) step = static_cast<int>(b) + 1;
    }
    if (step < 0) refuse(m, "is no step of this compiler's plan from the two metres before it");
    steps.push_back(step);
    u = {x, y, u.x1, u.y1};
  }
  const std::int64_t computed = m - 1;  // the last metre computed
  for (; m <= last; ++m)
    if (!is(plan.x[m], PlanValue::Kind::Empty) || !is(plan.y[m], PlanValue::Kind::Empty))
      refuse(m, "holds a value after an Empty metre");

  // A curve entry starts at most 50 * n_celle - 100 (its position check); one that
  // follows a bend straight on may start anywhere behind the plan cursor.
  const std::int64_t latest_start = 50 * n_celle - 100;
  for (std::int64_t b = 2; b <= computed;) {
    if (steps[b] == straight) {
      ++b;
      continue;
    }
    std::int64_t e = b;
    while (e + 1 <= computed && steps[e + 1] == steps[b]) ++e;
    std::int64_t start = b - 1;
    if (start > latest_start && b > 2 && steps[b - 1] != straight) start = latest_start;
    out.curves.push_back({bends()[steps[b] - 1].keyword, start, e - start});
    b = e + 1;
  }

  // The completion runs straight to metre last - 2. A plan that stops short was left
  // by a reading that ended on a fault after its last curve; passing metre 1000000 is
  // that fault itself.
  const std::int64_t completed = last - 2;
  if (computed < completed) {
    if (steps[computed] == straight && computed >= 2)
      out.curves.push_back({bends()[0].keyword, computed, 0});
    out.stopped = computed != last_curve_metre;
  }
  return out;
}

}  // namespace tracciato::decompile
