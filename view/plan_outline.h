#pragma once

#include <cstdint>
#include <vector>

#include "model/scenario_decoder.h"

namespace tracciato::view {

// One point of the line as the page draws it: the metre it stands for and its plan
// coordinates in whole centimetres.
struct OutlinePoint {
  std::int64_t metre;
  std::int64_t x_cm, y_cm;
};

// A stretch of line without a gap; the metres rise along it.
using OutlineRun = std::vector<OutlinePoint>;

// The plan cut down to what a picture of it needs: the points of every metre, rounded
// to centimetres, then thinned so that every metre left out lies within `tolerance_cm`
// of the segment between the two points kept around it (Douglas-Peucker, in exact
// integer arithmetic, so every build keeps the same points). The point of every whole
// kilometre is kept, which also bounds the thinning's work on any plan. A metre without
// both coordinates breaks the line into runs.
struct PlanOutline {
  std::vector<OutlineRun> route;   // metres 0 .. the route's length
  std::vector<OutlineRun> beyond;  // from the route's length to the plan's end
};

// What the rounding to centimetres may add to the thinning's own error stays below
// one centimetre: 45 cm keep the page's line within half a metre of the plan.
inline constexpr std::int64_t outline_tolerance_cm = 45;

// Plan coordinates beyond this distance from the origin (in metres, on either axis) are
// refused: the longest route the format takes stays far inside it, and the arithmetic of
// the thinning is exact only within it.
inline constexpr double outline_reach_m = 1e7;

// Fails (RuntimeFailure, naming the metre) when a coordinate is not a finite number or
// lies beyond `outline_reach_m`.
PlanOutline plan_outline(const DecodedPlan& plan, std::int64_t route_length,
                         std::int64_t tolerance_cm = outline_tolerance_cm);

}  // namespace tracciato::view
