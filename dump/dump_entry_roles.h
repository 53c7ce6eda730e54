#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"

namespace tracciato::dump {

// What each entry of an entry file holds, as its place and content tell it: "station K"
// for the entries from 1 up to the first one that is clear or holds nothing but a text,
// "signboard" for any other entry up to 80 that holds a text, "progressive" (81 - 83),
// "run data" (84), "route header" (85), "train header" (86), "unused" for the rest.
struct EntryRoles {
  std::vector<std::string> role;  // one per entry
  int stations = 0;
  int signboards = 0;
};
EntryRoles entry_roles(const std::vector<voce>& voci);

// What a field of a header entry (81 .. 86) carries, e.g. "route length" for
// fine_area of 84; nullptr where the field keeps its station meaning or is unused.
const char* header_field_label(std::size_t index, std::string_view field);

}  // namespace tracciato::dump
