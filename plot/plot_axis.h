#pragma once

#include <vector>

namespace tracciato::plot {

// A round step (1, 2 or 5 times a power of ten) at least `least` long.
double round_step(double least);

// The multiples of `step` from the first at or above `from` to the last at or below `to`.
std::vector<double> ticks(double from, double to, double step);

}  // namespace tracciato::plot
