#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "decompile/source_model.h"

namespace tracciato::decompile {

// One byte per cell, filled as the compiler fills gradients, speed limits and adhesion:
// from cell 0 on, each line writing the value in force up to its own cell, the
// completion writing the last value up to cell n_celle - 3 (and one cell further when
// the cursor already stands there). The value in force before the first line is the
// one whose byte is `initial`.
struct CellList {
  std::vector<std::uint8_t> bytes;  // cell 0 .. n_celle
  std::uint8_t initial = 0;
  std::function<std::int64_t(std::uint8_t)> value;  // the line's value for a byte
  // The completion runs after the lines; it does not when the reading stops on a fault
  // first, and then the last cells with a byte are written by the lines alone.
  bool completed = true;
};

// The lines that make the list write `bytes` exactly: one wherever the byte changes,
// then, for cells beyond n_celle - 3, lines at the last position a line may have
// (50 * n_celle - 100) that push the cursor on, each writing one cell. Without the
// completion a last line writes the value in force up to the last cell with a byte.
std::vector<ListEntry> list_entries(const CellList& list);

}  // namespace tracciato::decompile
