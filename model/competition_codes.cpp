#include "model/competition_codes.h"

#include <string>

#include "model/scenario.h"
#include "model/text.h"

namespace tracciato {

namespace {

constexpr const char* riempitivo = "ppqqrrssttuuvvzzppqqrrsstt";
constexpr int caratteri_contati = 25;

// t: the train name then the route name, lower case, then the filler. It always has
// more than 25 characters, whatever the names.
const std::string& testo_codici(Scenario& s) {
  s.riga = lowercase(s.voci[entry::train_header].nome + s.voci[entry::route_header].nome) +
           riempitivo;
  return s.riga;
}

// Code 0 .. 255 of the i-th character (1-based) in the single-byte code page.
std::int64_t cod(const std::string& t, int i) {
  return static_cast<unsigned char>(t[static_cast<std::size_t>(i - 1)]);
}

}  // namespace

std::int32_t codice_gara_st(Scenario& s) {
  const std::string& t = testo_codici(s);
  std::int64_t somma = 0;
  for (int i = 1; i <= caratteri_contati; ++i) somma += i * cod(t, i);
  return static_cast<std::int32_t>(somma);  // at most 325 * 255
}

std::int16_t codice_gara_og(Scenario& s) {
  const std::string& t = testo_codici(s);
  std::int64_t somma = 0;
  for (int i = 1; i <= caratteri_contati; ++i) somma += cod(t, i);
  return static_cast<std::int16_t>(somma);  // at most 25 * 255
}

}  // namespace tracciato
