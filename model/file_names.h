#pragma once

#include <string>

namespace tracciato {

// Every file of a run is named after the route and the train.
inline std::string nome_sorgente_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_sorgente_treno(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "-.txt";
}
// The driver documents: `parte` is "note.txt", "rallentamenti.txt" or "scheda_treno.txt".
inline std::string nome_documento(const std::string& linea, const std::string& treno,
                                  const std::string& parte) {
  return linea + "_" + treno + "_" + parte;
}
inline std::string nome_file_planimetria(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_file_voci(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".sim";
}
inline std::string nome_file_celle(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".dat";
}

}  // namespace tracciato
