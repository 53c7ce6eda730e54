#pragma once

#include <string>

#include "driver/form1.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "platform/memory_platform.h"

namespace tracciato::view::testing {

// The embedded run's three binary files, compiled once for all the tests of the page.
struct EmbeddedFiles {
  std::string plan, entries, cells;
};

inline const EmbeddedFiles& embedded_files() {
  static const EmbeddedFiles files = [] {
    MemoryPlatform run;
    Form_Load(run);
    auto file = [&](const std::string& name) { return run.files.at("app/" + name); };
    return EmbeddedFiles{file(nome_file_planimetria(linea_incorporata)),
                         file(nome_file_voci(linea_incorporata, treno_incorporato)),
                         file(nome_file_celle(linea_incorporata, treno_incorporato))};
  }();
  return files;
}

}  // namespace tracciato::view::testing
