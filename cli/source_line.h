#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato::cli {

// One field of a source line, as the field reader splits it.
struct LineField {
  std::size_t column;  // 1-based
  std::string text;
};

// The fields of `line` from the keyword field at `column` on: the keyword as a text
// field (quoted or not), the rest as number fields.
std::vector<LineField> fields_from(const std::string& line, std::size_t column);

// The value of a number field as the reader takes it ("" is 0); nothing for a field
// that is not a whole number.
std::optional<std::int64_t> whole_number(const std::string& text);

// A field that reads as a number, blanks around it allowed.
bool looks_like_number(std::string_view text);

// Line `n` (1-based) of `bytes`, without its line end; lines end at CR LF, a lone LF or
// a lone CR, as the field reader counts them. Empty past the end.
std::string line_at(const std::string& bytes, std::size_t n);

// A name or text in double quotes, and a position in metres, as messages show them.
inline std::string quoted(const std::string& s) { return "\"" + s + "\""; }
inline std::string metres(std::int64_t m) { return std::to_string(m) + " m"; }

}  // namespace tracciato::cli
