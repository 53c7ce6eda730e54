#include "view/page_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"
#include "dump/dump_file.h"
#include "dump/dump_text.h"
#include "view/test_scenario.h"

namespace tracciato::view {
namespace {

struct Embedded {
  std::vector<voce> voci = decode_entries(testing::embedded_files().entries);
  std::vector<cella> celle = decode_cells(testing::embedded_files().cells);
  DecodedPlan plan = decode_plan(testing::embedded_files().plan);
};

const Json& embedded_data() {
  static const Json data = [] {
    const Embedded e;
    return page_data(e.voci, e.celle, &e.plan, nullptr);
  }();
  return data;
}

TEST(PageData, TheHeaderCountsAreWhatDumpDecodes) {
  const Embedded e;
  const Json& c = embedded_data()["counts"];
  EXPECT_EQ(c["stations"], dump::entry_roles(e.voci).stations);
  EXPECT_EQ(c["signboards"], dump::entry_roles(e.voci).signboards);
  auto cells_named = [&](std::string_view event) {
    int n = 0;
    for (const cella& x : e.celle) n += dump::event_name(x.evento) == event;
    return n;
  };
  EXPECT_EQ(c["signals"], cells_named("signal"));
  EXPECT_EQ(c["speed_boards"], cells_named("speed-indicator boards"));
  EXPECT_EQ(c["slowdowns"], cells_named("slow-down start"));
  // The shipped scenario, as its texts hold it.
  EXPECT_EQ(c["stations"], 27);
  EXPECT_EQ(c["signals"], 41);
  EXPECT_EQ(c["signboards"], 51);
  EXPECT_EQ(c["slowdowns"], 5);
  EXPECT_EQ(embedded_data()["route"], "ROVELDA-MARNE");
  EXPECT_EQ(embedded_data()["train"], "K 517");
  EXPECT_EQ(embedded_data()["length"], 100000);
}

// Every cell, written back as dump's text writes its line, is dump's line.
TEST(PageData, EveryCellIsDecodedAsDumpDecodesIt) {
  std::ostringstream dump;
  dump::write_text(dump, dump::decode_file(dump::DumpKind::cells, testing::embedded_files().cells));
  std::istringstream lines(dump.str());
  std::string line;
  std::getline(lines, line);  // the summary
  const Json& cells = embedded_data()["cells"];
  std::size_t i = 0;
  for (; std::getline(lines, line); ++i) {
    ASSERT_LT(i, cells["records"].size());
    const Json& r = cells["records"][i];
    std::string mine = "cell " + std::to_string(i) + "  metres " + r["metres"][0].dump() + ".." +
                       r["metres"][1].dump();
    for (std::size_t k = 0; k < cells["fields"].size(); ++k) {
      const std::string name = cells["fields"][k];
      mine += "  " + name + " " + r["fields"][k].dump();
      if (name == "evento")
        mine += " (" + r["event"].get<std::string>() + ")";
      else if (r["meaning"].contains(name))
        mine += " (" + r["meaning"][name].get<std::string>() + ")";
    }
    ASSERT_EQ(mine, line);
  }
  EXPECT_EQ(i, cells["records"].size());
}

TEST(PageData, StationAndSignboardCellsNameTheEntryTheyPointAt) {
  const Json& records = embedded_data()["cells"]["records"];
  EXPECT_EQ(records[9]["points_at"], Json::parse(R"({"entry":1,"role":"station 1","name":"ROVELDA"})"));
  const Json& board = embedded_data()["signboards"][0];
  const Json& at = records[board["cell"].get<std::size_t>()]["points_at"];
  EXPECT_EQ(at["entry"], board["entry"]);
  EXPECT_EQ(at["role"], "signboard");
  EXPECT_EQ(at["name"], board["text"]);
  EXPECT_FALSE(records[50].contains("points_at"));  // a signal

  std::vector<voce> voci(87);
  std::vector<cella> celle(10);
  celle[3] = {event::signboard, 300};  // a link outside the entry file
  const Json lost = page_data(voci, celle, nullptr, nullptr)["cells"]["records"][3]["points_at"];
  EXPECT_EQ(lost, Json::parse(R"({"entry":300,"role":null,"name":null})"));
}

TEST(PageData, TheTablesGiveWhatTheirRowsShow) {
  const Json& d = embedded_data();
  EXPECT_EQ(d["stations"][0], Json::parse(R"({"entry":1,"name":"ROVELDA","metre":400,"kind":8,
      "position":0,"area":[-500,500],"stop_cell":9,"time":"09:19:00"})"));
  EXPECT_EQ(d["stations"][6]["name"], "CASALBUIO");  // kind 25: no stop cell
  EXPECT_EQ(d["stations"][6]["stop_cell"], nullptr);
  EXPECT_EQ(d["stations"][1]["time"], nullptr);  // no timetable time
  EXPECT_EQ(d["slowdowns"][0], Json::parse(R"({"cell":780,"from":38950,"to":39300,
      "speed_kmh":75,"has_end":true})"));
  EXPECT_EQ(d["signals"][0], Json::parse(R"({"cell":50,"metre":2450})"));
  EXPECT_EQ(d["profile"]["elevation_mm"].size(), 2001u);
  EXPECT_EQ(d["profile"]["speed_kmh"].size(), 2000u);
  EXPECT_EQ(d["plan"]["route"].size(), 1u);
  EXPECT_EQ(d["report"], nullptr);
  EXPECT_EQ(page_data(std::vector<voce>(87), std::vector<cella>(5), nullptr, nullptr)["plan"], nullptr);
}

// Whole numbers only: no formatting of a fraction can make two builds' pages differ.
TEST(PageData, HoldsNoFractionalNumber) {
  std::function<void(const Json&)> walk = [&](const Json& j) {
    ASSERT_FALSE(j.is_number_float()) << j;
    if (j.is_structured())
      for (const Json& child : j) walk(child);
  };
  walk(embedded_data());
}

TEST(ReportSummary, KeepsTheOutcomeFaultsAndWarnings) {
  const Json r = report_summary(R"({"outcome": "faults", "codice_errore": 16,
      "posizione_errore": 2450, "files": ["a.sim"],
      "faults": [{"code": 16, "position": 2450, "file": "t-.txt", "line": 61, "message": "busy"},
                 {"code": 10, "position": null, "file": "t-.txt", "line": null, "message": "full"}],
      "warnings": [{"file": "a_linea.txt", "line": 3, "message": "\"pendnza\" matches no entry"},
                   {"position": 850, "file": "a_linea.txt", "line": 4, "message": "cut"}]})");
  EXPECT_EQ(r, Json::parse(R"({"outcome": "faults", "codice_errore": 16, "posizione_errore": 2450,
      "faults": [{"code": 16, "position": 2450, "file": "t-.txt", "line": 61, "message": "busy"},
                 {"code": 10, "position": null, "file": "t-.txt", "line": null, "message": "full"}],
      "warnings": [{"position": null, "file": "a_linea.txt", "line": 3, "message": "\"pendnza\" matches no entry"},
                   {"position": 850, "file": "a_linea.txt", "line": 4, "message": "cut"}]})"));
  EXPECT_EQ(report_summary(R"({"outcome": "ok"})")["faults"], Json::array());
}

TEST(ReportSummary, RefusesWhatNoCompileWrites) {
  const struct {
    const char* text;
    const char* says;
  } cases[] = {
      {"", "not JSON"},
      {"{\"outcome\": \"ok\"", "not JSON"},
      {"[1, 2]", "not a JSON object"},
      {"{\"faults\": []}", "\"outcome\" is missing"},
      {"{\"outcome\": 3}", "\"outcome\" is not a text"},
      {"{\"outcome\": \"ok\", \"faults\": {}}", "\"faults\" is not a list"},
      {"{\"outcome\": \"ok\", \"faults\": [7]}", "fault 1 is not an object"},
      {"{\"outcome\": \"ok\", \"faults\": [{\"code\": 1}]}", "fault 1: \"message\" is missing"},
      {"{\"outcome\": \"ok\", \"warnings\": [{\"message\": \"m\", \"line\": 1.5}]}",
       "warning 1: \"line\" is not a whole number"},
      {"{\"outcome\": \"ok\", \"faults\": [{\"message\": \"m\", \"position\": 18446744073709551615}]}",
       "fault 1: \"position\" is not a whole number"},
  };
  for (const auto& c : cases) {
    try {
      report_summary(c.text);
      ADD_FAILURE() << c.text << " was taken";
    } catch (const ReportError& e) {
      EXPECT_EQ(std::string(e.what()), c.says) << c.text;
    }
  }
}

}  // namespace
}  // namespace tracciato::view
