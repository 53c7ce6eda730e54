#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

struct Scenario;
class FieldInput;

// Where an entry of a source text stands: the text (an index into
// `ReadingTrail::texts`, -1 for none), the 1-based line and column of its keyword field
// (0: no line, as for a text that is missing).
struct Place {
  int text = -1;
  std::size_t line = 0;
  std::size_t column = 0;
};

// What a post-processing rule looked at when it found no room: the cell it serves
// (the signal for 11, the slow-down start or end for 12 and 13), the other cell of the
// rule (the warning board for 11, the signal after the end for 13; -1 when none) and
// the candidate cells from `from` to `to`, none of them free.
struct NoRoom {
  std::int64_t cell = 0;
  std::int64_t other = -1;
  std::int64_t from = 0;
  std::int64_t to = 0;
};

// What the compile silently disregards but an author almost surely got wrong.
enum class WarningKind {
  unknown_keyword,        // a keyword field of the body or the train text that matches no entry
  general_in_body,        // a general entry in the body
  body_in_general,        // a body entry in the general section
  lower_case_needed,      // a general keyword with a capital, so not recognised
  gradient_out_of_order,  // start cell at or behind the gradient cursor
  curve_out_of_order,     // start below the plan cursor
  surplus_value,          // a field after the entry's last value on the same line
  value_cut,              // a value its field cannot hold, stored as something else
  curve_side_unknown,     // a curve keyword with neither "s" nor "d": it curves right
  span_not_after_start,   // a mountain span whose end is not after its start
  length_not_positive,    // a route, slow-down or station length of 0 or less
  beyond_route_end,       // an entry past the route's end, in the model's slack
  no_station,             // a train text without a station
  no_general_header,      // a train text without "[generale]": none of it is read
  unknown_header,         // a field in brackets that is no section header
  after_end_header,       // an entry after "[fine]", read all the same
  warning_board_left_out, // a slow-down at 1500 m or less: no warning board
  looks_like_utf8,        // bytes that read as UTF-8, not as Windows-1252
  stop_over_event,        // a station's stop cell written over an earlier event
};

// Where a keyword field is looked at: what a field that matches no entry there means.
enum class Scope { general, body, train };

// The section headers of the route text (`route`) or of the train text, in lower case.
std::span<const std::string_view> section_headers(bool route);

struct Warning {
  WarningKind kind;
  Scope scope;
  Place place;
  std::string field{};      // the field the warning is about, as read
  std::int64_t start = 0;   // gradient or curve: its start metre; else its position
  std::int64_t cursor = 0;  // gradient: the cell it takes effect from; curve: the plan cursor
  std::string what{};       // value_cut: the value's name; length_not_positive: whose length
  std::int64_t value = 0;   // the value as written (value_cut, lengths, the route's end...)
  std::int64_t stored = 0;  // what the files hold instead (value_cut), the route length
  Place earlier{};          // the entry this one collides with or follows, when known
  std::int64_t earlier_at = 0;  // that entry's position (m)
};

// What the readers and the post-processing tell an observer about the source texts
// while they fill the model. Attached to a Scenario only when someone listens: every
// hook below does nothing when the Scenario has none.
struct ReadingTrail {
  struct Text {
    std::string name;   // the path the reader was given
    std::string bytes;  // the whole text, for quoting its lines
  };
  std::vector<Text> texts;
  Place entry;                 // the entry being read (or the text opened last)
  std::vector<Place> origin;   // per cell: the entry that placed its event
  // The entry that placed cell c's event; no place (line 0) for none or a cell outside.
  Place origin_of(std::int64_t c) const {
    return c >= 0 && static_cast<std::uint64_t>(c) < origin.size() ? origin[static_cast<std::size_t>(c)]
                                                                   : Place{};
  }
  std::optional<NoRoom> rule;  // set just before 11, 12 or 13 is recorded
  struct Progressive {
    Place place;
    std::int32_t start = 0, end = 0, position = 0;
  };
  std::vector<Progressive> progressives;  // every progressive entry read, in order
  // Stop cells a station wrote over an earlier event (a station does not test its stop
  // cell), in the order written.
  std::vector<std::int64_t> stops_over_events;
  std::function<void(const Warning&)> on_warning;
  // Told of each entry looked at once it is read, the reader standing before the next
  // keyword field: its scope, and the byte offsets in its text where its keyword field
  // ended and where its last field ended. An entry that ends the reading (a fault, the
  // soft stop) is not told.
  std::function<void(Scope, std::size_t keyword_end, std::size_t end)> on_entry;
  std::size_t keyword_end = 0;  // of the entry being read

