#pragma once

#include <ostream>

#include "dump/dump_file.h"

namespace tracciato::dump {

// An annotated dump in file order, one field per line: decimal offset, the field's
// bytes in hex, its name ("celle(50).valore1", "voci(85).nome length",
// "planimetria(2,0).tag") and its value. A text runs over lines of 8 bytes each. Two
// files dumped this way compare field by field with diff.
void write_hex(std::ostream& out, const DumpedFile& file);

}  // namespace tracciato::dump
