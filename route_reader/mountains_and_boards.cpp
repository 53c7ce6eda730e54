#include "route_reader/mountains_and_boards.h"

#include "model/rounding.h"
#include "model/scenario.h"

namespace tracciato {

namespace {

// Side s counted in fives in the hundreds, side d in fives below: 20 * s + d / 5.
std::int16_t velocita_indicate(std::int64_t lato_s, std::int64_t lato_d, const char* campo) {
  return round_to<std::int16_t>(100 * lato_s + lato_d, 5, campo);
}

}  // namespace

void memo_montagna(Scenario& s, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
  std::int32_t passo = 0;
  if (tipo > 10) {
    tipo -= 10;
    passo = 1;
  }
  ++s.n_montagne;
  s.montagna_inizio[s.n_montagne] = inizio;
  s.montagna_fine[s.n_montagne] = fine;
  if (s.n_montagne > 1 &&
      std::int64_t{s.montagna_inizio[s.n_montagne]} - s.montagna_fine[s.n_montagne - 1] <= 150)
    tipo = 3;

  // The last cell is the one before the cell of the span's end.
  const std::int64_t prima = round_half_even(inizio, 50);
  const std::int64_t ultima = round_half_even(std::int64_t{fine} - 50, 50);
  std::int64_t conta = 0;
  for (std::int64_t indice = prima; indice <= ultima; ++indice) {
    cella& c = s.celle[indice];
    c.montagna = low8(tipo);
    ++conta;
    if (passo != 0 && conta % 4 == 0 && c.evento == event::none)
      c.evento = event::mountain_marker;
  }
}

bool memo_indicatori_v_max(Scenario& s, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int32_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int32_t& strisced) {
  cella& c = s.celle[Scenario::cell_of(posizione)];
  if (!is_free(c)) {
    s.record(Code::speed_boards_cell_busy, posizione);
    return true;
  }
  c.evento = event::speed_boards;
  c.valore1 = velocita_indicate(vas, vad, "valore1");
  c.valore2 = velocita_indicate(vbs, vbd, "valore2");
  c.valore3 = velocita_indicate(vcs, vcd, "valore3");
  c.valore4 = low16(10 * std::int64_t{strisces} + strisced);
  return false;
}

bool place_signboard(Scenario& s, std::int32_t posizione, const std::string& testo) {
  cella& c = s.celle[Scenario::cell_of(posizione)];
  if (!is_free(c)) {
    s.record(Code::signboard_cell_busy, posizione);
    return true;
  }
  c.evento = event::signboard;
  c.valore1 = low16(s.signboard_slot);
  s.voci[s.signboard_slot].nome = testo;
  s.signboard_slot = low32(std::int64_t{s.signboard_slot} - 1);
  return false;
}

}  // namespace tracciato
