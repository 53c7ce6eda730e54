#include "train_reader/slowdowns.h"

#include "model/diagnostica.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"

namespace tracciato {

bool memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v) {
  const bool con_avviso = x > 1500;
  const std::int64_t avviso = Scenario::cella_di(std::int64_t{x} - 1200);
  const std::int64_t inizio = Scenario::cella_di(x);
  const std::int64_t fine = Scenario::cella_di(std::int64_t{x} + l);
  if (con_avviso) {
    if (!libera(s.celle[avviso])) {
      s.registra(17, x);
      return true;
    }
  } else {
    f_ta = 0;
  }
  if (!libera(s.celle[inizio])) {
    s.registra(18, x);
    return true;
  }
  if (!libera(s.celle[fine])) {
    s.registra(19, x);
    return true;
  }
  const std::int16_t velocita = basso16(v);
  s.celle[fine].evento = evento::fine_rallentamento;
  if (d_v != 0) s.celle[fine].valore2 = basso16(d_v);
  s.celle[inizio].evento = evento::inizio_rallentamento;
  if (d_v != 0) s.celle[inizio].valore2 = basso16(d_v);
  if (con_avviso) {
    cella& c = s.celle[avviso];
    c.evento = evento::avviso_rallentamento;
    if (d_v != 0) c.valore2 = basso16(d_v);
    c.valore1 = velocita;
  }
  for (std::int64_t bordo : {inizio, fine}) {
    s.celle[bordo].valore1 = velocita;
    s.celle[bordo].valore3 = basso16(f_tt);
  }
  const std::int64_t cella_rif = arrotonda(std::int64_t{x} - 1200, 50);
  if (f_ta == 0) return false;
  int esito = 0;
  for (std::int64_t k = cella_rif; k > cella_rif - 4; --k)
    if (!libera(s.celle[k])) esito = 1;
  if (esito == 1) {
    s.registra(20, x);
    return true;
  }
  for (std::int16_t rango = 1; rango <= 4; ++rango) {
    cella& c = s.celle[cella_rif - (rango - 1)];
    c.evento = evento::preavviso_rallentamento;
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
  if (!s.entro_celle(x, 100)) {
    s.registra(15, x);
    return LineOutcome::soft_stop;
  }
  if (memo_rallentamento(s, x, v, l, f_tt, f_ta, d_v)) return LineOutcome::error_exit;
  if (s.diagnostica) {
    // The cells the slow-down placed, in the order memo_rallentamento wrote them.
    segna_cella(s, Scenario::cella_di(std::int64_t{x} + l));
    segna_cella(s, Scenario::cella_di(x));
    if (x > 1500) {
      segna_cella(s, Scenario::cella_di(std::int64_t{x} - 1200));
      const std::int64_t k = arrotonda(std::int64_t{x} - 1200, 50);
      if (f_ta != 0)
        for (std::int64_t i = 0; i < 4; ++i) segna_cella(s, k - i);
    }
  }
  return LineOutcome::next;
}

LineOutcome read_abatement(Scenario& s, FieldInput& in) {
  const std::int32_t p = in.read_long();
  const std::int32_t valore = in.read_long();
  if (!s.entro_celle(p, 100)) {
    s.registra(15, p);
    return LineOutcome::soft_stop;
  }
  cella& c = s.celle[arrotonda(p, 50)];
  if (!libera(c)) {
    s.registra(7, p);
    return LineOutcome::error_exit;
  }
  if (valore > 0) {
    c.evento = evento::abbattimento;
    c.valore1 = basso16(valore);
  } else {
    c.evento = evento::abbattimento_senza_valore;
  }
  segna_cella(s, arrotonda(p, 50));
  return LineOutcome::next;
}

}  // namespace tracciato
