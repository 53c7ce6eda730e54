#include "plot/plot_features.h"

#include <gtest/gtest.h>

#include "plot/plot_test_scenario.h"
#include "plot/plot_text.h"

namespace tracciato::plot {
namespace {

struct Files {
  std::vector<voce> voci = std::vector<voce>(87);
  std::vector<cella> celle = std::vector<cella>(200);
};

TEST(PlotText, TurnsWindows1252IntoUtf8) {
  EXPECT_EQ(utf8_from_1252("SASSORE 1\xB0"), "SASSORE 1\xC2\xB0");
  EXPECT_EQ(utf8_from_1252("\x80 \x96"), "\xE2\x82\xAC \xE2\x80\x93");
  EXPECT_EQ(utf8_from_1252("\x81"), "\xEF\xBF\xBD");  // undefined in the code page
  EXPECT_EQ(utf8_from_1252("a\tb\rc"), "a b c");
}

TEST(PlotText, SignboardRowsBecomeOneCaption) {
  EXPECT_EQ(signboard_caption("(GALLERIA       )(ORSERA         )(Mt.86 Km.31+060)"),
            "GALLERIA ORSERA Mt.86 Km.31+060");
  EXPECT_EQ(signboard_caption("( CULMINE )(Km.86+750)"), "CULMINE Km.86+750");
  EXPECT_EQ(signboard_caption("no rows  at all"), "no rows at all");
  EXPECT_EQ(signboard_caption("(unclosed row"), "unclosed row");
}

TEST(PlotFeatures, StationsStandAtTheirStopCellOrElseAtTheirPosition) {
  Files f;
  f.voci[1] = {8, -500, 500, 0, 1, "ROVELDA"};
  f.voci[2] = {28, 4200, 4600, 4400, 0, "HALT"};  // a kind without a stop cell
  f.voci[3] = {11, 8000, 8600, 8300, 0, ""};  // a station need not have a name
  f.voci[79] = {0, 0, 0, 0, 0, "(BOARD)"};
  f.celle[9] = {event::station, 1};
  f.celle[171] = {event::station, 3};
  f.celle[60] = {event::signboard, 79};
  const RouteFeatures r = route_features(f.voci, f.celle);
  ASSERT_EQ(r.stations.size(), 3u);
  EXPECT_EQ(r.stations[0].name, "ROVELDA");
  EXPECT_EQ(r.stations[0].metre, 400);  // cell 9 covers 400 .. 449
  EXPECT_TRUE(r.stations[0].stops);
  EXPECT_EQ(r.stations[1].metre, 4400);
  EXPECT_FALSE(r.stations[1].stops);
  EXPECT_EQ(r.stations[2].metre, 8500);
  ASSERT_EQ(r.signboards.size(), 1u);
  EXPECT_EQ(r.signboards[0].metre, 2950);
  EXPECT_EQ(r.signboards[0].caption, "BOARD");
}

TEST(PlotFeatures, StationsEndAtABlankEntryOrAtTheSignboards) {
  Files f;
  f.voci[1].nome = "A";
  f.voci[3].nome = "after a gap";
  EXPECT_EQ(route_features(f.voci, f.celle).stations.size(), 1u);

  Files full;
  for (int k = 1; k <= 80; ++k) full.voci[static_cast<std::size_t>(k)].nome = "X";
  full.celle[50] = {event::signboard, 78};
  full.celle[51] = {event::signboard, 300};  // a corrupt link reads no entry
  const RouteFeatures r = route_features(full.voci, full.celle);
  EXPECT_EQ(r.stations.size(), 77u);
  EXPECT_EQ(r.signboards.at(1).caption, "");
}

TEST(PlotFeatures, ASlowDownRunsToTheFirstEndBoardAfterItsStart) {
  Files f;
  f.voci[84].fine_area = 9000;
  f.celle[20] = {event::slowdown_start, 60};
  f.celle[30] = {event::slowdown_end, 60};
  f.celle[40] = {event::slowdown_end, 60};
  f.celle[50] = {event::slowdown_start, 30};  // no end board after it
  const RouteFeatures r = route_features(f.voci, f.celle);
  ASSERT_EQ(r.slowdowns.size(), 2u);
  EXPECT_EQ(r.slowdowns[0].from, 950);
  EXPECT_EQ(r.slowdowns[0].to, 1450);
  EXPECT_EQ(r.slowdowns[0].speed_kmh, 60);
  EXPECT_TRUE(r.slowdowns[0].has_end);
  EXPECT_EQ(r.slowdowns[1].from, 2450);
  EXPECT_EQ(r.slowdowns[1].to, 9000);
  EXPECT_FALSE(r.slowdowns[1].has_end);
}

TEST(PlotFeatures, TunnelsAreTheRunsOfMountainCells) {
  Files f;
  for (int i : {10, 11, 12, 14}) f.celle[static_cast<std::size_t>(i)].montagna = 2;
  f.celle[199].montagna = 1;
  const RouteFeatures r = route_features(f.voci, f.celle);
  ASSERT_EQ(r.tunnels.size(), 3u);
  EXPECT_EQ(r.tunnels[0].from, 500);
  EXPECT_EQ(r.tunnels[0].to, 650);
  EXPECT_EQ(r.tunnels[1].from, 700);
  EXPECT_EQ(r.tunnels[2].to, 10000);
}

TEST(PlotFeatures, TheRouteLengthStaysWithinTheCellFile) {
  Files f;
  f.voci[84].fine_area = 1000000;
  EXPECT_EQ(route_features(f.voci, f.celle).length, 10000);
  f.voci[84].fine_area = -5;
  EXPECT_EQ(route_features(f.voci, f.celle).length, 0);
}

TEST(PlotFeatures, TheEmbeddedScenarioShowsItsStationsSignalsAndSlowDowns) {
  const RouteFeatures r = route_features(testing::embedded_voci(), testing::embedded_celle());
  EXPECT_EQ(r.route, "ROVELDA-MARNE");
  EXPECT_EQ(r.train, "K 517");
  EXPECT_EQ(r.length, 100000);
  ASSERT_EQ(r.stations.size(), 27u);
  EXPECT_EQ(r.stations.front().name, "ROVELDA");
  EXPECT_EQ(r.stations.back().name, "MARNE");
  EXPECT_EQ(r.signals.size(), 41u);
  EXPECT_EQ(r.signboards.size(), 51u);
  ASSERT_EQ(r.slowdowns.size(), 5u);
  EXPECT_EQ(r.slowdowns[0].from, 38950);
  EXPECT_EQ(r.slowdowns[0].to, 39300);
  EXPECT_EQ(r.slowdowns[0].speed_kmh, 75);
  EXPECT_FALSE(r.tunnels.empty());
}

}  // namespace
}  // namespace tracciato::plot
