#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "sources/embedded_tables.h"
#include "sources/table_test_support.h"

// The embedded train text held against its counts and distributions, and the cells its
// stations, slow-downs and signals take on the embedded route.

namespace tracciato {
namespace {

using table_test::Fields;
using table_test::num;
using table_test::split;

LineTable without_marker(LineTable t) {
  EXPECT_EQ(t.back(), std::string(end_marker));
  t.pop_back();
  return t;
}
const LineTable& train() {
  static const LineTable t = without_marker(train_table());
  return t;
}
// The numbers of every line of `table` whose keyword is `keyword`; a station's name,
// its last field, is left out.
std::vector<std::vector<long>> entries(const LineTable& table, const std::string& keyword) {
  std::vector<std::vector<long>> out;
  for (const auto& line : table) {
    auto f = split(line);
    if (f[0] != keyword) continue;
    if (keyword == "stazione") f.pop_back();
    out.emplace_back();
    for (std::size_t i = 1; i < f.size(); ++i) out.back().push_back(num(f[i]));
  }
  return out;
}
Fields lines(int first, int last) {
  return Fields(train().begin() + first - 1, train().begin() + last);
}

TEST(TrainTable, HasItsSectionsGeneralDataAndSpeedLimits) {
  ASSERT_EQ(train().size(), 100u);
  const std::vector<std::pair<int, std::string>> headers = {
      {1, "[generale]"},       {6, "[aderenze]"}, {8, "[vel_limite]"}, {23, "[stazioni]"},
      {51, "[rallentamenti]"}, {57, "[segnali]"}, {99, "[codici]"},    {100, "[fine]"}};
  for (const auto& [n, h] : headers) EXPECT_EQ(train()[n - 1], h) << n;
  EXPECT_EQ(lines(2, 7), (Fields{"numero vetture,    11", "percentuale massa frenata,    125",
                                 "sabbia,    300", "orologio,    9               18            0 ",
                                 "[aderenze]", "aderenza,   0,    100"}));
  const std::vector<std::pair<long, long>> limits = {
      {0, 95},     {1200, 140}, {12250, 100}, {16150, 115}, {27600, 30}, {28750, 105}, {40500, 80},
      {44400, 30}, {45400, 80}, {67300, 75},  {68150, 30},  {69300, 75}, {92500, 30},  {94050, 75}};
  for (std::size_t i = 0; i < limits.size(); ++i) {
    char expected[40];
    std::snprintf(expected, sizeof expected, "velocita,%8ld,%6ld", limits[i].first,
                  limits[i].second);
    EXPECT_EQ(train()[8 + i], expected);
  }
  EXPECT_EQ(lines(52, 56), (Fields{"rallentamento,   38950,    75,  350, 1,  0,  0",
                                   "rallentamento,   56900,    65,  350, 1,  0,  0",
                                   "rallentamento,   75850,    30,  800, 1,  0,  0",
                                   "rallentamento,   77600,    65,   50, 1,  0,  0",
                                   "rallentamento,   89050,    30,  300, 1,  0,  0"}));
  for (const auto& line : train()) {
    EXPECT_NE(line, std::string(end_marker));
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
  }
}

TEST(TrainTable, StationsRiseAlongTheLineWithTheirAttributeSets) {
  const auto stations = entries(train(), "stazione");
  ASSERT_EQ(stations.size(), 27u);
  EXPECT_EQ(stations.front(),
            (std::vector<long>{0, 8, 500, 1, 0, 0, 4, 1, 0, 2, 1, 1, 1, 9, 19, 0}));
  EXPECT_EQ(stations.back(),
            (std::vector<long>{99550, 1, 800, 0, 0, 0, 1, 1, 0, 2, 1, 1, 0, 11, 20, 0}));
  EXPECT_EQ((std::vector<long>(stations[1].begin(), stations[1].begin() + 3)),
            (std::vector<long>{4500, 11, 600}));
  EXPECT_EQ(stations[1][5], 0);
  const std::set<std::vector<long>> seven_nine = {{4, 1, 0}, {1, 1, 0}, {0, 0, 0}};
  const std::set<std::vector<long>> ten_twelve = {{2, 1, 1}, {4, 1, 1}, {2, 3, 1}, {0, 0, 0}};
  std::set<long> kinds, thirteens;
  std::set<std::vector<long>> used_seven, used_ten;
  long last = -1;
  for (const auto& s : stations) {
    ASSERT_EQ(s.size(), 16u);
    EXPECT_GT(s[0], last);
    EXPECT_EQ(s[0] % 50, 0);
    EXPECT_EQ(s[2] % 100, 0);
    last = s[0];
    kinds.insert(s[1]);
    used_seven.insert({s.begin() + 6, s.begin() + 9});
    used_ten.insert({s.begin() + 9, s.begin() + 12});
    thirteens.insert(s[12]);
  }
  EXPECT_EQ(kinds, (std::set<long>{1, 8, 11, 12, 22, 24, 25, 28}));
  EXPECT_EQ(used_seven, seven_nine);
  EXPECT_EQ(used_ten, ten_twelve);
  EXPECT_EQ(thirteens, (std::set<long>{0, 1, 60, 99, 105}));
  for (const auto& line : lines(24, 50)) {
    const auto f = split(line);
    EXPECT_EQ(f.size(), 18u) << "a comma in the name: " << line;
    EXPECT_FALSE(f.back().empty());
    EXPECT_EQ(f.back().find('"'), std::string::npos);
  }
  const std::string stop =
      "stazione,   28350, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   99,   9,43, 0,";
  EXPECT_TRUE(std::any_of(train().begin(), train().end(), [&](const std::string& l) {
    return l.rfind(stop, 0) == 0 && l.size() > stop.size();
  }));
}

TEST(TrainTable, EightStationsCarryRisingTimesAndTheRestNone) {
  long last = 0;
  std::vector<long> timed;
  for (const auto& s : entries(train(), "stazione")) {
    if (s[13] == 0 && s[14] == 0) {
      EXPECT_EQ(s[15], 0);
      continue;
    }
    const long t = s[13] * 60 + s[14];
    EXPECT_GT(t, last) << s[0];
    last = t;
    timed.push_back(s[0]);
  }
  ASSERT_EQ(timed.size(), 8u);
  EXPECT_EQ(timed.front(), 0);
  EXPECT_NE(std::find(timed.begin(), timed.end(), 28350), timed.end());
  EXPECT_EQ(timed.back(), 99550);
}

TEST(TrainTable, SignalsKeepTheirKindsDigitsAndTwoTimedSignals) {
  const auto signals = entries(train(), "segnale");
  ASSERT_EQ(signals.size(), 41u);
  EXPECT_EQ(train()[57], "segnale,    2450,   1, 4, 0,  0, 0,    0,  0,0,0, 0");
  EXPECT_EQ(signals.back()[0], 97350);
  std::map<std::tuple<long, long, long>, int> triples;
  std::map<long, int> sides;
  std::vector<long> timed;
  long last = 0;
  for (const auto& s : signals) {
    ASSERT_EQ(s.size(), 11u);
    EXPECT_GT(s[0], last);
    EXPECT_EQ(s[0] % 50, 0);
    last = s[0];
    for (int i : {4, 5, 6, 7, 8, 9}) EXPECT_EQ(s[i], 0) << s[0];
    ++sides[s[1]];
    ++triples[{s[1], s[2], s[3]}];
    if (s[10] != 0) timed.push_back(s[0]);
  }
  EXPECT_EQ(sides, (std::map<long, int>{{1, 20}, {2, 21}}));
  std::set<std::tuple<long, long, long>> kinds;
  for (const auto& [t, n] : triples) kinds.insert(t);
  EXPECT_EQ(kinds, (std::set<std::tuple<long, long, long>>{
                       {1, 4, 0}, {2, 4, 0}, {2, 2, 3}, {1, 3, 0}, {2, 3, 0}, {1, 5, 6}}));
  EXPECT_EQ(timed, (std::vector<long>{87200, 92500}));
  for (const auto* line : {"segnale,   87200,   2, 2, 3,  0, 0,    0,  0,0,0, 205",
                           "segnale,   92500,   2, 2, 3,  0, 0,    0,  0,0,0, 205"})
    EXPECT_EQ(std::count(train().begin(), train().end(), line), 1) << line;
}

// Cells as the readers place them: signals, boards and signboards on p / 50 + 1, a
// station's stop cell on its area end / 50 - 1. A stop cell is written without a test,
// so a board under it would be lost without a word; the others would stop the reading.
TEST(TrainTable, StationsSlowDownsAndSignalsTakeCellsNothingElseHolds) {
  const LineTable route = without_marker(route_table());
  std::map<long, std::string> taken;
  const auto take = [&](long cell, const std::string& what) {
    const auto [it, fresh] = taken.emplace(cell, what);
    EXPECT_TRUE(fresh) << what << " on " << it->second << " (cell " << cell << ")";
  };
  for (const auto& b : entries(route, "indicatori_vmax"))
    take(b[0] / 50 + 1, "board " + std::to_string(b[0]));
  for (const auto& line : route)
    if (line.rfind("cartello_indicatore", 0) == 0) take(num(split(line)[1]) / 50 + 1, line);
  long previous_end = -1000000;
  for (const auto& s : entries(train(), "stazione")) {
    const long p = s[0], kind = s[1], length = s[2];
    const long begin = kind == 7 || kind == 8 ? p - length : p - length / 2;
    const long end = kind == 7 || kind == 8 ? p + length : p + length / 2 + (s[5] != 0 ? 50 : 0);
    EXPECT_GE(begin - 350, previous_end) << p;
    previous_end = end;
    if (kind >= 25) continue;
    EXPECT_GT(end / 50 - 1, 1) << p;
    take(end / 50 - 1, "stop cell of " + std::to_string(p));
  }
  for (const auto& r : entries(train(), "rallentamento")) {
    take((r[0] - 1200) / 50 + 1, "warning board " + std::to_string(r[0]));
    take(r[0] / 50 + 1, "slow-down start " + std::to_string(r[0]));
    take((r[0] + r[2]) / 50 + 1, "slow-down end " + std::to_string(r[0]));
  }
  for (const auto& s : entries(train(), "segnale"))
    take(s[0] / 50 + 1, "signal " + std::to_string(s[0]));
}

}  // namespace
}  // namespace tracciato
