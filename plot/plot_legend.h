#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/plot_canvas.h"

namespace tracciato::plot {

// One line of a legend: a sample of what is drawn, then its meaning.
struct LegendEntry {
  std::string label;
  std::vector<LineStyle> lines;  // drawn one over the other across the sample
  std::optional<Colour> band;    // a filled patch
  std::optional<MarkStyle> mark;
  std::optional<Colour> tick = std::nullopt;  // a short stroke across the sample
};

// The legend as rows of entries, wrapped to `width`: its height when laid out.
double legend_height(const std::vector<LegendEntry>& entries, double width);
// Draws the legend with its top left corner at `at`, and keeps labels off it.
void draw_legend(Canvas& canvas, const std::vector<LegendEntry>& entries, Point at, double width);

}  // namespace tracciato::plot
