#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace tracciato {

class Platform;

// Where the three binary scenario files go.
struct ScenarioFiles {
  std::string planimetria;  // plan file, written only when con_planimetria is non-zero
  std::string voci;         // entry file
  std::string celle;        // cell file
};

// The plan file's bytes a piece at a time, for Platform::write_in_pieces: x of every
// metre, then y. Each call fills the room it is given (at least 10 bytes, the longest
// value) with whole values and returns the bytes it wrote, 0 once every value is
// written.
class PlanPieces {
 public:
  explicit PlanPieces(const Scenario& s);
  std::size_t operator()(std::span<char> spazio);

 private:
  std::span<const PlanValue> corrente_;   // what is left of the coordinate being written
  std::span<const PlanValue> seguente_;   // the coordinate after it, if any
};

// The exact bytes of each file, little-endian and packed.
std::string encode_plan(const Scenario& s);
std::string encode_entries(const Scenario& s);
std::string encode_cells(const Scenario& s);

// Writes plan (if any), entry and cell file in that order; the path of each file
// written is appended to `scritti` as soon as it is complete.
void write_scenario_files(const Scenario& s, Platform& platform, const ScenarioFiles& file,
                          std::vector<std::string>& scritti);

}  // namespace tracciato
