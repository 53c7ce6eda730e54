#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/scenario_decoder.h"

namespace tracciato::dump {

enum class DumpKind { plan, entries, cells };

// "plan", "entries", "cells", and back.
const char* kind_name(DumpKind kind);
std::optional<DumpKind> kind_named(std::string_view name);

// The kind a file's name implies, as the compiler names its files: "<route>_linea.dat"
// is a plan, "*.sim" an entry file, any other "*.dat" a cell file (letters in any case).
// Nothing for any other name.
std::optional<DumpKind> kind_from_name(std::string_view path);

// One scenario file read back: its bytes and the table they hold (only the one of its kind).
struct DumpedFile {
  DumpKind kind = DumpKind::cells;
  std::string bytes;
  DecodedPlan plan;
  std::vector<voce> voci;
  std::vector<cella> celle;
};

// Throws DecodeError when `bytes` cannot be a file of `kind`.
DumpedFile decode_file(DumpKind kind, std::string bytes);

}  // namespace tracciato::dump
