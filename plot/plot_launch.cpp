// `tracciato plot` hands over to the drawing program beside the executable.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "model/exit_status.h"
#include "plot/plot_command.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::plot {

int launch_plot(Platform& platform, char** argv, std::ostream& err) {
  std::string dir;
  try {
    dir = platform.application_directory();
  } catch (const RuntimeFailure& f) {
    err << "tracciato plot: " << f.what() << "\n";
    return code_of(ExitStatus::runtime);
  }
  std::string program = platform.join(dir, plot_program);
  std::vector<char*> args{program.data()};
  for (char** a = argv + 1; *a != nullptr; ++a) args.push_back(*a);
  args.push_back(nullptr);
  std::cout.flush();
  ::execv(program.c_str(), args.data());
  const int e = errno;
  err << "tracciato plot: cannot start the drawing program " << program << ": "
      << std::strerror(e) << "\n"
      << "It is built with tracciato (target " << plot_program
      << ") and must lie beside the executable.\n";
  return code_of(ExitStatus::runtime);
}

}  // namespace tracciato::plot
