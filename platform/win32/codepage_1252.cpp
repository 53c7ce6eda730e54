#include "platform/win32/codepage_1252.h"

#include <windows.h>

#include <climits>

#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

constexpr UINT cp_1252 = 1252;

}  // namespace

std::wstring widen_1252(const std::string& bytes) {
  if (bytes.find('\0') != std::string::npos)
    throw RuntimeFailure("a name holds a NUL byte: " + bytes.substr(0, bytes.find('\0')));
  if (bytes.empty()) return {};
  if (bytes.size() > static_cast<std::size_t>(INT_MAX))
    throw RuntimeFailure("a name is too long to convert");
  const int n = static_cast<int>(bytes.size());
  // Each 1252 byte becomes exactly one UTF-16 unit.
  std::wstring wide(bytes.size(), L'\0');
  const int done = ::MultiByteToWideChar(cp_1252, 0, bytes.data(), n, wide.data(), n);
  if (done != n) throw RuntimeFailure("cannot convert " + bytes + " from Windows-1252");
  return wide;
}

std::string narrow_1252(const std::wstring& text, const std::string& what) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(INT_MAX))
    throw RuntimeFailure(what + " is too long to convert");
  const int n = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int size = ::WideCharToMultiByte(cp_1252, WC_NO_BEST_FIT_CHARS, text.data(), n, nullptr,
                                         0, nullptr, &lossy);
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size > 0)
    ::WideCharToMultiByte(cp_1252, WC_NO_BEST_FIT_CHARS, text.data(), n, bytes.data(), size,
                          nullptr, &lossy);
  if (size <= 0 || lossy)
    throw RuntimeFailure(what + " holds a character that Windows-1252 cannot hold: " +
                         bytes);
  return bytes;
}

}  // namespace tracciato
