#include "model/errore.h"

#include "platform/platform.h"

namespace tracciato {

void errore(Platform& platform, const std::string& a) {
  FatalError e(a);
  platform.show_message(e.message);
  throw e;
}

}  // namespace tracciato
