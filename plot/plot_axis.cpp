#include "plot/plot_axis.h"

#include <cmath>

namespace tracciato::plot {

double round_step(double least) {
  if (!(least > 0) || !std::isfinite(least)) return 1;
  double power = std::pow(10.0, std::floor(std::log10(least)));
  for (;;) {
    for (double f : {1.0, 2.0, 5.0})
      if (f * power >= least * (1 - 1e-12)) return f * power;
    power *= 10;
  }
}

std::vector<double> ticks(double from, double to, double step) {
  std::vector<double> out;
  if (!(step > 0) || !(to >= from) || (to - from) / step > 100000) return out;
  for (double k = std::ceil(from / step - 1e-9); k * step <= to + step * 1e-9; k += 1)
    out.push_back(k * step + 0.0);  // never -0
  return out;
}

}  // namespace tracciato::plot
