#pragma once

#include <stdexcept>
#include <string>

namespace tracciato {

// A failure of the run-time machinery rather than of the data: an index outside a
// table, a read past the end of a source text, a number that does not fit, a file
// that cannot be written. Inside the model reader it is trapped (register code 25);
// anywhere else it stops the run with a one-line report.
class RuntimeFailure : public std::runtime_error {
 public:
  explicit RuntimeFailure(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace tracciato
