#pragma once

#include <string>

namespace tracciato {

// Paths and texts of the run are Windows-1252 bytes; the wide Win32 calls take UTF-16.

// Every byte has a UTF-16 counterpart (the five bytes 1252 leaves unassigned map to
// the control characters of the same number, as Windows maps them). A NUL byte fails:
// the wide call would stop at it and name another file.
std::wstring widen_1252(const std::string& bytes);

// Fails, naming `what`, when the text holds a character that 1252 cannot hold: such a
// name is refused rather than replaced by a look-alike that names another file.
std::string narrow_1252(const std::wstring& text, const std::string& what);

}  // namespace tracciato
