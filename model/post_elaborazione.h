#pragma once

namespace tracciato {

struct Scenario;

// The one walk over the track cells that adds the speed abatements around the
// slow-downs (codes 11, 12, 13 on the way).
void post_process(Scenario& s);

// The smaller of two values, the first when they are equal.
template <class X, class Y>
auto minimo(X x, Y y) {
  return x > y ? y : x;
}

}  // namespace tracciato
