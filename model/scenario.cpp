#include "model/scenario.h"

#include "model/rounding.h"

namespace tracciato {

void Scenario::record(std::int32_t codice, std::optional<std::int32_t> posizione,
                        std::string_view causa) {
  codice_errore = codice;
  if (posizione) posizione_errore = *posizione;
  if (observer) observer({codice, posizione, causa});
}

bool Scenario::within_cells(std::int64_t p, std::int64_t margine) const {
  if (!celle.allocated())
    throw RuntimeFailure("celle used before the route length has allocated it");
  return p + margine <= 50 * static_cast<std::int64_t>(n_celle);
}

std::int64_t Scenario::cell_of(std::int64_t p) { return round_half_even(p + 50, 50); }

}  // namespace tracciato
