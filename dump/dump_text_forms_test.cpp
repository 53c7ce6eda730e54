#include "dump/dump_text_forms.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace tracciato::dump {
namespace {

TEST(DumpTextForms, EveryByteStringComesBackFromItsUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = utf8_from_cp1252(all);
  EXPECT_EQ(cp1252_from_utf8(utf8), all);
  EXPECT_EQ(utf8_from_cp1252("\x80\xB0\x81Z\x9F"), "\u20AC\u00B0\u0081Z\u0178");
}

TEST(DumpTextForms, Utf8OutsideTheCodePageOrMalformedIsRefused) {
  const char* const refused[] = {
      "\u0100",          // a letter the code page lacks
      "\U0001F682",      // four bytes
      "\xC3",            // cut short
      "\xC0\x80",        // overlong
      "\x80",            // a lone continuation byte
      "\xE2\x82",        // three-byte character cut short
      "\u0080",          // U+0080 is not the euro sign's byte
  };
  for (const char* s : refused) EXPECT_EQ(cp1252_from_utf8(s), std::nullopt) << s;
}

TEST(DumpTextForms, AQuotedTextStaysOnOneLine) {
  EXPECT_EQ(quoted("A,\"B\"\\\r\n\x81\xB0"), "\"A,\\\"B\\\"\\\\\\x0D\\x0A\\x81\u00B0\"");
  EXPECT_EQ(quoted(""), "\"\"");
  EXPECT_EQ(escaped("A,\"B\"\\\r\xB0"), "A,\"B\"\\\\\\x0D\u00B0");
}

TEST(DumpTextForms, DoublesReadBackExactly) {
  const double values[] = {0.1, -0.0, 1e-300, 5e-324, 1.0 / 3.0, -2.5e300, 107000.0,
                           std::numeric_limits<double>::max()};
  for (double v : values) {
    const std::string text = double_text(v);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << text;
  }
  EXPECT_EQ(double_text(0.001), "0.001");
  EXPECT_EQ(double_text(std::nan("")), "nan");
  EXPECT_EQ(double_text(-INFINITY), "-inf");
}

TEST(DumpTextForms, ClockTimesOfTheTimetable) {
  EXPECT_EQ(clock_text(33540), "09:19:00");
  EXPECT_EQ(clock_text(0), "00:00:00");
  EXPECT_EQ(clock_text(90061), "25:01:01");
  EXPECT_EQ(clock_text(-1), std::nullopt);
}

}  // namespace
}  // namespace tracciato::dump
