#include "model/post_elaborazione.h"

namespace tracciato {

void elabora_celle(Scenario&) {}

}  // namespace tracciato
