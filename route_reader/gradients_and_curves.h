#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;

// The running cursors of the body: gradients fill the cells, curves the plan.
struct BodyCursors {
  std::int64_t gradient_cell = 0;  // next cell to receive a gradient
  std::int64_t pendenza = 0;        // gradient of the last entry, per mille
  std::int64_t metro = 2;           // next point of the plan to compute
};

// The two points before the one a plan step computes: m - 1 and m - 2.
struct PreviousPoints {
  double x1, y1;  // point m-1
  double x2, y2;  // point m-2
};

struct PlanPoint {
  double x, y;
};

// Point m of a bend of curvature k: point m-1 + (dx + k*dy, dy - k*dx), with (dx, dy) =
// point m-1 - point m-2. The grouping is kept as written: it decides the bits of the
// result, which every reader of the plan file relies on.
inline PlanPoint bend_step(const PreviousPoints& u, double k) {
  const double dx = u.x1 - u.x2;
  const double dy = u.y1 - u.y2;
  return {u.x1 + (dx + k * dy), u.y1 + (dy - k * dx)};
}

// Point m of a straight run: point m-1 + (point m-1 - point m-2), the last step repeated.
inline PlanPoint straight_step(const PreviousPoints& u) {
  return {u.x1 + (u.x1 - u.x2), u.y1 + (u.y1 - u.y2)};
}

// The plan's seeds: point 0 at (0, 0) and point 1 at (0, 1), as whole numbers.
void seed_plan(Scenario& s);

// A gradient g (per mille) from position p on: the cells up to p's start cell get the
// running gradient, and g becomes the running gradient.
void apply_gradient(Scenario& s, BodyCursors& c, std::int64_t p, std::int64_t g);

// Curvature per metre of a curve keyword: the smallest class digit 1 .. 6 in it,
// negative for a left-hand curve ("s" in any case); none without a class digit.
std::optional<double> curvature(std::string_view riga);

// A curve of start a and length n: the plan runs straight up to a, then bends up to
// a + n. Records 103 (and ends the reading) without a class digit or when the plan
// cursor passes metre 1000000.
LineOutcome apply_curve(Scenario& s, BodyCursors& c, std::string_view riga, std::int64_t a,
                      std::int64_t n);

// After the body: the running gradient up to cell n_celle - 3 (written before the
// test, so at least one cell), then the plan straight to point lunghezza_estesa - 2.
void complete_gradients(Scenario& s, BodyCursors& c);
void complete_plan(Scenario& s, BodyCursors& c);

}  // namespace tracciato
