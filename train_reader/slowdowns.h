#pragma once

#include <cstdint>

#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;
class FieldInput;

// Places a slow-down starting at `x`: the warning board 1200 m before it (only when
// x > 1500), the start and end boards, and with `f_ta` the four cells before the
// warning board. The three board cells are all tested before any is written; a busy
// one records 17, 18 or 19 at `x` and writes nothing. A busy approach cell records 20
// at `x` after the boards are written. The result is true on a conflict.
bool memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v);

// A "rallentamento" line: six numbers read whole, `x` range-checked, then placed.
LineOutcome read_slowdown(Scenario& s, FieldInput& in);

// An "abbattimento" line: position and value; the cell is the position / 50, without
// the + 1 of the boards. A busy cell is code 7.
LineOutcome read_abatement(Scenario& s, FieldInput& in);

}  // namespace tracciato
