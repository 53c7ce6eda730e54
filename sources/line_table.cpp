#include "sources/line_table.h"

#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

std::string table_text(const LineTable& table) {
  std::string text;
  for (std::size_t i = 0;; ++i) {
    if (i >= table.size() || i >= table_slots)
      throw RuntimeFailure("line table has no end marker in its " +
                           std::to_string(table_slots) + " slots");
    if (table[i] == end_marker) break;
    text += table[i];
    text += "\r\n";
  }
  return text;
}

void write_table(Platform& platform, const std::string& path, const LineTable& table) {
  platform.write(path, table_text(table));
}

}  // namespace tracciato
