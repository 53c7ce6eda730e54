#include "route_reader/gradients_and_curves.h"

#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"

namespace tracciato {

namespace {

constexpr std::int64_t ultimo_metro_di_curva = 1000000;

void scrivi_pendenza(Scenario& s, Cursori& c) {
  s.celle[c.cella_pendenza].pendenza = basso8(c.pendenza + 100);
  ++c.cella_pendenza;
}

// The two points before the plan cursor are carried from metre to metre, so that each
// step reads no element back from the plan.
Ultimi ultimi(const Scenario& s, std::int64_t m) {
  const Planimetria& p = s.planimetria;
  return {p(m - 1, 0).numero(), p(m - 1, 1).numero(), p(m - 2, 0).numero(),
          p(m - 2, 1).numero()};
}

void metti(Scenario& s, std::int64_t m, Ultimi& u, Punto punto) {
  s.planimetria(m, 0) = Valore::di_doppio(punto.x);
  s.planimetria(m, 1) = Valore::di_doppio(punto.y);
  u = {punto.x, punto.y, u.x1, u.y1};
}

}  // namespace

void semina_planimetria(Scenario& s) {
  s.planimetria(0, 0) = Valore::di_intero(0);
  s.planimetria(0, 1) = Valore::di_intero(0);
  s.planimetria(1, 0) = Valore::di_intero(0);
  s.planimetria(1, 1) = Valore::di_intero(1);
}

void applica_pendenza(Scenario& s, Cursori& c, std::int64_t p, std::int64_t g) {
  const std::int64_t inizio = arrotonda(p, 50);
  if (inizio > 0) {
    do scrivi_pendenza(s, c);
    while (c.cella_pendenza < inizio);
  }
  c.pendenza = g;
}

std::optional<double> curvatura(std::string_view riga) {
  static constexpr double per_classe[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int classe = 1; classe <= 6; ++classe) {
    const char cifra[] = {static_cast<char>('0' + classe), '\0'};
    if (contiene(riga, cifra)) {
      const double k = per_classe[classe - 1];
      return contiene_ogni_caso(riga, "s") ? -k : k;
    }
  }
  return std::nullopt;
}

Seguito applica_curva(Scenario& s, Cursori& c, std::string_view riga, std::int64_t a,
                      std::int64_t n) {
  const std::optional<double> k = curvatura(riga);
  if (!k) {
    s.registra(103);
    return Seguito::fine;
  }
  if (c.metro > a && c.metro > a + n) return Seguito::avanti;  // no point to compute
  Ultimi u = ultimi(s, c.metro);
  while (c.metro <= a) {
    metti(s, c.metro, u, passo_dritto(u));
    if (++c.metro > ultimo_metro_di_curva) {
      s.registra(103);
      return Seguito::fine;
    }
  }
  while (c.metro <= a + n) {
    metti(s, c.metro, u, passo_curvo(u, *k));
    if (++c.metro > ultimo_metro_di_curva) {
      s.registra(103);
      return Seguito::fine;
    }
  }
  return Seguito::avanti;
}

void completa_pendenze(Scenario& s, Cursori& c) {
  do scrivi_pendenza(s, c);
  while (c.cella_pendenza < std::int64_t{s.n_celle} - 2);
}

void completa_planimetria(Scenario& s, Cursori& c) {
  if (c.metro > std::int64_t{s.lunghezza_estesa} - 2) return;
  Ultimi u = ultimi(s, c.metro);
  while (c.metro <= std::int64_t{s.lunghezza_estesa} - 2) {
    metti(s, c.metro, u, passo_dritto(u));
    ++c.metro;
  }
}

}  // namespace tracciato
