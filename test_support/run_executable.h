#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tracciato::support {

struct ProgramRun {
  int status = -1;          // exit status; 128 + signal when killed by one
  std::string errors;       // all of standard error
  std::string output;       // all of standard output
  long peak_memory_kb = 0;  // peak resident memory of the child
};

// Exit status of a child whose preparation could not be done here (a mount refused).
inline constexpr int preparation_failed = 97;

// Runs `program` with `arguments` in a child process. `prepare` runs in the child just
// before the program starts (limits, mounts, its folder); when it returns false the child
// ends with preparation_failed.
ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments,
                       const std::function<bool()>& prepare = {});

// The whole file, or "<missing>".
std::string file_contents(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// A fresh empty directory under the system's temporary directory; removed by the
// destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace tracciato::support
