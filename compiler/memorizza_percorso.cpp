#include "compiler/memorizza_percorso.h"

#include "model/competition_codes.h"
#include <string>

#include "model/errore.h"
#include "model/register_codes.h"
#include "model/post_elaborazione.h"
#include "model/scenario.h"

namespace tracciato {

namespace {

constexpr std::int16_t marca_voce = 610;
constexpr std::int16_t marca_cella = 5121;

}  // namespace

void stamp_reserved_slots(Scenario& s, Platform& platform) {
  voce& intestazione = s.voci[entry::route_header];
  // Both slots are looked at before either test decides, so a missing cell table fails
  // here whatever the entry holds.
  const bool marca_usata_voce = intestazione.par1 != 0;
  const bool marca_usata_cella = s.celle[1].valore1 != 0;
  if (marca_usata_voce || marca_usata_cella)
    errore(platform, std::to_string(number_of(ErroreNumber::marks_taken)));
  intestazione.par1 = marca_voce;
  s.celle[1].valore1 = marca_cella;

  const bool codice_usato_voce = intestazione.orario != 0;
  const bool codice_usato_cella = s.celle[1].valore2 != 0;
  if (codice_usato_voce || codice_usato_cella)
    errore(platform, std::to_string(number_of(ErroreNumber::codes_taken)));
  intestazione.orario = codice_gara_st(s);
  s.celle[1].valore2 = codice_gara_og(s);
}

void memorizza_percorso(Scenario& s, std::int32_t& j, Platform& platform,
                        const SourceTexts& sources, const ScenarioFiles& outputs,
                        std::vector<std::string>& scritti) {
  s.con_planimetria = j;
  s.codice_errore = 0;
  for (std::int64_t i = 0; i <= entry::train_header; ++i) s.voci[i] = voce{};
  memorizza_dati(s, platform, sources);
  post_process(s);
  stamp_reserved_slots(s, platform);
  write_scenario_files(s, platform, outputs, scritti);
}

}  // namespace tracciato
