#pragma once

#include <ostream>

#include "dump/dump_file.h"

namespace tracciato::dump {

// One summary line, then one line per record: its index, what it is, and every field
// by its model name with its meaning in parentheses where the number alone does not say it.
void write_text(std::ostream& out, const DumpedFile& file);

}  // namespace tracciato::dump
