#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/memorizza_dati.h"
#include "model/scenario_files.h"

namespace tracciato {

struct Scenario;
class Platform;

// The compiler's entry: flag stored as con_planimetria, register reset, voci cleared,
// the two source texts read, the cells post-processed, the reserved slots checked and
// stamped (errore 1250 / 1251 on a conflict), the competition codes stored, the binary
// files written. `scritti` receives the path of each binary file written.
// Throws ErroreFatale (errore) or RuntimeFailure (a failure outside the reader).
void memorizza_percorso(Scenario& s, std::int32_t& j, Platform& platform,
                        const SorgentiTesto& sorgenti, const FileScenario& uscite,
                        std::vector<std::string>& scritti);

}  // namespace tracciato
