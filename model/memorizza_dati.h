#pragma once

#include <string>

namespace tracciato {

struct Scenario;
class Platform;

// Where the model reader finds the two source texts, and whether it deletes them once
// read (the embedded run does; a compile of an author's texts never touches them).
struct SorgentiTesto {
  std::string linea;
  std::string treno;
  bool elimina_dopo_lettura = false;
};

// Reads the route source, then (unless the route half stopped on a fault other than
// the soft stop 15) the train source into the model. A run-time failure on the way is
// trapped: code 25, and in a deleting run the source texts still there are deleted.
void memorizza_dati(Scenario& s, Platform& platform, const SorgentiTesto& sorgenti);

}  // namespace tracciato
