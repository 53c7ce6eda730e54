#pragma once

#include <cstdint>
#include <string>

#include "model/diagnostica.h"
#include "model/scenario.h"
#include "platform/runtime_failure.h"

namespace tracciato {

// The rules of the walk over the track cells (elabora_celle), written once over any
// picture of the cells, so that whoever must know what the walk does to a picture runs
// these very rules. `Celle` gives:
//   std::uint8_t evento(std::int64_t i)       the event of cell i
//   std::int16_t valore1(std::int64_t i)      its first value
//   bool libera(std::int64_t i)               event 0 or 11
//   void piazza(std::int64_t i)               an abatement of 180 into a free cell
//   void abbassa(std::int64_t i)              valore1 := minimo(180, valore1)
//   void senza_posto(std::int32_t codice, std::int64_t posizione, const RegolaSenzaPosto&)
//                                             a rule found no room (11, 12, 13)
// Each reading of a cell outside the table is a run-time failure (RuntimeFailure).
namespace cammino {

inline constexpr std::int16_t valore_abbattimento = 180;

// An abatement in one of the two cells before the signal in cell `segnale`: a free
// cell first; failing that, an abatement already there is lowered to at most 180.
template <class Celle>
void regola_avviso(Celle& c, std::int64_t segnale, std::int64_t cartello) {
  if (c.libera(segnale - 1)) {
    c.piazza(segnale - 1);
  } else if (c.libera(segnale - 2)) {
    c.piazza(segnale - 2);
  } else if (c.evento(segnale - 1) == evento::abbattimento) {
    c.abbassa(segnale - 1);
  } else if (c.evento(segnale - 2) == evento::abbattimento) {
    c.abbassa(segnale - 2);
  } else {
    c.senza_posto(11, segnale * 50, {segnale, cartello, segnale - 2, segnale - 1});
  }
}

// Every signal up to 20 cells before the warning board in cell i, none below cell 3.
template <class Celle>
void regola_cartello(Celle& c, std::int64_t i) {
  for (std::int64_t p = 1; p <= 20; ++p) {
    if (i - p < 3) break;
    if (c.evento(i - p) == evento::segnale) regola_avviso(c, i - p, i);
  }
}

// Three windows before the slow-down start in cell i, each taking its first free cell.
template <class Celle>
void regola_approccio(Celle& c, std::int64_t i) {
  for (std::int64_t vicino : {5, 11, 18}) {
    const std::int64_t lontano = vicino + 2;
    if (i <= lontano) continue;
    bool piazzato = false;
    for (std::int64_t d = vicino; d <= lontano && !piazzato; ++d) {
      if (c.libera(i - d)) {
        c.piazza(i - d);
        piazzato = true;
      }
    }
    if (!piazzato) c.senza_posto(12, i * 50, {i, -1, i - lontano, i - vicino});
  }
}

// A marker every 8 cells from the start in cell i to the slow-down's end, shifted by
// one cell around a busy one. Returns the end cell.
template <class Celle>
std::int64_t regola_marcatori(Celle& c, std::int64_t i) {
  std::int64_t conta = 0;
  std::int64_t passo = i;
  do {
    ++passo;
    ++conta;
    if (conta == 8) {
      if (c.libera(passo)) {
        c.piazza(passo);
        conta = 0;
      } else if (c.libera(passo - 1)) {
        c.piazza(passo - 1);
        conta = 1;
      } else if (c.libera(passo + 1)) {
        c.piazza(passo + 1);
        conta = -1;
      } else {
        c.senza_posto(13, passo * 50, {i, -1, passo - 1, passo + 1});  // conta stays 8
      }
    }
  } while (c.evento(passo) != evento::fine_rallentamento);
  return passo;
}

// An abatement before the first signal within 12 cells after the end cell t.
template <class Celle>
void regola_uscita(Celle& c, std::int64_t t) {
  for (std::int64_t cella_rif = t; cella_rif <= t + 12; ++cella_rif) {
    if (c.evento(cella_rif) != evento::segnale) continue;
    if (c.libera(cella_rif - 1)) {
      c.piazza(cella_rif - 1);
    } else if (c.libera(cella_rif - 2)) {
      c.piazza(cella_rif - 2);
    } else {
      c.senza_posto(13, t * 50, {t, cella_rif, cella_rif - 2, cella_rif - 1});
    }
    return;
  }
}

template <class Celle>
void regole_rallentamento(Celle& c, std::int64_t i) {
  regola_approccio(c, i);
  if (c.valore1(i) >= 110) return;
  try {
    regola_uscita(c, regola_marcatori(c, i));
  } catch (const RuntimeFailure& failure) {
    // A start without an end board after it runs the scan off the cells: say which.
    throw RuntimeFailure("slow-down starting in cell " + std::to_string(i) + " (" +
                         std::to_string((i - 1) * 50) + " m): scan past the last cell: " +
                         failure.what());
  }
}

// The walk itself: cells 1 .. n_celle - 2 (the bound taken once), a warning board's
// rule, then a slow-down start's rules.
template <class Celle>
void cammina(Celle& c, std::int64_t n_celle) {
  const std::int64_t ultima = n_celle - 2;
  for (std::int64_t indice = 1; indice <= ultima; ++indice) {
    if (c.evento(indice) == evento::avviso_rallentamento) regola_cartello(c, indice);
    if (c.evento(indice) == evento::inizio_rallentamento) regole_rallentamento(c, indice);
  }
}

}  // namespace cammino
}  // namespace tracciato
