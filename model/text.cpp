#include "model/text.h"

namespace tracciato {

std::string minuscolo(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = minuscola(c);
  return out;
}

bool contiene_ogni_caso(std::string_view field, std::string_view word) {
  return contiene(minuscolo(field), word);
}

}  // namespace tracciato
