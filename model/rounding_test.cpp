#include "model/rounding.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    std::int64_t num, den, expected;
  } cases[] = {
      {875, 50, 18},   {925, 50, 18},    {7025, 50, 140},  {7075, 50, 142},  // 17.5, 18.5, 140.5, 141.5
      {31025 + 50, 50, 622}, {31075 + 50, 50, 622},  // signboard cells 621.5, 622.5 (+1)
      {-25, 50, 0},    {-75, 50, -2},    {-125, 50, -2},   {25, 50, 0},     // negative ties
      {1225, 50, 24},  {1275, 50, 26},   {102, 5, 20},     {103, 5, 21},
      {-3, 2, -2},     {-1, 2, 0},       {1, 2, 0},        {3, 2, 2},
      {49, 50, 1},     {-49, 50, -1},    {0, 50, 0},       {7, -2, -4},    // -3.5 -> -4
  };
  for (const auto& c : cases)
    EXPECT_EQ(round_half_even(c.num, c.den), c.expected) << c.num << "/" << c.den;
}

TEST(Rounding, ExactForLargeNumerators) {
  // A double would lose the half here.
  const std::int64_t big = (std::int64_t{1} << 60) + 1;
  EXPECT_EQ(round_half_even(big, 2), std::int64_t{1} << 59);
  EXPECT_EQ(round_half_even(big + 2, 2), (std::int64_t{1} << 59) + 2);
}

TEST(Rounding, ConversionFailsWhenTheResultDoesNotFit) {
  EXPECT_EQ(round_to<std::uint8_t>(1275, 5, "speed"), 255);
  EXPECT_THROW(round_to<std::uint8_t>(1278, 5, "speed"), RuntimeFailure);  // 255.6 -> 256
  EXPECT_EQ(round_to<std::uint8_t>(-2, 5, "speed"), 0);                    // -0.4 -> 0
  EXPECT_THROW(round_to<std::uint8_t>(-3, 5, "speed"), RuntimeFailure);    // -0.6 -> -1
  EXPECT_THROW(round_to<std::int16_t>(32768, 1, "value"), RuntimeFailure);
  EXPECT_EQ(round_to<std::int16_t>(-32768, 1, "value"), -32768);
  try {
    round_to<std::int16_t>(100000, 1, "valore1");
    FAIL();
  } catch (const RuntimeFailure& f) {
    EXPECT_NE(std::string(f.what()).find("valore1"), std::string::npos);
  }
}

TEST(Rounding, NarrowStoresKeepTheLowBits) {
  EXPECT_EQ(low8(300), 44);
  EXPECT_EQ(low8(-1), 255);
  EXPECT_EQ(low16(65536 + 5), 5);
  EXPECT_EQ(low16(40000), -25536);
  EXPECT_EQ(low32(std::int64_t{1} << 32), 0);
}

}  // namespace
}  // namespace tracciato
