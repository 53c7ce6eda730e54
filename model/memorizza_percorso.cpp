#include "model/memorizza_percorso.h"

#include "model/scenario.h"

namespace tracciato {

void memorizza_percorso(Scenario& s, std::int32_t& j, Platform& platform,
                        const SorgentiTesto& sorgenti, const FileScenario& uscite,
                        std::vector<std::string>& scritti) {
  s.con_planimetria = j;
  s.codice_errore = 0;
  memorizza_dati(s, platform, sorgenti);
  (void)uscite;
  (void)scritti;
}

}  // namespace tracciato
