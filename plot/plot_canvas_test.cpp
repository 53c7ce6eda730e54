#include "plot/plot_canvas.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace tracciato::plot {
namespace {

TEST(PlotCanvas, TheFileNameChoosesTheFormat) {
  const struct {
    const char* path;
    std::optional<Format> format;
  } cases[] = {
      {"map.svg", Format::svg},       {"out/Profile.PNG", Format::png},
      {"a.b/map.png", Format::png},   {"map.svgz", std::nullopt},
      {"map", std::nullopt},          {"dir.png/map", std::nullopt},
      {"map.jpg", std::nullopt},      {".png", Format::png},
  };
  for (const auto& c : cases) EXPECT_EQ(format_from_path(c.path), c.format) << c.path;
}

TEST(PlotCanvas, ALabelTakesTheFirstFreePlaceOrNone) {
  Canvas c(Format::png, 400, 200);
  const TextStyle t;
  ASSERT_TRUE(c.place_label("STATION", {100, 100, 0, 0}, t));
  const Box first = c.measure("STATION", {100, 100, 0, 0}, t);
  EXPECT_FALSE(c.place_label("OTHER", {110, 102, 0, 0}, t));  // on the first one
  const Anchor beside[] = {{110, 102, 0, 0}, {100, 150, 0, 0}};
  EXPECT_TRUE(c.place_label("OTHER", beside, t));
  EXPECT_FALSE(c.is_free(c.measure("OTHER", {100, 150, 0, 0}, t)));
  EXPECT_FALSE(c.place_label("OFF THE EDGE", {395, 10, 0, 0}, t));
  c.reserve({0, 0, 50, 50});
  EXPECT_FALSE(c.place_label("X", {10, 10, 0, 0}, t));
  EXPECT_GT(first.x1 - first.x0, first.y1 - first.y0);
}

TEST(PlotCanvas, UprightAndVerticalTextTakeTransposedBoxes) {
  Canvas c(Format::svg, 400, 400);
  TextStyle t;
  const Box flat = c.measure("PIEVE DI SASSORE", {200, 200, 0.5, 1}, t);
  t.vertical = true;
  const Box up = c.measure("PIEVE DI SASSORE", {200, 200, 0.5, 1}, t);
  EXPECT_DOUBLE_EQ(flat.x1 - flat.x0, up.y1 - up.y0);
  EXPECT_DOUBLE_EQ(flat.y1 - flat.y0, up.x1 - up.x0);
  EXPECT_DOUBLE_EQ(up.y1, 200);  // anchored by its bottom centre
  EXPECT_DOUBLE_EQ((up.x0 + up.x1) / 2, 200);
}

TEST(PlotCanvas, LongTextIsCutShortOnACharacterBoundary) {
  const TextStyle t;
  EXPECT_EQ(shorten("SHORT", t, 1000), "SHORT");
  const std::string long_name = "FORNACI DI VALMORENA \xC2\xB0\xC2\xB0\xC2\xB0 E DINTORNI";
  for (double most : {40.0, 150.0, 180.0}) {
    const std::string cut = shorten(long_name, t, most);
    EXPECT_LE(text_size(cut, t).x, most) << cut;
    EXPECT_EQ(cut.substr(cut.size() - 3), "\u2026");
    const std::string kept = cut.substr(0, cut.size() - 3);
    EXPECT_EQ(long_name.rfind(kept, 0), 0u);
    EXPECT_NE(static_cast<unsigned char>(long_name[kept.size()]) & 0xC0, 0x80) << cut;
  }
}

TEST(PlotCanvas, FinishesIntoTheFormatAsked) {
  Canvas svg(Format::svg, 120, 80);
  EXPECT_NE(svg.finish().find("<svg"), std::string::npos);
  Canvas png(Format::png, 120, 80);
  EXPECT_EQ(png.finish().substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// cairo and fontconfig keep their font caches for the life of the process; hand them
// back at the end, so that the leak checker sees only what the pictures leave.
class FontCaches : public ::testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};
const auto* const font_caches = ::testing::AddGlobalTestEnvironment(new FontCaches);

}  // namespace
}  // namespace tracciato::plot
