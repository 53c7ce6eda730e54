#pragma once

#include <string>
#include <vector>

#include "compiler/compilazione.h"

namespace tracciato::cli {

class Diagnostics;

// The JSON report of one compile: outcome, the register, the number passed to errore
// (only for that outcome) and the names of the binary files written, in writing order;
// with `diagnostics`, also the faults and warnings they collected.
std::string compile_report(const CompileOutcome& esito, const std::vector<std::string>& files,
                           const Diagnostics* diagnostics = nullptr);

}  // namespace tracciato::cli
