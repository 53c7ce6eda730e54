#include "model/errore.h"

#include "platform/platform.h"

namespace tracciato {

void errore(Platform& platform, const std::string& a) {
  platform.messaggio(" Errore n. " + a);
  throw ErroreFatale{a};
}

}  // namespace tracciato
