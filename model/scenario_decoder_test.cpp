#include "model/scenario_decoder.h"

#include <gtest/gtest.h>

#include "model/scenario_files.h"

namespace tracciato {
namespace {

Scenario piccolo() {
  Scenario s;
  s.n_celle = 140;
  s.lunghezza_estesa = 7000;
  s.celle.allocate(140);
  s.planimetria.allocate(7000);
  s.con_planimetria = 1;
  s.planimetria(0, 0) = PlanValue::of_integer(0);
  s.planimetria(1, 0) = PlanValue::of_integer(0);
  s.planimetria(0, 1) = PlanValue::of_integer(0);
  s.planimetria(1, 1) = PlanValue::of_integer(1);
  s.planimetria(2, 0) = PlanValue::of_double(0.001);
  s.planimetria(2, 1) = PlanValue::of_double(-2.5e300);
  s.celle[1] = {1, 5121, -3, 7, 40, 205, 31, 2, 19, 97, 100};
  s.celle[140].aderenza = 255;
  s.voci[85].nome = "ROVELDA-MARNE";
  s.voci[85].par1 = 610;
  s.voci[85].orario = -2000000000;
  s.voci[3] = {12, -500, 500, 0, 1, "ST. \xB0 X", 4, 1, 2, 1, 1, 0, 99, 1, 1, 33540};
  return s;
}

TEST(ScenarioDecoder, ReadsBackWhatTheWritersWrite) {
  const Scenario s = piccolo();
  const auto celle = decode_cells(encode_cells(s));
  ASSERT_EQ(celle.size(), 141u);
  EXPECT_EQ(encode_cells(s).size(), 2115u);
  EXPECT_EQ(celle[1].valore1, 5121);
  EXPECT_EQ(celle[1].valore2, -3);
  EXPECT_EQ(celle[1].tempo, 205);
  EXPECT_EQ(celle[140].aderenza, 255);

  const auto voci = decode_entries(encode_entries(s));
  EXPECT_EQ(voci[85].nome, "ROVELDA-MARNE");
  EXPECT_EQ(voci[85].orario, -2000000000);
  EXPECT_EQ(voci[3].nome, "ST. \xB0 X");
  EXPECT_EQ(voci[3].inizio_area, -500);
  EXPECT_EQ(voci[3].opz3, 99);

  const auto p = decode_plan(encode_plan(s));
  ASSERT_EQ(p.x.size(), 7001u);
  EXPECT_EQ(p.x[0].kind, PlanValue::Kind::Integer);
  EXPECT_EQ(p.y[1].integer, 1);
  EXPECT_EQ(p.x[2].real, 0.001);
  EXPECT_EQ(p.y[2].real, -2.5e300);
  EXPECT_EQ(p.y[3].kind, PlanValue::Kind::Empty);
}

TEST(ScenarioDecoder, AFileOfTheWrongLengthIsAClearError) {
  const Scenario s = piccolo();
  const std::string celle = encode_cells(s);
  const std::string voci = encode_entries(s);
  const std::string plan = encode_plan(s);
  const struct {
    std::string bytes;
    std::string (*decode)(std::string_view);
    const char* message;
  } cases[] = {
      {celle.substr(0, 2114), [](std::string_view b) { decode_cells(b); return std::string(); },
       "cell file: 2114 bytes is not a whole number of 15-byte cells"},
      {"", [](std::string_view b) { decode_cells(b); return std::string(); },
       "cell file: 0 bytes is not a whole number of 15-byte cells"},
      {voci.substr(0, voci.size() - 1), [](std::string_view b) { decode_entries(b); return std::string(); },
       "entry file ends inside orario at byte"},
      {voci + "x", [](std::string_view b) { decode_entries(b); return std::string(); },
       "entry file: 1 bytes follow its 87 entries"},
      {plan.substr(0, plan.size() - 2), [](std::string_view b) { decode_plan(b); return std::string(); },
       "plan file holds 14001 values"},
      {plan.substr(0, 12), [](std::string_view b) { decode_plan(b); return std::string(); },
       "plan file ends inside a Double value at byte 10"},
      {std::string("\x07\x00", 2), [](std::string_view b) { decode_plan(b); return std::string(); },
       "plan file: type tag 7 at byte 0 is none of"},
  };
  for (const auto& c : cases) {
    try {
      c.decode(c.bytes);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const DecodeError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tracciato
