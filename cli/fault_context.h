#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/source_line.h"
#include "model/diagnostica.h"
#include "model/register_codes.h"
#include "platform/runtime_failure.h"

namespace tracciato {
struct Scenario;
}

namespace tracciato::cli {

// What the message of one fault is built from: the model as the fault leaves it, the
// trail of where each entry stands, and the fault itself. A message may move the
// place the fault is shown at (`at`) and the field the caret stands under (`caret`).
class FaultContext {
 public:
  FaultContext(const Scenario& s, const ReadingTrail& trail, bool base_names, Code code,
               std::optional<std::int64_t> position, std::string_view cause,
               const RuntimeFailure* failure = nullptr);

  const Scenario& s;
  const ReadingTrail& trail;
  const Code code;
  const std::optional<std::int64_t> position;
  const std::string_view cause;
  const RuntimeFailure* const failure;  // code 25 and a stopped run: what failed
  const std::optional<NoRoom> rule;  // for 11, 12 and 13: what the rule looked at

  Place at;               // the entry shown; 0 as its line: the run as a whole
  std::size_t caret = 1;  // the value field under the caret, 0 for the keyword
  std::size_t column = 0; // the caret's column when the message knows it itself

  // The register's position (0 when it has none) and " at N m" (empty when none).
  std::int64_t p() const { return position.value_or(0); }
  std::string at_p() const;
  // Value field k (1 = the first after the keyword) of the entry's line, if a number;
  // the same of another entry's line.
  std::optional<std::int64_t> value(std::size_t k) const;
  std::optional<std::int64_t> value_at(const Place& place, std::size_t k) const;
  // The entry's fields as read from its line, the keyword first.
  const std::vector<LineField>& fields() const { return fields_; }

  // What cell c holds, with the line of the entry that put it there; "cell c";
  // "cell a holds ...; cell b holds ..." for the cells from `from` to `to`.
  std::string holds(std::int64_t c) const;
  std::string origin(std::int64_t c) const;
  static std::string cell(std::int64_t c);  // "cell 50 (2450-2499 m)"
  std::string range(std::int64_t from, std::int64_t to) const;

  std::string file_of(int text) const;
  std::string line_of(int text, std::size_t line) const;
  // Moves the fault to another entry (as code 2 does, to the progressive at fault).
  void show_at(const Place& place) { at = place; fields_ = fields_from(line_of(at.text, at.line), at.column); }

 private:
  bool base_names_;
  std::vector<LineField> fields_;
};

// The name a text is shown by (its file name alone with `base_names`), and its line
// `line`; empty for no text.
std::string file_shown(const ReadingTrail& trail, int text, bool base_names);
std::string text_line(const ReadingTrail& trail, int text, std::size_t line);


// The message of the fault, built by the function of its code.
std::string fault_message(FaultContext& f);
// The message of a run-time failure that stopped the compile after the reader, told of
// the entry it belongs to (`f.at`).
std::string stopped_message(FaultContext& f);

}  // namespace tracciato::cli
