#pragma once

#include <string>

namespace tracciato {

class Platform;

// What `errore` leaves behind: the run ends here, before any binary file is written.
// The top level catches it and ends the program with status 2.
struct ErroreFatale {
  std::string numero;  // the decimal text passed to errore, e.g. "1250"
};

// Shows " Errore n. " followed by `a` in the platform's message box and ends the run.
[[noreturn]] void errore(Platform& platform, const std::string& a);

}  // namespace tracciato
