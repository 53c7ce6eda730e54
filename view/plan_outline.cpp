#include "view/plan_outline.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "platform/runtime_failure.h"

namespace tracciato::view {

namespace {

using Wide = __int128;  // squares of squares of centimetre differences fit in it
constexpr std::int64_t kept_every = 1000;  // metres

std::int64_t centimetres(double v, std::size_t metre) {
  if (!std::isfinite(v))
    throw RuntimeFailure("plan file: the point of metre " + std::to_string(metre) +
                         " is not a finite number");
  if (std::fabs(v) > outline_reach_m)
    throw RuntimeFailure("plan file: the point of metre " + std::to_string(metre) +
                         " lies more than 10000 km from the origin");
  // Both builds compute this alike: one multiplication and one addition, each rounded
  // as IEEE 754 says, then floor, which is exact.
  return static_cast<std::int64_t>(std::floor(v * 100.0 + 0.5));
}

// The squared distance from p to the segment a-b, times the squared length of a-b (or
// the plain squared distance when a and b coincide): exact, so that the farthest point
// and the test against the tolerance come out the same everywhere.
struct Scaled {
  Wide value, scale;
};

Scaled scaled_distance(const OutlinePoint& a, const OutlinePoint& b, const OutlinePoint& p) {
  const Wide dx = b.x_cm - a.x_cm, dy = b.y_cm - a.y_cm;
  const Wide px = p.x_cm - a.x_cm, py = p.y_cm - a.y_cm;
  const Wide length2 = dx * dx + dy * dy;
  if (length2 == 0) return {px * px + py * py, 1};
  const Wide along = px * dx + py * dy;
  if (along <= 0) return {(px * px + py * py) * length2, length2};
  if (along >= length2) {
    const Wide qx = p.x_cm - b.x_cm, qy = p.y_cm - b.y_cm;
    return {(qx * qx + qy * qy) * length2, length2};
  }
  const Wide cross = dx * py - dy * px;
  return {cross * cross, length2};
}

// Douglas-Peucker over points[first .. last], marking the points it keeps.
void thin(const std::vector<OutlinePoint>& points, std::size_t first, std::size_t last,
          std::int64_t tolerance_cm, std::vector<bool>& keep) {
  const Wide tolerance2 = Wide{tolerance_cm} * tolerance_cm;
  std::vector<std::pair<std::size_t, std::size_t>> pending{{first, last}};
  while (!pending.empty()) {
    const auto [i, j] = pending.back();
    pending.pop_back();
    if (j - i < 2) continue;
    std::size_t farthest = i;
    Scaled most{-1, 1};
    for (std::size_t k = i + 1; k < j; ++k) {
      const Scaled d = scaled_distance(points[i], points[j], points[k]);
      if (d.value > most.value) {  // one segment: every point has the same scale
        most = d;
        farthest = k;
      }
    }
    if (most.value > tolerance2 * most.scale) {
      keep[farthest] = true;
      pending.push_back({i, farthest});
      pending.push_back({farthest, j});
    }
  }
}

// One run of consecutive drawable metres, thinned.
OutlineRun thinned(const std::vector<OutlinePoint>& points, std::int64_t tolerance_cm) {
  std::vector<bool> keep(points.size(), false);
  keep.front() = keep.back() = true;
  std::size_t from = 0;
  for (std::size_t k = 1; k < points.size(); ++k)
    if (points[k].metre % kept_every == 0 || k + 1 == points.size()) {
      keep[k] = true;
      thin(points, from, k, tolerance_cm, keep);
      from = k;
    }
  OutlineRun run;
  for (std::size_t k = 0; k < points.size(); ++k)
    if (keep[k]) run.push_back(points[k]);
  return run;
}

// The drawable metres from .. to, broken where a coordinate is missing.
std::vector<OutlineRun> runs(const DecodedPlan& plan, std::int64_t from, std::int64_t to,
                             std::int64_t tolerance_cm) {
  std::vector<OutlineRun> out;
  std::vector<OutlinePoint> points;
  auto close = [&] {
    if (!points.empty()) out.push_back(thinned(points, tolerance_cm));
    points.clear();
  };
  for (std::int64_t m = std::max<std::int64_t>(from, 0); m <= to; ++m) {
    const auto i = static_cast<std::size_t>(m);
    const PlanValue& x = plan.x[i];
    const PlanValue& y = plan.y[i];
    if (x.kind == PlanValue::Kind::Empty || y.kind == PlanValue::Kind::Empty) {
      close();
      continue;
    }
    points.push_back({m, centimetres(x.number(), i), centimetres(y.number(), i)});
  }
  close();
  return out;
}

}  // namespace

PlanOutline plan_outline(const DecodedPlan& plan, std::int64_t route_length,
                         std::int64_t tolerance_cm) {
  const std::int64_t last = static_cast<std::int64_t>(std::min(plan.x.size(), plan.y.size())) - 1;
  const std::int64_t route_end = std::clamp<std::int64_t>(route_length, 0, std::max<std::int64_t>(last, 0));
  PlanOutline o;
  o.route = runs(plan, 0, std::min(route_end, last), tolerance_cm);
  if (route_end < last) o.beyond = runs(plan, route_end, last, tolerance_cm);
  return o;
}

}  // namespace tracciato::view
