#include "model/competition_codes.h"

namespace tracciato {

std::int32_t codice_gara_st(Scenario&) { return 0; }
std::int16_t codice_gara_og(Scenario&) { return 0; }

}  // namespace tracciato
