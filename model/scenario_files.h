#pragma once

#include <string>
#include <vector>

namespace tracciato {

struct Scenario;
class Platform;

// Where the three binary scenario files go.
struct FileScenario {
  std::string planimetria;  // plan file, written only when con_planimetria is non-zero
  std::string voci;         // entry file
  std::string celle;        // cell file
};

// The exact bytes of each file, little-endian and packed.
std::string codifica_planimetria(const Scenario& s);
std::string codifica_voci(const Scenario& s);
std::string codifica_celle(const Scenario& s);

// Writes plan (if any), entry and cell file in that order; the path of each file
// written is appended to `scritti` as soon as it is complete.
void scrivi_file_scenario(const Scenario& s, Platform& platform, const FileScenario& file,
                          std::vector<std::string>& scritti);

}  // namespace tracciato
