#include "model/diagnostica.h"

#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"
#include "platform/field_input.h"

namespace tracciato {

namespace {

bool stessa_riga(const Place& a, const Place& b) {
  return a.line != 0 && a.text == b.text && a.line == b.line;
}

std::string_view senza_spazi(std::string_view t) {
  const auto primo = t.find_first_not_of(" \t");
  if (primo == std::string_view::npos) return {};
  const auto ultimo = t.find_last_not_of(" \t");
  return t.substr(primo, ultimo - primo + 1);
}

// Empty fields, comments and section headers are never warned about.
bool da_non_segnalare(std::string_view campo) {
  const std::string_view t = senza_spazi(campo);
  return t.empty() || contains(t, "-") || (t.front() == '[' && t.back() == ']');
}

bool voce_generale_ogni_caso(std::string_view r) {
  auto ha = [&](const char* w) { return contains_any_case(r, w); };
  return (ha("lunghezza") && ha("percorso")) ||
         (ha("progressiva") && (ha("tre") || ha("due") || ha("uno"))) ||
         (ha("sfondo") && (ha("uno") || ha("due") || ha("tre"))) ||
         (ha("segnali") && ha("ripetizione"));
}

bool voce_del_corpo_ogni_caso(std::string_view r) {
  auto ha = [&](const char* w) { return contains_any_case(r, w); };
  return ha("pendenza") || ha("curva") || ha("montagna") || ha("indicatori_v") ||
         (ha("cartello") && ha("indicat"));
}

// A word the general section recognises only in lower case, written with a capital.
bool maiuscola_di_troppo(std::string_view r) {
  for (const char* parola : {"progressiva", "sfondo", "ripetizione", "segnali"})
    if (contains_any_case(r, parola) && !contains(r, parola)) return true;
  return false;
}

void avvisa(Scenario& s, WarningKind tipo, Scope ambito, std::int64_t inizio = 0,
            std::int64_t cursore = 0) {
  ReadingTrail& d = *s.trail;
  d.warned = d.entry;
  if (d.on_warning) d.on_warning({tipo, ambito, d.entry, s.riga, inizio, cursore});
}

}  // namespace

void open_text(Scenario& s, const std::string& nome) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.texts.push_back({nome, {}});
  d.entry = {static_cast<int>(d.texts.size()) - 1, 0, 0};
  d.values_end = {};
}

void text_read(Scenario& s, const std::string& bytes) {
  if (!s.trail || s.trail->texts.empty()) return;
  s.trail->texts.back().bytes = bytes;
}

void mark_entry(Scenario& s, const FieldInput& in) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.entry.line = in.field_line();
  d.entry.column = in.field_column();
  if (stessa_riga(d.values_end, d.entry) && !da_non_segnalare(s.riga) &&
      !stessa_riga(d.warned, d.entry))
    avvisa(s, WarningKind::surplus_value, d.entry.text == 0 ? Scope::body : Scope::train);
  d.values_end = {};
}

void end_entry(Scenario& s, const FieldInput& in, Scope ambito) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  const bool letta = in.field_line() != d.entry.line || in.field_column() != d.entry.column;
  if (letta) {
    d.values_end = {d.entry.text, in.field_line(), in.field_column()};
    return;
  }
  // Nothing after the keyword field was read: it matched no entry here.
  if (da_non_segnalare(s.riga) || stessa_riga(d.warned, d.entry)) return;
  const std::string& r = s.riga;
  switch (ambito) {
    case Scope::general:
      if (voce_del_corpo_ogni_caso(r))
        avvisa(s, WarningKind::body_in_general, ambito);
      else if (maiuscola_di_troppo(r))
        avvisa(s, WarningKind::lower_case_needed, ambito);
      break;
    case Scope::body:
      if (s.con_planimetria == 0 && contains_any_case(r, "curva"))
        d.warned = d.entry;  // curves are disregarded without a plan, values and all
      else if (voce_generale_ogni_caso(r))
        avvisa(s, WarningKind::general_in_body, ambito);
      else
        avvisa(s, WarningKind::unknown_keyword, ambito);
      break;
    case Scope::train:
      avvisa(s, WarningKind::unknown_keyword, ambito);
      break;
  }
}

void mark_progressive(Scenario& s, int entry) {
  if (!s.trail) return;
  const voce& v = s.voci[entry];
  s.trail->progressives.push_back({s.trail->entry, v.inizio_area, v.fine_area, v.posizione});
}

void mark_cell(Scenario& s, std::int64_t indice) {
  if (!s.trail || indice < 0) return;
  std::vector<Place>& origine = s.trail->origin;
  if (static_cast<std::uint64_t>(indice) >= origine.size()) {
    if (indice > s.n_celle) return;
    origine.resize(static_cast<std::size_t>(s.n_celle) + 1);
  }
  origine[static_cast<std::size_t>(indice)] = s.trail->entry;
}

void mark_stop_cell(Scenario& s, std::int64_t indice) {
  if (!s.trail || !s.celle.allocated() || indice < 0 || indice > s.celle.upper()) return;
  if (!is_free(s.celle[indice])) s.trail->stops_over_events.push_back(indice);
}

void mark_rule(Scenario& s, const NoRoom& r) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.rule = r;
  d.entry = r.cell >= 0 && static_cast<std::uint64_t>(r.cell) < d.origin.size()
               ? d.origin[static_cast<std::size_t>(r.cell)]
               : Place{};
}

void check_gradient_order(Scenario& s, std::int64_t posizione, std::int64_t cursore) {
  if (!s.trail) return;
  const std::int64_t inizio = round_half_even(posizione, 50);
  if (cursore >= inizio && !(inizio == 0 && cursore == 0))
    avvisa(s, WarningKind::gradient_out_of_order, Scope::body, inizio, cursore);
}

void check_curve_order(Scenario& s, std::int64_t inizio, std::int64_t cursore) {
  if (!s.trail) return;
  if (inizio < cursore) avvisa(s, WarningKind::curve_out_of_order, Scope::body, inizio, cursore);
}

}  // namespace tracciato
