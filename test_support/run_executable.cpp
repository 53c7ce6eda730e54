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

ProgramRun run_program(const std::string& programma, const std::vector<std::string>& argomenti,
                  const std::function<bool()>& prepara) {
  char modello[] = "/tmp/tracciato-stderr-XXXXXX";
  const int errors = ::mkstemp(modello);
  if (errors < 0) throw std::runtime_error("cannot make a file for standard error");
  ::unlink(modello);

  std::vector<std::string> parole{programma};
  parole.insert(parole.end(), argomenti.begin(), argomenti.end());
  std::vector<char*> argv;
  for (std::string& p : parole) argv.push_back(p.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot fork");
  if (pid == 0) {
    ::dup2(errors, 2);
    const int nulla = ::open("/dev/null", O_RDWR);
    ::dup2(nulla, 0);
    ::dup2(nulla, 1);
    if (prepara && !prepara()) ::_exit(preparation_failed);
    ::execv(programma.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage uso {};
  while (::wait4(pid, &status, 0, &uso) < 0) {
  }
  ProgramRun e;
  e.peak_memory_kb = uso.ru_maxrss;
  e.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  ::lseek(errors, 0, SEEK_SET);
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(errors, buffer, sizeof buffer)) > 0)
    e.errors.append(buffer, static_cast<std::size_t>(n));
  ::close(errors);
  return e;
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
