#pragma once

#include <string>

#include "driver/form1.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "test_support/memory_platform.h"

namespace tracciato::plot::testing {

// The embedded run's files, compiled once for all the tests of the pictures.
inline const MemoryPlatform& embedded_run() {
  static const MemoryPlatform p = [] {
    MemoryPlatform run;
    Form_Load(run);
    return run;
  }();
  return p;
}

inline const std::string& embedded_file(const std::string& name) {
  return embedded_run().files.at("app/" + name);
}

inline std::vector<voce> embedded_voci() {
  return decodifica_voci(embedded_file(nome_file_voci(linea_incorporata, treno_incorporato)));
}
inline std::vector<cella> embedded_celle() {
  return decodifica_celle(embedded_file(nome_file_celle(linea_incorporata, treno_incorporato)));
}
inline PlanimetriaLetta embedded_plan() {
  return decodifica_planimetria(embedded_file(nome_file_planimetria(linea_incorporata)));
}

}  // namespace tracciato::plot::testing
