#pragma once

#include "driver/compilazione.h"

namespace tracciato {

class Platform;

// The names this build carries.
inline constexpr const char* linea_incorporata = "ROVELDA-MARNE";
inline constexpr const char* treno_incorporato = "K 517";

// The whole embedded run in the application directory: waiting window, the five
// texts, the compile with the plan flag 1. Returns how the compile ended; a failure
// while the texts are written is reported as a run-time failure, nothing further runs.
EsitoCompilazione Form_Load(Platform& platform);

}  // namespace tracciato
