#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/scenario.h"

namespace tracciato::decompile {

// The walk after the reading (post_process) places abatements of 180, and a source
// line may place one of 180 too: in the files the two look alike. This finds which of
// the abatements of 180 in `celle` (the cells as read, reserved slots cleared) came
// from source lines, so that the walk, run by the compiler's own rules on the cells
// with those and without the others, places exactly the others. The walk's choices
// depend on which cells are free, so each abatement it could have placed is tried as
// the walk's first and as a source's on contradiction (a search with a bound).
// Nothing when no choice within the bound reproduces the cells.
std::optional<std::vector<std::int64_t>> source_abatements_of_180(const std::vector<cella>& celle);

}  // namespace tracciato::decompile
