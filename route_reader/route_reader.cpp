#include "route_reader/route_reader.h"

namespace tracciato {
bool leggi_linea(Scenario&, Platform&, const SorgentiTesto&) { return false; }
}  // namespace tracciato
