#include "driver/form1.h"

#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "sources/source_writers.h"

namespace tracciato {

EsitoCompilazione Form_Load(Platform& platform,
                            const std::function<void(Scenario&)>& prima_di_compilare) {
  Scenario s;
  s.nome_linea = linea_incorporata;
  s.nome_treno = treno_incorporato;
  platform.mostra_attesa();

  std::string cartella;
  try {
    cartella = platform.cartella_applicazione();
    scrivi_testi(platform, cartella, s);
  } catch (const RuntimeFailure& f) {
    EsitoCompilazione esito;
    esito.tipo = EsitoCompilazione::Tipo::runtime;
    esito.guasto = f.what();
    platform.segnala_guasto(esito.guasto);
    return esito;
  }

  const SorgentiTesto sorgenti{
      platform.unisci(cartella, nome_sorgente_linea(s.nome_linea)),
      platform.unisci(cartella, nome_sorgente_treno(s.nome_linea, s.nome_treno)),
      /*elimina_dopo_lettura=*/true};
  const FileScenario uscite{
      platform.unisci(cartella, nome_file_planimetria(s.nome_linea)),
      platform.unisci(cartella, nome_file_voci(s.nome_linea, s.nome_treno)),
      platform.unisci(cartella, nome_file_celle(s.nome_linea, s.nome_treno))};
  if (prima_di_compilare) prima_di_compilare(s);
  return compila(s, 1, platform, sorgenti, uscite);
}

}  // namespace tracciato
