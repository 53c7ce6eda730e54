#pragma once

#include <initializer_list>
#include <string>

#include "model/source_texts.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "route_reader/route_reader.h"

namespace tracciato::prova {

// Lines joined as the source writer writes them, each ended by CR LF.
inline std::string testo(std::initializer_list<std::string> righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// A route of `lunghezza` m (n_celle 340 for 10000) whose body holds `corpo`.
inline std::string linea(const std::string& corpo, int lunghezza = 10000) {
  return testo({"[generale]", "lunghezza percorso, " + std::to_string(lunghezza), "[curve]"}) +
         corpo + "[fine]\r\n";
}

// A route source staged in memory beside a minimal train source.
struct Lettura {
  MemoryPlatform p;
  Scenario s;
  SourceTexts sources{"app/R_linea.txt", "app/R_T-.txt", true};

  explicit Lettura(const std::string& route, std::int32_t con_planimetria = 1,
                   bool remove = true) {
    p.files[sources.route] = route;
    p.files[sources.train] = "[generale]\r\n[fine]\r\n";
    sources.delete_after_reading = remove;
    s.con_planimetria = con_planimetria;
    s.nome_linea = "R";
    s.nome_treno = "T";
  }
  bool read() { return read_route(s, p, sources); }
  bool linea_presente() const { return p.files.count(sources.route) != 0; }
  bool treno_presente() const { return p.files.count(sources.train) != 0; }
};

}  // namespace tracciato::prova
