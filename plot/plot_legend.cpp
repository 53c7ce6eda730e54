#include "plot/plot_legend.h"

#include <cairo.h>

namespace tracciato::plot {

namespace {

constexpr double sample_width = 28;
constexpr double gap = 8;          // sample to label
constexpr double entry_gap = 22;   // label to the next sample
constexpr double row_height = 20;

const TextStyle legend_text{11, {0.15, 0.15, 0.15}};

double entry_width(const LegendEntry& e) {
  return sample_width + gap + text_size(e.label, legend_text).x;
}

// Calls place(entry, x, row) for each entry in reading order; returns the rows used.
template <class F>
int lay_out(const std::vector<LegendEntry>& entries, double width, F place) {
  double x = 0;
  int row = 0;
  for (const LegendEntry& e : entries) {
    const double w = entry_width(e);
    if (x > 0 && x + w > width) {
      x = 0;
      ++row;
    }
    place(e, x, row);
    x += w + entry_gap;
  }
  return entries.empty() ? 0 : row + 1;
}

}  // namespace

double legend_height(const std::vector<LegendEntry>& entries, double width) {
  return lay_out(entries, width, [](const LegendEntry&, double, int) {}) * row_height;
}

void draw_legend(Canvas& canvas, const std::vector<LegendEntry>& entries, Point at, double width) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);  // samples end where they say
  const int rows = lay_out(entries, width, [&](const LegendEntry& e, double x, int row) {
    const double x0 = at.x + x;
    const double mid = at.y + row * row_height + row_height / 2;
    if (e.band) {
      canvas.set_colour(*e.band);
      cairo_rectangle(cr, x0, mid - 6, sample_width, 12);
      cairo_fill(cr);
    }
    for (const LineStyle& line : e.lines) {
      cairo_move_to(cr, x0, mid);
      cairo_line_to(cr, x0 + sample_width, mid);
      canvas.stroke(line);
    }
    if (e.tick) {
      cairo_move_to(cr, x0 + sample_width / 2, mid - 5);
      cairo_line_to(cr, x0 + sample_width / 2, mid + 5);
      canvas.stroke({*e.tick, 1});
    }
    if (e.mark) canvas.mark({x0 + sample_width / 2, e.mark->shape == Shape::triangle
                                                         ? mid + e.mark->size * 0.42
                                                         : mid},
                            *e.mark);
    canvas.draw_text(e.label, {x0 + sample_width + gap, mid, 0, 0.5}, legend_text);
  });
  cairo_restore(cr);
  canvas.reserve({at.x, at.y, at.x + width, at.y + rows * row_height});
}

}  // namespace tracciato::plot
