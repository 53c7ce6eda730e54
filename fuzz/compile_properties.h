#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compilazione.h"
#include "model/diagnostica.h"
#include "model/register_codes.h"

namespace tracciato::fuzz {

// Properties of the whole compile that a wrong byte breaks. Each compiles two related
// inputs in memory and throws PropertyBroken on a difference; uncaught, that aborts
// the fuzzer with the input kept. Why each one holds, and when, is said at its
// function in compile_properties.cpp.

struct PropertyBroken : std::logic_error {
  using std::logic_error::logic_error;
};

struct Texts {
  std::string route;
  std::string train;
};

// An entry of a source text as the reader looked at it: its keyword field as read and
// the byte offsets where that field ended and where the entry's last field ended.
struct EntrySpan {
  Scope scope;
  std::string keyword;
  std::size_t keyword_end = 0;
  std::size_t end = 0;
};

// A write to the error register, with the keyword field being read at that moment and
// whether the route text was still being read.
struct RecordedFault {
  Code code;
  std::string cause;
  std::string keyword;
  bool in_route = false;
};

// What one compile left behind. A file is empty when it was not written.
struct Compiled {
  CompileOutcome outcome;
  std::optional<std::string> plan, entries, cells;
  std::vector<std::string> failures;  // run-time failures reported to the platform
  std::int32_t lunghezza_estesa = 0;
  // Only for a traced compile: the names of the 87 entries of `voci` as the model holds
  // them, the entries of both texts and the register's writes.
  std::vector<std::string> names;
  std::vector<EntrySpan> route_entries, train_entries;
  std::vector<RecordedFault> faults;
};

// The compile of `t` in memory, as `tracciato compile` runs it but with no listener;
// `traced` attaches a reading trail that keeps the entries and faults above. Every
// compile must leave its sources as they were and write what its outcome says.
Compiled compile_texts(const Texts& t, std::int32_t con_planimetria, bool traced);

// One input of the compile harness: the texts, the plan flag of the compiles that the
// properties vary, and the seed of their choices.
struct CompileCase {
  Texts texts;
  std::int32_t plan = 0;
  std::uint64_t seed = 0;
};

// The case of an input of the compile harness: the route text, NUL, the train text (none
// without a NUL); the plan when its length is one more than a multiple of four (a plan,
// even of a short route, costs several compiles without one).
CompileCase compile_case(std::string_view input);

// The longest route the harness compiles, in metres. With the 7000 m the model reaches
// beyond the end, its cells cover 8 km, room for every entry and rule of the texts; and
// each of its plan's two tables stays under 128 KiB, the largest block the sanitizer's
// allocator keeps for reuse: a longer plan maps fresh pages at every compile, which
// makes the harness a third slower.
inline constexpr std::int64_t longest_route = 1000;

// The compiles every property starts from: the compile with the case's own flag, traced,
// and for a case with the plan the compile without it, with no listener. The variants
// a property compiles, with the case's flag and no listener, are compared with the
// traced one; the listening property shows that the trail changes nothing.
struct Baseline {
  Compiled traced;
  Compiled untraced_without_plan;  // only for a case with the plan
  const Compiled& without_plan(const CompileCase& c) const {
    return c.plan == 0 ? traced : untraced_without_plan;
  }
};

// The baseline of `c`, or nothing when its route is longer than `longest_route` metres
// (the compile harness keeps to short routes, whose plans are quick to build).
std::optional<Baseline> baseline(const CompileCase& c, std::int64_t longest_route);

// A property is checked on every input, or in turn: one of those on each input (the
// seed chooses), since each costs compiles of its own.
struct Property {
  enum class Schedule { every_input, in_turn };
  const char* name;
  Schedule schedule;
  // False when the input gave it nothing to compare (its condition did not hold).
  bool (*check)(const CompileCase&, const Baseline&);
};

// Every property, in the order they are checked.
std::span<const Property> compile_properties();

// The properties of `c` as the harness checks them: those of every input and the one
// whose turn it is; with `all`, every property.
void check_properties(const CompileCase& c, const Baseline& b, bool all = false);

// How often each property was checked and how often it had something to compare, one
// line each, since the start of the process.
std::string property_counts();

}  // namespace tracciato::fuzz
