#include "plot/plot_profile.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "plot/plot_axis.h"
#include "plot/plot_legend.h"
#include "plot/plot_style.h"

namespace tracciato::plot {

namespace {

constexpr double margin_left = 84;
constexpr double margin_right = 84;
constexpr double title_height = 40;
constexpr double strip_height = 22;  // the rows of signals and of adhesion under the plot

// The plot area and its two vertical scales.
struct Frame {
  Box plot;
  double length;  // metres across the plot
  double low, high;  // elevation range, metres
  double top_speed;  // km/h at the top of the plot

  double x(double metre) const { return plot.x0 + metre / length * (plot.x1 - plot.x0); }
  double y_elevation(double m) const {
    return plot.y1 - (m - low) / (high - low) * (plot.y1 - plot.y0);
  }
  double y_speed(double kmh) const { return plot.y1 - kmh / top_speed * (plot.y1 - plot.y0); }
};

std::string kilometres(double metre) {
  const double km = metre / 1000;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, km == std::floor(km) ? "%.0f" : "%.1f", km);
  return buffer;
}

std::string whole(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.0f", v + 0.0);  // never "-0"
  return buffer;
}

void vertical_band(Canvas& c, const Frame& f, double from, double to, const Colour& colour) {
  const double x0 = f.x(std::clamp(from, 0.0, f.length));
  const double x1 = f.x(std::clamp(to, 0.0, f.length));
  if (x1 <= x0 && to > from) return;
  c.set_colour(colour);
  cairo_rectangle(c.cr(), x0, f.plot.y0, std::max(x1 - x0, 1.5), f.plot.y1 - f.plot.y0);
  cairo_fill(c.cr());
}

bool on_plot(const Frame& f, double metre) { return metre >= 0 && metre <= f.length; }

std::vector<LegendEntry> legend(const ProfileData& p, const RouteFeatures& r) {
  std::vector<LegendEntry> e;
  e.push_back({"elevation (left scale)", {{style::elevation_line, 1.5}}, style::elevation_fill, {}});
  e.push_back({"speed limit (right scale)", {{style::speed, 2}}, {}, {}});
  if (!r.slowdowns.empty()) e.push_back({"slow-down, speed in km/h", {}, style::slowdown_band, {}});
  if (!r.tunnels.empty()) e.push_back({"tunnel", {}, style::tunnel_band, {}});
  e.push_back({"station with stop", {}, {}, style::station_stop(9)});
  if (std::any_of(r.stations.begin(), r.stations.end(), [](const Station& s) { return !s.stops; }))
    e.push_back({"station without stop cell", {}, {}, style::station_no_stop(9)});
  if (!r.signals.empty()) e.push_back({"signal", {}, {}, style::signal_mark()});
  if (!p.adhesion.empty()) e.push_back({"adhesion, where it changes", {}, {}, {}, style::adhesion});
  return e;
}

}  // namespace

