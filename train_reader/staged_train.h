#pragma once

#include <string>

#include "model/source_texts.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "train_reader/train_reader.h"

namespace tracciato {

// A model with bare cells (as a 100 km route leaves them) and a train text staged in
// memory, read by the train half alone.
struct StagedTrain {
  Scenario s;
  MemoryPlatform p;
  SourceTexts sources{"app/R_linea.txt", "app/R_T-.txt", true};

  explicit StagedTrain(std::int32_t n_celle = 2140) {
    s.n_celle = n_celle;
    s.celle.allocate(n_celle);
  }
  // Reads "[generale]" followed by `righe`.
  void read(const std::string& righe) {
    p.files[sources.train] = "[generale]\r\n" + righe;
    read_train(s, p, sources);
  }
  bool testo_rimasto() const { return p.files.count(sources.train) != 0; }
  const cella& c(std::int64_t i) const { return s.celle[i]; }
};

}  // namespace tracciato
