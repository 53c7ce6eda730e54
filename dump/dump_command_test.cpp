#include "dump/dump_command.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "dump/dump_file.h"
#include "dump/dump_text_forms.h"
#include "driver/form1.h"
#include "model/scenario.h"
#include "model/scenario_files.h"
#include "test_support/memory_platform.h"

namespace tracciato::dump {
namespace {

using json = nlohmann::json;

const char* const plan_file = "app/T_linea.dat";
const char* const entry_file = "app/T_K 1.sim";
const char* const cell_file = "app/T_K 1.dat";

// A small scenario with a value of every sort the files can hold.
Scenario staged() {
  Scenario s;
  s.celle.allocate(140);
  s.planimetria.allocate(7000);
  s.planimetria(0, 0) = PlanValue::of_integer(0);
  s.planimetria(1, 0) = PlanValue::of_integer(0);
  s.planimetria(0, 1) = PlanValue::of_integer(0);
  s.planimetria(1, 1) = PlanValue::of_integer(1);
  s.planimetria(2, 0) = PlanValue::of_double(0.001);
  s.planimetria(2, 1) = PlanValue::of_double(-2.5e300);
  s.planimetria(3, 0) = PlanValue::of_double(-0.0);
  s.planimetria(3, 1) = PlanValue::of_double(std::bit_cast<double>(std::uint64_t{0x7ff8000000000123}));
  s.planimetria(4, 0) = PlanValue::of_double(INFINITY);
  s.planimetria(4, 1) = PlanValue::of_integer(-32768);
  s.celle[1] = {0, 5121, 1234, 0, 0, 0, 0, 0, 19, 100, 100};
  s.celle[13] = {6, 1800, 1900, 1900, 12, 0, 0, 0, 19, 100, 100};
  s.celle[20] = {14, 80, 0, 0, 0, 0, 0, 1, 19, 100, 100};
  s.celle[30] = {6, -25536, 0, 0, 0};
  s.celle[50] = {1, 40, 0, 0, 3, 0, 0, 0, 19, 97, 100};
  s.celle[140] = {255, -1, 32767, -32768, 1, 255, 255, 255, 255, 255, 255};
  s.voci[1] = {8, -500, 500, 0, 1, "ROVELDA", 4, 1, 2, 1, 1, 0, 99, 0, 0, 33540};
  s.voci[2] = {12, 4200, 4800, 4500, 1, "ST. \xB0 X", 0, 0, 0, 0, 0, 0, 0, 0, 0, -1};
  s.voci[80].nome = "(GALLERIA       )(ARTIFICIALE    )";
  s.voci[79].nome = "A,\"B\"\r\n\x81\x80";
  s.voci[84].fine_area = 0;
  s.voci[85] = {0, 1, 3, 2, 0, "T", 610, 0, 0, 0, 0, 0, 0, 0, 0, 12345};
  s.voci[86] = {0, 0, 0, 0, 0, "K 1", 7, 0, 9, 19, 0, 0, 0, 0, 0, 0};
  return s;
}

MemoryPlatform staged_platform() {
  const Scenario s = staged();
  MemoryPlatform p;
  p.files[plan_file] = encode_plan(s);
  p.files[entry_file] = encode_entries(s);
  p.files[cell_file] = encode_cells(s);
  return p;
}

struct Dump {
  int status;
  std::string out;
  std::string err;
};

Dump dump(MemoryPlatform& p, const std::string& file, const std::string& format = "text",
          std::optional<std::string> kind = std::nullopt) {
  std::ostringstream out, err;
  const int status = run_dump(p, {file, kind, format}, out, err);
  return {status, out.str(), err.str()};
}

bool has_line(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    if (l == line) return true;
  return false;
}

std::string line_of(const std::string& text, std::size_t n) {
  std::istringstream in(text);
  std::string l;
  for (std::size_t i = 0; i <= n; ++i) std::getline(in, l);
  return l;
}

TEST(Dump, EachKindInEachFormatShowsTheStagedScenario) {
  MemoryPlatform p = staged_platform();
  const struct {
    const char* file;
    const char* format;
    std::size_t line;  // 0 = first line of the output
    const char* text;
  } cases[] = {
      {cell_file, "text", 0, "cell file: 141 cells (0 .. 140), 2115 bytes"},
      {cell_file, "text", 2,
       "cell 1  metres 0..49  evento 0 (none)  valore1 5121 (mark)  valore2 1234 (codice_gara_og "
       "1234)  valore3 0  valore4 0  tempo 0  avviso 0  montagna 0  velocita 19 (95 km/h)  "
       "pendenza 100 (0 per mille)  aderenza 100"},
      {cell_file, "text", 51,
       "cell 50  metres 2450..2499  evento 1 (signal)  valore1 40 (s1 4, d1 0)  valore2 0 (s2 0, "
       "d2 0)  valore3 0 (s3 0, d3 0)  valore4 3 (rapp 0, sx 1, dx 0)  tempo 0  avviso 0  "
       "montagna 0  velocita 19 (95 km/h)  pendenza 97 (-3 per mille)  aderenza 100"},
      {cell_file, "text", 31,
       "cell 30  metres 1450..1499  evento 6 (speed-indicator boards)  valore1 -25536  valore2 0 "
       "(s 0 km/h, d 0 km/h)  valore3 0 (s 0 km/h, d 0 km/h)  valore4 0 (stripes s 0, d 0)  "
       "tempo 0  avviso 0  montagna 0  velocita 0 (0 km/h)  pendenza 0 (-100 per mille)  "
       "aderenza 0"},
      {cell_file, "csv", 0,
       "cell,metre_from,metre_to,evento,event,valore1,valore2,valore3,valore4,tempo,avviso,"
       "montagna,velocita,pendenza,aderenza,meaning"},
      {cell_file, "csv", 14,
       "13,600,649,6,speed-indicator boards,1800,1900,1900,12,0,0,0,19,100,100,\"valore1: s 90 "
       "km/h, d 0 km/h; valore2: s 95 km/h, d 0 km/h; valore3: s 95 km/h, d 0 km/h; valore4: "
       "stripes s 1, d 2; velocita: 95 km/h; pendenza: 0 per mille\""},
      {cell_file, "hex", 0, "cell file: 141 cells, 2115 bytes"},
      {cell_file, "hex", 13,
       "        16  01 14                    celle(1).valore1             5121"},
      {cell_file, "hex", 551,
       "       750  01                       celle(50).evento             1 (signal)"},
      {entry_file, "text", 0, "entry file: 87 entries, 3019 bytes, 2 stations, 2 signboards"},
      {entry_file, "text", 2,
       "entry 1  station 1  genere 8  inizio_area -500  fine_area 500  posizione 0  opz1 1  nome "
       "\"ROVELDA\"  par1 4  par2 1  par3 2  par4 1  par5 1  opz2 0  opz3 99  opz4 0  opz5 0  "
       "orario 33540 (09:19:00)"},
      {entry_file, "text", 3,
       "entry 2  station 2  genere 12  inizio_area 4200  fine_area 4800  posizione 4500  opz1 1  "
       "nome \"ST. \u00B0 X\"  par1 0  par2 0  par3 0  par4 0  par5 0  opz2 0  opz3 0  opz4 0  "
       "opz5 0  orario -1"},
      {entry_file, "text", 80,
       "entry 79  signboard  genere 0  inizio_area 0  fine_area 0  posizione 0  opz1 0  nome "
       "\"A,\\\"B\\\"\\x0D\\x0A\\x81\u20AC\"  par1 0  par2 0  par3 0  par4 0  par5 0  opz2 0  "
       "opz3 0  opz4 0  opz5 0  orario 0"},
      {entry_file, "text", 86,
       "entry 85  route header  genere 0  inizio_area 1 (sfondo uno)  fine_area 3 (sfondo tre)  "
       "posizione 2 (sfondo due)  opz1 0  nome \"T\" (route name)  par1 610 (mark 610)  par2 0  "
       "par3 0  par4 0  par5 0  opz2 0  opz3 0  opz4 0  opz5 0  orario 12345 (codice_gara_st)"},
      {entry_file, "csv", 0,
       "entry,role,genere,inizio_area,fine_area,posizione,opz1,nome,par1,par2,par3,par4,par5,"
       "opz2,opz3,opz4,opz5,orario"},
      {entry_file, "csv", 80, "79,signboard,0,0,0,0,0,\"A,\"\"B\"\"\\x0D\\x0A\\x81\u20AC\",0,0,0,0,0,0,0,0,0,0"},
      {entry_file, "csv", 87, "86,train header,0,0,0,0,0,K 1,7,0,9,19,0,0,0,0,0,0"},
      {entry_file, "hex", 1, "         0  00                       voci(0).genere               0"},
      {entry_file, "hex", 22,
       "        48  07 00                    voci(1).nome length          7"},
      {entry_file, "hex", 23,
       "        50  52 4f 56 45 4c 44 41     voci(1).nome[0]              \"ROVELDA\""},
      {plan_file, "text", 0, "plan file: metres 0 .. 7000, 28054 bytes"},
      {plan_file, "text", 2, "metre 1  x Integer 0  y Integer 1"},
      {plan_file, "text", 3, "metre 2  x Double 0.001  y Double -2.5e+300"},
      {plan_file, "text", 4, "metre 3  x Double -0  y Double nan"},
      {plan_file, "text", 5, "metre 4  x Double inf  y Integer -32768"},
      {plan_file, "text", 7001, "metre 7000  x Empty  y Empty"},
      {plan_file, "csv", 0, "metre,x_kind,x,y_kind,y"},
      {plan_file, "csv", 3, "2,Double,0.001,Double,-2.5e+300"},
      {plan_file, "csv", 6, "5,Empty,,Empty,"},
      {plan_file, "hex", 5,
       "         8  05 00                    planimetria(2,0).tag         5 (Double)"},
      {plan_file, "hex", 6,
       "        10  fc a9 f1 d2 4d 62 50 3f  planimetria(2,0).value       0.001"},
  };
  for (const auto& c : cases) {
    const Dump d = dump(p, c.file, c.format);
    ASSERT_EQ(d.status, 0) << c.file << " " << c.format << ": " << d.err;
    EXPECT_EQ(line_of(d.out, c.line), c.text) << c.file << " " << c.format << " line " << c.line;
  }
}

TEST(Dump, JsonExplainsCellsEntriesAndPlan) {
  MemoryPlatform p = staged_platform();
  const json cells = json::parse(dump(p, cell_file, "json").out);
  EXPECT_EQ(cells["kind"], "cells");
  EXPECT_EQ(cells["bytes"], 2115);
  ASSERT_EQ(cells["cells"].size(), 141u);
  EXPECT_EQ(cells["cells"][50]["event"], "signal");
  EXPECT_EQ(cells["cells"][50]["metres"], json({2450, 2499}));
  EXPECT_EQ(cells["cells"][50]["meaning"]["valore4"], json({{"rapp", 0}, {"sx", 1}, {"dx", 0}}));
  EXPECT_EQ(cells["cells"][13]["meaning"]["valore2"]["s_kmh"], 95);
  EXPECT_EQ(cells["cells"][1]["meaning"]["valore2"]["codice_gara_og"], 1234);

  const json entries = json::parse(dump(p, entry_file, "json").out);
  EXPECT_EQ(entries["entries"][2]["role"], "station 2");
  EXPECT_EQ(entries["entries"][2]["nome"], "ST. \u00B0 X");
  EXPECT_EQ(entries["entries"][79]["nome"], "A,\"B\"\r\n\u0081\u20AC");

  const json plan = json::parse(dump(p, plan_file, "json").out);
  EXPECT_EQ(plan["plan"][2]["x"], json({{"kind", "Double"}, {"value", 0.001}, {"bits", "3f50624dd2f1a9fc"}}));
  EXPECT_EQ(plan["plan"][3]["y"]["value"], nullptr);
  EXPECT_EQ(plan["plan"][3]["y"]["bits"], "7ff8000000000123");
  EXPECT_EQ(plan["plan"][7000]["y"], json({{"kind", "Empty"}}));
}

// The tables as the JSON gives them, written back with the product's own writers.
template <class T>
T field(const json& record, const char* name) {
  const auto v = record.at(name).get<std::int64_t>();
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
    throw std::out_of_range(std::string(name) + " out of range");
  return static_cast<T>(v);
}

PlanValue value_from(const json& v) {
  const std::string kind = v.at("kind");
  if (kind == "Integer") return PlanValue::of_integer(field<std::int16_t>(v, "value"));
  if (kind == "Double") {
    const std::string bits = v.at("bits");
    return PlanValue::of_double(std::bit_cast<double>(std::stoull(bits, nullptr, 16)));
  }
  return {};
}

std::string rewritten(const std::string& dump_json) {
  const json j = json::parse(dump_json);
  Scenario s;
  if (j.at("kind") == "cells") {
    const json& cells = j.at("cells");
    s.celle.allocate(static_cast<std::int64_t>(cells.size()) - 1);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const json& r = cells[i];
      s.celle[static_cast<std::int64_t>(i)] = {
          field<std::uint8_t>(r, "evento"),   field<std::int16_t>(r, "valore1"),
          field<std::int16_t>(r, "valore2"),  field<std::int16_t>(r, "valore3"),
          field<std::int16_t>(r, "valore4"),  field<std::uint8_t>(r, "tempo"),
          field<std::uint8_t>(r, "avviso"),   field<std::uint8_t>(r, "montagna"),
          field<std::uint8_t>(r, "velocita"), field<std::uint8_t>(r, "pendenza"),
          field<std::uint8_t>(r, "aderenza")};
    }
    return encode_cells(s);
  }
  if (j.at("kind") == "entries") {
    const json& entries = j.at("entries");
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const json& r = entries[i];
      const auto nome = cp1252_from_utf8(r.at("nome").get<std::string>());
      if (!nome) throw std::runtime_error("nome outside Windows-1252");
      s.voci[static_cast<std::int64_t>(i)] = {
          field<std::uint8_t>(r, "genere"), field<std::int32_t>(r, "inizio_area"),
          field<std::int32_t>(r, "fine_area"), field<std::int32_t>(r, "posizione"),
          field<std::uint8_t>(r, "opz1"), *nome, field<std::int16_t>(r, "par1"),
          field<std::int16_t>(r, "par2"), field<std::int16_t>(r, "par3"),
          field<std::int16_t>(r, "par4"), field<std::int16_t>(r, "par5"),
          field<std::uint8_t>(r, "opz2"), field<std::uint8_t>(r, "opz3"),
          field<std::uint8_t>(r, "opz4"), field<std::uint8_t>(r, "opz5"),
          field<std::int32_t>(r, "orario")};
    }
    return encode_entries(s);
  }
  const json& plan = j.at("plan");
  s.planimetria.allocate(static_cast<std::int64_t>(plan.size()) - 1);
  for (std::size_t m = 0; m < plan.size(); ++m) {
    s.planimetria(static_cast<std::int64_t>(m), 0) = value_from(plan[m].at("x"));
    s.planimetria(static_cast<std::int64_t>(m), 1) = value_from(plan[m].at("y"));
  }
  return encode_plan(s);
}

