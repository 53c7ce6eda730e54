#include "test_support/memory_platform.h"

#include "platform/runtime_failure.h"

namespace tracciato {

void MemoryPlatform::remove(const std::string& path) {
  if (files.erase(path) == 0) throw RuntimeFailure("cannot delete " + path + ": no such file");
}

std::string MemoryPlatform::read(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) throw RuntimeFailure("cannot open " + path + ": no such file");
  return it->second;
}

void MemoryPlatform::end_program(int status) { throw ProgramEnded{status}; }

}  // namespace tracciato
