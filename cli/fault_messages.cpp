// The message of each register code, one small function per code, in the author's
// terms: the entry, its metres, and what the cells it needs already hold.
#include <algorithm>
#include <array>

#include "cli/fault_context.h"
#include "model/entry_kinds.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"

namespace tracciato::cli {

namespace {

using F = FaultContext;

std::string route_too_long(F& f) {
  return "route length " + metres(f.s.voci[entry::run_data].fine_area) +
         " is above the limit of 1000000 m";
}

// The fault is in the route text: the progressive whose start or end is off.
std::string progressive_off_grid(F& f) {
  for (auto it = f.trail.progressives.rbegin(); it != f.trail.progressives.rend(); ++it) {
    const bool start_off = it->start % 50 != 0;
    if (!start_off && it->end % 50 == 0) continue;
    f.show_at(it->place);
    f.caret = start_off ? 1 : 2;
    return "kilometre progressive: " + std::string(start_off ? "first" : "second") + " value " +
           std::to_string(start_off ? it->start : it->end) + " is not a multiple of 50";
  }
  return "a kilometre progressive value is not a multiple of 50";
}

std::string repetition_off_grid(F& f) {
  const bool first = f.code == Code::repetition_start_off_grid;
  const voce& train = f.s.voci[entry::train_header];
  return std::string(first ? "first" : "second") + " signal-repetition value " +
         std::to_string(first ? train.inizio_area : train.fine_area) + " is not a multiple of 50";
}

std::string repetition_codes_unnamed(F& f) {
  return "signal-repetition keyword " + quoted(f.s.riga) +
         " names neither 4 nor 9 codes: write \"4 codici\" or \"9 codici\"";
}

std::string signboard_cell_busy(F& f) {
  const std::int64_t c = Scenario::cell_of(f.p());
  return "signboard" + f.at_p() + ": " + F::cell(c) + " already holds " + f.holds(c);
}

std::string abatement_cell_busy(F& f) {
  const std::int64_t c = round_half_even(f.p(), 50);  // without the + 1 of signals
  return "abatement" + f.at_p() + ": " + F::cell(c) + " already holds " + f.holds(c);
}

std::string station_off_grid(F& f) {
  return "station position " + metres(f.p()) + " is not a multiple of 50";
}

std::string station_length_off_grid(F& f) {
  return "station" + f.at_p() + ": length " +
         (f.value(3) ? std::to_string(*f.value(3)) : std::string("?")) +
         " is not a multiple of 100";
}

std::string too_many_stations(F& f) {
  // Stations take entries 1, 2, ...; the one whose number reaches the next free
  // signboard entry is refused, so the room is the free entries less one.
  return "too many stations: the station entries have reached the signboard texts, which "
         "take the entries from 80 down to " +
         std::to_string(f.s.signboard_slot + 1) + " (at most " +
         std::to_string(std::max<std::int64_t>(0, f.s.signboard_slot - 2)) +
         " stations with these signboards): leave out a station or a signboard";
}

// The position an author wrote for the entry shown, or else the start of its cell.
std::int64_t written_position(F& f, std::int64_t cell) {
  return f.value(1).value_or((cell - 1) * 50);
}

std::string slowdown_of(F& f, std::int64_t board_cell) {
  const Place o = f.trail.origin_of(board_cell);
  const auto x = o.line != 0 ? f.value_at(o, 1) : std::nullopt;
  return x ? " of the slow-down at " + metres(*x) : std::string();
}

std::string no_room_before_signal(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  return "signal at " + metres(written_position(f, r.cell)) +
         ": no room for the abatement that the warning board at " +
         metres((r.other - 1) * 50) + slowdown_of(f, r.other) + f.origin(r.other) +
         " asks for within 1000 m before it: " + f.range(r.from, r.to) +
         ", neither free nor an abatement; move the signal or the slow-down";
}

std::string no_room_before_slowdown(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  return "slow-down at " + metres(written_position(f, r.cell)) +
         ": no free cell for the abatement " + metres(50 * (r.cell - r.to)) + " to " +
         metres(50 * (r.cell - r.from)) + " before its start: " + f.range(r.from, r.to) +
         "; move the slow-down or what stands there";
}

std::string no_room_in_slowdown(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  if (r.other < 0)
    return "slow-down at " + metres(written_position(f, r.cell)) +
           ": no free cell for its marker" + f.at_p() +
           " (below 110 km/h one every 400 m inside it): " + f.range(r.from, r.to) +
           "; move what stands there";
  return "slow-down ending at " + metres((r.cell - 1) * 50) +
         ": no free cell for the abatement before the signal at " + metres((r.other - 1) * 50) +
         f.origin(r.other) + " after it: " + f.range(r.from, r.to) + "; move the signal";
}

std::string beyond_the_model(F& f) {
  auto has = [&](const char* w) { return contains_any_case(f.s.riga, w); };
  const bool station = has("stazione") && !has("velocit") && !has("aderenza") &&
                       !has("segnale") && !has("rallentamento") && !has("abbattimento");
  const std::int64_t margin = station ? 800 : 100;
  const std::int64_t limit = 50 * std::int64_t{f.s.n_celle} - margin;
  return "position " + metres(f.p()) + " is beyond the model: " +
         (station ? "a station" : "a positioned entry") + " may stand at most at " +
         metres(limit) + ", the route's end (" + metres(f.s.voci[entry::run_data].fine_area) +
         ") and the slack the model adds after it less " + metres(margin) +
         "; the reading of this text stops here and the rest of it is disregarded: "
         "move the entry or lengthen the route";
}

std::string signal_cell_busy(F& f) {
  const std::int64_t c = Scenario::cell_of(f.p());
  return "signal" + f.at_p() + ": " + F::cell(c) + " already holds " + f.holds(c);
}

std::string warning_board_cell_busy(F& f) {
  const std::int64_t c = Scenario::cell_of(f.p() - 1200);
  return "slow-down" + f.at_p() + ": its warning board 1200 m before the start falls in " +
         F::cell(c) + ", which already holds " + f.holds(c);
}

std::string slowdown_start_cell_busy(F& f) {
  const std::int64_t c = Scenario::cell_of(f.p());
  return "slow-down" + f.at_p() + ": its start " + F::cell(c) + " already holds " + f.holds(c);
}

std::string slowdown_end_cell_busy(F& f) {
  const std::int64_t end = f.p() + f.value(3).value_or(0);
  const std::int64_t c = Scenario::cell_of(end);
  return "slow-down" + f.at_p() + ": its end at " + metres(end) + " falls in " + F::cell(c) +
         ", which already holds " + f.holds(c);
}

std::string approach_cells_busy(F& f) {
  const std::int64_t k = round_half_even(f.p() - 1200, 50);
  const std::int64_t last_cell = f.s.celle.allocated() ? f.s.celle.upper() : -1;
  std::string busy;
  for (std::int64_t c = k; c > k - 4; --c)
    if (c >= 0 && c <= last_cell && !is_free(f.s.celle[c]))
      busy += (busy.empty() ? "" : "; ") + F::cell(c) + " holds " + f.holds(c);
  return "slow-down" + f.at_p() + ": the four approach cells " + std::to_string(k - 3) + " to " +
         std::to_string(k) + " before its warning board are not all free: " + busy +
         " (the boards are written all the same)";
}

std::string speed_boards_cell_busy(F& f) {
  const std::int64_t c = Scenario::cell_of(f.p());
  return "speed-indicator boards" + f.at_p() + ": " + F::cell(c) + " already holds " + f.holds(c);
}

std::string stations_too_close(F& f) {
  std::string detail;
  for (std::int64_t i = std::min<std::int64_t>(f.s.signboard_slot, entry::first_signboard); i > 1;
       --i) {
    const voce& v = f.s.voci[i];
    if (v.posizione != f.p() || (f.p() == 0 && v.genere == 0 && v.fine_area == 0)) continue;
    detail = ": its area begins at " + metres(v.inizio_area) + ", the previous station's ends at " +
             metres(f.s.voci[i - 1].fine_area);
    break;
  }
  return "station" + f.at_p() + detail + "; areas must be at least 350 m apart";
}

std::string stop_cell_too_low(F& f) {
  return "station" + (f.value(1) ? " at " + metres(*f.value(1)) : std::string()) +
         ": its stop cell would be cell 1 or lower; move the station on or lengthen it";
}

// What the entry shown is, by the keyword of its line: the route's general section or
// body, or the train text.
const EntryKind* kind_shown(F& f) {
  if (f.fields().empty()) return nullptr;
  const std::string& keyword = f.fields()[0].text;
  if (f.at.text != 0) return entry_kind_of(keyword, TextPart::train);
  if (const EntryKind* k = entry_kind_of(keyword, TextPart::body)) return k;
  return entry_kind_of(keyword, TextPart::general);
}

// "signal at 2450 m", "clock": the entry as a message names it.
std::string entry_named(F& f, const EntryKind& k) {
  const auto p = f.value(1);
  return std::string(k.noun) + (k.positioned && p ? " at " + metres(*p) : std::string());
}

// The reader's own words, without the "FILE:LINE:COLUMN: " it opens with.
std::string reader_words(F& f, const RuntimeFailure& r) {
  const std::string what = r.what();
  const std::string name = file_shown(f.trail, f.at.text, false);  // as the reader names it
  const std::string prefix =
      name + ":" + std::to_string(r.line) + ":" + std::to_string(r.column) + ": ";
  return what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what;
}

// A field of the entry's line failed, or the reading ran out of the line.
std::string field_failure(F& f, const RuntimeFailure& r, const EntryKind* k) {
  const std::size_t values = f.fields().empty() ? 0 : f.fields().size() - 1;
  const bool same_line = r.line == f.at.line;
  if (k && (!same_line || contains(r.what(), "read past the end")) && values < k->fields.size()) {
    const ValueField& missing = k->fields[values];
    f.column = f.line_of(f.at.text, f.at.line).size() + 1;  // where the next value would go
    return entry_named(f, *k) + ": the line has " + std::to_string(values) + " value" +
           (values == 1 ? "" : "s") + " of the " + std::to_string(k->fields.size()) + " " +
           std::string(k->noun) + " takes; the first missing is " + std::string(missing.name) +
           " (" + std::string(missing.meaning) + "): complete the line";
  }
  if (k && same_line) {
    f.column = r.column;
    for (std::size_t i = 1; i < f.fields().size() && i <= k->fields.size(); ++i) {
      if (f.fields()[i].column != r.column) continue;
      const ValueField& field = k->fields[i - 1];
      return entry_named(f, *k) + ": its " + std::string(field.name) + " (" +
             std::string(field.meaning) + "): " + reader_words(f, r);
    }
  }
  if (f.at.line == 0 && contains(r.what(), "read past the end")) {
    return f.at.text == 0 ? "the route text is empty or ends before its first entry"
                          : "the train text ends in the middle of an entry";
  }
  return "run-time failure: " + std::string(f.cause);
}

// The route text gave no route length, so the track cells were never made.
std::string no_route_length(F& f) {
  f.at = {0, 0, 0};
  const std::string& route = f.trail.texts.empty() ? std::string() : f.trail.texts[0].bytes;
  for (const char* train_word : {"stazione", "segnale", "velocita", "rallentamento"}) {
    if (!contains_any_case(route, train_word)) continue;
    return "this looks like a train text: it has \"" + std::string(train_word) +
           "\" lines and no \"lunghezza percorso\"; give the route text first and the train "
           "text second";
  }
  return "no route length: the general section has no \"lunghezza percorso\" entry; give "
         "one, as \"lunghezza percorso, 12000\", after [generale]";
}

// An entry that would reach outside a table of the model.
std::string outside_a_table(F& f, const RuntimeFailure& r, const EntryKind* k) {
  const std::string keyword = k ? std::string(k->keyword) : std::string();
  const std::string named = k ? entry_named(f, *k) : std::string("this entry");
  const std::int64_t model_end = 50 * std::int64_t{f.s.n_celle} + 49;
  if (keyword == "segnale")
    return named + ": its approach markers, 100 to 400 m before it, would fall before the start "
           "of the line; a signal stands at 325 m or later";
  if (keyword == "rallentamento") {
    const std::int64_t end = f.value(1).value_or(0) + f.value(3).value_or(0);
    return named + ": its end at " + metres(end) + " falls outside the track, which runs from " +
           "0 m to " + metres(model_end) + "; give it a length that keeps it on the track";
  }
  if (keyword == "montagna") {
    if (r.table == "montagna_inizio" || r.table == "montagna_fine")
      return named + ": the route may have at most 80 mountain spans; this is span " +
             std::to_string(r.index);
    return "mountain span from " + metres(f.value(1).value_or(0)) + " to " +
           metres(f.value(2).value_or(0)) + ": its end lies beyond the track's end at " +
           metres(model_end) + "; end it sooner";
  }
  if (keyword == "cartello_indicatore")
    return named + ": the entry table holds at most 81 signboard texts; leave one out";
  if (keyword == "stazione")
    return named + ": its area reaches beyond the track's end at " + metres(model_end) +
           "; shorten the station or move it back";
  if (keyword == "pendenza" || keyword == "velocita" || keyword == "aderenza")
    return named + ": the " + std::string(k->noun) +
           " entries do not advance along the route (each such entry still fills one cell), so "
           "the fill ran past the last cell; give the entries rising positions";
  if (keyword == "curva")
    return "curve from " + metres(f.value(1).value_or(0)) + " of " +
           metres(f.value(2).value_or(0)) + ": its end lies beyond the plan's end at " +
           metres(f.s.lunghezza_estesa) + "; end it sooner";
  return named + ": it reaches outside " + r.table + " (index " + std::to_string(r.index) + ")";
}

// A value computed from the entry does not fit the field that keeps it.
std::string too_wide(F& f, const RuntimeFailure& r, const EntryKind* k) {
  const std::string keyword = k ? std::string(k->keyword) : std::string();
  if (keyword == "velocita") {
    f.caret = 2;
    return entry_named(f, *k) + ": the speed " + std::to_string(f.value(2).value_or(0)) +
           " km/h is kept in fives as " + std::to_string(r.index) +
           ", which the cell's byte cannot hold (0 to 255 fives, 0 to 1275 km/h); it fails "
           "only when a later line, or the end of the text, writes it into the cells";
  }
  if (keyword == "indicatori_vmax")
    return entry_named(f, *k) + ": a packed speed, 20 x the side-s speed + the side-d speed / 5, "
           "is " + std::to_string(r.index) + ", which its 16-bit field cannot hold (32767 at most): "
           "keep each pair within it, side s up to 1635 km/h and, with side s at 1635, side d up "
           "to 335";
  return (k ? entry_named(f, *k) + ": " : std::string()) + "a value does not fit its field: " +
         std::string(f.cause);
}

std::string reading_failure(F& f) {
  const EntryKind* k = kind_shown(f);
  if (!f.failure) return "run-time failure: " + std::string(f.cause);
  const RuntimeFailure& r = *f.failure;
  switch (r.kind) {
    case RuntimeFailure::Kind::field: return field_failure(f, r, k);
    case RuntimeFailure::Kind::table_unallocated: return no_route_length(f);
    case RuntimeFailure::Kind::table_index: return outside_a_table(f, r, k);
    case RuntimeFailure::Kind::too_wide: return too_wide(f, r, k);
    case RuntimeFailure::Kind::other: break;
  }
  return "run-time failure: " + std::string(f.cause);
}

std::string route_text_missing(F& f) {
  f.at.line = 0;
  return "route source text not found: " + f.file_of(f.at.text);
}

std::string no_general_header(F&) {
  return "the text ends before a field containing \"[generale]\": the route text must "
         "open its general section with a [generale] line";
}

std::string curve_fault(F& f) {
  const std::string& r = f.s.riga;
  if (!contains(r, "1") && !contains(r, "2") && !contains(r, "3") && !contains(r, "4") &&
      !contains(r, "5") && !contains(r, "6"))
    return "curve keyword " + quoted(r) + " holds no class digit 1 to 6 (for example \"curvad4\")";
  f.caret = f.value(1).value_or(0) > 999999 ? 1 : 2;
  return "the plan passes metre 1000000 while the curve " + quoted(r) +
         " is drawn: curves must end by metre 1000000";
}

// Each code: the value field the caret stands under (0: the keyword) and its message.
struct FaultText {
  Code code;
  std::size_t caret;
  std::string (*message)(F&);
};

constexpr std::array<FaultText, 26> fault_texts{{
    {Code::route_too_long, 1, route_too_long},
    {Code::progressive_off_grid, 1, progressive_off_grid},
    {Code::repetition_start_off_grid, 1, repetition_off_grid},
    {Code::repetition_end_off_grid, 2, repetition_off_grid},
    {Code::repetition_codes_unnamed, 0, repetition_codes_unnamed},
    {Code::signboard_cell_busy, 1, signboard_cell_busy},
    {Code::abatement_cell_busy, 1, abatement_cell_busy},
    {Code::station_off_grid, 1, station_off_grid},
    {Code::station_length_off_grid, 3, station_length_off_grid},
    {Code::too_many_stations, 0, too_many_stations},
    {Code::no_room_before_signal, 1, no_room_before_signal},
    {Code::no_room_before_slowdown, 1, no_room_before_slowdown},
    {Code::no_room_in_slowdown, 1, no_room_in_slowdown},
    {Code::beyond_the_model, 1, beyond_the_model},
    {Code::signal_cell_busy, 1, signal_cell_busy},
    {Code::warning_board_cell_busy, 1, warning_board_cell_busy},
    {Code::slowdown_start_cell_busy, 1, slowdown_start_cell_busy},
    {Code::slowdown_end_cell_busy, 1, slowdown_end_cell_busy},
    {Code::approach_cells_busy, 1, approach_cells_busy},
    {Code::speed_boards_cell_busy, 1, speed_boards_cell_busy},
    {Code::stations_too_close, 1, stations_too_close},
    {Code::stop_cell_too_low, 1, stop_cell_too_low},
    {Code::reading_failure, 0, reading_failure},
    {Code::route_text_missing, 0, route_text_missing},
    {Code::no_general_header, 0, no_general_header},
    {Code::curve_fault, 0, curve_fault},
}};

}  // namespace

std::string stopped_message(FaultContext& f) {
  const EntryKind* k = kind_shown(f);
  if (k && k->keyword == "rallentamento") {
    f.caret = 3;
    const std::int64_t x = f.value(1).value_or(0), l = f.value(3).value_or(0);
    const std::int64_t start = Scenario::cell_of(x), end = Scenario::cell_of(x + l);
    std::string why;
    if (end < start)
      why = "its end at " + metres(x + l) + " lies before its start";
    else if (end == start)
      why = "it is shorter than its 50 m cell, so its start board takes the place of its end "
            "board";
    else
      why = "its end board in " + F::cell(end) + " is gone: that cell now holds " + f.holds(end);
    return entry_named(f, *k) + ": no end board follows its start (" + why +
           "), so the search for its end ran past the last cell; give it a length of 50 m or "
           "more, on a cell of its own";
  }
  return "run-time failure: " + std::string(f.cause);
}

std::string fault_message(FaultContext& f) {
  const auto it = std::find_if(fault_texts.begin(), fault_texts.end(),
                               [&](const FaultText& t) { return t.code == f.code; });
  if (it == fault_texts.end()) return "fault " + std::to_string(number_of(f.code));
  f.caret = it->caret;
  std::string message = it->message(f);
  if (message.empty()) message = "no room for an abatement" + f.at_p();
  return message;
}

}  // namespace tracciato::cli
