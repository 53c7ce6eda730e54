#include "model/scenario_files.h"

namespace tracciato {

std::string codifica_planimetria(const Scenario&) { return {}; }
std::string codifica_voci(const Scenario&) { return {}; }
std::string codifica_celle(const Scenario&) { return {}; }
void scrivi_file_scenario(const Scenario&, Platform&, const FileScenario&,
                          std::vector<std::string>&) {}

}  // namespace tracciato
