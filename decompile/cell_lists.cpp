#include "decompile/cell_lists.h"

#include <algorithm>

namespace tracciato::decompile {

std::vector<ListEntry> list_entries(const CellList& list) {
  std::vector<ListEntry> out;
  const std::int64_t n = static_cast<std::int64_t>(list.bytes.size()) - 1;
  if (n < 0) return out;
  auto byte = [&](std::int64_t i) { return list.bytes[static_cast<std::size_t>(i)]; };
  // The completion writes up to n - 3, and always at least cell 0; without it the lines
  // wrote up to the last cell with a byte (a byte of 0 written or not is the same).
  const std::int64_t base = std::max<std::int64_t>(n - 3, 0);
  std::int64_t last = -1;
  for (std::int64_t i = n; i >= 0 && last < 0; --i)
    if (byte(i) != 0) last = i;
  if (!list.completed && last < 0) return out;
  const std::int64_t changes_to = list.completed ? base : std::min(last, base);

  std::uint8_t in_force = list.initial;
  for (std::int64_t i = 0; i <= changes_to; ++i) {
    if (byte(i) == in_force) continue;
    out.push_back({50 * i, list.value(byte(i))});
    in_force = byte(i);
  }
  if (!list.completed && last <= base) {
    if (last + 1 <= n - 2) out.push_back({50 * (last + 1), 0});
    return out;
  }
  // A cell beyond `base` is written only when lines at the last position moved the
  // cursor there; each such line writes one cell and puts its value in force.
  for (std::int64_t i = base + 1; i <= last; ++i) out.push_back({50 * (n - 2), list.value(byte(i))});
  if (!list.completed && last > base) out.push_back({50 * (n - 2), 0});
  return out;
}

}  // namespace tracciato::decompile
