#pragma once

#include <string>

namespace tracciato {

// Every file of a run is named after the route and the train.
inline std::string route_source_name(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string train_source_name(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "-.txt";
}
// The driver documents: `parte` is "note.txt", "rallentamenti.txt" or "scheda_treno.txt".
inline std::string document_name(const std::string& linea, const std::string& treno,
                                  const std::string& parte) {
  return linea + "_" + treno + "_" + parte;
}
inline std::string plan_file_name(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string entry_file_name(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".sim";
}
inline std::string cell_file_name(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".dat";
}

}  // namespace tracciato
