#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tracciato {

// The codes of the error register. Each names the rule that a reader or the
// post-processing found broken; the register keeps the last one recorded, with a
// position in metres for the codes that have one. Codes 14 and 23 are not used.
enum class Code : std::int32_t {
  none = 0,
  route_too_long = 1,              // route length above 1000000 m
  progressive_off_grid = 2,        // a kilometre progressive value not a multiple of 50
  repetition_start_off_grid = 3,   // first signal-repetition value not a multiple of 50
  repetition_end_off_grid = 4,     // second signal-repetition value not a multiple of 50
  repetition_codes_unnamed = 5,    // signal-repetition keyword names neither 4 nor 9 codes
  signboard_cell_busy = 6,         // signboard on a busy cell
  abatement_cell_busy = 7,         // abatement on a busy cell
  station_off_grid = 8,            // station position not a multiple of 50
  station_length_off_grid = 9,     // station length not a multiple of 100
  too_many_stations = 10,          // the stations reach the signboard texts of the entry table
  no_room_before_signal = 11,      // a signal before a warning board without room for an abatement
  no_room_before_slowdown = 12,    // no room for an abatement before a slow-down start
  no_room_in_slowdown = 13,        // no room for a marker inside a slow-down or after it
  beyond_the_model = 15,           // a positioned entry beyond the end of the cells
  signal_cell_busy = 16,           // signal on a busy cell
  warning_board_cell_busy = 17,    // slow-down warning board on a busy cell
  slowdown_start_cell_busy = 18,   // slow-down start on a busy cell
  slowdown_end_cell_busy = 19,     // slow-down end on a busy cell
  approach_cells_busy = 20,        // one of the four cells before a warning board busy
  speed_boards_cell_busy = 21,     // speed-indicator boards on a busy cell
  stations_too_close = 22,         // a station area less than 350 m after the one before
  stop_cell_too_low = 24,          // a station's stop cell at cell 1 or lower
  reading_failure = 25,            // any other failure while the texts are read
  route_text_missing = 101,        // no route source text
  no_general_header = 102,         // the route text ends before "[generale]"
  curve_fault = 103,               // curve without class digit, or the plan past metre 1000000
};

// The numbers `errore` shows when a reserved slot of the finished model is taken.
enum class ErroreNumber : std::int32_t {
  marks_taken = 1250,  // entry 85's par1 or cell 1's valore1 already set
  codes_taken = 1251,  // entry 85's orario or cell 1's valore2 already set
};

inline constexpr std::int32_t number_of(Code c) { return static_cast<std::int32_t>(c); }
inline constexpr std::int32_t number_of(ErroreNumber n) { return static_cast<std::int32_t>(n); }

// Every register code with its one-line meaning, in the order of the numbers.
struct CodeMeaning {
  Code code;
  std::string_view meaning;
};
std::span<const CodeMeaning> register_codes();

// The meaning of `code`; empty for a number that is no code.
std::string_view meaning_of(Code code);

// The code of a register number, or nothing.
std::optional<Code> code_numbered(std::int64_t number);

}  // namespace tracciato
