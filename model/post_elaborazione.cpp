#include "model/post_elaborazione.h"

#include "model/diagnostica.h"
#include "model/regole_cammino.h"
#include "model/scenario.h"

namespace tracciato {

namespace {

// The walk's picture of the cells is the model itself.
class CelleDelModello {
 public:
  explicit CelleDelModello(Scenario& s) : s_(s) {}

  std::uint8_t evento(std::int64_t i) const { return s_.celle[i].evento; }
  std::int16_t valore1(std::int64_t i) const { return s_.celle[i].valore1; }
  bool libera(std::int64_t i) const { return tracciato::libera(s_.celle[i]); }
  void piazza(std::int64_t i) {
    cella& c = s_.celle[i];
    c.evento = evento::abbattimento;
    c.valore1 = cammino::valore_abbattimento;
  }
  void abbassa(std::int64_t i) {
    cella& c = s_.celle[i];
    c.valore1 = minimo(cammino::valore_abbattimento, c.valore1);
  }
  void senza_posto(std::int32_t codice, std::int64_t posizione, const RegolaSenzaPosto& r) {
    segna_regola(s_, r);
    s_.registra(codice, static_cast<std::int32_t>(posizione));
  }

 private:
  Scenario& s_;
};

}  // namespace

void elabora_celle(Scenario& s) {
  CelleDelModello celle(s);
  cammino::cammina(celle, s.n_celle);
}

}  // namespace tracciato
