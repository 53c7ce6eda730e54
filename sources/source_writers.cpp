#include "sources/source_writers.h"

#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "sources/embedded_tables.h"

namespace tracciato {

void dati_linea(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(platform, platform.join(cartella, route_source_name(s.nome_linea)),
                 route_table());
}

void dati_treno(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(platform,
                 platform.join(cartella, train_source_name(s.nome_linea, s.nome_treno)),
                 train_table());
}

void dati_note(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(platform,
                 platform.join(cartella, document_name(s.nome_linea, s.nome_treno, "note.txt")),
                 notes_table());
}

void dati_rallentamenti(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(
      platform,
      platform.join(cartella, document_name(s.nome_linea, s.nome_treno, "rallentamenti.txt")),
      slowdown_order_table());
}

void dati_scheda(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(
      platform,
      platform.join(cartella, document_name(s.nome_linea, s.nome_treno, "scheda_treno.txt")),
      train_sheet_table());
}

std::vector<std::string> text_names(const Scenario& s) {
  return {route_source_name(s.nome_linea), train_source_name(s.nome_linea, s.nome_treno),
          document_name(s.nome_linea, s.nome_treno, "note.txt"),
          document_name(s.nome_linea, s.nome_treno, "rallentamenti.txt"),
          document_name(s.nome_linea, s.nome_treno, "scheda_treno.txt")};
}

void write_starter(Platform& platform, const std::string& cartella, const Scenario& s) {
  write_table(platform, platform.join(cartella, route_source_name(s.nome_linea)),
              starter_route_table());
  write_table(platform, platform.join(cartella, train_source_name(s.nome_linea, s.nome_treno)),
              starter_train_table());
}

void write_texts(Platform& platform, const std::string& cartella, const Scenario& s) {
  dati_linea(platform, cartella, s);
  dati_treno(platform, cartella, s);
  dati_note(platform, cartella, s);
  dati_rallentamenti(platform, cartella, s);
  dati_scheda(platform, cartella, s);
}

}  // namespace tracciato
