#include "sources/line_table.h"

#include <gtest/gtest.h>

#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

const std::string marker(fine_tabella);

TEST(LineTable, EveryLineEndsInCrLfAndTheMarkerIsNeverWritten) {
  EXPECT_EQ(testo_tabella({"[generale]", "", "x\xB0", "[fine]", marker}),
            "[generale]\r\n\r\nx\xB0\r\n[fine]\r\n");
  EXPECT_EQ(testo_tabella({marker}), "");
}

TEST(LineTable, TheFirstMarkerEndsTheFileWhateverFollows) {
  EXPECT_EQ(testo_tabella({"a", marker, "b", marker}), "a\r\n");
  // Only an exact, case-sensitive match is the marker.
  EXPECT_EQ(testo_tabella({"Riferimento fine del file", " riferimento fine del file", marker}),
            "Riferimento fine del file\r\n riferimento fine del file\r\n");
}

TEST(LineTable, ATableWithoutMarkerInItsSlotsFails) {
  EXPECT_THROW(testo_tabella({"a", "b"}), RuntimeFailure);
  LineTable full(1000, "x");
  full.push_back(marker);  // slot 1000: the largest table
  EXPECT_EQ(testo_tabella(full).size(), 3000u);
  LineTable over(1001, "x");
  over.push_back(marker);  // would need slot 1001
  EXPECT_THROW(testo_tabella(over), RuntimeFailure);
}

TEST(LineTable, WritingReplacesALongerExistingFile) {
  MemoryPlatform p;
  p.files["app/t.txt"] = std::string(5000, 'z');
  scrivi_tabella(p, "app/t.txt", {"ab", marker});
  EXPECT_EQ(p.files["app/t.txt"], "ab\r\n");
}

}  // namespace
}  // namespace tracciato