std::string draw_profile(const ProfileData& p, const RouteFeatures& r, Format format, int width) {
  const double w = width;
  constexpr double longest_shown = 170;  // longer station names are cut short
  double longest_name = 0;
  for (const Station& s : r.stations)
    longest_name = std::max(longest_name, text_size(s.name, style::small).x);
  const double names_height = std::clamp(longest_name, 22.0, longest_shown) + 18;
  const double plot_height = std::clamp(std::round(w * 0.3), 200.0, 700.0);
  const std::vector<LegendEntry> entries = legend(p, r);
  const double legend_width = w - margin_left - margin_right;
  const double legend_h = legend_height(entries, legend_width);

  Frame f;
  f.plot.x0 = margin_left;
  f.plot.x1 = w - margin_right;
  f.plot.y0 = title_height + names_height;
  f.plot.y1 = f.plot.y0 + plot_height;
  f.length = static_cast<double>(std::max<std::int64_t>(p.cells * metres_per_cell, metres_per_cell));
  const auto [lo, hi] = std::minmax_element(p.elevation_mm.begin(), p.elevation_mm.end());
  double low = static_cast<double>(*lo) / 1000, high = static_cast<double>(*hi) / 1000;
  if (high - low < 10) {
    const double mid = (high + low) / 2;
    low = mid - 5;
    high = mid + 5;
  }
  const double elevation_step = round_step((high - low) / 8);
  f.low = std::floor(low / elevation_step) * elevation_step;
  f.high = std::ceil(high / elevation_step) * elevation_step;
  if (f.high - high < elevation_step * 0.25) f.high += elevation_step;  // room for the labels
  const int fastest = p.speed_kmh.empty() ? 0 : *std::max_element(p.speed_kmh.begin(), p.speed_kmh.end());
  const double speed_step = round_step(std::max(fastest, 20) / 5.0);
  f.top_speed = std::ceil(std::max(fastest, 1) * 1.1 / speed_step) * speed_step;

  const double strips_top = f.plot.y1 + 4;
  const double axis_top = strips_top + 2 * strip_height + 4;
  const double legend_top = axis_top + 44;
  const int height = static_cast<int>(std::ceil(legend_top + legend_h + 14));

  Canvas c(format, width, height);
  cairo_t* cr = c.cr();
  c.draw_text((r.route.empty() ? std::string("Route") : r.route) +
                  (r.train.empty() ? "" : " \u2013 train " + r.train) + ": profile",
              {margin_left, 12, 0, 0}, style::title);

  // Background: tunnels, slow-downs, the grid.
  for (const Span& t : r.tunnels)
    if (t.from < f.length) vertical_band(c, f, static_cast<double>(t.from), static_cast<double>(t.to), style::tunnel_band);
  for (const SlowDown& s : r.slowdowns) {
    if (!on_plot(f, static_cast<double>(s.from))) continue;
    vertical_band(c, f, static_cast<double>(s.from), static_cast<double>(s.to), style::slowdown_band);
    for (double edge : {static_cast<double>(s.from), std::min<double>(static_cast<double>(s.to), f.length)}) {
      cairo_move_to(cr, std::round(f.x(edge)) + 0.5, f.plot.y0);
      cairo_line_to(cr, std::round(f.x(edge)) + 0.5, f.plot.y1);
    }
    c.stroke({style::slowdown, 1});
  }

  const double km_step = std::max(1000.0, round_step(f.length / ((f.plot.x1 - f.plot.x0) / 60)));
  for (double m : ticks(0, f.length, km_step)) {
    cairo_move_to(cr, std::round(f.x(m)) + 0.5, f.plot.y0);
    cairo_line_to(cr, std::round(f.x(m)) + 0.5, f.plot.y1);
  }
  for (double e : ticks(f.low, f.high, elevation_step)) {
    cairo_move_to(cr, f.plot.x0, std::round(f.y_elevation(e)) + 0.5);
    cairo_line_to(cr, f.plot.x1, std::round(f.y_elevation(e)) + 0.5);
  }
  c.stroke({style::grid, 1});

  // Elevation, filled down to the bottom of the plot.
  cairo_move_to(cr, f.x(0), f.plot.y1);
  for (std::size_t i = 0; i < p.elevation_mm.size(); ++i)
    cairo_line_to(cr, f.x(static_cast<double>(i) * metres_per_cell),
                  f.y_elevation(static_cast<double>(p.elevation_mm[i]) / 1000));
  cairo_line_to(cr, f.x(static_cast<double>(p.elevation_mm.size() - 1) * metres_per_cell), f.plot.y1);
  cairo_close_path(cr);
  c.set_colour(style::elevation_fill);
  cairo_fill(cr);
  for (std::size_t i = 0; i < p.elevation_mm.size(); ++i)
    cairo_line_to(cr, f.x(static_cast<double>(i) * metres_per_cell),
                  f.y_elevation(static_cast<double>(p.elevation_mm[i]) / 1000));
  c.stroke({style::elevation_line, 1.5});

  // Speed limit, one step per run of equal cells.
  for (std::size_t i = 0; i < p.speed_kmh.size();) {
    std::size_t j = i;
    while (j < p.speed_kmh.size() && p.speed_kmh[j] == p.speed_kmh[i]) ++j;
    const double y = f.y_speed(p.speed_kmh[i]);
    if (i == 0)
      cairo_move_to(cr, f.x(0), y);
    else
      cairo_line_to(cr, f.x(static_cast<double>(i) * metres_per_cell), y);
    cairo_line_to(cr, f.x(static_cast<double>(j) * metres_per_cell), y);
    i = j;
  }
  c.stroke({style::speed, 2});

  // Slow-down speeds, at the top of their bands.
  for (const SlowDown& s : r.slowdowns) {
    if (!on_plot(f, static_cast<double>(s.from))) continue;
    const double mid = f.x((static_cast<double>(s.from) + std::min<double>(static_cast<double>(s.to), f.length)) / 2);
    const std::string text = std::to_string(s.speed_kmh) + " km/h" + (s.has_end ? "" : ", no end board");
    TextStyle t{10, style::slowdown_text, true, false, true};
    const Anchor at[] = {{mid, f.plot.y0 + 10, 0.5, 0}, {mid, f.plot.y0 + 24, 0.5, 0},
                         {mid, f.plot.y0 + 38, 0.5, 0}};
    // Labels may sit on the plot; only other labels keep them off.
    c.place_label(text, at, t);
  }

  // Frame on top of the fills.
  cairo_rectangle(cr, f.plot.x0 + 0.5, f.plot.y0 + 0.5, f.plot.x1 - f.plot.x0 - 1, f.plot.y1 - f.plot.y0 - 1);
  c.stroke({style::muted, 1});

  // Scales: kilometres below, elevation on the left, speed on the right.
  if ((f.plot.x1 - f.plot.x0) * 1000 / f.length >= 4)
    for (double m : ticks(0, f.length, 1000)) {
      const double x = std::round(f.x(m)) + 0.5;
      cairo_move_to(cr, x, axis_top - 5);
      cairo_line_to(cr, x, axis_top - 2);
    }
  c.stroke({style::muted, 1});
  for (double m : ticks(0, f.length, km_step)) {
    const double x = std::round(f.x(m)) + 0.5;
    cairo_move_to(cr, x, axis_top - 7);
    cairo_line_to(cr, x, axis_top - 2);
    c.stroke({style::muted, 1});
    c.place_label(kilometres(m), {x, axis_top, 0.5, 0}, style::small);
  }
  c.draw_text("kilometres from the origin", {(f.plot.x0 + f.plot.x1) / 2, axis_top + 16, 0.5, 0},
              style::small);
  for (double e : ticks(f.low, f.high, elevation_step))
    c.place_label(whole(e), {f.plot.x0 - 6, f.y_elevation(e), 1, 0.5}, style::small);
  for (double v : ticks(0, f.top_speed, speed_step)) {
    TextStyle t = style::small;
    t.colour = style::speed;
    c.place_label(whole(v), {f.plot.x1 + 6, f.y_speed(v), 0, 0.5}, t);
  }
  TextStyle axis = style::small;
  axis.vertical = true;
  c.draw_text("elevation (m, from the origin)", {16, (f.plot.y0 + f.plot.y1) / 2, 0, 0.5}, axis);
  axis.colour = style::speed;
  c.draw_text("speed limit (km/h)", {w - 16, (f.plot.y0 + f.plot.y1) / 2, 1, 0.5}, axis);

  // Stations: a line across the plot, a mark on its top edge, the name above.
  for (const Station& s : r.stations) {
    if (!on_plot(f, static_cast<double>(s.metre))) continue;
    const double x = std::round(f.x(static_cast<double>(s.metre))) + 0.5;
    cairo_move_to(cr, x, f.plot.y0);
    cairo_line_to(cr, x, f.plot.y1);
    c.stroke({{style::station.r, style::station.g, style::station.b, 0.35}, 1, {3, 3}});
  }
  for (const Station& s : r.stations) {
    if (!on_plot(f, static_cast<double>(s.metre))) continue;
    const double x = f.x(static_cast<double>(s.metre));
    c.mark({x, f.plot.y0}, s.stops ? style::station_stop(9) : style::station_no_stop(9));
    TextStyle t = style::small;
    t.vertical = true;
    t.colour = s.stops ? style::ink : style::muted;
    t.italic = !s.stops;
    const Anchor at[] = {{x, f.plot.y0 - 8, 0.5, 1}, {x + 6, f.plot.y0 - 8, 0.5, 1},
                         {x - 6, f.plot.y0 - 8, 0.5, 1}};
    c.place_label(shorten(s.name, t, longest_shown), at, t);
  }

  // The strips under the plot: signals, then the adhesion wherever it changes.
  const double signal_y = strips_top + strip_height / 2 + 4;
  for (std::int64_t m : r.signals)
    if (on_plot(f, static_cast<double>(m))) c.mark({f.x(static_cast<double>(m)), signal_y}, style::signal_mark());
  if (!r.signals.empty()) c.draw_text("signals", {f.plot.x0 - 8, strips_top + strip_height / 2, 1, 0.5}, style::small);
  const double adhesion_y = strips_top + strip_height * 1.5;
  if (!p.adhesion.empty()) {
    c.draw_text("adhesion", {f.plot.x0 - 8, adhesion_y, 1, 0.5}, style::small);
    for (std::size_t i = 0; i < p.adhesion.size(); ++i) {
      if (i > 0 && p.adhesion[i] == p.adhesion[i - 1]) continue;
      const double x = f.x(static_cast<double>(i) * metres_per_cell);
      cairo_move_to(cr, std::round(x) + 0.5, adhesion_y - 7);
      cairo_line_to(cr, std::round(x) + 0.5, adhesion_y + 7);
      c.stroke({style::adhesion, 1});
      TextStyle t = style::small;
      t.colour = style::adhesion;
      c.place_label(std::to_string(p.adhesion[i]) + " %", {x + 4, adhesion_y, 0, 0.5}, t);
    }
  }

  draw_legend(c, entries, {margin_left, legend_top}, legend_width);
  return c.finish();
}

}  // namespace tracciato::plot
