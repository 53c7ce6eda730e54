#include "decompile/promise.h"

#include "model/scenario.h"

namespace tracciato::decompile {

namespace {

constexpr std::int64_t last_curve_metre = 1000000;

// A station's position goes into its entry before the range check: the one entry that
// holds a position and nothing a whole station stores. Only a position other than 0
// changed the cleared entry.
bool station_position_stored(const Scenario& s, std::int32_t position) {
  if (position == 0) return false;
  for (std::int64_t k = 1; k < voce_n::primo_cartello; ++k) {
    const voce& v = s.voci[k];
    if (v.posizione == position && v.genere == 0 && v.inizio_area == 0 && v.fine_area == 0 &&
        v.nome.empty())
      return true;
  }
  return false;
}

bool plan_reached_last_curve_metre(const Scenario& s) {
  return s.con_planimetria != 0 && s.planimetria.allocata() &&
         s.planimetria.superiore() >= last_curve_metre &&
         s.planimetria(last_curve_metre, 0).tipo != Valore::Tipo::vuoto;
}

}  // namespace

void PromiseWatch::attach(Scenario& s) {
  s.diagnostica = &diagnostica_;
  s.osservatore = [this, &s](const Scenario::Registrazione& r) {
    switch (r.codice) {
      case 1:
      case 3:
      case 4:
      case 5:
      case 8:
      case 9:
      case 10:
      case 20:
      case 22:
      case 24:
      case 25:
        part_way_.push_back(r.codice);
        break;
      case 15:
        if (r.posizione && station_position_stored(s, *r.posizione)) part_way_.push_back(15);
        break;
      case 103:
        if (plan_reached_last_curve_metre(s)) part_way_.push_back(103);
        break;
      default:
        break;
    }
  };
}

std::optional<std::string> PromiseWatch::outside(const Scenario& s) const {
  if (!diagnostica_.fermate_su_eventi.empty())
    return "a station's stop cell (cell " + std::to_string(diagnostica_.fermate_su_eventi.front()) +
           ") falls on an earlier event";
  for (std::int32_t k = 1; k <= s.n_montagne && k <= 80; ++k) {
    if (s.montagna_fine[k] < s.montagna_inizio[k])
      return "mountain span " + std::to_string(k) + " ends before it starts";
    if (k > 1 && s.montagna_inizio[k] < s.montagna_fine[k - 1])
      return "mountain span " + std::to_string(k) + " starts before the end of the one before";
  }
  if (!part_way_.empty())
    return "a line failed part way (code " + std::to_string(part_way_.front()) + ")";
  return std::nullopt;
}

}  // namespace tracciato::decompile
