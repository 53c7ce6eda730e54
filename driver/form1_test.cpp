#include "driver/form1.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

const char* const documenti[] = {
    "app/ROVELDA-MARNE_K 517_note.txt",
    "app/ROVELDA-MARNE_K 517_rallentamenti.txt",
    "app/ROVELDA-MARNE_K 517_scheda_treno.txt",
};
const char* const binari[] = {
    "app/ROVELDA-MARNE_linea.dat",
    "app/ROVELDA-MARNE_K 517.sim",
    "app/ROVELDA-MARNE_K 517.dat",
};

TEST(EmbeddedRun, CompilesCleanAndLeavesOnlyDocumentsAndBinaries) {
  MemoryPlatform p;
  const CompileOutcome outcome = Form_Load(p);
  EXPECT_EQ(p.waiting_windows, 1);
  EXPECT_EQ(outcome.kind, CompileOutcome::Kind::ok) << outcome.failure;
  EXPECT_EQ(outcome.codice_errore, 0);
  EXPECT_EQ(code_of(outcome.exit_status()), 0);
  EXPECT_TRUE(p.messages.empty());
  std::vector<std::string> expected(std::begin(documenti), std::end(documenti));
  expected.insert(expected.end(), std::begin(binari), std::end(binari));
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> present;
  for (const auto& [path, bytes] : p.files) present.push_back(path);
  EXPECT_EQ(present, expected);  // the two source texts were read and deleted
  EXPECT_EQ(outcome.files, std::vector<std::string>(std::begin(binari), std::end(binari)));
}

TEST(EmbeddedRun, ASecondRunGivesTheSameFiles) {
  MemoryPlatform p;
  Form_Load(p);
  const auto first = p.files;
  p.files["app/ROVELDA-MARNE_K 517.dat"] += std::string(100, 'x');  // a longer, older file
  Form_Load(p);
  EXPECT_EQ(p.files, first);
}

// A folder where nothing can be created.
class ReadOnlyPlatform : public MemoryPlatform {
 public:
  void write(const std::string& path, std::string_view) override {
    throw RuntimeFailure("cannot write " + path + ": Permission denied");
  }
};

TEST(EmbeddedRun, AFolderWhereNothingCanBeCreatedStopsAtTheFirstText) {
  ReadOnlyPlatform p;
  const CompileOutcome outcome = Form_Load(p);
  EXPECT_EQ(outcome.kind, CompileOutcome::Kind::runtime);
  EXPECT_EQ(code_of(outcome.exit_status()), 3);
  ASSERT_EQ(p.failures.size(), 1u);
  EXPECT_EQ(p.failures[0], "cannot write app/ROVELDA-MARNE_linea.txt: Permission denied");
  EXPECT_TRUE(p.files.empty());
  EXPECT_TRUE(outcome.files.empty());
}

}  // namespace
}  // namespace tracciato