  // The line that ends the values of the entry before; a non-empty field on it is a
  // surplus value.
  Place values_end;
  // The last line warned about: one warning of a field kind per line.
  Place warned;

  // A run-time failure about to surface belongs to this entry rather than to the one
  // being read (a list's value fails only when a later line writes it), or, outside
  // the reader, to the entry that placed a cell's event.
  std::optional<Place> blamed;

  // The last gradient and curve read, for the warnings about their order.
  Place last_gradient;
  std::int64_t last_gradient_at = 0;
  Place last_curve;
  std::int64_t last_curve_end = 0;
  // "[fine]" met in the text being read; an entry after it is warned about once.
  bool past_end = false;
  bool warned_past_end = false;
};

// A reader is about to open the text at `nome`; `byte` follows once it is read.
void open_text(Scenario& s, const std::string& nome);
void text_read(Scenario& s, const std::string& bytes);

// The keyword field just read into `riga` is looked at: it may begin an entry.
// Warns when it stands on the line of the last value of the entry before.
void mark_entry(Scenario& s, const FieldInput& in);
// The entry begun at the last mark_entry is done. When it read no value field the
// keyword matched nothing in `ambito`, and a likely mistake is warned about.
void end_entry(Scenario& s, const FieldInput& in, Scope ambito);
// The progressive entry just read into `voci(entry)`.
void mark_progressive(Scenario& s, int entry);

// The event of cell `indice` was placed by the entry being read.
void mark_cell(Scenario& s, std::int64_t indice);
// A station is about to write its stop cell `indice`; noted when it holds an event.
void mark_stop_cell(Scenario& s, std::int64_t indice);
// A rule of the post-processing found no room; the fault recorded next belongs to the
// entry that placed the event of `r.cell`.
void mark_rule(Scenario& s, const NoRoom& r);

// A gradient at `posizione` about to be applied with the cursor at cell `cursore`.
void check_gradient_order(Scenario& s, std::int64_t posizione, std::int64_t cursore);
// A curve from metre `inizio` of `lunghezza` m about to be applied with the plan cursor
// at `cursore`.
void check_curve_order(Scenario& s, std::int64_t inizio, std::int64_t lunghezza,
                       std::int64_t cursore);

// Where the entry being read stands (nothing without a listener), and that a failure
// about to surface belongs to `place`, or to the entry that placed the event of `cell`.
Place entry_place(const Scenario& s);
void blame(Scenario& s, const Place& place);
void blame_cell(Scenario& s, std::int64_t cell);

// Warnings of the readers, each about the entry being read: a value `value` of `what`
// that its field keeps as `stored`; a curve keyword without its side letter; a mountain
// span from `inizio` to `fine`; the length `value` of `what` (0 or less); a position
// past the route's end; a slow-down too near the origin for its warning board.
void warn_value_cut(Scenario& s, const char* what, std::int64_t value, std::int64_t stored);
void check_curve_side(Scenario& s);
void check_span(Scenario& s, std::int64_t inizio, std::int64_t fine);
void check_length(Scenario& s, const char* what, std::int64_t value);
void check_route_end(Scenario& s, std::int64_t posizione);
void warn_warning_board_left_out(Scenario& s, std::int64_t x);
// The train text was read to its end with no station, or found no "[generale]".
void warn_train_text(Scenario& s, WarningKind kind);

}  // namespace tracciato
