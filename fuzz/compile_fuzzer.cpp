// The whole compile in memory: route text, NUL, train text, compiled with the plan when
// the input's length is one more than a multiple of four (see compile_case). The
// properties of compile_properties.h then compare it with compiles of related inputs.
// Routes longer than a kilometre are turned away, and not kept in the corpus: their
// plan is slow to build, and their cells reach nothing that the 8 km of cells of a
// short route do not.
// With TRACCIATO_FUZZ_COUNTS set, how often each property compared is printed at the
// end of the run; with TRACCIATO_FUZZ_ALL set, every property is checked on every
// input (to replay a corpus).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/compile_properties.h"

using namespace tracciato;

namespace {

bool every_property = false;

void print_counts() { std::fprintf(stderr, "%s", fuzz::property_counts().c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (std::getenv("TRACCIATO_FUZZ_COUNTS") != nullptr) std::atexit(print_counts);
  every_property = std::getenv("TRACCIATO_FUZZ_ALL") != nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::CompileCase c =
      fuzz::compile_case(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::optional<fuzz::Baseline> b = fuzz::baseline(c, fuzz::longest_route);
  if (!b) return -1;
  fuzz::check_properties(c, *b, every_property);
  return 0;
}
