#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot/plot_canvas.h"
#include "plot/plot_features.h"
#include "model/scenario.h"

namespace tracciato::plot {

// The profile of the route's cells 0 .. cells - 1, cell i covering 50 * i .. 50 * i + 49.
struct ProfileData {
  std::int64_t cells = 0;
  // Elevation in millimetres at metre 50 * i, for i = 0 .. cells: 0 at the origin, then
  // each cell adds its gradient (pendenza - 100, per mille) over its 50 m. Kept whole,
  // so the last value is exactly 50 times the sum of the route cells' gradients.
  std::vector<std::int64_t> elevation_mm;
  std::vector<int> speed_kmh;  // velocita * 5
  std::vector<int> adhesion;   // aderenza, per cent
};

// The cells that cover the first `route_length` metres, as far as the cell file goes.
ProfileData profile_data(const std::vector<cella>& celle, std::int64_t route_length);

// The picture: elevation and speed limit over the kilometres, with slow-downs,
// tunnels, stations, signals and the changes of adhesion.
std::string draw_profile(const ProfileData& profile, const RouteFeatures& features, Format format,
                         int width);

}  // namespace tracciato::plot
