// genera_scenario: writes a generated route text and train text, ready for
// `tracciato compile`.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/scenario_generator.h"

namespace {

constexpr const char* usage =
    "usage: genera_scenario DIR [LENGTH] [--route NAME] [--train NAME]\n"
    "  Writes DIR/<route>_linea.txt and DIR/<route>_<train>-.txt: a route of LENGTH metres\n"
    "  (whole kilometres, 20000 .. 1000000; default 1000000) and a train over it that\n"
    "  compile without a fault. Names default to BENCH and MAX.";

bool write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::cerr << "genera_scenario: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir, route = "BENCH", train = "MAX";
  long long length = tracciato::bench::max_length;
  bool have_length = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--route" || arg == "--train") && i + 1 < argc) {
      (arg == "--route" ? route : train) = argv[++i];
    } else if (dir.empty() && !arg.empty() && arg[0] != '-') {
      dir = arg;
    } else if (!have_length && !arg.empty() && arg[0] != '-') {
      char* end = nullptr;
      length = std::strtoll(arg.c_str(), &end, 10);
      if (*end != '\0') length = -1;
      have_length = true;
    } else {
      std::cerr << usage << "\n";
      return 64;
    }
  }
  if (dir.empty()) {
    std::cerr << usage << "\n";
    return 64;
  }
  const auto texts = tracciato::bench::generate_scenario(length);
  if (!texts) {
    std::cerr << "genera_scenario: LENGTH must be whole kilometres from 20000 to 1000000\n"
              << usage << "\n";
    return 64;
  }
  const bool ok = write(dir + "/" + route + "_linea.txt", texts->route) &&
                  write(dir + "/" + route + "_" + train + "-.txt", texts->train);
  return ok ? 0 : 1;
}
