#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"

namespace tracciato::dump {

// What an event code stands for: "none", "signal", ... "signboard"; "unknown" for a
// code no operation places.
std::string_view event_name(std::uint8_t evento);

// The metres a cell covers: (index - 1) * 50 .. index * 50 - 1.
inline std::int64_t first_metre(std::int64_t index) { return (index - 1) * 50; }
inline std::int64_t last_metre(std::int64_t index) { return index * 50 - 1; }

// One piece of what a field means: a name for machines, its number, and how a person
// reads it ("s1 4", "90 km/h").
struct Part {
  std::string key;
  std::int64_t value;
  std::string text;
};
struct FieldMeaning {
  std::string_view field;
  std::vector<Part> parts;
};

// What the raw numbers of cell `index` mean, field by field, where the number alone does
// not say it: the values of its event (the packed values of signals and speed-indicator
// boards unpacked; negative ones are not packed values and stay as they are), the marks
// of cell 1, the speed limit in km/h and the gradient in per mille.
std::vector<FieldMeaning> cell_meaning(std::int64_t index, const cella& c);

// The meaning of `field` within `meaning`, or nullptr.
const FieldMeaning* meaning_of(const std::vector<FieldMeaning>& meaning, std::string_view field);

// The parts as a person reads them, joined by ", ".
std::string parts_text(const std::vector<Part>& parts);

}  // namespace tracciato::dump
