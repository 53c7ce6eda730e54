#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/diagnostica.h"

namespace tracciato {
struct Scenario;
}

namespace tracciato::decompile {

// Whether a compile lies in the class of file sets that decompile gives back byte for
// byte: texts in which
//   - no station's stop cell falls on an earlier event (a station does not test it),
//   - mountain spans are listed rising without overlap (each ends at or after its
//     start, and starts at or after the end of the one listed before it),
//   - no line failed part way: the reading never stopped on a fault after the failing
//     line had changed the model. Those faults are the general entries' 1, 3, 4, 5
//     (their values are stored before the test), a station's 8, 9, 10, 22, 24 and its 15
//     when its position was stored, a slow-down's 20 (boards written before the
//     approach cells are tested), a curve's 103 when the plan had reached metre
//     1000000, and every run-time failure of the reader (25).
// Faults that stop the reading on a line that changed nothing (a busy cell, a position
// beyond the model, a curve keyword without a class) and those of the post-processing
// lie inside. Attach before the compile; ask after it.
class PromiseWatch {
 public:
  // Listens to the model's faults and diagnostics (it takes both hooks of `s`).
  void attach(Scenario& s);
  // Why the compile lies outside the class; nothing when it lies inside.
  std::optional<std::string> outside(const Scenario& s) const;

 private:
  ReadingTrail trail_;
  std::vector<std::int32_t> part_way_;  // codes of faults that came after a change
};

}  // namespace tracciato::decompile
