#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sources/embedded_tables.h"
#include "sources/table_test_support.h"

// The embedded route text held against the counts and orders its readers and the
// driver documents rely on.

namespace tracciato {
namespace {

using table_test::Fields;
using table_test::num;
using table_test::split;

const LineTable& route() {
  static const LineTable t = [] {
    LineTable all = route_table();
    EXPECT_EQ(all.back(), std::string(end_marker));
    all.pop_back();
    return all;
  }();
  return t;
}
std::vector<Fields> entries(const std::string& keyword_prefix) {
  std::vector<Fields> out;
  for (const auto& line : route())
    if (line.rfind(keyword_prefix, 0) == 0) out.push_back(split(line));
  return out;
}
bool has_line(const std::string& line) {
  return std::count(route().begin(), route().end(), line) == 1;
}

TEST(RouteTable, HasItsLinesAndSectionHeadersAtFixedPlaces) {
  ASSERT_EQ(route().size(), 471u);
  const std::vector<std::pair<int, std::string>> headers = {
      {1, "[generale]"},   {10, "[curve]"},        {194, "[pendenze]"}, {367, "[montagne]"},
      {408, "[cartelli]"}, {419, "[indicazioni]"}, {471, "[fine]"}};
  for (const auto& [n, h] : headers) EXPECT_EQ(route()[n - 1], h) << n;
  const Fields general = {"lunghezza percorso,    100000",
                          "progressiva chilometrica uno,    0,    0,    0",
                          "progressiva chilometrica due,    0,    0,    0",
                          "progressiva chilometrica tre,    0,    0,    0",
                          "sfondo uno,    1",
                          "sfondo due,    20000",
                          "sfondo tre,    30500",
                          "ripetizione segnali 4 codici,    0    ,0"};
  EXPECT_EQ(Fields(route().begin() + 1, route().begin() + 9), general);
}

TEST(RouteTable, LinesAreSingleWindows1252LinesWithoutTheEndMarker) {
  for (const auto& line : route()) {
    EXPECT_NE(line, std::string(end_marker));
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && (c < 0x7F || c == 0xB0)) << line;
  }
}

TEST(RouteTable, CurvesStartAfterThePreviousCurveEnds) {
  const auto curves = entries("curva");
  ASSERT_EQ(curves.size(), 183u);
  std::map<std::string, int> by_keyword;
  long end = 0, shortest = 100000, longest = 0;
  for (const auto& c : curves) {
    ASSERT_EQ(c.size(), 3u);
    ++by_keyword[c[0]];
    const long start = num(c[1]), length = num(c[2]);
    EXPECT_GT(start, end) << start;
    EXPECT_EQ(start % 50, 0);
    EXPECT_EQ(length % 50, 0);
    shortest = std::min(shortest, length);
    longest = std::max(longest, length);
    end = start + length;
  }
  EXPECT_EQ(by_keyword, (std::map<std::string, int>{{"curvas6", 56},
                                                    {"curvad6", 51},
                                                    {"curvas5", 25},
                                                    {"curvad5", 22},
                                                    {"curvad4", 14},
                                                    {"curvas4", 10},
                                                    {"curvas3", 3},
                                                    {"curvad3", 2}}));
  EXPECT_EQ(route()[10], "curvad4,  2150,  100");
  EXPECT_EQ(num(curves.back()[1]), 97400);
  EXPECT_EQ(shortest, 50);
  EXPECT_EQ(longest, 1150);
  EXPECT_TRUE(has_line("curvas4,  14750,  150"));
}

TEST(RouteTable, GradientsRiseAlongTheLineWithinTwentyTwoPerMille) {
  const auto gradients = entries("pendenza");
  ASSERT_EQ(gradients.size(), 172u);
  long last = 0, level = 0, low = 0, high = 0;
  for (const auto& g : gradients) {
    const long p = num(g[1]), v = num(g[2]);
    EXPECT_GT(p, last);
    EXPECT_EQ(p % 50, 0);
    level += v == 0;
    low = std::min(low, v);
    high = std::max(high, v);
    last = p;
  }
  EXPECT_EQ(level, 26);
  EXPECT_EQ(low, -22);
  EXPECT_EQ(high, 22);
  EXPECT_EQ(route()[194], "pendenza,  850,   4");
  EXPECT_EQ(route()[365], "pendenza,  93950,   -20");
  EXPECT_TRUE(has_line("pendenza,  16000,   -3"));
  EXPECT_TRUE(has_line("pendenza,  88800,   -20"));
}

std::map<long, std::string> signboards() {
  std::map<long, std::string> out;
  for (const auto& s : entries("cartello_indicatore")) {
    EXPECT_EQ(s.size(), 3u) << "a comma in a signboard text";
    EXPECT_TRUE(out.empty() || num(s[1]) > out.rbegin()->first) << s[1];
    out[num(s[1])] = s[2];
  }
  return out;
}

TEST(RouteTable, EveryMountainSpanBeginsFiftyMetresAfterATunnelSignboard) {
  const auto spans = entries("montagna");
  ASSERT_EQ(spans.size(), 40u);
  const auto boards = signboards();
  std::map<long, int> by_type;
  long last_end = 0;
  for (const auto& s : spans) {
    const long start = num(s[1]), end = num(s[2]);
    ++by_type[num(s[3])];
    EXPECT_GT(start, last_end);
    EXPECT_GT(end, start);
    EXPECT_EQ(start % 50 + end % 50, 0);
    const auto board = boards.find(start - 50);
    EXPECT_TRUE(board != boards.end() && board->second.find("GALLERIA") != std::string::npos)
        << start;
    last_end = end;
  }
  EXPECT_EQ(by_type, (std::map<long, int>{{1, 15}, {2, 15}, {11, 4}, {12, 6}}));
  EXPECT_EQ(route()[367], "montagna,   31050,  31150,  12");
  EXPECT_EQ(last_end, 95300);
  const auto pair = std::find(route().begin(), route().end(), "montagna,   53050,  53100,  1");
  ASSERT_NE(pair, route().end());
  EXPECT_EQ(pair[1], "montagna,   53150,  53300,  1");
}

TEST(RouteTable, SpeedIndicatorBoardsFillOneSideOnly) {
  const std::vector<std::vector<int>> boards = {
      {600, 90, 95, 95},   {1200, 120, 140, 140},  {12250, 95, 100, 100}, {16150, 110, 115, 115},
      {27550, 90, 95, 95}, {28750, 100, 105, 105}, {40500, 75, 80, 80},   {69450, 70, 75, 75},
      {92450, 60, 60, 60}, {94050, 70, 75, 75}};
  for (std::size_t i = 0; i < boards.size(); ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "indicatori_vmax,  %d,  %d,  %d,  %d,  0,  ,  ,  ,  0",
                  boards[i][0], boards[i][1], boards[i][2], boards[i][3]);
    EXPECT_EQ(route()[408 + i], line);
  }
}

