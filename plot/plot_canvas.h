#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace tracciato::plot {

enum class Format { svg, png };

// The format a picture's file name asks for: ".svg" or ".png", in either case.
std::optional<Format> format_from_path(const std::string& path);

struct Colour {
  double r, g, b, a = 1.0;
};

struct Point {
  double x, y;
};

// A rectangle in device pixels, y growing downwards.
struct Box {
  double x0, y0, x1, y1;
  bool overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  bool within(const Box& o) const { return x0 >= o.x0 && y0 >= o.y0 && x1 <= o.x1 && y1 <= o.y1; }
  Box grown(double d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
};

struct TextStyle {
  double size = 12;
  Colour colour{0.1, 0.1, 0.1};
  bool bold = false;
  bool italic = false;
  bool halo = false;      // a pale ground, for text drawn over the picture
  bool vertical = false;  // reads upwards, bottom to top
};

struct LineStyle {
  LineStyle(Colour colour, double width = 1, std::vector<double> dashes = {})
      : colour(colour), width(width), dashes(std::move(dashes)) {}
  Colour colour;
  double width;
  std::vector<double> dashes;  // none: solid
};

enum class Shape { circle, square, diamond, triangle };

struct MarkStyle {
  Shape shape = Shape::circle;
  double size = 6;  // across, in pixels
  Colour fill{0, 0, 0};
  Colour outline{1, 1, 1};
  double outline_width = 1;
  bool hollow = false;  // a ring in the fill colour around a pale centre
};

// Width and height of a text in `style`, upright.
Point text_size(const std::string& utf8, const TextStyle& style);

// `utf8` cut short with an ellipsis where it would be wider than `most`.
std::string shorten(const std::string& utf8, const TextStyle& style, double most);

// Where a label goes: (x, y) is the point of its box given by the fractions ax
// (0 left .. 1 right) and ay (0 top .. 1 bottom).
struct Anchor {
  double x, y;
  double ax = 0, ay = 0;
};

// One picture, SVG or PNG, on a white ground. Labels are placed only where they
// overlap no label or reserved area placed before them, so that nothing drawn through
// place_label ever covers another; what does not fit is left out.
class Canvas {
 public:
  Canvas(Format format, int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }

  void set_colour(const Colour& c) const;
  // Strokes the current path in `style`, clearing it.
  void stroke(const LineStyle& style) const;
  void mark(const Point& at, const MarkStyle& style) const;

  // The box the text takes at `at`.
  Box measure(const std::string& utf8, const Anchor& at, const TextStyle& style) const;
  // Draws at the first of `candidates` where the text keeps clear of everything
  // placed so far and stays on the canvas; false when none is free.
  bool place_label(const std::string& utf8, std::span<const Anchor> candidates,
                   const TextStyle& style);
  bool place_label(const std::string& utf8, const Anchor& at, const TextStyle& style) {
    return place_label(utf8, std::span<const Anchor>(&at, 1), style);
  }
  // Draws whatever is there, and keeps later labels off it.
  void draw_text(const std::string& utf8, const Anchor& at, const TextStyle& style);
  // Keeps later labels off `box`.
  void reserve(const Box& box) { taken_.push_back(box); }
  bool is_free(const Box& box) const;

  // The encoded picture. The canvas takes no further drawing afterwards.
  std::string finish();

 private:
  void select_font(const TextStyle& style) const;
  void show(const std::string& utf8, const Box& box, const TextStyle& style);

  Format format_;
  int width_, height_;
  std::string svg_;  // what the SVG surface has written so far
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::vector<Box> taken_;
};

}  // namespace tracciato::plot
