#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"

namespace tracciato {

// A file that cannot be a scenario file of its kind; `offset` is the byte where
// decoding stopped.
class DecodeError : public std::runtime_error {
 public:
  DecodeError(const std::string& what, std::size_t offset)
      : std::runtime_error(what), offset(offset) {}
  std::size_t offset;
};

// The tables read back from the three binary files, the inverse of the writers.
struct DecodedPlan {
  std::vector<PlanValue> x;  // metre 0 .. L'
  std::vector<PlanValue> y;
};
DecodedPlan decode_plan(std::string_view bytes);
std::vector<voce> decode_entries(std::string_view bytes);  // always 87 entries
std::vector<cella> decode_cells(std::string_view bytes);

}  // namespace tracciato
