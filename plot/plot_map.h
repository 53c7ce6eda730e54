#pragma once

#include <optional>
#include <string>

#include "plot/plot_canvas.h"
#include "plot/plot_features.h"
#include "model/scenario_decoder.h"

namespace tracciato::plot {

// How the plan is laid on the picture: seen from above, x to the right and y up
// (the line leaves the origin heading up the page), the same scale on both axes,
// centred in the drawing area.
struct MapLayout {
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;  // the plan's bounding box, metres
  Box area;             // the drawing area the plan is fitted into
  double scale = 1;     // pixels per metre, on both axes
  double left = 0, top = 0;  // where (min_x, max_y) lands
  int width = 0, height = 0;  // the whole picture

  Point to_device(double x, double y) const {
    return {left + (x - min_x) * scale, top + (max_y - y) * scale};
  }
};

// A plan point that can be drawn: both coordinates present.
bool drawable(const DecodedPlan& plan, std::size_t metre);

// The layout for a picture `width` pixels wide. Fails (RuntimeFailure) when the plan
// has no drawable point or one that is not a finite number.
MapLayout map_layout(const DecodedPlan& plan, int width);

// The picture: the line to scale with its kilometres, stations, signals, signboards,
// tunnels and slow-downs, a scale bar and a legend.
std::string draw_map(const DecodedPlan& plan, const RouteFeatures& features, Format format,
                     int width);

}  // namespace tracciato::plot
