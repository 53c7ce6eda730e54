#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tracciato::robustezza {

struct Esecuzione {
  int stato = -1;      // exit status; 128 + signal when killed by one
  std::string errori;  // all of standard error
  long memoria_kb = 0;  // peak resident memory of the child
};

// Exit status of a child whose preparation could not be done here (a mount refused).
inline constexpr int preparazione_impossibile = 97;

// Runs the executable with `argomenti` in a child process. `prepara` runs in the child
// just before the program starts (limits, mounts); when it returns false the child ends
// with preparazione_impossibile.
Esecuzione esegui(const std::string& programma, const std::vector<std::string>& argomenti,
                  const std::function<bool()>& prepara = {});

// The whole file, or "<missing>".
std::string contenuto(const std::string& path);
void scrivi_file(const std::string& path, const std::string& bytes);

// A fresh empty directory under the system's temporary directory; removed by the
// destructor.
class CartellaProvvisoria {
 public:
  CartellaProvvisoria();
  ~CartellaProvvisoria();
  CartellaProvvisoria(const CartellaProvvisoria&) = delete;
  CartellaProvvisoria& operator=(const CartellaProvvisoria&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace tracciato::robustezza
