#include "dump/dump_file.h"

#include <utility>

#include "model/text.h"

namespace tracciato::dump {

const char* kind_name(DumpKind kind) {
  switch (kind) {
    case DumpKind::plan: return "plan";
    case DumpKind::entries: return "entries";
    case DumpKind::cells: return "cells";
  }
  return "cells";
}

std::optional<DumpKind> kind_named(std::string_view name) {
  for (DumpKind k : {DumpKind::plan, DumpKind::entries, DumpKind::cells})
    if (name == kind_name(k)) return k;
  return std::nullopt;
}

std::optional<DumpKind> kind_from_name(std::string_view path) {
  const std::string name = lowercase(path);
  auto ends_with = [&](std::string_view end) {
    return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
  };
  if (ends_with("_linea.dat")) return DumpKind::plan;
  if (ends_with(".sim")) return DumpKind::entries;
  if (ends_with(".dat")) return DumpKind::cells;
  return std::nullopt;
}

DumpedFile decode_file(DumpKind kind, std::string bytes) {
  DumpedFile f;
  f.kind = kind;
  switch (kind) {
    case DumpKind::plan: f.plan = decode_plan(bytes); break;
    case DumpKind::entries: f.voci = decode_entries(bytes); break;
    case DumpKind::cells: f.celle = decode_cells(bytes); break;
  }
  f.bytes = std::move(bytes);
  return f;
}

}  // namespace tracciato::dump
