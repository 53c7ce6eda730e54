#pragma once

#include <string>

#include "driver/form1.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "test_support/memory_platform.h"

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
    return EmbeddedFiles{file(plan_file_name(embedded_route)),
                         file(entry_file_name(embedded_route, embedded_train)),
                         file(cell_file_name(embedded_route, embedded_train))};
  }();
  return files;
}

}  // namespace tracciato::view::testing
