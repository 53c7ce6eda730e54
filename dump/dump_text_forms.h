#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace tracciato::dump {

// The texts of the scenario files are Windows-1252 bytes. As UTF-8 every byte keeps its
// own character: the five bytes the code page leaves unassigned (81, 8D, 8F, 90, 9D)
// stand for the control characters U+0081 .. U+009D of the same number, so that
// cp1252_from_utf8 gives back every byte string unchanged.
std::string utf8_from_cp1252(std::string_view bytes);
// Nothing when `utf8` is not well-formed or holds a character outside the code page.
std::optional<std::string> cp1252_from_utf8(std::string_view utf8);

// A text on one line: backslash escaped with a backslash, control bytes and the
// unassigned ones as \xHH, the rest as UTF-8.
std::string escaped(std::string_view bytes);
// The same between double quotes, the quote escaped too.
std::string quoted(std::string_view bytes);

// The shortest decimal that reads back as the same double ("nan", "inf", "-inf" for
// those).
std::string double_text(double v);

// "Empty", "Integer" or "Double"; the value as text ("" for Empty).
const char* value_kind(const PlanValue& v);
std::string value_text(const PlanValue& v);

// A time of day in seconds as hh:mm:ss; nothing for a negative time.
std::optional<std::string> clock_text(std::int64_t seconds);

}  // namespace tracciato::dump
