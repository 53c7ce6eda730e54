// Random round trips: texts drawn from seeds, compiled, decompiled, compiled again and
// compared; the counts inside and outside the promised class.
//   decompile_campaign [FIRST_SEED] [COUNT] [--show]
// --show prints each seed whose round trip is not identical, with the first difference.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>

#include "decompile/decompiler.h"
#include "decompile/random_texts.h"
#include "decompile/round_trip.h"

using namespace tracciato::decompile;

int main(int argc, char** argv) {
  std::uint64_t first = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1;
  std::uint64_t count = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000;
  const bool show = argc > 3 && std::strcmp(argv[3], "--show") == 0;
  const Names names{"CAMPAGNA", "T 1"};

  struct Tally {
    std::uint64_t runs = 0, identical = 0, different = 0, refused = 0;
  };
  Tally inside, outside;
  std::uint64_t no_files = 0;
  std::map<std::string, std::uint64_t> reasons;
  for (std::uint64_t seed = first; seed < first + count; ++seed) {
    const RandomTexts texts = random_texts(seed);
    const CompileOutput c = compile_texts(texts.route, texts.train, texts.plan, names, true);
    if (!c.written) {
      ++no_files;
      continue;
    }
    Tally& t = c.outside_promise ? outside : inside;
    if (c.outside_promise) {
      std::string reason = *c.outside_promise;
      for (char& ch : reason)
        if (ch >= '0' && ch <= '9' && reason.find("code") == std::string::npos) ch = 'N';
      ++reasons[reason];
    }
    ++t.runs;
    try {
      const DecompiledTexts d = decompile(c.files, names);
      const RoundTrip r = round_trip(d.route_text, d.train_text, c.files, names);
      if (r.identical()) {
        ++t.identical;
        continue;
      }
      ++t.different;
      if (show) {
        std::cout << "seed " << seed << (c.outside_promise ? " (outside: " + *c.outside_promise + ")" : " (inside)")
                  << ":";
        if (!r.compiled.written) std::cout << " " << r.compiled.failure;
        for (const FileComparison& f : r.files)
          if (!f.identical) std::cout << " " << f.name << ": " << f.difference << ";";
        std::cout << "\n";
      }
    } catch (const Refusal& e) {
      ++t.refused;
      if (show) std::cout << "seed " << seed << " refused: " << e.what() << "\n";
    }
  }
  auto print = [](const char* name, const Tally& t) {
    std::cout << name << ": " << t.runs << " round trips, " << t.identical << " identical, "
              << t.different << " different, " << t.refused << " refused\n";
  };
  print("inside the promised class", inside);
  print("outside it", outside);
  std::cout << "compiles that wrote no files: " << no_files << "\n";
  for (const auto& [reason, n] : reasons) std::cout << "  outside: " << reason << ": " << n << "\n";
  return inside.different + inside.refused == 0 ? 0 : 1;
}
