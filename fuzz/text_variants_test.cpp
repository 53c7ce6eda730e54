// The rewrites the fuzz properties compare a text with: a rewrite that moved a field
// would make the properties cry wolf, one that changed nothing would test nothing.
#include "fuzz/text_variants.h"

#include <gtest/gtest.h>

#include <string>

namespace tracciato::fuzz {
namespace {

TEST(TextVariants, EveryLineEndIsWrittenInTheOneForm) {
  // CR LF, a lone CR and a lone LF are one line end each; CR CR LF is two.
  const std::string text = "a\r\nb\rc\nd\r\r\ne\n\r";
  EXPECT_EQ(with_line_ends(text, "\n"), "a\nb\nc\nd\n\ne\n\n");
  EXPECT_EQ(with_line_ends(text, "\r"), "a\rb\rc\rd\r\re\r\r");
  EXPECT_EQ(with_line_ends(text, "\r\n"), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n");
  EXPECT_EQ(with_line_ends("", "\r\n"), "");
}

TEST(TextVariants, BlanksGoBesideCommasAndLineEndsUpToTheFirstQuote) {
  struct Case {
    const char* text;
    const char* with;  // every blank written as " "
  };
  const Case cases[] = {
      {"a,b", " a , b "},
      {"a\r\nb\r\n", " a \r\n b \r\n"},  // nothing after the last line end
      {"x,", " x ,"},                    // nor after the last comma
      {"p, \"q,r\", s", " p , \"q,r\", s"},
      {"\"q\r\n", " \"q\r\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string blanks = with_blanks(c.text, 7);
    std::string seen;
    for (std::size_t i = 0; i < blanks.size(); ++i) {
      if (blanks[i] != ' ' && blanks[i] != '\t') {
        seen += blanks[i];
      } else if (seen.empty() || seen.back() != ' ') {
        seen += ' ';
      }
    }
    EXPECT_EQ(seen, c.with);
  }
}

TEST(TextVariants, TwoNeighbouringRangesSwap) {
  EXPECT_EQ(swapped("aaBBBcccdd", 2, 5, 8), "aacccBBBdd");
  EXPECT_EQ(swapped("xy", 0, 1, 2), "yx");
}

}  // namespace
}  // namespace tracciato::fuzz
