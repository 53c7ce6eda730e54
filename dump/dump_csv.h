#pragma once

#include <ostream>

#include "dump/dump_file.h"

namespace tracciato::dump {

// A header line, then one line per record: the same fields and meanings as the text
// dump, in columns. Texts are UTF-8 with control bytes as \xHH and the backslash
// doubled, so that a record never spans lines; a field holding a comma or a quote is
// quoted, the quote doubled.
void write_csv(std::ostream& out, const DumpedFile& file);

}  // namespace tracciato::dump
