#pragma once

#include <cstdint>

namespace tracciato {

struct Scenario;

// The two check values that tie the scenario files to the train and route names of
// entries 86 and 85 (`riga` takes the work text).
std::int32_t codice_gara_st(Scenario& s);
std::int16_t codice_gara_og(Scenario& s);

}  // namespace tracciato
