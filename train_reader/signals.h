#pragma once

#include <cstdint>

#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;
class FieldInput;

// Places a signal in the cell of `posizione` with its four approach markers every
// other cell before it. A busy signal cell is a conflict: code 16 at `posizione` is
// recorded, nothing is written and the result is true. `tempo` comes back adjusted
// (1 .. 100 become 101).
bool memo_segnale(Scenario& s, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                  std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx,
                  std::int32_t d1, std::int32_t d2, std::int32_t d3, std::int32_t& tempo);

// A "segnale" line: eleven numbers read whole, range-checked, then placed.
LineOutcome read_signal(Scenario& s, FieldInput& in);

}  // namespace tracciato
