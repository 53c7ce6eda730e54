#include "test_support/run_executable.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tracciato::support {

namespace {

// An unnamed file to take one of the child's outputs.
int capture_file() {
  char name[] = "/tmp/tracciato-output-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) throw std::runtime_error("cannot make a file for the child's output");
  ::unlink(name);
  return fd;
}

std::string read_back(int fd) {
  std::string text;
  ::lseek(fd, 0, SEEK_SET);
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return text;
}

}  // namespace

ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments,
                       const std::function<bool()>& prepare) {
  const int errors = capture_file();
  const int output = capture_file();
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot fork");
  if (pid == 0) {
    ::dup2(errors, 2);
    ::dup2(output, 1);
    const int none = ::open("/dev/null", O_RDWR);
    ::dup2(none, 0);
    if (prepare && !prepare()) ::_exit(preparation_failed);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  while (::wait4(pid, &status, 0, &usage) < 0) {
  }
  ProgramRun run;
  run.peak_memory_kb = usage.ru_maxrss;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.errors = read_back(errors);
  run.output = read_back(output);
  return run;
}

std::string file_contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

TempDir::TempDir() {
  std::string modello = (std::filesystem::temp_directory_path() / "tracciato-XXXXXX").string();
  if (::mkdtemp(modello.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary directory");
  path_ = modello;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace tracciato::support
