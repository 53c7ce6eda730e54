#pragma once

#include "model/source_texts.h"

namespace tracciato {

struct Scenario;
class Platform;

// Reads the route source, then (unless the route half stopped on a fault other than
// the soft stop 15) the train source into the model. A run-time failure on the way is
// trapped: code 25, and in a deleting run the source texts still there are deleted.
void memorizza_dati(Scenario& s, Platform& platform, const SourceTexts& sources);

}  // namespace tracciato
