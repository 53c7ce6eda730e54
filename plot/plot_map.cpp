#include "plot/plot_map.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "plot/plot_axis.h"
#include "plot/plot_legend.h"
#include "plot/plot_style.h"
#include "platform/runtime_failure.h"

namespace tracciato::plot {

namespace {

constexpr double side_margin = 60;
constexpr double title_height = 58;
constexpr double bottom_margin = 24;
constexpr double min_step = 0.7;  // pixels between two points of a traced line

using Kind = PlanValue::Kind;

std::int64_t last_metre(const DecodedPlan& plan) {
  return static_cast<std::int64_t>(std::min(plan.x.size(), plan.y.size())) - 1;
}

std::optional<Point> device_point(const DecodedPlan& plan, const MapLayout& l,
                                  std::int64_t metre) {
  if (metre < 0 || metre > last_metre(plan)) return std::nullopt;
  const auto m = static_cast<std::size_t>(metre);
  if (!drawable(plan, m)) return std::nullopt;
  return l.to_device(plan.x[m].number(), plan.y[m].number());
}

// Adds the metres from .. to of the plan to the current path, leaving out points
// closer than min_step to the last one kept, and breaking it where a point is missing.
// Returns the points kept.
std::vector<Point> trace(cairo_t* cr, const DecodedPlan& plan, const MapLayout& l,
                         std::int64_t from, std::int64_t to) {
  std::vector<Point> kept;
  from = std::max<std::int64_t>(from, 0);
  to = std::min(to, last_metre(plan));
  bool open = false;
  Point last{0, 0};
  for (std::int64_t m = from; m <= to; ++m) {
    const auto p = device_point(plan, l, m);
    if (!p) {
      open = false;
      continue;
    }
    const bool end = m == to || !device_point(plan, l, m + 1);
    if (!open) {
      cairo_move_to(cr, p->x, p->y);
      open = true;
    } else if (end || std::hypot(p->x - last.x, p->y - last.y) >= min_step) {
      cairo_line_to(cr, p->x, p->y);
    } else {
      continue;
    }
    last = *p;
    kept.push_back(*p);
  }
  return kept;
}

// The unit normal to the line at `metre`, pointing to its right on the picture.
std::optional<Point> normal_at(const DecodedPlan& plan, const MapLayout& l,
                               std::int64_t metre) {
  auto a = device_point(plan, l, metre - 20);
  auto b = device_point(plan, l, metre + 20);
  if (!a) a = device_point(plan, l, metre);
  if (!b) b = device_point(plan, l, metre);
  if (!a || !b) return std::nullopt;
  const double dx = b->x - a->x, dy = b->y - a->y;
  const double n = std::hypot(dx, dy);
  if (!(n > 1e-9)) return std::nullopt;
  return Point{-dy / n, dx / n};
}

// Label positions around a spot, nearest first; `n` puts the first ones off the line.
std::vector<Anchor> around(Point p, std::optional<Point> n, double r) {
  std::vector<Anchor> out;
  auto at = [&](double dx, double dy, double radius) {
    out.push_back({p.x + dx * radius, p.y + dy * radius, (1 - dx) / 2, (1 - dy) / 2});
  };
  for (double radius : {r, r * 2.4}) {
    if (n) {
      at(n->x, n->y, radius);
      at(-n->x, -n->y, radius);
    }
    for (int k = 0; k < 8; ++k) {
      const double a = k * std::acos(-1.0) / 4;
      at(std::cos(a), std::sin(a), radius);
    }
  }
  return out;
}

std::string distance(double metres) {
  char buffer[32];
  if (metres >= 1000)
    std::snprintf(buffer, sizeof buffer, "%g km", metres / 1000);
  else
    std::snprintf(buffer, sizeof buffer, "%g m", metres);
  return buffer;
}

std::vector<LegendEntry> legend(const DecodedPlan& plan, const RouteFeatures& r) {
  std::vector<LegendEntry> e;
  e.push_back({"the line", {{style::track, 2.6}}, {}, {}});
  if (last_metre(plan) > r.length)
    e.push_back({"beyond the route's end", {{style::beyond_track, 1.8}}, {}, {}});
  if (!r.tunnels.empty())
    e.push_back({"tunnel", {{style::tunnel_casing, 6}, {style::tunnel, 3, {4, 3}}}, {}, {}});
  if (!r.slowdowns.empty())
    e.push_back({"slow-down, speed in km/h", {{style::slowdown, 14}, {style::track, 2.6}}, {}, {}});
  e.push_back({"station with stop", {}, {}, style::station_stop()});
  if (std::any_of(r.stations.begin(), r.stations.end(), [](const Station& s) { return !s.stops; }))
    e.push_back({"station without stop cell", {}, {}, style::station_no_stop()});
  if (!r.signals.empty()) e.push_back({"signal", {}, {}, style::signal_mark()});
  if (!r.signboards.empty()) e.push_back({"signboard", {}, {}, style::signboard_mark()});
  e.push_back({"kilometre from the origin", {{style::track, 2.6}}, {}, {}, style::ink});
  return e;
}

void draw_scale_bar(Canvas& c, const MapLayout& l, const std::vector<Point>& line) {
  const double metres = round_step(70 / l.scale);  // a bar of 70 to 175 pixels
  const double px = metres * l.scale;
  if (!(px > 4) || px > l.area.x1 - l.area.x0) return;
  const double w = px + 20, h = 36;
  // The corner of the drawing area the line crosses least.
  const Box corners[] = {{l.area.x0, l.area.y1 - h, l.area.x0 + w, l.area.y1},
                         {l.area.x1 - w, l.area.y1 - h, l.area.x1, l.area.y1},
                         {l.area.x0, l.area.y0, l.area.x0 + w, l.area.y0 + h},
                         {l.area.x1 - w, l.area.y0, l.area.x1, l.area.y0 + h}};
  const Box* best = &corners[0];
  std::size_t fewest = SIZE_MAX;
  for (const Box& b : corners) {
    const auto n = static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [&](const Point& p) {
      return p.x >= b.x0 && p.x <= b.x1 && p.y >= b.y0 && p.y <= b.y1;
    }));
    if (n < fewest) {
      fewest = n;
      best = &b;
    }
  }
  cairo_t* cr = c.cr();
  const double x0 = best->x0 + 10, y = best->y1 - 10;
  for (int half = 0; half < 2; ++half) {
    cairo_rectangle(cr, x0 + half * px / 2, y - 5, px / 2, 5);
    c.set_colour(half == 0 ? style::ink : Colour{1, 1, 1});
    cairo_fill_preserve(cr);
    c.stroke({style::ink, 1});
  }
  c.draw_text(distance(metres), {x0 + px / 2, y - 8, 0.5, 1}, style::small);
  c.reserve(*best);
}

}  // namespace

