#pragma once

#include <functional>

#include "compiler/compilazione.h"

namespace tracciato {

class Platform;
struct Scenario;

// The names this build carries.
inline constexpr const char* embedded_route = "ROVELDA-MARNE";
inline constexpr const char* embedded_train = "K 517";

// The whole embedded run in the application directory: waiting window, the five
// texts, the compile with the plan flag 1. Returns how the compile ended; a failure
// while the texts are written is reported as a run-time failure, nothing further runs.
// `before_compile` sees the model just before the compile (to attach a listener).
CompileOutcome Form_Load(Platform& platform,
                            const std::function<void(Scenario&)>& before_compile = {});

}  // namespace tracciato
