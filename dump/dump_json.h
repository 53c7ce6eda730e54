#pragma once

#include <ostream>

#include "dump/dump_file.h"

namespace tracciato::dump {

// A JSON object that carries every byte of the file, one record per line:
//   {"kind": "cells", "bytes": N, "cells": [{"index", "metres": [from, to], every field,
//     "event", "meaning": {field: {key: number}}}, ...]}
//   {"kind": "entries", "bytes": N, "entries": [{"index", "role", every field}, ...]}
//   {"kind": "plan", "bytes": N, "plan": [{"metre", "x": V, "y": V}, ...]}
// with V = {"kind": "Empty"}, {"kind": "Integer", "value": n} or
// {"kind": "Double", "value": number or null, "bits": the 16 hex digits of its IEEE
// bits}. `nome` is a string: each Windows-1252 byte as its own character (the unassigned
// bytes 81, 8D, 8F, 90, 9D as U+0081 .. U+009D). "event", "role" and "meaning" only
// explain; the other members are the file.
void write_json(std::ostream& out, const DumpedFile& file);

}  // namespace tracciato::dump
