#include "sources/source_writers.h"

#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "sources/embedded_tables.h"

namespace tracciato {

void dati_linea(Platform& platform, const std::string& cartella, const Scenario& s) {
  scrivi_tabella(platform, platform.unisci(cartella, nome_sorgente_linea(s.nome_linea)),
                 tabella_linea());
}

void dati_treno(Platform& platform, const std::string& cartella, const Scenario& s) {
  scrivi_tabella(platform,
                 platform.unisci(cartella, nome_sorgente_treno(s.nome_linea, s.nome_treno)),
                 tabella_treno());
}

void dati_note(Platform& platform, const std::string& cartella, const Scenario& s) {
  scrivi_tabella(platform,
                 platform.unisci(cartella, nome_documento(s.nome_linea, s.nome_treno, "note.txt")),
                 tabella_note());
}

void dati_rallentamenti(Platform& platform, const std::string& cartella, const Scenario& s) {
  scrivi_tabella(
      platform,
      platform.unisci(cartella, nome_documento(s.nome_linea, s.nome_treno, "rallentamenti.txt")),
      tabella_rallentamenti());
}

void dati_scheda(Platform& platform, const std::string& cartella, const Scenario& s) {
  scrivi_tabella(
      platform,
      platform.unisci(cartella, nome_documento(s.nome_linea, s.nome_treno, "scheda_treno.txt")),
      tabella_scheda());
}

void scrivi_testi(Platform& platform, const std::string& cartella, const Scenario& s) {
  dati_linea(platform, cartella, s);
  dati_treno(platform, cartella, s);
  dati_note(platform, cartella, s);
  dati_rallentamenti(platform, cartella, s);
  dati_scheda(platform, cartella, s);
}

}  // namespace tracciato
