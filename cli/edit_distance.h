#pragma once

#include <cstddef>
#include <string_view>

namespace tracciato::cli {

// Edits between two byte strings: insertions, deletions, substitutions, and swaps of
// two neighbours ("curvsa" is one edit from "curvas").
std::size_t edit_distance(std::string_view a, std::string_view b);

}  // namespace tracciato::cli
