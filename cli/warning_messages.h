#pragma once

#include <string>

#include "model/diagnostica.h"

namespace tracciato::cli {

// The message of a warning, in the author's terms: what was written, what the compile
// makes of it, and what to do.
std::string warning_message(const Warning& w, const ReadingTrail& trail, bool base_names);

// A keyword of the texts near `field` (a typing slip away), or empty.
std::string close_keyword(const std::string& field, Scope scope);

}  // namespace tracciato::cli