MemoryPlatform embedded_platform() {
  MemoryPlatform p;
  const CompileOutcome outcome = Form_Load(p);
  EXPECT_EQ(outcome.kind, CompileOutcome::Kind::ok) << outcome.failure;
  return p;
}

const char* const embedded_files[] = {"app/ROVELDA-MARNE_linea.dat", "app/ROVELDA-MARNE_K 517.sim",
                                      "app/ROVELDA-MARNE_K 517.dat"};

TEST(Dump, TheJsonRebuildsEveryFileByteForByte) {
  MemoryPlatform staged = staged_platform();
  for (const char* file : {plan_file, entry_file, cell_file}) {
    const Dump d = dump(staged, file, "json");
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_TRUE(rewritten(d.out) == staged.files[file]) << file;
  }
  MemoryPlatform embedded = embedded_platform();
  for (const char* file : embedded_files) {
    const Dump d = dump(embedded, file, "json");
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_TRUE(rewritten(d.out) == embedded.files[file]) << file;
  }
}

TEST(Dump, TheEmbeddedRunsFilesInEveryFormat) {
  MemoryPlatform p = embedded_platform();
  for (const char* file : embedded_files)
    for (const char* format : {"text", "json", "csv", "hex"}) {
      const Dump d = dump(p, file, format);
      EXPECT_EQ(d.status, 0) << file << " " << format << ": " << d.err;
      EXPECT_EQ(d.err, "");
    }
  const std::string cells = dump(p, embedded_files[2]).out;
  // The signal at 2450 m, the first slow-down's warning board and the first signboard.
  EXPECT_NE(cells.find("\ncell 50  metres 2450..2499  evento 1 (signal)  valore1 40 (s1 4, d1 0)"),
            std::string::npos);
  EXPECT_NE(cells.find("\ncell 756  metres 37750..37799  evento 4 (warning board)  valore1 75 (v 75 km/h)"),
            std::string::npos);
  EXPECT_NE(cells.find("\ncell 621  metres 31000..31049  evento 14 (signboard)  valore1 80 (text in voci(80))"),
            std::string::npos);
  const std::string entries = dump(p, embedded_files[1]).out;
  EXPECT_EQ(line_of(entries, 0), "entry file: 87 entries, 5907 bytes, 27 stations, 51 signboards");
  EXPECT_NE(line_of(entries, 86).find("route header"), std::string::npos);
  EXPECT_NE(line_of(entries, 86).find("nome \"ROVELDA-MARNE\" (route name)  par1 610 (mark 610)"),
            std::string::npos);
  const std::string plan = dump(p, embedded_files[0]).out;
  EXPECT_EQ(line_of(plan, 0), "plan file: metres 0 .. 107000, 2139964 bytes");
  EXPECT_TRUE(has_line(plan, "metre 107000  x Empty  y Empty"));
}

