#include <gtest/gtest.h>

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"

namespace tracciato::dump {
namespace {

// The meanings of the four values, as the csv dump joins them.
std::string values_meaning(std::int64_t index, const cella& c) {
  std::string out;
  for (const FieldMeaning& m : cell_meaning(index, c)) {
    if (!m.field.starts_with("valore")) continue;
    if (!out.empty()) out += "; ";
    out += std::string(m.field) + ": " + parts_text(m.parts);
  }
  return out;
}

TEST(DumpCellMeaning, EventValuesAreUnpackedAsTheirOperationsPackThem) {
  const struct {
    std::int64_t index;
    cella c;
    const char* meaning;
  } cases[] = {
      {50, {1, 40, 0, 0, 3}, "valore1: s1 4, d1 0; valore2: s2 0, d2 0; valore3: s3 0, d3 0; "
                             "valore4: rapp 0, sx 1, dx 0"},
      {1745, {1, 20, 30, 0, 6}, "valore1: s1 2, d1 0; valore2: s2 3, d2 0; valore3: s3 0, d3 0; "
                                "valore4: rapp 0, sx 2, dx 0"},
      {9, {1, 57, 12, 0, 17}, "valore1: s1 5, d1 7; valore2: s2 1, d2 2; valore3: s3 0, d3 0; "
                              "valore4: rapp 1, sx 2, dx 1"},
      {13, {6, 1800, 1900, 1900, 0}, "valore1: s 90 km/h, d 0 km/h; valore2: s 95 km/h, d 0 km/h; "
                                     "valore3: s 95 km/h, d 0 km/h; valore4: stripes s 0, d 0"},
      {13, {6, 2412, 0, 0, 12}, "valore1: s 120 km/h, d 60 km/h; valore2: s 0 km/h, d 0 km/h; "
                                "valore3: s 0 km/h, d 0 km/h; valore4: stripes s 1, d 2"},
      // A speed whose packing kept only its low 16 bits is no packed value.
      {13, {6, -25536, 100, 0, -1}, "valore2: s 5 km/h, d 0 km/h; valore3: s 0 km/h, d 0 km/h"},
      {780, {3, 75, 0, 1}, "valore1: v 75 km/h; valore2: d_v 0; valore3: f_tt 1"},
      {787, {2, 30, 5, 1}, "valore1: v 30 km/h; valore2: d_v 5; valore3: f_tt 1"},
      {756, {4, 75}, "valore1: v 75 km/h; valore2: d_v 0"},
      {7, {5, 2, 2}, "valore1: rank 2; valore2: rank 2"},
      {95, {10, 2}, "valore1: station 2"},
      {241, {12, 60}, "valore1: speed 60"},
      {621, {14, 80}, "valore1: text in voci(80)"},
      {103, {11, 9, 9, 9, 9}, ""},
      {104, {13, 9}, ""},
      {105, {7, 9, 9, 9, 9}, ""},
      // Cell 1 names its marks whatever its event; the other values keep their meaning.
      {1, {0, 5121, 1234}, "valore1: mark; valore2: codice_gara_og 1234"},
      {1, {0, 0, 0}, "valore1: mark slot, not 5121; valore2: codice_gara_og 0"},
      {1, {1, 5121, 99, 40, 3}, "valore1: mark; valore2: codice_gara_og 99; valore3: s3 4, d3 0; "
                                "valore4: rapp 0, sx 1, dx 0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(values_meaning(c.index, c.c), c.meaning) << "cell " << c.index;
  EXPECT_EQ(event_name(5), "before the warning board");
  EXPECT_EQ(event_name(7), "unknown");
}

std::vector<voce> cleared() { return std::vector<voce>(87); }

TEST(DumpEntryRoles, StationsFromOneSignboardsFromEightyDown) {
  auto voci = cleared();
  voci[1] = {8, -500, 500, 0, 0, "ROVELDA"};
  voci[2] = {11, 4200, 4800, 4500, 1, "A"};
  voci[3].posizione = 9000;  // a station cut short by a fault keeps its position only
  voci[5].genere = 3;        // past the first clear entry: not a station
  voci[80].nome = "(GALLERIA)";
  voci[79].nome = "(PONTE)";
  voci[85].nome = "ROVELDA-MARNE";
  const EntryRoles r = entry_roles(voci);
  EXPECT_EQ(r.stations, 3);
  EXPECT_EQ(r.signboards, 2);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "unused"},       {1, "station 1"},    {2, "station 2"},      {3, "station 3"},
      {4, "unused"},       {5, "unused"},       {78, "unused"},        {79, "signboard"},
      {80, "signboard"},   {81, "progressive"}, {83, "progressive"},   {84, "run data"},
      {85, "route header"}, {86, "train header"}};
  for (const auto& [i, role] : expected) EXPECT_EQ(r.role[static_cast<std::size_t>(i)], role) << i;
}

TEST(DumpEntryRoles, EightyOneSignboardsReachEntryZeroAndLeaveNoStation) {
  auto voci = cleared();
  for (int i = 0; i <= 80; ++i) voci[static_cast<std::size_t>(i)].nome = "(T" + std::to_string(i) + ")";
  const EntryRoles r = entry_roles(voci);
  EXPECT_EQ(r.stations, 0);
  EXPECT_EQ(r.signboards, 81);
  EXPECT_EQ(r.role[0], "signboard");
  EXPECT_EQ(r.role[1], "signboard");
}

}  // namespace
}  // namespace tracciato::dump
