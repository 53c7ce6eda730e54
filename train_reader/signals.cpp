#include "train_reader/signals.h"

#include <utility>

#include "model/diagnostica.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"

namespace tracciato {

bool memo_segnale(Scenario& s, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                  std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx,
                  std::int32_t d1, std::int32_t d2, std::int32_t d3, std::int32_t& tempo) {
  const std::int64_t i = Scenario::cell_of(posizione);
  if (!is_free(s.celle[i])) {
    s.record(Code::signal_cell_busy, posizione);
    return true;
  }
  cella& c = s.celle[i];
  const std::int64_t lati = std::int64_t{sx} * 3 + dx;
  c.evento = event::signal;
  c.valore4 = low16(std::int64_t{rapp} * 10 + lati);
  c.valore1 = low16(std::int64_t{s1} * 10 + d1);
  c.valore2 = low16(std::int64_t{s2} * 10 + d2);
  c.valore3 = low16(std::int64_t{s3} * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c.tempo = sx == 2 ? low8(tempo) : 0;
  // The markers are written whatever the cells hold; one outside the table fails
  // after the earlier ones are written.
  for (std::int64_t ripetizione = 1; ripetizione <= 4; ++ripetizione)
    s.celle[i - 2 * ripetizione].avviso = low8(lati * 10 + ripetizione);
  return false;
}

LineOutcome read_signal(Scenario& s, FieldInput& in) {
  const std::int32_t posizione = in.read_long();
  const std::int32_t sx = in.read_long();
  const std::int32_t s1 = in.read_long();
  const std::int32_t s2 = in.read_long();
  const std::int32_t s3 = in.read_long();
  const std::int32_t rapp = in.read_long();
  const std::int32_t dx = in.read_long();
  const std::int32_t d1 = in.read_long();
  const std::int32_t d2 = in.read_long();
  const std::int32_t d3 = in.read_long();
  std::int32_t tempo = in.read_long();
  if (!s.within_cells(posizione, 100)) {
    s.record(Code::beyond_the_model, posizione);
    return LineOutcome::soft_stop;
  }
  if (s.trail) {
    check_route_end(s, posizione);
    const std::int64_t lati = std::int64_t{sx} * 3 + dx;
    const std::pair<const char*, std::int64_t> values[] = {
        {"valore1 (s1 x 10 + d1)", std::int64_t{s1} * 10 + d1},
        {"valore2 (s2 x 10 + d2)", std::int64_t{s2} * 10 + d2},
        {"valore3 (s3 x 10 + d3)", std::int64_t{s3} * 10 + d3},
        {"valore4 (rapp x 10 + sx x 3 + dx)", std::int64_t{rapp} * 10 + lati}};
    for (const auto& [what, v] : values)
      if (v != low16(v)) warn_value_cut(s, what, v, low16(v));
    const std::int64_t t = tempo >= 1 && tempo <= 100 ? 101 : tempo;
    if (sx == 2 && t != low8(t)) warn_value_cut(s, "tempo", t, low8(t));
    if (lati * 10 + 4 > 255 || lati * 10 + 1 < 0)
      warn_value_cut(s, "approach marker ((sx x 3 + dx) x 10 + 1 to 4)", lati * 10 + 1,
                     low8(lati * 10 + 1));
  }
  if (memo_segnale(s, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo))
    return LineOutcome::error_exit;
  mark_cell(s, Scenario::cell_of(posizione));
  return LineOutcome::next;
}

}  // namespace tracciato
