#pragma once

#include <cstdint>

#include "model/line_outcome.h"

namespace tracciato {

struct Scenario;
class FieldInput;

// A "stazione" line for station `numero` (1 for the first line): its fields go into
// voci(numero) one by one as they are read, so a fault part way leaves the fields
// before it stored. Then the station area, the approach markers and the stop cell
// (written whatever the cells hold), the spacing from the previous station, and the
// capacity against the signboard entries. `numero` counts up once the station is
// stored.
LineOutcome read_station(Scenario& s, FieldInput& in, std::int32_t& numero);

}  // namespace tracciato
