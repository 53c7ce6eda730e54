#pragma once

namespace tracciato {

// How the program ends, for scripts that run it.
enum class ExitStatus : int {
  ok = 0,        // done; a compile with the error register at 0
  faults = 1,    // compiled, but the error register holds a fault
  errore = 2,    // a reserved slot was taken: errore, and no binary file written
  runtime = 3,   // a run-time failure stopped the run, or a file could not be read
  usage = 64,    // bad arguments
};

inline int code_of(ExitStatus status) { return static_cast<int>(status); }

}  // namespace tracciato
