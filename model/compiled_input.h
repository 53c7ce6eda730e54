#pragma once

#include <string>

#include "model/scenario_decoder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {

// The tools that read compiled files (plot, view) stop on the first file they cannot
// use, with one line that names it.
struct FileFailure {
  std::string message;
};

// The bytes of `path`; FileFailure when it cannot be read.
inline std::string read_input(Platform& platform, const std::string& path) {
  try {
    return platform.read(path);
  } catch (const RuntimeFailure& f) {
    throw FileFailure{f.what()};
  }
}

// The file at `path` read and decoded by `decode` (decode_plan, decode_entries,
// decode_cells); FileFailure, naming the file, when it cannot be read or decoded.
template <class Decode>
auto read_decoded(Platform& platform, const std::string& path, Decode decode) {
  const std::string bytes = read_input(platform, path);
  try {
    return decode(bytes);
  } catch (const DecodeError& e) {
    throw FileFailure{path + ": " + e.what()};
  }
}

}  // namespace tracciato
