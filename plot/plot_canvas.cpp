#include "plot/plot_canvas.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <numbers>

#include "model/text.h"
#include "platform/runtime_failure.h"

namespace tracciato::plot {

namespace {

constexpr const char* typeface = "DejaVu Sans";
constexpr double label_gap = 2.0;  // the least room kept between two labels

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void check(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw RuntimeFailure(std::string("cannot ") + what + ": " + cairo_status_to_string(status));
}

void font(cairo_t* cr, const TextStyle& style) {
  cairo_select_font_face(cr, typeface,
                         style.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, style.size);
}

// Upright width (advance) and height (ascent + descent) of a text.
Point extent(cairo_t* cr, const std::string& utf8, const TextStyle& style) {
  font(cr, style);
  cairo_font_extents_t f;
  cairo_font_extents(cr, &f);
  cairo_text_extents_t t;
  cairo_text_extents(cr, utf8.c_str(), &t);
  return {t.x_advance, f.ascent + f.descent};
}

}  // namespace

Point text_size(const std::string& utf8, const TextStyle& style) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  const Point p = extent(cr, utf8, style);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return p;
}

std::string shorten(const std::string& utf8, const TextStyle& style, double most) {
  if (text_size(utf8, style).x <= most) return utf8;
  const std::string ellipsis = "\u2026";
  std::string cut = utf8;
  while (!cut.empty()) {
    // Drop one whole character: its lead byte and any continuation bytes.
    std::size_t end = cut.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80) --end;
    cut.resize(end);
    if (text_size(cut + ellipsis, style).x <= most) break;
  }
  return cut + ellipsis;
}

std::optional<Format> format_from_path(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
  const std::string ext = lowercase(path.substr(dot + 1));
  if (ext == "svg") return Format::svg;
  if (ext == "png") return Format::png;
  return std::nullopt;
}

Canvas::Canvas(Format format, int width, int height)
    : format_(format), width_(width), height_(height) {
  if (format == Format::svg) {
    surface_ = cairo_svg_surface_create_for_stream(append_bytes, &svg_, width, height);
    cairo_svg_surface_set_document_unit(surface_, CAIRO_SVG_UNIT_PX);
  } else {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  }
  cr_ = cairo_create(surface_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    const cairo_status_t status = cairo_status(cr_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
    check(status, "start a picture");
  }
  cairo_set_source_rgb(cr_, 1, 1, 1);
  cairo_paint(cr_);
}

Canvas::~Canvas() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) cairo_surface_destroy(surface_);
}

void Canvas::set_colour(const Colour& c) const { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }

void Canvas::stroke(const LineStyle& style) const {
  set_colour(style.colour);
  cairo_set_line_width(cr_, style.width);
  cairo_set_dash(cr_, style.dashes.data(), static_cast<int>(style.dashes.size()), 0);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

void Canvas::mark(const Point& at, const MarkStyle& style) const {
  const double r = style.size / 2;
  switch (style.shape) {
    case Shape::circle:
      cairo_new_sub_path(cr_);
      cairo_arc(cr_, at.x, at.y, r, 0, 2 * std::numbers::pi);
      break;
    case Shape::square:
      cairo_rectangle(cr_, at.x - r, at.y - r, style.size, style.size);
      break;
    case Shape::diamond:
      cairo_move_to(cr_, at.x, at.y - r * 1.25);
      cairo_line_to(cr_, at.x + r, at.y);
      cairo_line_to(cr_, at.x, at.y + r * 1.25);
      cairo_line_to(cr_, at.x - r, at.y);
      cairo_close_path(cr_);
      break;
    case Shape::triangle:  // pointing down, at the spot
      cairo_move_to(cr_, at.x - r, at.y - r * 1.7);
      cairo_line_to(cr_, at.x + r, at.y - r * 1.7);
      cairo_line_to(cr_, at.x, at.y);
      cairo_close_path(cr_);
      break;
  }
  if (style.hollow) {
    // A pale tint of the colour, not white, so the mark never blanks out the line.
    cairo_set_source_rgb(cr_, 0.8 + 0.2 * style.fill.r, 0.8 + 0.2 * style.fill.g,
                         0.8 + 0.2 * style.fill.b);
    cairo_fill_preserve(cr_);
    set_colour(style.fill);
    cairo_set_line_width(cr_, std::max(1.5, style.outline_width));
  } else {
    set_colour(style.fill);
    cairo_fill_preserve(cr_);
    set_colour(style.outline);
    cairo_set_line_width(cr_, style.outline_width);
  }
  cairo_stroke(cr_);
}

void Canvas::select_font(const TextStyle& style) const { font(cr_, style); }

Box Canvas::measure(const std::string& utf8, const Anchor& at, const TextStyle& style) const {
  const Point size = extent(cr_, utf8, style);
  const double along = size.x;
  const double across = size.y;
  const double w = style.vertical ? across : along;
  const double h = style.vertical ? along : across;
  const double x0 = at.x - at.ax * w;
  const double y0 = at.y - at.ay * h;
  return {x0, y0, x0 + w, y0 + h};
}

bool Canvas::is_free(const Box& box) const {
  if (!box.within(Box{0, 0, static_cast<double>(width_), static_cast<double>(height_)}))
    return false;
  const Box padded = box.grown(label_gap);
  return std::none_of(taken_.begin(), taken_.end(),
                      [&](const Box& t) { return t.overlaps(padded); });
}

bool Canvas::place_label(const std::string& utf8, std::span<const Anchor> candidates,
                         const TextStyle& style) {
  for (const Anchor& at : candidates) {
    const Box box = measure(utf8, at, style);
    if (!is_free(box)) continue;
    show(utf8, box, style);
    taken_.push_back(box);
    return true;
  }
  return false;
}

void Canvas::draw_text(const std::string& utf8, const Anchor& at, const TextStyle& style) {
  const Box box = measure(utf8, at, style);
  show(utf8, box, style);
  taken_.push_back(box);
}

void Canvas::show(const std::string& utf8, const Box& box, const TextStyle& style) {
  select_font(style);
  cairo_font_extents_t font;
  cairo_font_extents(cr_, &font);
  if (style.halo) {
    cairo_rectangle(cr_, box.x0 - 1, box.y0, box.x1 - box.x0 + 2, box.y1 - box.y0);
    cairo_set_source_rgba(cr_, 1, 1, 1, 0.8);
    cairo_fill(cr_);
  }
  cairo_save(cr_);
  if (style.vertical) {
    // Rotated a quarter turn anticlockwise: the glyphs' tops face left.
    cairo_translate(cr_, box.x0 + font.ascent, box.y1);
    cairo_rotate(cr_, -std::numbers::pi / 2);
  } else {
    cairo_translate(cr_, box.x0, box.y0 + font.ascent);
  }
  cairo_move_to(cr_, 0, 0);
  set_colour(style.colour);
  cairo_show_text(cr_, utf8.c_str());
  cairo_restore(cr_);
}

std::string Canvas::finish() {
  check(cairo_status(cr_), "draw the picture");
  cairo_destroy(cr_);
  cr_ = nullptr;
  std::string bytes;
  if (format_ == Format::svg) {
    cairo_surface_finish(surface_);
    check(cairo_surface_status(surface_), "encode the SVG picture");
    bytes.swap(svg_);
  } else {
    cairo_surface_flush(surface_);
    check(cairo_surface_write_to_png_stream(surface_, append_bytes, &bytes),
          "encode the PNG picture");
  }
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  return bytes;
}

}  // namespace tracciato::plot
