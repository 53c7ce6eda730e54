#include "cli/edit_distance.h"

#include <algorithm>
#include <vector>

namespace tracciato::cli {

std::size_t edit_distance(std::string_view a, std::string_view b) {
  // Three rows of the table: two rows back for a swap, the one before, this one.
  std::vector<std::size_t> before_last(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) last[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        row[j] = std::min(row[j], before_last[j - 2] + 1);
    }
    std::swap(before_last, last);
    std::swap(last, row);
  }
  return last[b.size()];
}

}  // namespace tracciato::cli
