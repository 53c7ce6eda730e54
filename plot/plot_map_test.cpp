#include "plot/plot_map.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "plot/plot_test_scenario.h"
#include "platform/runtime_failure.h"

namespace tracciato::plot {
namespace {

DecodedPlan straight_up(int metres) {
  DecodedPlan p;
  for (int m = 0; m <= metres; ++m) {
    p.x.push_back(PlanValue::of_integer(0));
    p.y.push_back(PlanValue::of_double(m));
  }
  return p;
}

struct Extent {
  double min_x = 1e300, max_x = -1e300, min_y = 1e300, max_y = -1e300;
};

Extent device_extent(const DecodedPlan& plan, const MapLayout& l) {
  Extent e;
  for (std::size_t m = 0; m < plan.x.size(); ++m) {
    if (!drawable(plan, m)) continue;
    const Point p = l.to_device(plan.x[m].number(), plan.y[m].number());
    e.min_x = std::min(e.min_x, p.x);
    e.max_x = std::max(e.max_x, p.x);
    e.min_y = std::min(e.min_y, p.y);
    e.max_y = std::max(e.max_y, p.y);
  }
  return e;
}

TEST(PlotMap, TheDrawnExtentIsThePlansBoundingBoxToScale) {
  const DecodedPlan plan = testing::embedded_plan();
  Extent box;  // of the plan, in metres
  for (std::size_t m = 0; m < plan.x.size(); ++m) {
    if (plan.x[m].kind == PlanValue::Kind::Empty) continue;
    box.min_x = std::min(box.min_x, plan.x[m].number());
    box.max_x = std::max(box.max_x, plan.x[m].number());
    box.min_y = std::min(box.min_y, plan.y[m].number());
    box.max_y = std::max(box.max_y, plan.y[m].number());
  }
  const MapLayout l = map_layout(plan, 1200);
  EXPECT_EQ(l.min_x, box.min_x);
  EXPECT_EQ(l.max_x, box.max_x);
  EXPECT_EQ(l.min_y, box.min_y);
  EXPECT_EQ(l.max_y, box.max_y);

  const Extent drawn = device_extent(plan, l);
  const double w = drawn.max_x - drawn.min_x, h = drawn.max_y - drawn.min_y;
  EXPECT_NEAR(w / (box.max_x - box.min_x), h / (box.max_y - box.min_y), 1e-9);  // one scale
  EXPECT_NEAR(w / (box.max_x - box.min_x), l.scale, 1e-9);
  const double tolerance = 1e-6;
  EXPECT_GE(drawn.min_x, l.area.x0 - tolerance);
  EXPECT_LE(drawn.max_x, l.area.x1 + tolerance);
  EXPECT_GE(drawn.min_y, l.area.y0 - tolerance);
  EXPECT_LE(drawn.max_y, l.area.y1 + tolerance);
  // Fitted: it fills the area one way and is centred the other.
  const bool fills_width = std::abs(w - (l.area.x1 - l.area.x0)) < tolerance;
  const bool fills_height = std::abs(h - (l.area.y1 - l.area.y0)) < tolerance;
  EXPECT_TRUE(fills_width || fills_height);
  EXPECT_NEAR(drawn.min_x - l.area.x0, l.area.x1 - drawn.max_x, tolerance);
  EXPECT_NEAR(drawn.min_y - l.area.y0, l.area.y1 - drawn.max_y, tolerance);
  // The line leaves the origin heading up the page.
  EXPECT_LT(l.to_device(0, 100).y, l.to_device(0, 0).y);
}

TEST(PlotMap, EmptyPointsAreLeftOutAndBadPlansRefused) {
  DecodedPlan plan = straight_up(100);
  plan.x.push_back({});  // Empty metres do not count, wherever they lie
  plan.y.push_back({});
  plan.x[50] = {};
  plan.y[50] = PlanValue::of_double(1e9);
  const MapLayout l = map_layout(plan, 800);
  EXPECT_EQ(l.max_y, 100);
  EXPECT_EQ(l.min_x, 0);
  EXPECT_EQ(l.max_x, 0);  // a line with no width still gets a scale
  EXPECT_GT(l.scale, 0);

  DecodedPlan nan = straight_up(10);
  nan.y[3] = PlanValue::of_double(std::nan(""));
  EXPECT_THROW(map_layout(nan, 800), RuntimeFailure);
  DecodedPlan huge = straight_up(10);
  huge.y[0] = PlanValue::of_double(-1.7e308);
  huge.y[1] = PlanValue::of_double(1.7e308);
  EXPECT_THROW(map_layout(huge, 800), RuntimeFailure);
  DecodedPlan empty;
  empty.x.resize(5);
  empty.y.resize(5);
  EXPECT_THROW(map_layout(empty, 800), RuntimeFailure);
  const DecodedPlan single = straight_up(0);
  EXPECT_NE(draw_map(single, {}, Format::svg, 800).find("<svg"), std::string::npos);
}

struct PngReader {
  std::string_view bytes;
  static cairo_status_t read(void* closure, unsigned char* data, unsigned int length) {
    auto* r = static_cast<PngReader*>(closure);
    if (r->bytes.size() < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, r->bytes.data(), length);
    r->bytes.remove_prefix(length);
    return CAIRO_STATUS_SUCCESS;
  }
};

TEST(PlotMap, APngIsDrawnAlongTheWholeLine) {
  const DecodedPlan plan = testing::embedded_plan();
  const RouteFeatures features =
      route_features(testing::embedded_voci(), testing::embedded_celle());
  const std::string png = draw_map(plan, features, Format::png, 900);
  PngReader reader{png};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(PngReader::read, &reader);
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  const MapLayout l = map_layout(plan, 900);
  ASSERT_EQ(cairo_image_surface_get_width(image), 900);
  ASSERT_GT(cairo_image_surface_get_height(image), l.area.y1);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  int blank = 0, sampled = 0;
  for (std::size_t m = 0; m < plan.x.size(); m += 250) {
    if (!drawable(plan, m)) continue;
    const Point p = l.to_device(plan.x[m].number(), plan.y[m].number());
    // Marks have white rims: look at the pixel and its eight neighbours.
    bool inked = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = static_cast<int>(std::floor(p.x)) + dx, y = static_cast<int>(std::floor(p.y)) + dy;
        std::uint32_t px;
        std::memcpy(&px, data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, sizeof px);
        inked = inked || (px & 0xFFFFFF) != 0xFFFFFF;
      }
    ++sampled;
    if (!inked) ++blank;
  }
  cairo_surface_destroy(image);
  EXPECT_GT(sampled, 400);
  EXPECT_EQ(blank, 0);
}

}  // namespace
}  // namespace tracciato::plot
