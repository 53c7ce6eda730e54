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
  return decode_entries(embedded_file(entry_file_name(embedded_route, embedded_train)));
}
inline std::vector<cella> embedded_celle() {
  return decode_cells(embedded_file(cell_file_name(embedded_route, embedded_train)));
}
inline DecodedPlan embedded_plan() {
  return decode_plan(embedded_file(plan_file_name(embedded_route)));
}

}  // namespace tracciato::plot::testing
