#include "compiler/compilazione.h"

#include "model/errore.h"
#include "compiler/memorizza_percorso.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

int EsitoCompilazione::stato() const { return static_cast<int>(tipo); }

const char* EsitoCompilazione::nome() const {
  switch (tipo) {
    case Tipo::ok: return "ok";
    case Tipo::faults: return "faults";
    case Tipo::errore: return "errore";
    case Tipo::runtime: return "runtime";
  }
  return "runtime";
}

EsitoCompilazione compila(Scenario& s, std::int32_t con_planimetria, Platform& platform,
                          const SorgentiTesto& sorgenti, const FileScenario& uscite) {
  EsitoCompilazione esito;
  std::int32_t j = con_planimetria;
  try {
    memorizza_percorso(s, j, platform, sorgenti, uscite, esito.file);
    esito.tipo = s.codice_errore == 0 ? EsitoCompilazione::Tipo::ok
                                      : EsitoCompilazione::Tipo::faults;
  } catch (const ErroreFatale& e) {
    esito.tipo = EsitoCompilazione::Tipo::errore;
    esito.errore = e.numero;
  } catch (const RuntimeFailure& f) {
    esito.tipo = EsitoCompilazione::Tipo::runtime;
    esito.guasto = f.what();
    platform.segnala_guasto(esito.guasto);
  }
  esito.codice_errore = s.codice_errore;
  esito.posizione_errore = s.posizione_errore;
  return esito;
}

}  // namespace tracciato