bool drawable(const DecodedPlan& plan, std::size_t metre) {
  return metre < plan.x.size() && metre < plan.y.size() && plan.x[metre].kind != Kind::Empty &&
         plan.y[metre].kind != Kind::Empty;
}

MapLayout map_layout(const DecodedPlan& plan, int width) {
  MapLayout l;
  bool any = false;
  for (std::size_t m = 0; m < plan.x.size() && m < plan.y.size(); ++m) {
    if (!drawable(plan, m)) continue;
    const double x = plan.x[m].number(), y = plan.y[m].number();
    if (!std::isfinite(x) || !std::isfinite(y))
      throw RuntimeFailure("plan file: the point of metre " + std::to_string(m) +
                           " is not a finite number");
    if (!any) {
      l.min_x = l.max_x = x;
      l.min_y = l.max_y = y;
      any = true;
    }
    l.min_x = std::min(l.min_x, x);
    l.max_x = std::max(l.max_x, x);
    l.min_y = std::min(l.min_y, y);
    l.max_y = std::max(l.max_y, y);
  }
  if (!any) throw RuntimeFailure("plan file: no metre has both coordinates");
  const double span_x = l.max_x - l.min_x, span_y = l.max_y - l.min_y;
  if (!std::isfinite(span_x) || !std::isfinite(span_y))
    throw RuntimeFailure("plan file: the line spans more than a number can hold");

  const double area_w = width - 2 * side_margin;
  const double aspect = span_x > 0 ? span_y / span_x : 1.4;
  const double area_h = std::clamp(area_w * aspect, area_w * 0.35, area_w * 1.4);
  l.area = {side_margin, title_height, side_margin + area_w, title_height + area_h};
  if (span_x > 0 && span_y > 0)
    l.scale = std::min(area_w / span_x, area_h / span_y);
  else if (span_x > 0)
    l.scale = area_w / span_x;
  else if (span_y > 0)
    l.scale = area_h / span_y;
  l.left = l.area.x0 + (area_w - span_x * l.scale) / 2;
  l.top = l.area.y0 + (area_h - span_y * l.scale) / 2;
  l.width = width;
  l.height = static_cast<int>(std::ceil(l.area.y1 + bottom_margin));
  return l;
}

