#include "model/post_elaborazione.h"

#include "model/diagnostica.h"
#include "model/scenario.h"
#include "model/walk_rules.h"

namespace tracciato {

namespace {

// The walk's picture of the cells is the model itself.
class ModelCells {
 public:
  explicit ModelCells(Scenario& s) : s_(s) {}

  std::uint8_t evento(std::int64_t i) const { return s_.celle[i].evento; }
  std::int16_t valore1(std::int64_t i) const { return s_.celle[i].valore1; }
  bool is_free(std::int64_t i) const { return tracciato::is_free(s_.celle[i]); }
  void place(std::int64_t i) {
    cella& c = s_.celle[i];
    c.evento = event::abatement;
    c.valore1 = walk::abatement_value;
  }
  void lower(std::int64_t i) {
    cella& c = s_.celle[i];
    c.valore1 = minimo(walk::abatement_value, c.valore1);
  }
  void failing(std::int64_t i) { blame_cell(s_, i); }
  void no_room(Code code, std::int64_t metres, const NoRoom& r) {
    mark_rule(s_, r);
    s_.record(code, static_cast<std::int32_t>(metres));
  }

 private:
  Scenario& s_;
};

}  // namespace

void post_process(Scenario& s) {
  ModelCells cells(s);
  walk::walk(cells, s.n_celle);
}

}  // namespace tracciato
