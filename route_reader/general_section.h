#pragma once

#include <cstdint>
#include <string>

#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;
class FieldInput;

// Tests the keyword field in `s.riga` against the eight general entries, in their fixed
// order; every entry that matches reads its value fields and stores them at once. A
// fault (1, 3, 4, 5) is recorded and ends the reading.
LineOutcome general_entries(Scenario& s, FieldInput& in);

// The route length: the model's length, cells and (with the plan flag) plan made anew.
// A table that cannot be made is a run-time failure that keeps the earlier tables.
LineOutcome lunghezza_percorso(Scenario& s, std::int32_t lunghezza);

// The signal-repetition pair a, b of the keyword field `riga`.
LineOutcome signal_repetition(Scenario& s, const std::string& riga, std::int32_t a, std::int32_t b);

// Puts the three kilometre progressives of entries 81 .. 83 in order.
void progressive_ordina(Scenario& s);

}  // namespace tracciato
