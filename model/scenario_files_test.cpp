#include "model/scenario_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST(EntryFile, UnfilledEntriesAre34ZeroBytesEach) {
  Scenario s;
  const std::string file = encode_entries(s);
  EXPECT_EQ(file, std::string(87 * 34, '\0'));
}

TEST(EntryFile, EveryFieldIsPackedLittleEndianAfterTheName) {
  Scenario s;
  voce& v = s.voci[1];
  v.genere = 0xA1;
  v.inizio_area = 0x04030201;
  v.fine_area = -2;
  v.posizione = 28350;
  v.opz1 = 7;
  v.nome = "ROVELDA NORD";  // 12 characters
  v.par1 = 610;
  v.par2 = -1;
  v.par3 = 0x0102;
  v.par4 = 4;
  v.par5 = 5;
  v.opz2 = 0xF2;
  v.opz3 = 3;
  v.opz4 = 4;
  v.opz5 = 5;
  v.orario = 33997;
  const std::string file = encode_entries(s);
  ASSERT_EQ(file.size(), 2958u + 12u);
  const std::string record = file.substr(34, 46);
  const std::string expected =
      bytes({0xA1, 0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0xFF, 0xFF, 0xBE, 0x6E, 0x00, 0x00, 0x07,
             0x0C, 0x00}) +
      "ROVELDA NORD" +
      bytes({0x62, 0x02, 0xFF, 0xFF, 0x02, 0x01, 0x04, 0x00, 0x05, 0x00, 0xF2, 0x03, 0x04, 0x05,
             0xCD, 0x84, 0x00, 0x00});
  EXPECT_EQ(record, expected);
  // The records around it keep their 34 zero bytes.
  EXPECT_EQ(file.substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(file.substr(80, 34), std::string(34, '\0'));
}

TEST(EntryFile, SizeIs2958PlusAllNames) {
  Scenario s;
  s.voci[0].nome = "abc";
  s.voci[80].nome = "(GALLERIA       )";
  s.voci[85].nome = "ROVELDA-MARNE";
  s.voci[86].nome = "K 517";
  EXPECT_EQ(encode_entries(s).size(), 2958u + 3 + 17 + 13 + 5);
}

TEST(EntryFile, ANameLongerThanItsLengthFieldIsARunTimeFailure) {
  Scenario s;
  s.voci[85].nome = std::string(65535, 'x');
  EXPECT_EQ(encode_entries(s).substr(85 * 34 + 14, 2), bytes({0xFF, 0xFF}));
  s.voci[85].nome.push_back('x');
  EXPECT_THROW(encode_entries(s), RuntimeFailure);
}

TEST(CellFile, RouteLengthZeroGives141RecordsOf15Bytes) {
  Scenario s;
  s.celle.allocate(140);
  EXPECT_EQ(encode_cells(s), std::string(2115, '\0'));
}

TEST(CellFile, RecordFieldsAreInOrderAndLittleEndian) {
  Scenario s;
  s.celle.allocate(140);
  cella& c = s.celle[50];
  c.evento = 1;
  c.valore1 = 40;
  c.valore2 = -2;
  c.valore3 = 0x1234;
  c.valore4 = 3;
  c.tempo = 101;
  c.avviso = 31;
  c.montagna = 12;
  c.velocita = 28;
  c.pendenza = 97;
  c.aderenza = 100;
  s.celle[1].valore1 = 5121;
  const std::string file = encode_cells(s);
  EXPECT_EQ(file.substr(750, 15), bytes({1, 40, 0, 0xFE, 0xFF, 0x34, 0x12, 3, 0, 101, 31, 12, 28,
                                        97, 100}));
  EXPECT_EQ(file.substr(15, 3), bytes({0, 0x01, 0x14}));
  EXPECT_EQ(file.substr(0, 15), std::string(15, '\0'));
}

TEST(CellFile, UnallocatedCellsCannotBeWritten) {
  Scenario s;
  EXPECT_THROW(encode_cells(s), RuntimeFailure);
}

TEST(PlanFile, TaggedValuesAllXThenAllY) {
  Scenario s;
  s.planimetria.allocate(4);
  s.planimetria(0, 0) = PlanValue::of_integer(0);
  s.planimetria(1, 0) = PlanValue::of_integer(0);
  s.planimetria(0, 1) = PlanValue::of_integer(0);
  s.planimetria(1, 1) = PlanValue::of_integer(-1);
  s.planimetria(2, 0) = PlanValue::of_double(-1.5);
  s.planimetria(2, 1) = PlanValue::of_double(2.0);
  s.planimetria(3, 1) = PlanValue::of_double(0.1);
  const std::string x = bytes({2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0xBF, 0, 0, 0, 0});
  const std::string y = bytes({2, 0, 0, 0, 2, 0, 0xFF, 0xFF, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0x40, 5, 0,
                               0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F, 0, 0});
  EXPECT_EQ(encode_plan(s), x + y);
}

// The run writes the plan file as it encodes it: whatever the room, no piece overruns
// it and the pieces add up to the very bytes of the whole file.
TEST(PlanFile, PiecesOfAnyRoomAddUpToTheFile) {
  Scenario s;
  s.planimetria.allocate(5000);
  for (std::int64_t m = 0; m <= 5000; m += 3) s.planimetria(m, m % 2) = PlanValue::of_double(m * 0.1);
  for (std::int64_t m = 1; m <= 5000; m += 7) s.planimetria(m, 1) = PlanValue::of_integer(-7);
  const std::string whole = encode_plan(s);
  for (const std::size_t room : {std::size_t{10}, std::size_t{19}, std::size_t{4096},
                                 Platform::piece_room}) {
    PlanPieces pezzi(s);
    std::string joined;
    std::vector<char> spazio(room);
    while (const std::size_t n = pezzi(spazio)) {
      ASSERT_LE(n, room);
      joined.append(spazio.data(), n);
    }
    EXPECT_EQ(joined, whole) << room;
    EXPECT_EQ(pezzi(spazio), 0u) << "a finished plan stays finished";
  }
}

// A platform whose writes to one path fail, as a full disk or a missing folder would.
class FailingPlatform : public MemoryPlatform {
 public:
  std::string failing;
  void write(const std::string& path, std::string_view b) override {
    if (path == failing) throw RuntimeFailure("cannot write " + path + ": No space left on device");
    MemoryPlatform::write(path, b);
  }
};

Scenario small_scenario(std::int32_t con_planimetria) {
  Scenario s;
  s.con_planimetria = con_planimetria;
  s.celle.allocate(140);
  if (con_planimetria != 0) s.planimetria.allocate(7000);
  return s;
}

const ScenarioFiles file{"app/R_linea.dat", "app/R_T.sim", "app/R_T.dat"};

TEST(WritingFiles, PlanEntryAndCellFileInThatOrder) {
  MemoryPlatform p;
  const Scenario s = small_scenario(1);
  std::vector<std::string> scritti;
  write_scenario_files(s, p, file, scritti);
  EXPECT_EQ(scritti, (std::vector<std::string>{file.planimetria, file.voci, file.celle}));
  EXPECT_EQ(p.files[file.planimetria].size(), 2u * 7001 * 2);  // all Empty
  EXPECT_EQ(p.files[file.voci].size(), 2958u);
  EXPECT_EQ(p.files[file.celle].size(), 2115u);
}

TEST(WritingFiles, WithoutThePlanFlagAnOlderPlanFileIsLeftAlone) {
  MemoryPlatform p;
  p.files[file.planimetria] = "older plan";
  const Scenario s = small_scenario(0);
  std::vector<std::string> scritti;
  write_scenario_files(s, p, file, scritti);
  EXPECT_EQ(scritti, (std::vector<std::string>{file.voci, file.celle}));
  EXPECT_EQ(p.files[file.planimetria], "older plan");
}

TEST(WritingFiles, AFailedWriteStopsTheRestAndKeepsWhatWasWritten) {
  FailingPlatform p;
  p.failing = file.voci;
  const Scenario s = small_scenario(1);
  std::vector<std::string> scritti;
  EXPECT_THROW(write_scenario_files(s, p, file, scritti), RuntimeFailure);
  EXPECT_EQ(scritti, std::vector<std::string>{file.planimetria});
  EXPECT_EQ(p.files.count(file.planimetria), 1u);
  EXPECT_EQ(p.files.count(file.celle), 0u);
}

}  // namespace
}  // namespace tracciato
