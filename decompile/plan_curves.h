#pragma once

#include <cstdint>
#include <vector>

#include "decompile/source_model.h"
#include "model/scenario_decoder.h"

namespace tracciato::decompile {

// The curve entries that compute a plan file's points bit for bit.
struct PlanCurves {
  std::vector<CurveEntry> curves;
  // The plan was left unfinished: the route's reading stopped after the last curve (a
  // fault that ended the compile's reading), so the points after it stayed Empty.
  bool stopped = false;
  // No point at all: the reading stopped before the body.
  bool empty = false;
};

// At every metre from 2 on, exactly one of the 13 steps (straight, or a bend of class
// 1 to 6 either way) gives the next point from the two before it, as the compiler
// computes it; each run of one bend becomes one curve entry. `n_celle` bounds the
// start a curve entry may have (its position check). Throws Refusal when a point is no
// step of this compiler's plan.
PlanCurves plan_curves(const DecodedPlan& plan, std::int64_t n_celle);

}  // namespace tracciato::decompile
