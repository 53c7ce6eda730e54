#include "route_reader/gradients_and_curves.h"

#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"

namespace tracciato {

namespace {

constexpr std::int64_t ultimo_metro_di_curva = 1000000;

void scrivi_pendenza(Scenario& s, BodyCursors& c) {
  s.celle[c.gradient_cell].pendenza = low8(c.pendenza + 100);
  ++c.gradient_cell;
}

// The two points before the plan cursor are carried from metre to metre, so that each
// step reads no element back from the plan.
PreviousPoints previous_points(const Scenario& s, std::int64_t m) {
  const Plan& p = s.planimetria;
  return {p(m - 1, 0).number(), p(m - 1, 1).number(), p(m - 2, 0).number(),
          p(m - 2, 1).number()};
}

void put(Scenario& s, std::int64_t m, PreviousPoints& u, PlanPoint point) {
  s.planimetria(m, 0) = PlanValue::of_double(point.x);
  s.planimetria(m, 1) = PlanValue::of_double(point.y);
  u = {point.x, point.y, u.x1, u.y1};
}

}  // namespace

void seed_plan(Scenario& s) {
  s.planimetria(0, 0) = PlanValue::of_integer(0);
  s.planimetria(0, 1) = PlanValue::of_integer(0);
  s.planimetria(1, 0) = PlanValue::of_integer(0);
  s.planimetria(1, 1) = PlanValue::of_integer(1);
}

void apply_gradient(Scenario& s, BodyCursors& c, std::int64_t p, std::int64_t g) {
  const std::int64_t inizio = round_half_even(p, 50);
  if (inizio > 0) {
    do scrivi_pendenza(s, c);
    while (c.gradient_cell < inizio);
  }
  c.pendenza = g;
}

std::optional<double> curvature(std::string_view riga) {
  static constexpr double per_classe[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int classe = 1; classe <= 6; ++classe) {
    const char cifra[] = {static_cast<char>('0' + classe), '\0'};
    if (contains(riga, cifra)) {
      const double k = per_classe[classe - 1];
      return contains_any_case(riga, "s") ? -k : k;
    }
  }
  return std::nullopt;
}

LineOutcome apply_curve(Scenario& s, BodyCursors& c, std::string_view riga, std::int64_t a,
                      std::int64_t n) {
  const std::optional<double> k = curvature(riga);
  if (!k) {
    s.record(Code::curve_fault);
    return LineOutcome::error_exit;
  }
  if (c.metro > a && c.metro > a + n) return LineOutcome::next;  // no point to compute
  PreviousPoints u = previous_points(s, c.metro);
  while (c.metro <= a) {
    put(s, c.metro, u, straight_step(u));
    if (++c.metro > ultimo_metro_di_curva) {
      s.record(Code::curve_fault);
      return LineOutcome::error_exit;
    }
  }
  while (c.metro <= a + n) {
    put(s, c.metro, u, bend_step(u, *k));
    if (++c.metro > ultimo_metro_di_curva) {
      s.record(Code::curve_fault);
      return LineOutcome::error_exit;
    }
  }
  return LineOutcome::next;
}

void complete_gradients(Scenario& s, BodyCursors& c) {
  do scrivi_pendenza(s, c);
  while (c.gradient_cell < std::int64_t{s.n_celle} - 2);
}

void complete_plan(Scenario& s, BodyCursors& c) {
  if (c.metro > std::int64_t{s.lunghezza_estesa} - 2) return;
  PreviousPoints u = previous_points(s, c.metro);
  while (c.metro <= std::int64_t{s.lunghezza_estesa} - 2) {
    put(s, c.metro, u, straight_step(u));
    ++c.metro;
  }
}

}  // namespace tracciato
