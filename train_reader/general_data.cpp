#include "train_reader/general_data.h"

#include "model/diagnostica.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"
#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

// A speed in km/h as stored in a cell: its fifth, rounded; outside a byte it fails.
std::uint8_t speed_cell_value(std::int32_t kmh) {
  return round_to<std::uint8_t>(kmh, 5, "speed limit / 5");
}

void write_speed(Scenario& s, ListCursor& list) {
  std::uint8_t fives;
  try {
    fives = speed_cell_value(list.current);
  } catch (const RuntimeFailure&) {
    blame(s, list.from);  // the line whose speed it is, not the one writing it
    throw;
  }
  s.celle[list.cursor].velocita = fives;
  ++list.cursor;
}

void write_adhesion(Scenario& s, ListCursor& list) {
  s.celle[list.cursor].aderenza = low8(list.current);
  ++list.cursor;
}

}  // namespace

void read_cars(Scenario& s, FieldInput& in) {
  s.voci[entry::run_data].posizione = in.read_long();
}

void read_braked_mass(Scenario& s, FieldInput& in) {
  s.voci[entry::run_data].inizio_area = in.read_long();
}

void read_sand(Scenario& s, FieldInput& in) {
  s.voci[entry::train_header].par1 = in.read_integer();
}

void read_clock(Scenario& s, FieldInput& in) {
  voce& treno = s.voci[entry::train_header];
  treno.par3 = in.read_integer();
  treno.par4 = in.read_integer();
  treno.par5 = in.read_integer();
}

namespace {

// A list line: the cells up to the line's position take the value in force, then the
// line's value comes into force. The first write happens even when the cursor is
// already at the line's cell; the speed list never writes at or beyond the last cell.
LineOutcome read_list_line(Scenario& s, FieldInput& in, ListCursor& list,
                           void (*write)(Scenario&, ListCursor&), bool stops_at_last_cell) {
  const std::int32_t p = in.read_long();
  const std::int32_t v = in.read_long();
  if (!s.within_cells(p, 100)) {
    s.record(Code::beyond_the_model, p);
    return LineOutcome::soft_stop;
  }
  check_route_end(s, p);
  if (s.trail) {
    if (stops_at_last_cell && v % 5 != 0)
      warn_value_cut(s, "speed limit (km/h, kept in fives)", v, 5 * round_half_even(v, 5));
    if (!stops_at_last_cell && (v < 0 || v > 255)) warn_value_cut(s, "adhesion", v, low8(v));
  }
  const std::int64_t n = round_half_even(p, 50);
  if (n > 0) {
    do {
      if (stops_at_last_cell && list.cursor >= s.n_celle) break;
      write(s, list);
    } while (list.cursor < n);
  }
  list.current = v;
  list.from = entry_place(s);
  return LineOutcome::next;
}

}  // namespace

LineOutcome read_speed_line(Scenario& s, FieldInput& in, ListCursor& speed) {
  return read_list_line(s, in, speed, write_speed, /*stops_at_last_cell=*/true);
}

LineOutcome read_adhesion_line(Scenario& s, FieldInput& in, ListCursor& adhesion) {
  return read_list_line(s, in, adhesion, write_adhesion, /*stops_at_last_cell=*/false);
}

void complete_lists(Scenario& s, PositionLists& lists) {
  const std::int64_t limit = static_cast<std::int64_t>(s.n_celle) - 2;
  do {
    write_speed(s, lists.speed);
  } while (lists.speed.cursor < limit);
  do {
    write_adhesion(s, lists.adhesion);
  } while (lists.adhesion.cursor < limit);
}

}  // namespace tracciato
