#include "route_reader/general_section.h"

#include <array>

#include "model/diagnostica.h"
#include "model/entry_kinds.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"
#include "platform/field_input.h"

namespace tracciato {

namespace {

constexpr std::int32_t lunghezza_massima = 1000000;
constexpr std::int32_t oltre_la_fine = 7000;

// The three numbers of a progressive go straight into the entry, one by one as read.
void leggi_progressiva(Scenario& s, FieldInput& in, int entry) {
  voce& v = s.voci[entry];
  v.inizio_area = in.read_long();
  v.fine_area = in.read_long();
  v.posizione = in.read_long();
  mark_progressive(s, entry);
}

struct Terna {
  std::int32_t v1 = 0, v2 = 0, v3 = 0;
};

Terna terna_di(const voce& v) { return {v.inizio_area, v.fine_area, v.posizione}; }

}  // namespace

LineOutcome lunghezza_percorso(Scenario& s, std::int32_t lunghezza) {
  s.voci[entry::run_data].fine_area = lunghezza;
  if (lunghezza > lunghezza_massima) {
    s.record(Code::route_too_long);
    return LineOutcome::error_exit;
  }
  check_length(s, "the route", lunghezza);
  const std::int64_t estesa = std::int64_t{lunghezza} + oltre_la_fine;
  s.lunghezza_estesa = low32(estesa);
  s.n_celle = round_to<std::int32_t>(estesa, 50, "n_celle");
  s.celle.allocate(s.n_celle);
  if (s.con_planimetria != 0) s.planimetria.allocate(s.lunghezza_estesa);
  return LineOutcome::next;
}

LineOutcome signal_repetition(Scenario& s, const std::string& riga, std::int32_t a,
                            std::int32_t b) {
  voce& v = s.voci[entry::train_header];
  v.inizio_area = a;
  v.fine_area = b;
  if (a % 50 != 0) {
    s.record(Code::repetition_start_off_grid);
    return LineOutcome::error_exit;
  }
  if (b % 50 != 0) {
    s.record(Code::repetition_end_off_grid);
    return LineOutcome::error_exit;
  }
  if (contains(riga, "4")) {
    v.posizione = 4;
  } else if (contains(riga, "9")) {
    v.posizione = 9;
  } else {
    s.record(Code::repetition_codes_unnamed);
    return LineOutcome::error_exit;
  }
  if (b == 0) v.posizione = 0;
  return LineOutcome::next;
}

LineOutcome general_entries(Scenario& s, FieldInput& in) {
  const std::string& riga = s.riga;
  if (recognises(Entry::route_length, riga)) {
    if (lunghezza_percorso(s, in.read_long()) == LineOutcome::error_exit) return LineOutcome::error_exit;
  }
  if (recognises(Entry::progressive_three, riga))
    leggi_progressiva(s, in, entry::progressive_three);
  if (recognises(Entry::progressive_two, riga))
    leggi_progressiva(s, in, entry::progressive_two);
  if (recognises(Entry::progressive_one, riga))
    leggi_progressiva(s, in, entry::progressive_one);
  // Entry 85 keeps the backgrounds in the order 1, 3, 2.
  if (recognises(Entry::background_one, riga))
    s.voci[entry::route_header].inizio_area = in.read_long();
  if (recognises(Entry::background_two, riga))
    s.voci[entry::route_header].posizione = in.read_long();
  if (recognises(Entry::background_three, riga))
    s.voci[entry::route_header].fine_area = in.read_long();
  if (recognises(Entry::signal_repetition, riga)) {
    // The pair is read whole before anything of it is stored.
    const std::int32_t a = in.read_long();
    const std::int32_t b = in.read_long();
    if (signal_repetition(s, riga, a, b) == LineOutcome::error_exit) return LineOutcome::error_exit;
  }
  return LineOutcome::next;
}

void progressive_ordina(Scenario& s) {
  const Terna t = terna_di(s.voci[entry::progressive_three]);
  const Terna d = terna_di(s.voci[entry::progressive_two]);
  const Terna u = terna_di(s.voci[entry::progressive_one]);
  const Terna zero;
  std::array<Terna, 3> ordine{zero, zero, zero};

  const std::int64_t somma = std::int64_t{t.v1} + d.v1 + u.v1;
  if (somma != 0) {
    // Greatest value 1 first; a tie for the greatest leaves all three cleared.
    if (t.v1 > d.v1 && t.v1 > u.v1)
      ordine = d.v1 > u.v1 ? std::array{t, d, u} : std::array{t, u, d};
    else if (d.v1 > t.v1 && d.v1 > u.v1)
      ordine = t.v1 > u.v1 ? std::array{d, t, u} : std::array{d, u, t};
    else if (u.v1 > t.v1 && u.v1 > d.v1)
      ordine = t.v1 > d.v1 ? std::array{u, t, d} : std::array{u, d, t};
  } else {
    // Value 2 decides, each rule replacing the outcome of the one before.
    if (t.v2 > 0) ordine = {t, d, u};
    if (d.v2 > 0) ordine = {d, t, u};
    if (u.v2 > 0) ordine = {u, d, t};
  }

  for (int i = 0; i < 3; ++i) {
    voce& v = s.voci[entry::progressive_three + i];
    v.inizio_area = ordine[i].v1;
    v.fine_area = ordine[i].v2;
    v.posizione = ordine[i].v3;
  }
  for (int entry = entry::progressive_three; entry <= entry::progressive_one; ++entry) {
    voce& v = s.voci[entry];
    if (v.posizione == 1) v.fine_area = low32(std::int64_t{v.fine_area} + 100);
  }
}

}  // namespace tracciato
