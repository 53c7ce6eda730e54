#pragma once

#include <functional>

#include "compiler/compilazione.h"

namespace tracciato {

class Platform;
struct Scenario;

// The names this build carries.
inline constexpr const char* linea_incorporata = "ROVELDA-MARNE";
inline constexpr const char* treno_incorporato = "K 517";

// The whole embedded run in the application directory: waiting window, the five
// texts, the compile with the plan flag 1. Returns how the compile ended; a failure
// while the texts are written is reported as a run-time failure, nothing further runs.
// `prima_di_compilare` sees the model just before the compile (to attach a listener).
EsitoCompilazione Form_Load(Platform& platform,
                            const std::function<void(Scenario&)>& prima_di_compilare = {});

}  // namespace tracciato
