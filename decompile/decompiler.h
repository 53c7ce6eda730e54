#pragma once

#include <string>
#include <vector>

#include "decompile/compiled_files.h"
#include "decompile/source_model.h"

namespace tracciato::decompile {

// The source texts of a compiled file set: compiled again with the same names (and
// without the plan exactly when there was no plan file), they are meant to give the
// same files byte for byte; round_trip.h checks it.
struct DecompiledTexts {
  RouteSource route;
  TrainSource train;
  std::string route_text;  // the bytes of <route>_linea.txt
  std::string train_text;  // the bytes of <route>_<train>-.txt
  bool plan = false;       // there was a plan file: compile with the plan
  // What an author should know: a compile that stopped on a fault, entries whose
  // place had to be chosen, what could not be worked out.
  std::vector<std::string> notes;
};

// Throws Refusal for files this compiler cannot have written for `names`, and for a
// station name or signboard text no field of the reader gives back.
DecompiledTexts decompile(const CompiledFiles& files, const Names& names);

}  // namespace tracciato::decompile
