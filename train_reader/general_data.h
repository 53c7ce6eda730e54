#pragma once

#include <cstdint>

#include "model/diagnostica.h"
#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;
class FieldInput;

// One position list: the next cell to fill and the value in force, in the line's unit.
struct ListCursor {
  std::int64_t cursor = 0;
  std::int32_t current = 0;
  Place from;  // the line that gave `current`, for a failure only its writing shows
};

// The speed-limit and adhesion lists of one reading of the train text.
struct PositionLists {
  ListCursor speed;
  ListCursor adhesion;
};

// The general lines, stored straight into their entries as each field is read.
void read_cars(Scenario& s, FieldInput& in);
void read_braked_mass(Scenario& s, FieldInput& in);
void read_sand(Scenario& s, FieldInput& in);
void read_clock(Scenario& s, FieldInput& in);

// A "velocita" or "aderenza" line: position and value, range-checked, then the cells
// from the cursor up to the line's cell take the value in force before it.
LineOutcome read_speed_line(Scenario& s, FieldInput& in, ListCursor& speed);
LineOutcome read_adhesion_line(Scenario& s, FieldInput& in, ListCursor& adhesion);

// Fills both lists up to three cells before the end of the model, speed first.
void complete_lists(Scenario& s, PositionLists& lists);

}  // namespace tracciato
