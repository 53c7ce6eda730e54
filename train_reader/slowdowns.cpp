#include "train_reader/slowdowns.h"

#include <utility>

#include "model/diagnostica.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"

namespace tracciato {

bool memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v) {
  const bool con_avviso = x > 1500;
  const std::int64_t avviso = Scenario::cell_of(std::int64_t{x} - 1200);
  const std::int64_t inizio = Scenario::cell_of(x);
  const std::int64_t fine = Scenario::cell_of(std::int64_t{x} + l);
  if (con_avviso) {
    if (!is_free(s.celle[avviso])) {
      s.record(Code::warning_board_cell_busy, x);
      return true;
    }
  } else {
    f_ta = 0;
  }
  if (!is_free(s.celle[inizio])) {
    s.record(Code::slowdown_start_cell_busy, x);
    return true;
  }
  if (!is_free(s.celle[fine])) {
    s.record(Code::slowdown_end_cell_busy, x);
    return true;
  }
  const std::int16_t velocita = low16(v);
  s.celle[fine].evento = event::slowdown_end;
  if (d_v != 0) s.celle[fine].valore2 = low16(d_v);
  s.celle[inizio].evento = event::slowdown_start;
  if (d_v != 0) s.celle[inizio].valore2 = low16(d_v);
  if (con_avviso) {
    cella& c = s.celle[avviso];
    c.evento = event::warning_board;
    if (d_v != 0) c.valore2 = low16(d_v);
    c.valore1 = velocita;
  }
  for (std::int64_t bordo : {inizio, fine}) {
    s.celle[bordo].valore1 = velocita;
    s.celle[bordo].valore3 = low16(f_tt);
  }
  const std::int64_t cella_rif = round_half_even(std::int64_t{x} - 1200, 50);
  if (f_ta == 0) return false;
  int esito = 0;
  for (std::int64_t k = cella_rif; k > cella_rif - 4; --k)
    if (!is_free(s.celle[k])) esito = 1;
  if (esito == 1) {
    s.record(Code::approach_cells_busy, x);
    return true;
  }
  for (std::int16_t rango = 1; rango <= 4; ++rango) {
    cella& c = s.celle[cella_rif - (rango - 1)];
    c.evento = event::approach_cell;
    c.valore1 = rango;
    if (d_v != 0) c.valore2 = rango;
  }
  return false;
}

LineOutcome read_slowdown(Scenario& s, FieldInput& in) {
  const std::int32_t x = in.read_long();
  const std::int32_t v = in.read_long();
  const std::int32_t l = in.read_long();
  const std::int32_t f_tt = in.read_long();
  const std::int32_t f_ta = in.read_long();
  const std::int32_t d_v = in.read_long();
  if (!s.within_cells(x, 100)) {
    s.record(Code::beyond_the_model, x);
    return LineOutcome::soft_stop;
  }
  if (s.trail) {
    check_route_end(s, x);
    check_length(s, "the slow-down", l);
    if (x <= 1500) warn_warning_board_left_out(s, x);
    for (const auto& [what, v] : {std::pair{"v", v}, std::pair{"d_v", d_v}, std::pair{"f_tt", f_tt}})
      if (v != low16(v)) warn_value_cut(s, what, v, low16(v));
  }
  if (memo_rallentamento(s, x, v, l, f_tt, f_ta, d_v)) return LineOutcome::error_exit;
  if (s.trail) {
    // The cells the slow-down placed, in the order memo_rallentamento wrote them.
    mark_cell(s, Scenario::cell_of(std::int64_t{x} + l));
    mark_cell(s, Scenario::cell_of(x));
    if (x > 1500) {
      mark_cell(s, Scenario::cell_of(std::int64_t{x} - 1200));
      const std::int64_t k = round_half_even(std::int64_t{x} - 1200, 50);
      if (f_ta != 0)
        for (std::int64_t i = 0; i < 4; ++i) mark_cell(s, k - i);
    }
  }
  return LineOutcome::next;
}

LineOutcome read_abatement(Scenario& s, FieldInput& in) {
  const std::int32_t p = in.read_long();
  const std::int32_t valore = in.read_long();
  if (!s.within_cells(p, 100)) {
    s.record(Code::beyond_the_model, p);
    return LineOutcome::soft_stop;
  }
  check_route_end(s, p);
  if (valore > 0 && valore != low16(valore)) warn_value_cut(s, "abatement value", valore, low16(valore));
  cella& c = s.celle[round_half_even(p, 50)];
  if (!is_free(c)) {
    s.record(Code::abatement_cell_busy, p);
    return LineOutcome::error_exit;
  }
  if (valore > 0) {
    c.evento = event::abatement;
    c.valore1 = low16(valore);
  } else {
    c.evento = event::bare_abatement;
  }
  mark_cell(s, round_half_even(p, 50));
  return LineOutcome::next;
}

}  // namespace tracciato