TEST(Dump, HexDumpsOfTwoCellFilesDifferOnlyInTheChangedField) {
  MemoryPlatform p = staged_platform();
  p.files["app/other.dat"] = p.files[cell_file];
  p.files["app/other.dat"][50 * 15 + 3] = '\x07';  // valore2 of cell 50
  const std::string a = dump(p, cell_file, "hex").out;
  const std::string b = dump(p, "app/other.dat", "hex").out;
  std::istringstream ia(a), ib(b);
  std::vector<std::string> differing;
  for (std::string la, lb; std::getline(ia, la) && std::getline(ib, lb);)
    if (la != lb) differing.push_back(lb);
  EXPECT_EQ(differing,
            std::vector<std::string>{"       753  07 00                    celle(50).valore2            7"});
}

TEST(Dump, AFileThatCannotBeOfItsKindIsAClearErrorAndNothingIsDumped) {
  MemoryPlatform p = staged_platform();
  const struct {
    const char* file;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"app/short.dat", p.files[cell_file].substr(0, 2114),
       "tracciato: dump: app/short.dat: cell file: 2114 bytes is not a whole number of 15-byte cells\n"},
      {"app/long.dat", p.files[cell_file] + "x",
       "tracciato: dump: app/long.dat: cell file: 2116 bytes is not a whole number of 15-byte cells\n"},
      {"app/empty.dat", "",
       "tracciato: dump: app/empty.dat: cell file: 0 bytes is not a whole number of 15-byte cells\n"},
      {"app/short.sim", p.files[entry_file].substr(0, 3018),
       "tracciato: dump: app/short.sim: entry file ends inside orario at byte 3015 (file is 3018 bytes)\n"},
      {"app/long.sim", p.files[entry_file] + "xy",
       "tracciato: dump: app/long.sim: entry file: 2 bytes follow its 87 entries\n"},
      {"app/short_linea.dat", p.files[plan_file].substr(0, 28052),
       "tracciato: dump: app/short_linea.dat: plan file holds 14001 values: x and y need the same "
       "number, at least one each\n"},
      {"app/long_linea.dat", p.files[plan_file] + "\x02",
       "tracciato: dump: app/long_linea.dat: plan file ends inside a type tag at byte 28054 (file "
       "is 28055 bytes)\n"},
      {"app/cut_linea.dat", p.files[plan_file].substr(0, 14),
       "tracciato: dump: app/cut_linea.dat: plan file ends inside a Double value at byte 10 (file "
       "is 14 bytes)\n"},
  };
  for (const auto& c : cases) {
    p.files[c.file] = c.bytes;
    for (const char* format : {"text", "hex"}) {
      const Dump d = dump(p, c.file, format);
      EXPECT_EQ(d.status, 3) << c.file;
      EXPECT_TRUE(d.out.empty()) << c.file;
      EXPECT_EQ(d.err, c.message);
    }
  }
  const Dump missing = dump(p, "app/none.dat");
  EXPECT_EQ(missing.status, 3);
  EXPECT_EQ(missing.err, "tracciato: dump: cannot open app/none.dat: no such file\n");
}

