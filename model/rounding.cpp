#include "model/rounding.h"

namespace tracciato {

std::int64_t round_half_even(std::int64_t num, std::int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Floor division, then compare twice the remainder with the divisor.
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) {
    r += den;
    q -= 1;
  }
  const std::int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q % 2 != 0))) q += 1;
  return q;
}

}  // namespace tracciato
