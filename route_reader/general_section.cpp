#include "route_reader/general_section.h"

#include <array>

#include "model/diagnostica.h"
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
  segna_progressiva(s, entry);
}

struct Terna {
  std::int32_t v1 = 0, v2 = 0, v3 = 0;
};

Terna terna_di(const voce& v) { return {v.inizio_area, v.fine_area, v.posizione}; }

}  // namespace

Seguito lunghezza_percorso(Scenario& s, std::int32_t lunghezza) {
  s.voci[voce_n::dati_corsa].fine_area = lunghezza;
  if (lunghezza > lunghezza_massima) {
    s.registra(1);
    return Seguito::fine;
  }
  const std::int64_t estesa = std::int64_t{lunghezza} + oltre_la_fine;
  s.lunghezza_estesa = basso32(estesa);
  s.n_celle = arrotonda_a<std::int32_t>(estesa, 50, "n_celle");
  s.celle.dimensiona(s.n_celle);
  if (s.con_planimetria != 0) s.planimetria.dimensiona(s.lunghezza_estesa);
  return Seguito::avanti;
}

Seguito ripetizione_segnali(Scenario& s, const std::string& riga, std::int32_t a,
                            std::int32_t b) {
  voce& v = s.voci[voce_n::intestazione_treno];
  v.inizio_area = a;
  v.fine_area = b;
  if (a % 50 != 0) {
    s.registra(3);
    return Seguito::fine;
  }
  if (b % 50 != 0) {
    s.registra(4);
    return Seguito::fine;
  }
  if (contiene(riga, "4")) {
    v.posizione = 4;
  } else if (contiene(riga, "9")) {
    v.posizione = 9;
  } else {
    s.registra(5);
    return Seguito::fine;
  }
  if (b == 0) v.posizione = 0;
  return Seguito::avanti;
}

Seguito voci_generali(Scenario& s, FieldInput& in) {
  const std::string& riga = s.riga;
  if (contiene_ogni_caso(riga, "lunghezza") && contiene_ogni_caso(riga, "percorso")) {
    if (lunghezza_percorso(s, in.read_long()) == Seguito::fine) return Seguito::fine;
  }
  if (contiene(riga, "tre") && contiene(riga, "progressiva"))
    leggi_progressiva(s, in, voce_n::progressiva_tre);
  if (contiene(riga, "due") && contiene(riga, "progressiva"))
    leggi_progressiva(s, in, voce_n::progressiva_due);
  if (contiene(riga, "uno") && contiene(riga, "progressiva"))
    leggi_progressiva(s, in, voce_n::progressiva_uno);
  // Entry 85 keeps the backgrounds in the order 1, 3, 2.
  if (contiene(riga, "sfondo") && contiene(riga, "uno"))
    s.voci[voce_n::intestazione_linea].inizio_area = in.read_long();
  if (contiene(riga, "sfondo") && contiene(riga, "due"))
    s.voci[voce_n::intestazione_linea].posizione = in.read_long();
  if (contiene(riga, "sfondo") && contiene(riga, "tre"))
    s.voci[voce_n::intestazione_linea].fine_area = in.read_long();
  if (contiene(riga, "segnali") && contiene(riga, "ripetizione")) {
    // The pair is read whole before anything of it is stored.
    const std::int32_t a = in.read_long();
    const std::int32_t b = in.read_long();
    if (ripetizione_segnali(s, riga, a, b) == Seguito::fine) return Seguito::fine;
  }
  return Seguito::avanti;
}

void progressive_ordina(Scenario& s) {
  const Terna t = terna_di(s.voci[voce_n::progressiva_tre]);
  const Terna d = terna_di(s.voci[voce_n::progressiva_due]);
  const Terna u = terna_di(s.voci[voce_n::progressiva_uno]);
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
    voce& v = s.voci[voce_n::progressiva_tre + i];
    v.inizio_area = ordine[i].v1;
    v.fine_area = ordine[i].v2;
    v.posizione = ordine[i].v3;
  }
  for (int entry = voce_n::progressiva_tre; entry <= voce_n::progressiva_uno; ++entry) {
    voce& v = s.voci[entry];
    if (v.posizione == 1) v.fine_area = basso32(std::int64_t{v.fine_area} + 100);
  }
}

}  // namespace tracciato
