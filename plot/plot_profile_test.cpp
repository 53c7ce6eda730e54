#include "plot/plot_profile.h"

#include <gtest/gtest.h>

#include "plot/plot_test_scenario.h"

namespace tracciato::plot {
namespace {

std::vector<cella> gradients(std::initializer_list<std::uint8_t> pendenze) {
  std::vector<cella> celle;
  for (std::uint8_t p : pendenze) {
    cella c;
    c.pendenza = p;
    c.velocita = 19;
    c.aderenza = 100;
    celle.push_back(c);
  }
  return celle;
}

TEST(PlotProfile, ElevationAddsEachCellsGradientOverItsFiftyMetres) {
  const ProfileData p = profile_data(gradients({104, 104, 97, 100}), 200);
  EXPECT_EQ(p.cells, 4);
  EXPECT_EQ(p.elevation_mm, (std::vector<std::int64_t>{0, 200, 400, 250, 250}));
  EXPECT_EQ(p.speed_kmh, (std::vector<int>{95, 95, 95, 95}));
  EXPECT_EQ(p.adhesion.front(), 100);
}

TEST(PlotProfile, TheRouteLengthChoosesTheCellsCoveringIt) {
  const auto celle = gradients({110, 110, 110, 110, 110});
  EXPECT_EQ(profile_data(celle, 101).cells, 3);  // metre 100 lies in cell 2
  EXPECT_EQ(profile_data(celle, 100).cells, 2);
  EXPECT_EQ(profile_data(celle, 1000000).cells, 5);  // no further than the file goes
  const ProfileData none = profile_data(celle, 0);
  EXPECT_EQ(none.cells, 0);
  EXPECT_EQ(none.elevation_mm, std::vector<std::int64_t>{0});
}

TEST(PlotProfile, TheEmbeddedRouteEndsAtTheSumOfItsGradientsTimesFiftyMetres) {
  const std::vector<cella> celle = testing::embedded_celle();
  const ProfileData p = profile_data(celle, 100000);
  ASSERT_EQ(p.cells, 2000);  // cells 0 .. 1999 cover metres 0 .. 99999
  std::int64_t per_mille_sum = 0;
  for (std::int64_t i = 0; i < p.cells; ++i)
    per_mille_sum += std::int64_t{celle[static_cast<std::size_t>(i)].pendenza} - 100;
  EXPECT_EQ(p.elevation_mm.back(), per_mille_sum * 50);
  EXPECT_EQ(p.speed_kmh[0], 95);
  EXPECT_EQ(p.speed_kmh[24], 140);
  EXPECT_EQ(p.speed_kmh[1999], 75);
}

TEST(PlotProfile, DrawsFlatAndEmptyRoutesWithoutFaults) {
  const RouteFeatures none;
  for (const ProfileData& p : {profile_data(gradients({100, 100}), 100), profile_data({}, 0)}) {
    const std::string svg = draw_profile(p, none, Format::svg, 600);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
  }
}

}  // namespace
}  // namespace tracciato::plot
