#include "compiler/memorizza_dati.h"

#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "route_reader/route_reader.h"
#include "train_reader/train_reader.h"

namespace tracciato {

namespace {

// The failure handler: the texts still there are removed only by a run that deletes
// its sources; a failure to delete one is not allowed to hide the first failure.
void elimina_se_esiste(Platform& platform, const std::string& path) {
  try {
    if (platform.esiste(path)) platform.elimina(path);
  } catch (const RuntimeFailure&) {
  }
}

}  // namespace

void memorizza_dati(Scenario& s, Platform& platform, const SorgentiTesto& sorgenti) {
  try {
    if (leggi_linea(s, platform, sorgenti)) leggi_treno(s, platform, sorgenti);
  } catch (const RuntimeFailure& failure) {
    if (sorgenti.elimina_dopo_lettura) {
      elimina_se_esiste(platform, sorgenti.linea);
      elimina_se_esiste(platform, sorgenti.treno);
    }
    s.registra(25, std::nullopt, failure.what());
  }
}

}  // namespace tracciato
