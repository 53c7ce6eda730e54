#pragma once

namespace tracciato {

// How the reading goes on after one entry of the route source.
enum class Seguito {
  avanti,        // next field
  fine_morbida,  // position beyond the model (15): the body ends as at the end of the file
  fine,          // a fault that ends the whole model reader; already recorded
};

}  // namespace tracciato
