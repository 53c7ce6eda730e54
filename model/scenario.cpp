#include "model/scenario.h"

#include "model/rounding.h"

namespace tracciato {

void Scenario::record(Code code, std::optional<std::int32_t> position, std::string_view cause,
                      const RuntimeFailure* failure) {
  codice_errore = number_of(code);
  if (position) posizione_errore = *position;
  if (observer) observer({code, position, cause, failure});
}

bool Scenario::within_cells(std::int64_t p, std::int64_t margine) const {
  celle.require();
  return p + margine <= 50 * static_cast<std::int64_t>(n_celle);
}

std::int64_t Scenario::cell_of(std::int64_t p) { return round_half_even(p + 50, 50); }

}  // namespace tracciato
