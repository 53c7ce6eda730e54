#pragma once

#include <cstdint>
#include <string>

namespace tracciato {

struct Scenario;

// Records mountain span n_montagne + 1 and gives its cells the span's type; a type
// above 10 loses 10 and also puts the marker 11 on every fourth free cell. A span
// 150 m or less after the one before (or overlapping it) takes type 3. `tipo` may be
// changed. An 81st span, or a cell outside the model, is a run-time failure.
void memo_montagna(Scenario& s, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);

// Puts the speed-indicator boards (event 6, speeds packed side s in hundreds, side d in
// fives) on the cell of `posizione`. On a busy cell nothing is written, 21 is recorded
// with the position, and the result is true: the reading ends.
bool memo_indicatori_v_max(Scenario& s, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int32_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int32_t& strisced);

// Puts a signboard (event 14) on the cell of `posizione` and its text into the next
// signboard slot of `voci`, counting down from 80. On a busy cell nothing is written,
// 6 is recorded with the position, and the result is true: the reading ends.
bool place_signboard(Scenario& s, std::int32_t posizione, const std::string& testo);

}  // namespace tracciato