std::string draw_map(const DecodedPlan& plan, const RouteFeatures& r, Format format,
                     int width) {
  MapLayout l = map_layout(plan, width);
  const std::vector<LegendEntry> entries = legend(plan, r);
  const double legend_width = l.area.x1 - l.area.x0;
  const double legend_top = l.area.y1 + 28;
  l.height = static_cast<int>(std::ceil(legend_top + legend_height(entries, legend_width) + 14));

  Canvas c(format, l.width, l.height);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  c.draw_text((r.route.empty() ? std::string("Route") : r.route) +
                  (r.train.empty() ? "" : " \u2013 train " + r.train) + ": map",
              {side_margin, 12, 0, 0}, style::title);
  c.draw_text("The line seen from above, to scale: plan x to the right, y up.",
              {side_margin, 34, 0, 0}, style::small);

  const std::int64_t end = last_metre(plan);
  const std::int64_t route_end = std::min(r.length, end);
  for (const SlowDown& s : r.slowdowns) {
    trace(cr, plan, l, s.from, s.to);
    c.stroke({style::slowdown, 14});
  }
  const std::vector<Point> line = trace(cr, plan, l, 0, route_end);
  c.stroke({style::track, 2.6});
  std::vector<Point> beyond;
  if (route_end < end) {
    beyond = trace(cr, plan, l, route_end, end);
    c.stroke({style::beyond_track, 1.8});
  }
  for (const Span& t : r.tunnels) {
    trace(cr, plan, l, t.from, t.to);
    cairo_path_t* path = cairo_copy_path(cr);
    c.stroke({style::tunnel_casing, 6});
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    c.stroke({style::tunnel, 3, {4, 3}});
  }

  // Keep the labels off the line.
  for (const std::vector<Point>* pts : {&line, static_cast<const std::vector<Point>*>(&beyond)}) {
    Point last{-1e9, -1e9};
    for (const Point& p : *pts)
      if (std::hypot(p.x - last.x, p.y - last.y) >= 3) {
        c.reserve({p.x - 2.5, p.y - 2.5, p.x + 2.5, p.y + 2.5});
        last = p;
      }
  }

  for (const Signboard& b : r.signboards)
    if (auto p = device_point(plan, l, b.metre)) c.mark(*p, style::signboard_mark());
  for (std::int64_t s : r.signals)
    if (auto p = device_point(plan, l, s)) c.mark(*p, style::signal_mark());

  // Kilometre ticks across the line; labels where they fit, tens and fives first.
  struct Km {
    std::int64_t km;
    Point at;
    Point normal;
  };
  std::vector<Km> kms;
  for (std::int64_t k = 0; k * 1000 <= route_end; ++k) {
    const auto p = device_point(plan, l, k * 1000);
    const auto n = normal_at(plan, l, k * 1000);
    if (!p || !n) continue;
    cairo_move_to(cr, p->x - n->x * 5, p->y - n->y * 5);
    cairo_line_to(cr, p->x + n->x * 5, p->y + n->y * 5);
    kms.push_back({k, *p, *n});
  }
  c.stroke({style::ink, 1});

  draw_scale_bar(c, l, line);
  draw_legend(c, entries, {l.area.x0, legend_top}, legend_width);

  const auto mark_box = [](Point p, double r) { return Box{p.x - r, p.y - r, p.x + r, p.y + r}; };
  for (const Station& s : r.stations)
    if (auto p = device_point(plan, l, s.metre)) {
      c.mark(*p, s.stops ? style::station_stop() : style::station_no_stop());
      c.reserve(mark_box(*p, 5));
    }
  for (bool stops : {true, false})
    for (const Station& s : r.stations) {
      if (s.stops != stops) continue;
      const auto p = device_point(plan, l, s.metre);
      if (!p) continue;
      TextStyle t = style::label;
      t.bold = stops;
      t.italic = !stops;
      t.colour = stops ? style::ink : style::muted;
      c.place_label(shorten(s.name, t, 240), around(*p, normal_at(plan, l, s.metre), 8), t);
    }
  for (const SlowDown& s : r.slowdowns) {
    const auto p = device_point(plan, l, (s.from + s.to) / 2);
    if (!p) continue;
    TextStyle t = style::label;
    t.bold = true;
    t.colour = style::slowdown_text;
    c.place_label(std::to_string(s.speed_kmh) + " km/h",
                  around(*p, normal_at(plan, l, (s.from + s.to) / 2), 10), t);
  }
  const auto rank = [](std::int64_t km) { return km % 10 == 0 ? 0 : km % 5 == 0 ? 1 : 2; };
  for (int wanted = 0; wanted < 3; ++wanted)
    for (const Km& k : kms) {
      if (rank(k.km) != wanted) continue;
      const Anchor at[] = {{k.at.x + k.normal.x * 8, k.at.y + k.normal.y * 8,
                            (1 - k.normal.x) / 2, (1 - k.normal.y) / 2},
                           {k.at.x - k.normal.x * 8, k.at.y - k.normal.y * 8,
                            (1 + k.normal.x) / 2, (1 + k.normal.y) / 2}};
      c.place_label(std::to_string(k.km), at, style::small);
    }
  return c.finish();
}

}  // namespace tracciato::plot
