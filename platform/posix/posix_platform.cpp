#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path, int err) {
  throw RuntimeFailure("cannot " + what + " " + path + ": " + std::strerror(err));
}

// The path as the system takes it. A NUL byte would cut it short, so that a file of
// another name would be used: refuse it.
const char* c_path(const std::string& path) {
  if (path.find('\0') != std::string::npos)
    throw RuntimeFailure("cannot use path " + std::string(path.c_str()) +
                         "...: it holds a NUL byte");
  return path.c_str();
}

std::string directory_of(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes all of `bytes`; 0, or the errno of the write that failed.
int write_all(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

void PosixPlatform::show_waiting() {
  std::fputs("Attendere\n", stderr);
  std::fflush(stderr);
}

std::string PosixPlatform::application_directory() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
    fail("find the executable's directory from", "/proc/self/exe", errno);
  buffer.resize(static_cast<std::size_t>(n));
  return directory_of(buffer);
}

std::string PosixPlatform::join(const std::string& dir, const std::string& name) const {
  return dir + "/" + name;
}

bool PosixPlatform::exists(const std::string& path) {
  struct stat st;
  return ::stat(c_path(path), &st) == 0;
}

std::string PosixPlatform::cannot_read(const std::string& path) {
  struct stat st;
  if (::stat(c_path(path), &st) != 0) return std::strerror(errno);
  if (S_ISDIR(st.st_mode)) return "it is a directory";
  if (!S_ISREG(st.st_mode)) return "it is not a regular file";
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  ::close(fd);
  return {};
}

void PosixPlatform::make_directories(const std::string& path) {
  c_path(path);
  // Each prefix that ends before a separator, then the whole path.
  for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
    const std::string part = path.substr(0, at);
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
      fail("make the folder", part, errno);
    if (at == std::string::npos) break;
  }
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    fail("make the folder", path, ENOTDIR);
}

void PosixPlatform::remove(const std::string& path) {
  if (::unlink(c_path(path)) != 0) fail("delete", path, errno);
}

std::string PosixPlatform::read(const std::string& path) {
  const int fd = ::open(c_path(path), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("open", path, errno);
  std::string bytes;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    fail("read", path, EISDIR);
  }
  if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      fail("read", path, err);
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void PosixPlatform::write(const std::string& path, std::string_view bytes) {
  sostituisci(path, [bytes](int fd) { return write_all(fd, bytes); });
}

void PosixPlatform::write_in_pieces(const std::string& path, const Piece& pezzo) {
  sostituisci(path, [&pezzo, &path](int fd) {
    std::vector<char> spazio(piece_room);
    for (;;) {
      const std::size_t n = pezzo(spazio);
      if (n == 0) return 0;
      if (n > spazio.size()) throw RuntimeFailure(path + ": a piece larger than its room");
      if (const int err = write_all(fd, std::string_view(spazio.data(), n))) return err;
    }
  });
}

void PosixPlatform::sostituisci(const std::string& path,
                                const std::function<int(int fd)>& riempi) {
  // Write a temporary file beside the target and rename it over the target: a failed
  // write leaves the older file intact, and a link at the target is replaced, never
  // written through.
  c_path(path);
  std::string temp = directory_of(path) + "/.tracciato-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) fail("write", path, errno);
  int err = 0;
  try {
    err = riempi(fd);
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (err == 0 && ::fchmod(fd, 0666 & ~mask) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    fail("write", path, err);
  }
}

void PosixPlatform::show_message(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

void PosixPlatform::report_failure(const std::string& what) {
  std::fprintf(stderr, "tracciato: run-time failure: %s\n", what.c_str());
  std::fflush(stderr);
}

std::unique_ptr<Platform> make_platform() { return std::make_unique<PosixPlatform>(); }

void PosixPlatform::end_program(int status) {
  std::fflush(nullptr);
  std::exit(status);
}

}  // namespace tracciato
