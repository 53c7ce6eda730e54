// The floor of a whole-process benchmark: the least a program can do to leave the
// same files behind. The bytes of every file are linked into the program (see
// floor_files in bench/CMakeLists.txt); each file is opened, written with plain write
// calls and closed, in the order of the table, into DIR (default: the current
// directory).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" {
struct FloorFile {
  const char* name;
  const char* data;
  std::uint64_t size;
};
extern const FloorFile floor_files[];
extern const std::uint64_t floor_file_count;
}

namespace {

bool write_file(const std::string& path, const char* data, std::uint64_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    data += n;
    size -= static_cast<std::uint64_t>(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  for (std::uint64_t i = 0; i < floor_file_count; ++i) {
    const FloorFile& f = floor_files[i];
    const std::string path = dir + "/" + f.name;
    if (!write_file(path, f.data, f.size)) {
      std::fprintf(stderr, "floor: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
      return 1;
    }
  }
  return 0;
}
