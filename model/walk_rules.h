#pragma once

#include <cstdint>
#include <string>

#include "model/diagnostica.h"
#include "model/register_codes.h"
#include "model/scenario.h"
#include "platform/runtime_failure.h"

namespace tracciato::walk {

// The rules of the walk over the track cells (post_process), written once over any
// picture of the cells, so that whoever must know what the walk does to a picture runs
// these very rules. `Cells` gives:
//   std::uint8_t evento(std::int64_t i)     the event of cell i
//   std::int16_t valore1(std::int64_t i)    its first value
//   bool is_free(std::int64_t i)            event 0 or 11
//   void place(std::int64_t i)              an abatement of 180 into a free cell
//   void lower(std::int64_t i)              valore1 := minimo(180, valore1)
//   void no_room(Code, std::int64_t metres, const NoRoom&)
//                                           a rule found no room (11, 12, 13)
//   void failing(std::int64_t i)            the rules of the slow-down starting in cell i
//                                           are about to fail (no end board after it)
// Each reading of a cell outside the table is a run-time failure (RuntimeFailure).

inline constexpr std::int16_t abatement_value = 180;

// Board rule: an abatement in one of the two cells before the signal in cell `signal`:
// a free cell first; failing that, an abatement already there is lowered to 180.
template <class Cells>
void abatement_before_signal(Cells& c, std::int64_t signal, std::int64_t board) {
  if (c.is_free(signal - 1)) {
    c.place(signal - 1);
  } else if (c.is_free(signal - 2)) {
    c.place(signal - 2);
  } else if (c.evento(signal - 1) == event::abatement) {
    c.lower(signal - 1);
  } else if (c.evento(signal - 2) == event::abatement) {
    c.lower(signal - 2);
  } else {
    c.no_room(Code::no_room_before_signal, signal * 50, {signal, board, signal - 2, signal - 1});
  }
}

// Every signal up to 20 cells before the warning board in cell i, none below cell 3.
template <class Cells>
void board_rule(Cells& c, std::int64_t i) {
  for (std::int64_t p = 1; p <= 20; ++p) {
    if (i - p < 3) break;
    if (c.evento(i - p) == event::signal) abatement_before_signal(c, i - p, i);
  }
}

// Approach rule: three windows before the slow-down start in cell i, each taking its
// first free cell.
template <class Cells>
void approach_rule(Cells& c, std::int64_t i) {
  for (std::int64_t near : {5, 11, 18}) {
    const std::int64_t far = near + 2;
    if (i <= far) continue;
    bool placed = false;
    for (std::int64_t d = near; d <= far && !placed; ++d) {
      if (c.is_free(i - d)) {
        c.place(i - d);
        placed = true;
      }
    }
    if (!placed) c.no_room(Code::no_room_before_slowdown, i * 50, {i, -1, i - far, i - near});
  }
}

// Marker rule: a marker every 8 cells from the start in cell i to the slow-down's end,
// shifted by one cell around a busy one. Returns the end cell.
template <class Cells>
std::int64_t marker_rule(Cells& c, std::int64_t i) {
  std::int64_t conta = 0;
  std::int64_t passo = i;
  do {
    ++passo;
    ++conta;
    if (conta == 8) {
      if (c.is_free(passo)) {
        c.place(passo);
        conta = 0;
      } else if (c.is_free(passo - 1)) {
        c.place(passo - 1);
        conta = 1;
      } else if (c.is_free(passo + 1)) {
        c.place(passo + 1);
        conta = -1;
      } else {
        // conta stays 8: no further marker in this slow-down
        c.no_room(Code::no_room_in_slowdown, passo * 50, {i, -1, passo - 1, passo + 1});
      }
    }
  } while (c.evento(passo) != event::slowdown_end);
  return passo;
}

// Exit rule: an abatement before the first signal within 12 cells after the end cell t.
template <class Cells>
void exit_rule(Cells& c, std::int64_t t) {
  for (std::int64_t cella_rif = t; cella_rif <= t + 12; ++cella_rif) {
    if (c.evento(cella_rif) != event::signal) continue;
    if (c.is_free(cella_rif - 1)) {
      c.place(cella_rif - 1);
    } else if (c.is_free(cella_rif - 2)) {
      c.place(cella_rif - 2);
    } else {
      c.no_room(Code::no_room_in_slowdown, t * 50, {t, cella_rif, cella_rif - 2, cella_rif - 1});
    }
    return;
  }
}

// The rules of a slow-down start: the approach windows, then, below 110 km/h, the
// markers inside and the abatement after it.
template <class Cells>
void slowdown_rules(Cells& c, std::int64_t i) {
  approach_rule(c, i);
  if (c.valore1(i) >= 110) return;
  try {
    exit_rule(c, marker_rule(c, i));
  } catch (const RuntimeFailure& failure) {
    // A start without an end board after it runs the scan off the cells: say which.
    c.failing(i);
    throw failure.retold("slow-down starting in cell " + std::to_string(i) + " (" +
                         std::to_string((i - 1) * 50) + " m): scan past the last cell: " +
                         failure.what());
  }
}

// The walk itself: cells 1 .. n_celle - 2 (the bound taken once), a warning board's
// rule, then a slow-down start's rules.
template <class Cells>
void walk(Cells& c, std::int64_t n_celle) {
  const std::int64_t ultima = n_celle - 2;
  for (std::int64_t indice = 1; indice <= ultima; ++indice) {
    if (c.evento(indice) == event::warning_board) board_rule(c, indice);
    if (c.evento(indice) == event::slowdown_start) slowdown_rules(c, indice);
  }
}

}  // namespace tracciato::walk