TEST(RouteTable, SignboardTextsArePaddedRowsOfOneWidth) {
  const auto boards = signboards();
  ASSERT_EQ(boards.size(), 51u);
  EXPECT_EQ(boards.begin()->first, 31000);
  EXPECT_EQ(boards.rbegin()->first, 95050);
  std::map<std::pair<int, std::size_t>, int> shapes;  // (rows, width) -> boards
  int ordinals = 0;
  for (const auto& [p, text] : boards) {
    EXPECT_EQ(p % 50, 0);
    EXPECT_EQ(text.find('"'), std::string::npos) << text;
    std::set<std::size_t> widths;
    int rows = 0;
    for (std::size_t open = 0; open < text.size(); ++rows) {
      ASSERT_EQ(text[open], '(') << text;
      const auto close = text.find(')', open);
      ASSERT_NE(close, std::string::npos) << text;
      widths.insert(close - open - 1);
      open = close + 1;
    }
    EXPECT_EQ(widths.size(), 1u) << text;
    ++shapes[{rows, *widths.begin()}];
    const auto degree = text.find('\xB0');
    if (degree != std::string::npos) {
      ++ordinals;
      EXPECT_TRUE(degree > 0 && std::isdigit(static_cast<unsigned char>(text[degree - 1]))) << text;
    }
  }
  EXPECT_EQ(shapes, (std::map<std::pair<int, std::size_t>, int>{
                        {{3, 16}, 27}, {{3, 15}, 21}, {{3, 11}, 1}, {{2, 15}, 1}, {{2, 9}, 1}}));
  EXPECT_EQ(ordinals, 12);
  EXPECT_TRUE(has_line(
      "cartello_indicatore,  32250,   (GALLERIA       )(ARTIFICIALE    )(Mt.79 Km.32+340)"));
  EXPECT_TRUE(has_line("cartello_indicatore,  86750,   ( CULMINE )(Km.86+750)"));
}

}  // namespace
}  // namespace tracciato
