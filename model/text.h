#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// Keyword tests of the readers: a field is recognised by containing a word anywhere.
// Case folding maps the ASCII letters A-Z only; every other byte stays as it is.
inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string lowercase(std::string_view s);
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}
// `word` is given in lower case.
bool contains_any_case(std::string_view field, std::string_view word);

}  // namespace tracciato
