#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/memorizza_dati.h"
#include "model/scenario_files.h"

namespace tracciato {

struct Scenario;
class Platform;

// The compiler's entry: flag stored as con_planimetria, register reset, voci cleared,
// the two source texts read, the cells post-processed, the reserved slots checked and
// stamped (errore 1250 / 1251 on a conflict), the competition codes stored, the binary
// files written. `scritti` receives the path of each binary file written.
// Throws FatalError (errore) or RuntimeFailure (a failure outside the reader).
void memorizza_percorso(Scenario& s, std::int32_t& j, Platform& platform,
                        const SourceTexts& sources, const ScenarioFiles& outputs,
                        std::vector<std::string>& scritti);

// The marks 610 (entry 85's par1) and 5121 (cell 1's valore1), then the competition
// codes (entry 85's orario, cell 1's valore2). A slot that is already in use ends the
// run through errore ("1250" for a mark, "1251" for a code); without cells the check
// is a run-time failure.
void stamp_reserved_slots(Scenario& s, Platform& platform);

}  // namespace tracciato
