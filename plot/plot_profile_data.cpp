// The numbers behind the profile, apart from its drawing: they need no cairo.
#include "plot/plot_profile.h"

#include <algorithm>

namespace tracciato::plot {

ProfileData profile_data(const std::vector<cella>& celle, std::int64_t route_length) {
  ProfileData p;
  const std::int64_t wanted = (std::max<std::int64_t>(route_length, 0) + metres_per_cell - 1) /
                              metres_per_cell;
  p.cells = std::min<std::int64_t>(wanted, static_cast<std::int64_t>(celle.size()));
  p.elevation_mm.reserve(static_cast<std::size_t>(p.cells) + 1);
  p.elevation_mm.push_back(0);
  for (std::int64_t i = 0; i < p.cells; ++i) {
    const cella& c = celle[static_cast<std::size_t>(i)];
    p.elevation_mm.push_back(p.elevation_mm.back() +
                             (std::int64_t{c.pendenza} - 100) * metres_per_cell);
    p.speed_kmh.push_back(c.velocita * 5);
    p.adhesion.push_back(c.aderenza);
  }
  return p;
}

}  // namespace tracciato::plot
