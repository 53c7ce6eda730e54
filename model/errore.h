#pragma once

#include <exception>
#include <string>

namespace tracciato {

class Platform;

// What `errore` leaves behind: the run ends here, before any binary file is written.
// The top level catches it and ends the program with status 2.
struct FatalError : std::exception {
  explicit FatalError(std::string n) : number(std::move(n)), message(" Errore n. " + number) {}
  const char* what() const noexcept override { return message.c_str(); }
  std::string number;   // the decimal text passed to errore, e.g. "1250"
  std::string message;  // what the message box shows
};

// Shows " Errore n. " followed by `a` in the platform's message box and ends the run.
[[noreturn]] void errore(Platform& platform, const std::string& a);

}  // namespace tracciato
