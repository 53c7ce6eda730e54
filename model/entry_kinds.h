#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace tracciato {

// Where in the two texts an entry is recognised.
enum class TextPart { general, body, train };

// One value field of an entry: the name the format gives it and what it is.
struct ValueField {
  std::string_view name;
  std::string_view meaning;
};

// Every entry the readers recognise: its keyword as authors write it, where it stands,
// how a message names one ("signal at 2450 m"), and its value fields in the order the
// reader reads them.
struct EntryKind {
  std::string_view keyword;
  TextPart part;
  std::string_view noun;
  std::span<const ValueField> fields;
  bool positioned;  // the first value is a position in metres
};

// The entries in the readers' test order, route general section, body, then train.
enum class Entry : std::size_t {
  route_length, progressive_three, progressive_two, progressive_one, background_one,
  background_two, background_three, signal_repetition,
  gradient, curve, mountain, speed_boards, signboard,
  braked_mass, cars, speed, adhesion, clock, sand, signal, slowdown, abatement, station,
};

std::span<const EntryKind> entry_kinds();

// Whether the keyword field is one of entry `e`: it holds the entry's words, in any case
// or, for some general entries, in lower case only. The readers recognise their entries
// by this test alone.
bool recognises(Entry e, std::string_view field);
// The same, with the field already lowered (lowercase(field)): a reader that asks of
// one field for every entry lowers it once.
bool recognises(Entry e, std::string_view field, std::string_view lowered);

// The first kind whose keyword the field holds, by the tests of the readers of `part`
// (the first in their test order when it holds more than one); nullptr for none.
const EntryKind* entry_kind_of(std::string_view field, TextPart part);

}  // namespace tracciato
