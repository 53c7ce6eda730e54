#include "sources/line_table.h"

#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

std::string testo_tabella(const LineTable& table) {
  std::string text;
  for (std::size_t i = 0;; ++i) {
    if (i >= table.size() || i >= slot_tabella)
      throw RuntimeFailure("line table has no end marker in its " +
                           std::to_string(slot_tabella) + " slots");
    if (table[i] == fine_tabella) break;
    text += table[i];
    text += "\r\n";
  }
  return text;
}

void scrivi_tabella(Platform& platform, const std::string& path, const LineTable& table) {
  platform.scrivi(path, testo_tabella(table));
}

}  // namespace tracciato
