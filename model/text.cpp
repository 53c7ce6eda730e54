#include "model/text.h"

namespace tracciato {

std::string lowercase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lower(c);
  return out;
}

bool contains_any_case(std::string_view field, std::string_view word) {
  return contains(lowercase(field), word);
}

}  // namespace tracciato
