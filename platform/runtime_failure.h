#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tracciato {

// A failure of the run-time machinery rather than of the data: an index outside a
// table, a read past the end of a source text, a number that does not fit, a file
// that cannot be written. Inside the model reader it is trapped (register code 25);
// anywhere else it stops the run with a one-line report. Besides its sentence it says
// what kind of failure it is, so that a diagnostic can explain it in the author's terms.
class RuntimeFailure : public std::runtime_error {
 public:
  enum class Kind {
    other,
    field,              // a field of a source text: read past the end, not a number, too wide
    table_index,        // an index outside a table
    table_unallocated,  // a table used before the route length has made it
    too_wide,           // a computed value that does not fit its field
  };

  explicit RuntimeFailure(const std::string& what, Kind kind = Kind::other)
      : std::runtime_error(what), kind(kind) {}
  // The same failure told by another sentence (its place prefixed, say).
  RuntimeFailure retold(const std::string& what) const {
    RuntimeFailure f(what, kind);
    f.table = table;
    f.index = index;
    f.line = line;
    f.column = column;
    return f;
  }

  Kind kind;
  std::string table;       // table_index, table_unallocated, too_wide: the table or field
  std::int64_t index = 0;  // table_index: the index; too_wide: the value
  std::size_t line = 0;    // field: the line and column where the field began
  std::size_t column = 0;
};

}  // namespace tracciato
