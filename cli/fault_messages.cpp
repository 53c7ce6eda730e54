// The message of each register code, one small function per code, in the author's
// terms: the entry, its metres, and what the cells it needs already hold.
#include <algorithm>
#include <array>
#include <charconv>

#include "cli/fault_context.h"
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
  return "too many stations: the station entries have reached the signboard texts, which "
         "take the entries from 80 down to " +
         std::to_string(f.s.signboard_slot + 1) + " (at most " +
         std::to_string(std::max<std::int64_t>(0, f.s.signboard_slot - 1)) +
         " stations with these signboards)";
}

std::string no_room_before_signal(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  return "signal in " + F::cell(r.cell) + " (position " + metres(f.p()) + ")" +
         ": no room for the abatement that the slow-down warning board in " + F::cell(r.other) +
         f.origin(r.other) + " asks for within 1000 m before it: " + f.range(r.from, r.to) +
         ", neither free nor an abatement";
}

std::string no_room_before_slowdown(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  return "slow-down starting in " + F::cell(r.cell) + ": no free cell for the abatement " +
         std::to_string(r.cell - r.to) + " to " + std::to_string(r.cell - r.from) +
         " cells before its start: " + f.range(r.from, r.to);
}

std::string no_room_in_slowdown(F& f) {
  if (!f.rule) return {};
  const NoRoom& r = *f.rule;
  if (r.other < 0)
    return "slow-down starting in " + F::cell(r.cell) + ": no free cell for the marker" +
           f.at_p() + " inside it: " + f.range(r.from, r.to);
  return "slow-down ending in " + F::cell(r.cell) +
         ": no free cell for the abatement before the signal in " + F::cell(r.other) +
         f.origin(r.other) + ": " + f.range(r.from, r.to);
}

std::string beyond_the_model(F& f) {
  auto has = [&](const char* w) { return contains_any_case(f.s.riga, w); };
  const bool station = has("stazione") && !has("velocit") && !has("aderenza") &&
                       !has("segnale") && !has("rallentamento") && !has("abbattimento");
  const std::int64_t margin = station ? 800 : 100;
  const std::int64_t limit = 50 * std::int64_t{f.s.n_celle} - margin;
  return "position " + metres(f.p()) + " is beyond the model: " +
         (station ? "a station" : "a positioned entry") +
         " may stand at most at 50 x n_celle - " + std::to_string(margin) + " = " +
         metres(limit) + " (route length " + metres(f.s.voci[entry::run_data].fine_area) +
         "); the reading of this text stops here and the rest of it is disregarded: "
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

// The failure names its own place, FILE:LINE:COLUMN:, when the field reader failed.
std::string reading_failure(F& f) {
  const std::string what(f.cause);
  const std::string name = f.at.text >= 0
                               ? f.trail.texts[static_cast<std::size_t>(f.at.text)].name
                               : std::string();
  if (!name.empty() && what.compare(0, name.size() + 1, name + ":") == 0) {
    std::size_t line = 0, column = 0;
    const char* b = what.data() + name.size() + 1;
    const char* e = what.data() + what.size();
    auto [l_end, l_ec] = std::from_chars(b, e, line);
    if (l_ec == std::errc{} && l_end < e && *l_end == ':') {
      auto [c_end, c_ec] = std::from_chars(l_end + 1, e, column);
      if (c_ec == std::errc{} && c_end < e && *c_end == ':' && line == f.at.line) f.column = column;
      if (f.at.line == 0) f.at.line = line;
    }
  }
  return "run-time failure: " + what;
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
