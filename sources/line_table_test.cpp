#include "sources/line_table.h"

#include <gtest/gtest.h>

#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

const std::string marker(end_marker);

TEST(LineTable, EveryLineEndsInCrLfAndTheMarkerIsNeverWritten) {
  EXPECT_EQ(table_text({"[generale]", "", "x\xB0", "[fine]", marker}),
            "[generale]\r\n\r\nx\xB0\r\n[fine]\r\n");
  EXPECT_EQ(table_text({marker}), "");
}

TEST(LineTable, TheFirstMarkerEndsTheFileWhateverFollows) {
  EXPECT_EQ(table_text({"a", marker, "b", marker}), "a\r\n");
  // Only an exact, case-sensitive match is the marker.
  EXPECT_EQ(table_text({"Riferimento fine del file", " riferimento fine del file", marker}),
            "Riferimento fine del file\r\n riferimento fine del file\r\n");
}

TEST(LineTable, ATableWithoutMarkerInItsSlotsFails) {
  EXPECT_THROW(table_text({"a", "b"}), RuntimeFailure);
  LineTable full(1000, "x");
  full.push_back(marker);  // slot 1000: the largest table
  EXPECT_EQ(table_text(full).size(), 3000u);
  LineTable over(1001, "x");
  over.push_back(marker);  // would need slot 1001
  EXPECT_THROW(table_text(over), RuntimeFailure);
}

TEST(LineTable, WritingReplacesALongerExistingFile) {
  MemoryPlatform p;
  p.files["app/t.txt"] = std::string(5000, 'z');
  write_table(p, "app/t.txt", {"ab", marker});
  EXPECT_EQ(p.files["app/t.txt"], "ab\r\n");
}

}  // namespace
}  // namespace tracciato
