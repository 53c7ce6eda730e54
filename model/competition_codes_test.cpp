#include "model/competition_codes.h"

#include <gtest/gtest.h>

#include <string>

#include "model/scenario.h"

namespace tracciato {
namespace {

struct Codici {
  std::int32_t st;
  std::int16_t og;
};

Codici codici(const std::string& treno, const std::string& linea) {
  Scenario s;
  s.voci[entry::train_header].nome = treno;
  s.voci[entry::route_header].nome = linea;
  const std::int32_t st = codice_gara_st(s);
  return {st, codice_gara_og(s)};
}

TEST(CompetitionCodes, ShippedNamesGiveTheirKnownCodes) {
  const Codici c = codici("K 517", "ROVELDA-MARNE");
  EXPECT_EQ(c.og, 2414);
  EXPECT_EQ(c.st, 33997);
}

TEST(CompetitionCodes, WorkTextIsLowerCaseTrainThenRouteThenFiller) {
  Scenario s;
  s.voci[entry::train_header].nome = "K 517";
  s.voci[entry::route_header].nome = "AB";
  codice_gara_og(s);
  EXPECT_EQ(s.riga, "k 517ab" "ppqqrrssttuuvvzzppqqrrsstt");
}

TEST(CompetitionCodes, LetterCaseDoesNotMatter) {
  const Codici upper = codici("K 517", "ROVELDA-MARNE");
  const Codici lower = codici("k 517", "rovelda-marne");
  EXPECT_EQ(upper.st, lower.st);
  EXPECT_EQ(upper.og, lower.og);
}

TEST(CompetitionCodes, ExchangingShortNamesKeepsTheSumButNotTheWeightedSum) {
  const Codici a = codici("K 517", "ROVELDA");
  const Codici b = codici("ROVELDA", "K 517");
  EXPECT_EQ(a.og, b.og);
  EXPECT_NE(a.st, b.st);
}

TEST(CompetitionCodes, ReorderingWithinTheFirst25KeepsOnlyTheSum) {
  const Codici ab = codici("ab", "");
  const Codici ba = codici("ba", "");
  EXPECT_EQ(ab.og, 2842);
  EXPECT_EQ(ba.og, 2842);
  EXPECT_EQ(ab.st, 37430);
  EXPECT_EQ(ba.st, 37429);
}

TEST(CompetitionCodes, Only25CharactersCountAndTheFillerThenPlaysNoPart) {
  const Codici exact = codici("abcdefghijklm", "nopqrstuvwxy");  // 25 characters together
  EXPECT_EQ(exact.og, 2725);
  EXPECT_EQ(exact.st, 36725);
  const Codici longer = codici("abcdefghijklm", "nopqrstuvwxyZZZZ");
  EXPECT_EQ(longer.og, exact.og);
  EXPECT_EQ(longer.st, exact.st);
  const Codici split = codici("abcdefghijklmnopqrstuvwxy", "");
  EXPECT_EQ(split.st, exact.st);
}

TEST(CompetitionCodes, EmptyNamesUseTheFillerAlone) {
  const Codici c = codici("", "");
  EXPECT_EQ(c.og, 2878);
  EXPECT_EQ(c.st, 37503);
}

TEST(CompetitionCodes, BytesFrom0x80CountAsUnsignedAndAreNotFolded) {
  const Codici upper_e = codici("\xC9", "");  // É in Windows-1252
  const Codici lower_e = codici("\xE9", "");  // é
  EXPECT_EQ(upper_e.og, 2963);
  EXPECT_EQ(upper_e.st, 37566);
  EXPECT_EQ(lower_e.og, 2995);
  const Codici top = codici(std::string(25, '\xFF'), "");
  EXPECT_EQ(top.og, 6375);
  EXPECT_EQ(top.st, 82875);
}

}  // namespace
}  // namespace tracciato
