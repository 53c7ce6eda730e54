#include "model/register_codes.h"

#include <algorithm>
#include <array>

namespace tracciato {

namespace {

constexpr std::array<CodeMeaning, 27> codes{{
    {Code::route_too_long, "route length above 1000000 m"},
    {Code::progressive_off_grid, "a kilometre progressive value not a multiple of 50"},
    {Code::repetition_start_off_grid, "first signal-repetition value not a multiple of 50"},
    {Code::repetition_end_off_grid, "second signal-repetition value not a multiple of 50"},
    {Code::repetition_codes_unnamed, "signal-repetition keyword names neither 4 nor 9 codes"},
    {Code::signboard_cell_busy, "signboard on a cell already taken"},
    {Code::abatement_cell_busy, "abatement on a cell already taken"},
    {Code::station_off_grid, "station position not a multiple of 50"},
    {Code::station_length_off_grid, "station length not a multiple of 100"},
    {Code::too_many_stations, "too many stations: they reach the signboard texts of the entry table"},
    {Code::no_room_before_signal,
     "signal within 1000 m before a slow-down warning board without room for an abatement"},
    {Code::no_room_before_slowdown, "no room for an abatement before a slow-down start"},
    {Code::no_room_in_slowdown,
     "no room for a marker inside a slow-down, or for the abatement before the signal after it"},
    {Code::beyond_the_model, "a positioned entry beyond the end of the track cells"},
    {Code::signal_cell_busy, "signal on a cell already taken"},
    {Code::warning_board_cell_busy, "slow-down warning board on a cell already taken"},
    {Code::slowdown_start_cell_busy, "slow-down start on a cell already taken"},
    {Code::slowdown_end_cell_busy, "slow-down end on a cell already taken"},
    {Code::approach_cells_busy, "one of the four cells before a slow-down warning board taken"},
    {Code::speed_boards_cell_busy, "speed-indicator boards on a cell already taken"},
    {Code::stations_too_close,
     "station area beginning less than 350 m after the previous station's area ends"},
    {Code::stop_cell_too_low, "a station's stop cell would be cell 1 or lower"},
    {Code::reading_failure, "any other failure while the source texts are read"},
    {Code::route_text_missing, "route source text missing"},
    {Code::no_general_header, "the route text ends before a field containing \"[generale]\""},
    {Code::curve_fault, "curve keyword without a class digit, or the plan passes metre 1000000"},
    {Code::none, "no fault"},
}};

}  // namespace

std::span<const CodeMeaning> register_codes() { return std::span(codes).first(codes.size() - 1); }

std::string_view meaning_of(Code code) {
  const auto it = std::find_if(codes.begin(), codes.end(),
                               [code](const CodeMeaning& m) { return m.code == code; });
  return it == codes.end() ? std::string_view() : it->meaning;
}

std::optional<Code> code_numbered(std::int64_t number) {
  for (const CodeMeaning& m : codes)
    if (number_of(m.code) == number) return m.code;
  return std::nullopt;
}

}  // namespace tracciato
