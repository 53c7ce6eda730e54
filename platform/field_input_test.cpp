#include "platform/field_input.h"

#include <gtest/gtest.h>

#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

TEST(FieldInput, TextFieldsEndAtCommaOrAnyLineEnd) {
  FieldInput in("  uno ,due\r\ntre\nquattro\rcinque");
  EXPECT_EQ(in.read_text(), "uno");
  EXPECT_EQ(in.read_text(), "due");
  EXPECT_EQ(in.read_text(), "tre");
  EXPECT_EQ(in.read_text(), "quattro");
  EXPECT_FALSE(in.at_end());
  EXPECT_EQ(in.read_text(), "cinque");
  EXPECT_TRUE(in.at_end());
}

TEST(FieldInput, LineOfNCommasYieldsNPlusOneFields) {
  FieldInput in(",,\r\n\r\nx");
  EXPECT_EQ(in.read_text(), "");
  EXPECT_EQ(in.read_text(), "");
  EXPECT_EQ(in.read_text(), "");
  EXPECT_EQ(in.read_text(), "");  // the empty line is one empty field
  EXPECT_EQ(in.read_text(), "x");
  EXPECT_TRUE(in.at_end());
}

TEST(FieldInput, QuotedTextRunsToTheNextQuote) {
  FieldInput in("\"a, b\"  ,\"c\"\r\nd,\"never closed, x\r\ny");
  EXPECT_EQ(in.read_text(), "a, b");
  EXPECT_EQ(in.read_text(), "c");
  EXPECT_EQ(in.read_text(), "d");
  EXPECT_EQ(in.read_text(), "never closed, x\r\ny");
  EXPECT_TRUE(in.at_end());
}

TEST(FieldInput, NumbersEndAtBlanksSoBlanksAloneSeparateThem) {
  FieldInput in("orologio,    9               18            0 \r\nx");
  EXPECT_EQ(in.read_text(), "orologio");
  EXPECT_EQ(in.read_integer(), 9);
  EXPECT_EQ(in.read_integer(), 18);
  EXPECT_EQ(in.read_integer(), 0);
  EXPECT_EQ(in.read_text(), "x");
}

TEST(FieldInput, BlanksAndOneCommaAfterANumberFormItsSeparator) {
  FieldInput in("0    ,0\r\n  ,  ,-7,+8\t,\r\n");
  EXPECT_EQ(in.read_long(), 0);
  EXPECT_EQ(in.read_long(), 0);
  EXPECT_EQ(in.read_long(), 0);  // empty fields read as 0
  EXPECT_EQ(in.read_long(), 0);
  EXPECT_EQ(in.read_long(), -7);
  EXPECT_EQ(in.read_long(), 8);
  EXPECT_EQ(in.read_long(), 0);
  EXPECT_TRUE(in.at_end());
}

TEST(FieldInput, NumbersFailWhenTheyAreNotWholeNumbersOrDoNotFit) {
  const struct {
    const char* text;
    int width;  // 32, 16 or 8
  } bad[] = {
      {"1.5", 32},         {"abc", 32},    {"-", 32},         {"+", 16},
      {"12a", 32},         {"2147483648", 32}, {"-2147483649", 32}, {"32768", 16},
      {"-32769", 16},      {"256", 8},     {"-1", 8},
      {"1234567890123456789012345678901234567890", 32},
  };
  for (const auto& c : bad) {
    FieldInput in(c.text);
    EXPECT_THROW(c.width == 32 ? in.read_long() : c.width == 16 ? in.read_integer() : in.read_byte(),
                 RuntimeFailure)
        << c.text;
  }
  FieldInput edges("2147483647,-2147483648,32767,-32768,255,-0");
  EXPECT_EQ(edges.read_long(), 2147483647);
  EXPECT_EQ(edges.read_long(), -2147483647 - 1);
  EXPECT_EQ(edges.read_integer(), 32767);
  EXPECT_EQ(edges.read_integer(), -32768);
  EXPECT_EQ(edges.read_byte(), 255);
  EXPECT_EQ(edges.read_byte(), 0);
}

TEST(FieldInput, ReadingWithNoByteLeftFails) {
  FieldInput empty("");
  EXPECT_TRUE(empty.at_end());
  EXPECT_THROW(empty.read_text(), RuntimeFailure);
  FieldInput one("x\r\n");
  one.read_text();
  EXPECT_TRUE(one.at_end());
  EXPECT_THROW(one.read_long(), RuntimeFailure);
  // Blanks are bytes: a field of blanks at the very end is an empty field.
  FieldInput blanks("  ");
  EXPECT_EQ(blanks.read_long(), 0);
  EXPECT_TRUE(blanks.at_end());
}

TEST(FieldInput, FieldsKnowTheirLineAndColumn) {
  FieldInput in("a,  b\r\n\r\n  c, 12", "route.txt");
  in.read_text();
  EXPECT_EQ(in.field_line(), 1u);
  in.read_text();
  EXPECT_EQ(in.field_column(), 5u);
  in.read_text();
  EXPECT_EQ(in.field_line(), 2u);
  in.read_text();
  EXPECT_EQ(in.field_line(), 3u);
  EXPECT_EQ(in.field_column(), 3u);
  EXPECT_EQ(in.line_text(3), "  c, 12");
  EXPECT_EQ(in.line_text(2), "");
  try {
    in.read_byte();
    in.read_byte();
    FAIL();
  } catch (const RuntimeFailure& f) {
    EXPECT_STREQ(f.what(), "route.txt:3:8: read past the end of the file");
  }
}

}  // namespace
}  // namespace tracciato
