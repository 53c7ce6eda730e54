#include "train_reader/general_data.h"

#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"

namespace tracciato {

namespace {

// A speed in km/h as stored in a cell: its fifth, rounded; outside a byte it fails.
std::uint8_t speed_cell_value(std::int32_t kmh) {
  return arrotonda_a<std::uint8_t>(kmh, 5, "speed limit / 5");
}

void write_speed(Scenario& s, ListCursor& list) {
  s.celle[list.cursor].velocita = speed_cell_value(list.current);
  ++list.cursor;
}

void write_adhesion(Scenario& s, ListCursor& list) {
  s.celle[list.cursor].aderenza = basso8(list.current);
  ++list.cursor;
}

}  // namespace

void read_cars(Scenario& s, FieldInput& in) {
  s.voci[voce_n::dati_corsa].posizione = in.read_long();
}

void read_braked_mass(Scenario& s, FieldInput& in) {
  s.voci[voce_n::dati_corsa].inizio_area = in.read_long();
}

void read_sand(Scenario& s, FieldInput& in) {
  s.voci[voce_n::intestazione_treno].par1 = in.read_integer();
}

void read_clock(Scenario& s, FieldInput& in) {
  voce& treno = s.voci[voce_n::intestazione_treno];
  treno.par3 = in.read_integer();
  treno.par4 = in.read_integer();
  treno.par5 = in.read_integer();
}

LineOutcome read_speed_line(Scenario& s, FieldInput& in, ListCursor& speed) {
  const std::int32_t p = in.read_long();
  const std::int32_t v = in.read_long();
  if (!s.entro_celle(p, 100)) {
    s.registra(15, p);
    return LineOutcome::soft_stop;
  }
  const std::int64_t n = arrotonda(p, 50);
  if (n > 0) {
    // The first write happens even when the cursor is already at n; the speed list
    // never writes at or beyond the last cell index.
    do {
      if (speed.cursor >= s.n_celle) break;
      write_speed(s, speed);
    } while (speed.cursor < n);
  }
  speed.current = v;
  return LineOutcome::next;
}

LineOutcome read_adhesion_line(Scenario& s, FieldInput& in, ListCursor& adhesion) {
  const std::int32_t p = in.read_long();
  const std::int32_t v = in.read_long();
  if (!s.entro_celle(p, 100)) {
    s.registra(15, p);
    return LineOutcome::soft_stop;
  }
  const std::int64_t n = arrotonda(p, 50);
  if (n > 0) {
    do {
      write_adhesion(s, adhesion);
    } while (adhesion.cursor < n);
  }
  adhesion.current = v;
  return LineOutcome::next;
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
