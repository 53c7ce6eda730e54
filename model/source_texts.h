#pragma once

#include <string>

namespace tracciato {

// Where the model reader finds the two source texts, and whether it deletes them once
// read (the embedded run does; a compile of an author's texts never touches them).
struct SorgentiTesto {
  std::string linea;
  std::string treno;
  bool elimina_dopo_lettura = false;
};

}  // namespace tracciato
