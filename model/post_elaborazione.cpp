#include "model/post_elaborazione.h"

#include <string>

#include "model/diagnostica.h"
#include "model/scenario.h"
#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

constexpr std::int16_t valore_abbattimento = 180;

void piazza_abbattimento(cella& c) {
  c.evento = event::abatement;
  c.valore1 = valore_abbattimento;
}

// An abatement in one of the two cells before the signal in cell `segnale`: a free
// cell first; failing that, an abatement already there is lowered to at most 180.
void regola_avviso(Scenario& s, std::int64_t segnale, std::int64_t cartello) {
  cella& prima = s.celle[segnale - 1];
  cella& seconda = s.celle[segnale - 2];
  if (is_free(prima)) {
    piazza_abbattimento(prima);
  } else if (is_free(seconda)) {
    piazza_abbattimento(seconda);
  } else if (prima.evento == event::abatement) {
    prima.valore1 = minimo(valore_abbattimento, prima.valore1);
  } else if (seconda.evento == event::abatement) {
    seconda.valore1 = minimo(valore_abbattimento, seconda.valore1);
  } else {
    mark_rule(s, {segnale, cartello, segnale - 2, segnale - 1});
    s.record(Code::no_room_before_signal, segnale * 50);
  }
}

// Every signal up to 20 cells before the warning board in cell i, none below cell 3.
void regola_cartello(Scenario& s, std::int64_t i) {
  for (std::int64_t p = 1; p <= 20; ++p) {
    if (i - p < 3) break;
    if (s.celle[i - p].evento == event::signal) regola_avviso(s, i - p, i);
  }
}

// Three windows before the slow-down start in cell i, each taking its first free cell.
void regola_approccio(Scenario& s, std::int64_t i) {
  for (std::int64_t vicino : {5, 11, 18}) {
    const std::int64_t lontano = vicino + 2;
    if (i <= lontano) continue;
    bool piazzato = false;
    for (std::int64_t d = vicino; d <= lontano && !piazzato; ++d) {
      if (is_free(s.celle[i - d])) {
        piazza_abbattimento(s.celle[i - d]);
        piazzato = true;
      }
    }
    if (!piazzato) {
      mark_rule(s, {i, -1, i - lontano, i - vicino});
      s.record(Code::no_room_before_slowdown, i * 50);
    }
  }
}

// A marker every 8 cells from the start in cell i to the slow-down's end, shifted by
// one cell around a busy one. Returns the end cell.
std::int64_t regola_marcatori(Scenario& s, std::int64_t i) {
  std::int64_t conta = 0;
  std::int64_t passo = i;
  do {
    ++passo;
    ++conta;
    if (conta == 8) {
      if (is_free(s.celle[passo])) {
        piazza_abbattimento(s.celle[passo]);
        conta = 0;
      } else if (is_free(s.celle[passo - 1])) {
        piazza_abbattimento(s.celle[passo - 1]);
        conta = 1;
      } else if (is_free(s.celle[passo + 1])) {
        piazza_abbattimento(s.celle[passo + 1]);
        conta = -1;
      } else {
        mark_rule(s, {i, -1, passo - 1, passo + 1});
        s.record(Code::no_room_in_slowdown, passo * 50);  // conta stays 8: no further marker here
      }
    }
  } while (s.celle[passo].evento != event::slowdown_end);
  return passo;
}

// An abatement before the first signal within 12 cells after the end cell t.
void regola_uscita(Scenario& s, std::int64_t t) {
  for (std::int64_t cella_rif = t; cella_rif <= t + 12; ++cella_rif) {
    if (s.celle[cella_rif].evento != event::signal) continue;
    if (is_free(s.celle[cella_rif - 1])) {
      piazza_abbattimento(s.celle[cella_rif - 1]);
    } else if (is_free(s.celle[cella_rif - 2])) {
      piazza_abbattimento(s.celle[cella_rif - 2]);
    } else {
      mark_rule(s, {t, cella_rif, cella_rif - 2, cella_rif - 1});
      s.record(Code::no_room_in_slowdown, t * 50);
    }
    return;
  }
}

void regole_rallentamento(Scenario& s, std::int64_t i) {
  regola_approccio(s, i);
  if (s.celle[i].valore1 >= 110) return;
  try {
    regola_uscita(s, regola_marcatori(s, i));
  } catch (const RuntimeFailure& failure) {
    // A start without an end board after it runs the scan off the cells: say which.
    throw RuntimeFailure("slow-down starting in cell " + std::to_string(i) + " (" +
                         std::to_string((i - 1) * 50) + " m): scan past the last cell: " +
                         failure.what());
  }
}

}  // namespace

void post_process(Scenario& s) {
  const std::int64_t ultima = static_cast<std::int64_t>(s.n_celle) - 2;
  for (std::int64_t indice = 1; indice <= ultima; ++indice) {
    if (s.celle[indice].evento == event::warning_board) regola_cartello(s, indice);
    if (s.celle[indice].evento == event::slowdown_start) regole_rallentamento(s, indice);
  }
}

}  // namespace tracciato