TEST(Dump, TheKindComesFromTheNameUnlessGiven) {
  const struct {
    const char* name;
    std::optional<DumpKind> kind;
  } cases[] = {
      {"ROVELDA-MARNE_linea.dat", DumpKind::plan}, {"dir/X_LINEA.DAT", DumpKind::plan},
      {"_linea.dat", DumpKind::plan},              {"ROVELDA-MARNE_K 517.sim", DumpKind::entries},
      {"a.SIM", DumpKind::entries},                {"ROVELDA-MARNE_K 517.dat", DumpKind::cells},
      {"linea.dat", DumpKind::cells},              {"x.dat.bak", std::nullopt},
      {"ROVELDA-MARNE_linea.txt", std::nullopt},   {"sim", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(kind_from_name(c.name), c.kind) << c.name;

  MemoryPlatform p = staged_platform();
  p.files["app/copy.bin"] = p.files[cell_file];
  const Dump unknown = dump(p, "app/copy.bin");
  EXPECT_EQ(unknown.status, 64);
  EXPECT_NE(unknown.err.find("pass --kind plan|entries|cells"), std::string::npos);
  EXPECT_NE(unknown.err.find(dump_usage), std::string::npos);
  const Dump given = dump(p, "app/copy.bin", "text", "cells");
  EXPECT_EQ(given.status, 0);
  EXPECT_EQ(given.out, dump(p, cell_file).out);
  // A kind given against the name decides, and the length then tells the mismatch.
  EXPECT_EQ(dump(p, cell_file, "text", "entries").status, 3);
  EXPECT_EQ(dump(p, cell_file, "yaml").status, 64);
}

}  // namespace
}  // namespace tracciato::dump
