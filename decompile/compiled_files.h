#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "model/scenario_decoder.h"

namespace tracciato::decompile {

// What this compiler cannot have written, or a text the readers cannot take back: the
// message says what and where, in one line.
class Refusal : public std::runtime_error {
 public:
  explicit Refusal(const std::string& what) : std::runtime_error(what) {}
};

// The route and train names the files were compiled for (they form the file names).
struct Names {
  std::string route;
  std::string train;
};

// The bytes of a compiled file set; no plan when the compile had none.
struct CompiledFiles {
  std::optional<std::string> plan;
  std::string entries;
  std::string cells;
};

// The tables of a file set, checked to be what this compiler writes for these names,
// with the reserved slots cleared: cell 1's marks and entry 85's mark and code are
// stamped again by every compile.
struct CompiledScenario {
  std::vector<voce> voci;    // 87 entries
  std::vector<cella> celle;  // n_celle + 1 cells
  std::optional<DecodedPlan> plan;
  std::int64_t n_celle = 0;
  std::int64_t length = 0;  // the route length, entry 84's fine_area
};

// Decodes and checks: the names and the competition codes against `names`, the marks,
// the number of cells and of plan metres against the route length, no event code this
// compiler does not place and no values on a free cell. Throws Refusal.
CompiledScenario read_compiled(const CompiledFiles& files, const Names& names);

}  // namespace tracciato::decompile
