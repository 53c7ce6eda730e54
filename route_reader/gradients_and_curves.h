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
