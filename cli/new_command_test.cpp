// The starter scenario of `tracciato new`: written where asked, never over an author's
// texts, and clean: register 0 and no warning, with the plan and without.
#include "cli/new_command.h"

#include <gtest/gtest.h>

#include "cli/diagnostics.h"
#include "compiler/compilazione.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"

namespace tracciato::cli {
namespace {

NewOptions starter() { return {"s/t", "MYLINE", "R 1", false}; }

TEST(NewCommand, WritesBothTextsAndKeepsThemFromASecondRunWithoutForce) {
  MemoryPlatform p;
  ASSERT_EQ(run_new(p, starter()), 0);
  EXPECT_EQ(p.directories, std::vector<std::string>{"s/t"});
  EXPECT_EQ(p.files.size(), 2u);
  p.files["s/t/MYLINE_R 1-.txt"] = "mine";
  EXPECT_EQ(run_new(p, starter()), 3);
  EXPECT_EQ(p.files["s/t/MYLINE_R 1-.txt"], "mine");
  NewOptions forced = starter();
  forced.force = true;
  EXPECT_EQ(run_new(p, forced), 0);
  EXPECT_NE(p.files["s/t/MYLINE_R 1-.txt"], "mine");
  NewOptions bad = starter();
  bad.train = "linea";
  EXPECT_EQ(run_new(p, bad), 64);
}

TEST(NewCommand, TheStarterCompilesWithoutFaultOrWarning) {
  for (std::int32_t plan : {1, 0}) {
    SCOPED_TRACE(plan);
    MemoryPlatform p;
    ASSERT_EQ(run_new(p, starter()), 0);
    Scenario s;
    s.nome_linea = "MYLINE";
    s.nome_treno = "R 1";
    Diagnostics d;
    d.attach(s);
    const CompileOutcome o = compile(s, plan, p, {"s/t/MYLINE_linea.txt", "s/t/MYLINE_R 1-.txt", false},
                                     {"o/MYLINE_linea.dat", "o/MYLINE_R 1.sim", "o/MYLINE_R 1.dat"});
    EXPECT_EQ(o.kind, CompileOutcome::Kind::ok);
    EXPECT_TRUE(d.all().empty()) << d.text();
  }
}

}  // namespace
}  // namespace tracciato::cli
