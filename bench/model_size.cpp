// dimensione_modello LENGTH: the bytes of the model's tables for a route of LENGTH
// metres with its plan: planimetria, celle, voci and the two mountain tables.
#include <cstdio>
#include <cstdlib>

#include "model/scenario.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dimensione_modello LENGTH\n");
    return 64;
  }
  const long long length = std::atoll(argv[1]);
  const long long metres = length + 7000 + 1;
  // n_celle: (length + 7000) / 50, a half rounded to the even one.
  long long n_celle = (length + 7000) / 50;
  const long long rest = (length + 7000) % 50;
  if (rest > 25 || (rest == 25 && n_celle % 2 != 0)) ++n_celle;
  const long long cells = n_celle + 1;
  const long long bytes = 2 * metres * static_cast<long long>(sizeof(tracciato::PlanValue)) +
                          cells * static_cast<long long>(sizeof(tracciato::cella)) +
                          87 * static_cast<long long>(sizeof(tracciato::voce)) +
                          2 * 81 * static_cast<long long>(sizeof(std::int32_t));
  std::printf("%lld\n", bytes);
  return 0;
}
