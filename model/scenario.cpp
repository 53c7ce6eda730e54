#include "model/scenario.h"

#include "model/rounding.h"

namespace tracciato {

void Scenario::registra(std::int32_t codice, std::optional<std::int32_t> posizione,
                        std::string_view causa) {
  codice_errore = codice;
  if (posizione) posizione_errore = *posizione;
  if (osservatore) osservatore({codice, posizione, causa});
}

bool Scenario::entro_celle(std::int64_t p, std::int64_t margine) const {
  if (!celle.allocata())
    throw RuntimeFailure("celle used before the route length has allocated it");
  return p + margine <= 50 * static_cast<std::int64_t>(n_celle);
}

std::int64_t Scenario::cella_di(std::int64_t p) { return arrotonda(p + 50, 50); }

}  // namespace tracciato
