#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decompile/compiled_files.h"

namespace tracciato::decompile {

// What a compile of two texts writes, compiled in memory by the compiler entry
// (memorizza_percorso) and its writers, as `tracciato compile` would write them.
struct CompileOutput {
  CompiledFiles files;           // the plan only with `with_plan`
  bool written = false;          // false: errore or a run-time failure stopped it first
  std::string failure;           // what stopped it
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  // With `watch_promise`: why the compile lies outside the class decompile gives back
  // byte for byte (promise.h), nothing when it lies inside.
  std::optional<std::string> outside_promise;
};
CompileOutput compile_texts(const std::string& route_text, const std::string& train_text,
                            bool with_plan, const Names& names, bool watch_promise = false);

// One file compared: identical, or where the first difference lies, in the author's
// terms (cell and its metres, entry and field, metre of the plan), worded to follow
// "differs": "at byte 750, cell 50 (metres 2450 to 2499), valore1: ...".
struct FileComparison {
  std::string name;
  bool identical = false;
  std::string difference;
};

struct RoundTrip {
  std::vector<FileComparison> files;  // plan (when there is one), entry file, cell file
  CompileOutput compiled;
  bool identical() const;
};

// Compiles the texts in memory with the names (and the plan when `files` has one) and
// compares every byte with `files`.
RoundTrip round_trip(const std::string& route_text, const std::string& train_text,
                     const CompiledFiles& files, const Names& names);

// The first difference between an original file and the one a compile gave, in words;
// empty when the two are the same.
std::string plan_difference(const std::string& original, const std::string& again);
std::string entries_difference(const std::string& original, const std::string& again);
std::string cells_difference(const std::string& original, const std::string& again);

}  // namespace tracciato::decompile
