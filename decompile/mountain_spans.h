#pragma once

#include <vector>

#include "decompile/source_model.h"
#include "model/scenario.h"

namespace tracciato::decompile {

// The mountain spans, rising, that give every cell its mountain type and put the
// mountain markers (event 11) where they still show: each run of cells of one type is
// a span; a run of type 3 (the type of a span that follows the one before within
// 150 m) may hold several, split where the markers change their phase. A span is
// placed so that the compiler's rounding gives its first and last cell, and far enough
// from the one before to keep its own type.
std::vector<MountainEntry> mountain_spans(const std::vector<cella>& celle);

}  // namespace tracciato::decompile
