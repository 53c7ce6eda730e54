#include "platform/win32/win32_platform.h"

#include <io.h>
#include <windows.h>

#include <climits>
#include <cstdio>

#include "platform/runtime_failure.h"
#include "platform/win32/codepage_1252.h"

namespace tracciato {

namespace {

constexpr wchar_t caption[] = L"tracciato";

// Windows' own words for an error code, for the failure report.
std::string describe(DWORD err) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, err, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::string words;
  if (n > 0 && text) {
    std::wstring w(text, n);
    while (!w.empty() && (w.back() == L'\r' || w.back() == L'\n' || w.back() == L' ' ||
                          w.back() == L'.'))
      w.pop_back();
    const int size = ::WideCharToMultiByte(1252, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                           0, nullptr, nullptr);
    if (size > 0) {
      words.resize(static_cast<std::size_t>(size));
      ::WideCharToMultiByte(1252, 0, w.data(), static_cast<int>(w.size()), words.data(), size,
                            nullptr, nullptr);
    }
  }
  if (text) ::LocalFree(text);
  if (words.empty()) return "error " + std::to_string(err);
  return words + " (error " + std::to_string(err) + ")";
}

[[noreturn]] void fail(const std::string& what, const std::string& path, DWORD err) {
  throw RuntimeFailure("cannot " + what + " " + path + ": " + describe(err));
}

// A path converted for the wide calls; a name that cannot be converted is a failure
// of the operation on it.
std::wstring wide_path(const std::string& what, const std::string& path) {
  try {
    return widen_1252(path);
  } catch (const RuntimeFailure& f) {
    // The report is a C string: show a NUL byte instead of ending the text at it.
    std::string shown;
    for (const char c : path) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    throw RuntimeFailure("cannot " + what + " " + shown + ": " + f.what());
  }
}

bool usable(HANDLE h) {
  return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// What a temporary file beside `path` starts with: its folder and separator, or its
// drive, or nothing for a bare file name.
std::string folder_prefix(const std::string& path) {
  const auto sep = path.find_last_of("\\/");
  if (sep != std::string::npos) return path.substr(0, sep + 1);
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  return {};
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { close(); }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  // False when the close itself failed (a write still pending could not be made).
  bool close() {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    const bool ok = ::CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

}  // namespace

Win32Platform::Win32Platform() {
  const bool out = usable(::GetStdHandle(STD_OUTPUT_HANDLE));
  const bool err = usable(::GetStdHandle(STD_ERROR_HANDLE));
  stderr_usable_ = err;
  // A GUI-subsystem program gets no console of its own; one started from a console
  // writes into that console, unless its output already goes to a file or a pipe.
  if ((!out || !err) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!out && std::freopen("CONOUT$", "w", stdout))
      ::SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stdout))));
    if (!err && std::freopen("CONOUT$", "w", stderr)) {
      ::SetStdHandle(STD_ERROR_HANDLE, reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stderr))));
      stderr_usable_ = true;
    }
  }
}

void Win32Platform::show_waiting() { attesa_.show(); }

std::string Win32Platform::application_directory() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) fail("find", "the executable's directory", ::GetLastError());
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    if (buffer.size() >= 32768) fail("find", "the executable's directory", ERROR_INSUFFICIENT_BUFFER);
    buffer.resize(buffer.size() * 2);
  }
  const auto sep = buffer.find_last_of(L'\\');
  if (sep != std::wstring::npos) buffer.resize(sep);
  return narrow_1252(buffer, "the executable's directory");
}

std::string Win32Platform::join(const std::string& dir, const std::string& name) const {
  return dir + "\\" + name;
}

bool Win32Platform::exists(const std::string& path) {
  return ::GetFileAttributesW(wide_path("find", path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32Platform::cannot_read(const std::string& path) {
  const std::wstring wide = wide_path("read", path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return describe(::GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a directory";
  Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return describe(::GetLastError());
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return "it is not a regular file";
  return {};
}

void Win32Platform::make_directories(const std::string& path) {
  // Each prefix that ends before a separator, then the whole path; a drive ("C:") or
  // the start of a network path is never made.
  for (std::size_t at = path.find_first_of("\\/", 1);; at = path.find_first_of("\\/", at + 1)) {
    const std::string part = path.substr(0, at);
    const bool root = part.empty() || part.back() == ':' || part.find_first_not_of("\\/") ==
                                                               std::string::npos;
    if (!root && !::CreateDirectoryW(wide_path("make the folder", part).c_str(), nullptr)) {
      const DWORD err = ::GetLastError();
      if (err != ERROR_ALREADY_EXISTS) fail("make the folder", part, err);
    }
    if (at == std::string::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(wide_path("make the folder", path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    fail("make the folder", path, ERROR_DIRECTORY);
}

void Win32Platform::remove(const std::string& path) {
  if (!::DeleteFileW(wide_path("delete", path).c_str())) fail("delete", path, ::GetLastError());
}

std::string Win32Platform::read(const std::string& path) {
  Handle file(::CreateFileW(wide_path("open", path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) fail("open", path, ::GetLastError());
  std::string bytes;
  LARGE_INTEGER size;
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char chunk[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), chunk, sizeof chunk, &n, nullptr)) fail("read", path, ::GetLastError());
    if (n == 0) break;
    bytes.append(chunk, n);
  }
  return bytes;
}

void Win32Platform::write(const std::string& path, std::string_view bytes) {
  // Write a temporary file beside the target and move it over the target: a failed
  // write leaves the older file intact, and a link at the target is replaced, never
  // written through.
  const std::wstring target = wide_path("write", path);
  const std::wstring prefix = wide_path("write", folder_prefix(path));
  const std::wstring stem = prefix + L".tracciato-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
  static unsigned serial = 0;
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
    temp = stem + std::to_wstring(++serial) + L".tmp";
    h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                      nullptr);
    if (h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (h == INVALID_HANDLE_VALUE) fail("write", path, ::GetLastError());
  Handle file(h);

  DWORD err = 0;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0 && err == 0) {
    const DWORD want = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD done = 0;
    if (!::WriteFile(file.get(), p, want, &done, nullptr) || done == 0) {
      err = ::GetLastError();
      if (err == 0) err = ERROR_WRITE_FAULT;
      break;
    }
    p += done;
    left -= done;
  }
  if (!file.close() && err == 0) err = ::GetLastError();
  if (err == 0 && !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
    err = ::GetLastError();
  if (err != 0) {
    ::DeleteFileW(temp.c_str());
    fail("write", path, err);
  }
}

void Win32Platform::show_message(const std::string& text) {
  if (stderr_usable_ || !boxes_) {
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
  }
  if (!boxes_) return;
  std::wstring wide;
  try {
    wide = widen_1252(text);
  } catch (const RuntimeFailure&) {
    wide = widen_1252(text.substr(0, text.find('\0')));
  }
  ::MessageBoxW(attesa_.form(), wide.c_str(), caption, MB_OK);
}

void Win32Platform::report_failure(const std::string& what) {
  const std::string line = "tracciato: run-time failure: " + what;
  if (stderr_usable_ || !boxes_) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    return;
  }
  ::MessageBoxW(attesa_.form(), widen_1252(line.substr(0, line.find('\0'))).c_str(), caption,
                MB_OK | MB_ICONERROR);
}

void Win32Platform::end_program(int status) {
  std::fflush(nullptr);
  ::ExitProcess(static_cast<UINT>(status));
}

std::unique_ptr<Platform> make_platform() { return std::make_unique<Win32Platform>(); }

}  // namespace tracciato
