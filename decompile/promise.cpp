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
  for (std::int64_t k = 1; k < entry::first_signboard; ++k) {
    const voce& v = s.voci[k];
    if (v.posizione == position && v.genere == 0 && v.inizio_area == 0 && v.fine_area == 0 &&
        v.nome.empty())
      return true;
  }
  return false;
}

bool plan_reached_last_curve_metre(const Scenario& s) {
  return s.con_planimetria != 0 && s.planimetria.allocated() &&
         s.planimetria.upper() >= last_curve_metre &&
         s.planimetria(last_curve_metre, 0).kind != PlanValue::Kind::Empty;
}

}  // namespace

void PromiseWatch::attach(Scenario& s) {
  s.trail = &trail_;
  s.observer = [this, &s](const Scenario::Record& r) {
    switch (r.code) {
      case Code::route_too_long:
      case Code::repetition_start_off_grid:
      case Code::repetition_end_off_grid:
      case Code::repetition_codes_unnamed:
      case Code::station_off_grid:
      case Code::station_length_off_grid:
      case Code::too_many_stations:
      case Code::approach_cells_busy:
      case Code::stations_too_close:
      case Code::stop_cell_too_low:
      case Code::reading_failure:
        part_way_.push_back(number_of(r.code));
        break;
      case Code::beyond_the_model:
        if (r.position && station_position_stored(s, *r.position)) part_way_.push_back(15);
        break;
      case Code::curve_fault:
        if (plan_reached_last_curve_metre(s)) part_way_.push_back(103);
        break;
      default:
        break;
    }
  };
}

std::optional<std::string> PromiseWatch::outside(const Scenario& s) const {
  if (!trail_.stops_over_events.empty())
    return "a station's stop cell (cell " + std::to_string(trail_.stops_over_events.front()) +
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
