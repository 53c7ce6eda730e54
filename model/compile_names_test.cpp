#include "model/compile_names.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(CompileNames, DefaultsComeFromTheFileNamesOnly) {
  EXPECT_EQ(route_name_from("texts/ROVELDA-MARNE_linea.txt"), "ROVELDA-MARNE");
  EXPECT_EQ(route_name_from("a_linea.txt/R_linea.txt"), "R");
  EXPECT_EQ(route_name_from("_linea.txt"), "");
  EXPECT_EQ(route_name_from("R_linea.TXT"), std::nullopt);
  EXPECT_EQ(route_name_from("R_linea.txt.bak"), std::nullopt);

  EXPECT_EQ(train_name_from("texts/ROVELDA-MARNE_K 517-.txt", "ROVELDA-MARNE"), "K 517");
  EXPECT_EQ(train_name_from("R_-.txt", "R"), "");
  EXPECT_EQ(train_name_from("R_A_B--.txt", "R"), "A_B-");
  EXPECT_EQ(train_name_from("R_T.txt", "R"), std::nullopt);
  EXPECT_EQ(train_name_from("S_T-.txt", "R"), std::nullopt);
  EXPECT_EQ(train_name_from("R-.txt", "R"), std::nullopt);  // prefix and ending would overlap
  EXPECT_EQ(train_name_from("R_T-.txt", "r"), std::nullopt);
}

TEST(CompileNames, OnlyPlainPrintableNamesCanNameTheFiles) {
  for (const char* good : {"ROVELDA-MARNE", "K 517", "...", "a.b", "~"})
    EXPECT_EQ(route_name_fault(good), std::nullopt) << good;
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "tab\there", "\x7F", "Citt\xE0"}) {
    EXPECT_NE(route_name_fault(bad), std::nullopt) << bad;
    EXPECT_NE(train_name_fault(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(route_name_fault("linea"), std::nullopt);
  for (const char* bad : {"linea", "LINEA", "Linea"}) EXPECT_NE(train_name_fault(bad), std::nullopt);
  EXPECT_EQ(train_name_fault("linea2"), std::nullopt);
}

}  // namespace
}  // namespace tracciato
