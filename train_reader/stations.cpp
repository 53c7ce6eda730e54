#include "train_reader/stations.h"

#include "model/diagnostica.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "platform/field_input.h"

namespace tracciato {

namespace {

bool senza_avvisi(std::uint8_t genere) { return genere == 5 || genere == 6 || genere >= 25; }

// The station area by kind; `lunghezza` is a multiple of 100 here.
void area(voce& v, std::int64_t p, std::int64_t lunghezza) {
  switch (v.genere) {
    case 5:
    case 6:
      v.fine_area = low32(p + 150);
      v.inizio_area = low32(p - lunghezza);
      v.opz4 = 0;
      break;
    case 7:
    case 8:
      v.inizio_area = low32(p - lunghezza);
      v.fine_area = low32(p + lunghezza);
      v.opz4 = 0;
      break;
    default:
      v.inizio_area = round_to<std::int32_t>(2 * p - lunghezza, 2, "inizio_area");
      v.fine_area = round_to<std::int32_t>(2 * p + lunghezza + (v.opz4 != 0 ? 100 : 0), 2,
                                              "fine_area");
      break;
  }
  if (lunghezza < 600) v.opz5 = 0;
}

}  // namespace

LineOutcome read_station(Scenario& s, FieldInput& in, std::int32_t& numero) {
  // With 80 or more signboards the entry a first station would take already holds a
  // board text (the boards fill slot + 1 .. 80): refuse the station before anything of
  // it is stored, rather than lose the text.
  if (numero > s.signboard_slot) {
    s.record(Code::too_many_stations);
    return LineOutcome::error_exit;
  }
  voce& v = s.voci[numero];
  v.posizione = in.read_long();
  const std::int32_t p = v.posizione;
  if (!s.within_cells(p, 800)) {
    s.record(Code::beyond_the_model, p);
    return LineOutcome::soft_stop;
  }
  check_route_end(s, p);
  if (p % 50 != 0) {
    s.record(Code::station_off_grid, p);
    return LineOutcome::error_exit;
  }
  v.genere = in.read_byte();
  const std::int32_t indice = in.read_long();  // the length, not stored
  if (indice % 100 != 0) {
    s.record(Code::station_length_off_grid, p);
    return LineOutcome::error_exit;
  }
  check_length(s, "the station", indice);
  v.opz1 = in.read_byte();
  v.opz5 = in.read_byte();
  v.opz4 = in.read_byte();
  v.par1 = in.read_integer();
  v.par2 = in.read_integer();
  v.opz2 = in.read_byte();
  v.par3 = in.read_integer();
  v.par4 = in.read_integer();
  v.par5 = in.read_integer();
  v.opz3 = in.read_byte();
  const std::int64_t ore = in.read_long();
  const std::int64_t minuti = in.read_long();
  const std::int64_t secondi = in.read_long();
  const std::int64_t seconds_of_day = (ore * 60 + minuti) * 60 + secondi;
  v.orario = low32(seconds_of_day);
  if (v.orario != seconds_of_day)
    warn_value_cut(s, "timetable time in seconds", seconds_of_day, v.orario);
  v.nome = in.read_text();

  area(v, p, indice);
  if (numero == 1) {
    v.opz4 = 0;
    v.opz5 = 0;
  }

  // The stop cell is e / 50 - 1 with e the area end; the markers stand before it.
  const std::int64_t e = v.fine_area;
  if (!senza_avvisi(v.genere)) {
    for (std::int64_t passo = 1; passo <= 4; ++passo) {
      const std::int64_t prima = e - 50 - 50 * passo;  // 50 * (stop cell - passo)
      if (prima > 50) s.celle[round_half_even(prima, 50)].avviso = low8(80 + passo);
    }
  }
  if (v.genere < 25) {
    if (e <= 100) {
      s.record(Code::stop_cell_too_low);
      return LineOutcome::error_exit;
    }
    const std::int64_t indice = round_half_even(e - 50, 50);
    mark_stop_cell(s, indice);
    cella& fermata = s.celle[indice];
    fermata.evento = event::station;
    fermata.valore1 = low16(numero);
    mark_cell(s, indice);
  }

  if (numero > 1 && std::int64_t{v.inizio_area} - 350 < s.voci[numero - 1].fine_area) {
    s.record(Code::stations_too_close, p);
    return LineOutcome::error_exit;
  }
  ++numero;
  if (numero >= s.signboard_slot) {
    s.record(Code::too_many_stations);
    return LineOutcome::error_exit;
  }
  return LineOutcome::next;
}

}  // namespace tracciato
