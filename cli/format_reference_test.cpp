// docs/format.md cannot drift from the code: every entry the readers recognise has its
// section there with one table row per value field, each entry reads as many fields as
// its row says, and the register codes are listed with the texts of `explain`.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "cli/code_explanations.h"
#include "cli/diagnostics.h"
#include "compiler/compilazione.h"
#include "model/entry_kinds.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"

namespace tracciato::cli {
namespace {

std::string format_md() {
  std::ifstream in(TRACCIATO_FORMAT_MD, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Each "### `keyword`" heading, with the rows of the first field table ("| # |") under it.
std::map<std::string, int> field_tables(const std::string& md) {
  std::map<std::string, int> out;
  std::istringstream lines(md);
  std::string line, current;
  bool in_table = false, table_done = false;
  while (std::getline(lines, line)) {
    if (line.rfind("### `", 0) == 0 && line.back() == '`') {
      current = line.substr(5, line.size() - 6);
      out[current] = 0;
      in_table = table_done = false;
    } else if (line.rfind("#", 0) == 0) {
      current.clear();
    } else if (!current.empty() && !table_done) {
      if (line.rfind("| # |", 0) == 0) {
        in_table = true;
      } else if (in_table && line.rfind("|", 0) == 0) {
        if (line.rfind("|---", 0) != 0) ++out[current];
      } else if (in_table) {
        table_done = true;
      }
    }
  }
  return out;
}

TEST(FormatReference, EveryEntryHasItsSectionWithARowPerValueField) {
  const std::map<std::string, int> tables = field_tables(format_md());
  for (const EntryKind& k : entry_kinds()) {
    SCOPED_TRACE(std::string(k.keyword));
    ASSERT_EQ(tables.count(std::string(k.keyword)), 1u) << "no section ### `" << k.keyword << "`";
    EXPECT_EQ(tables.at(std::string(k.keyword)), static_cast<int>(k.fields.size()));
  }
  EXPECT_EQ(tables.size(), entry_kinds().size());
}

TEST(FormatReference, TheRegisterCodesAreThoseOfExplain) {
  const std::string md = format_md();
  const std::size_t begin = md.find("<!-- register codes: begin");
  const std::size_t end = md.find("<!-- register codes: end -->");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  const std::size_t table = md.find('\n', begin) + 1;
  EXPECT_EQ(md.substr(table, end - table), "\n" + explanations_markdown() + "\n")
      << "regenerate the table with: tracciato explain --markdown";
}

// An entry line with exactly as many values as its kind has fields reads them all and
// no more: no value is left over, and the next line is not taken as a value.
TEST(FormatReference, EachEntryReadsTheFieldsItsTableLists) {
  for (const EntryKind& k : entry_kinds()) {
    SCOPED_TRACE(std::string(k.keyword));
    std::string line = k.keyword == "curva"                 ? "curvad4"
                       : k.keyword == "ripetizione segnali" ? "ripetizione segnali 4 codici"
                                                            : std::string(k.keyword);
    for (std::size_t i = 0; i < k.fields.size(); ++i)
      line += ", " + std::string(i == 0 && k.positioned ? "5000" : "100");
    line += "\r\n";
    const std::string general = k.part == TextPart::general ? line : "";
    const std::string length = k.keyword == "lunghezza percorso" ? "" : "lunghezza percorso, 10000\r\n";
    MemoryPlatform p;
    p.files["R_linea.txt"] = "[generale]\r\n" + length + general + "[curve]\r\n" +
                             (k.part == TextPart::body ? line : "") + "[fine]\r\n";
    p.files["R_T-.txt"] = "[generale]\r\n" + (k.part == TextPart::train ? line : "") + "[fine]\r\n";
    Scenario s;
    s.nome_linea = "R";
    s.nome_treno = "T";
    Diagnostics d;
    d.attach(s);
    compile(s, 1, p, {"R_linea.txt", "R_T-.txt", false}, {"R_linea.dat", "R_T.sim", "R_T.dat"});
    for (const Diagnostic& g : d.all()) {
      EXPECT_NE(g.code, 25) << g.message;
      EXPECT_EQ(g.message.find("more value fields"), std::string::npos) << g.message;
    }
  }
}

}  // namespace
}  // namespace tracciato::cli
