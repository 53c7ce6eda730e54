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

// The Unicode code point of a Windows-1252 byte; the five bytes 81, 8D, 8F, 90 and 9D
// that the code page leaves unassigned keep their own number.
char32_t code_point_1252(unsigned char b);
// Whether the code page assigns a character to the byte.
inline bool assigned_1252(unsigned char b) {
  return b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D;
}
// `c` (below U+10000) appended as UTF-8.
void append_utf8(std::string& out, char32_t c);

}  // namespace tracciato
