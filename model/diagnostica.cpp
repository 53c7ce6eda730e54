#include "model/diagnostica.h"

#include <span>

#include "model/entry_kinds.h"
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

bool header_field(std::string_view t) { return !t.empty() && t.front() == '[' && t.back() == ']'; }

// Empty fields, comments and section headers are never warned about.
bool da_non_segnalare(std::string_view campo) {
  const std::string_view t = senza_spazi(campo);
  return t.empty() || contains(t, "-") || header_field(t);
}

bool voce_generale_ogni_caso(std::string_view r) {
  auto ha = [&](const char* w) { return contains_any_case(r, w); };
  return (ha("lunghezza") && ha("percorso")) ||
         (ha("progressiva") && (ha("tre") || ha("due") || ha("uno"))) ||
         (ha("sfondo") && (ha("uno") || ha("due") || ha("tre"))) ||
         (ha("segnali") && ha("ripetizione"));
}

// A word the general section recognises only in lower case, written with a capital.
bool maiuscola_di_troppo(std::string_view r) {
  for (const char* parola : {"progressiva", "sfondo", "ripetizione", "segnali"})
    if (contains_any_case(r, parola) && !contains(r, parola)) return true;
  return false;
}

Scope scope_of(const ReadingTrail& d) { return d.entry.text == 0 ? Scope::body : Scope::train; }

void avvisa(Scenario& s, WarningKind tipo, Scope ambito) {
  ReadingTrail& d = *s.trail;
  d.warned = d.entry;
  if (d.on_warning) d.on_warning(Warning{tipo, ambito, d.entry, s.riga});
}

// A warning about the entry being read, with what the kind needs filled in by `fill`.
template <class Fill>
void warn(Scenario& s, WarningKind kind, Fill&& fill) {
  ReadingTrail& d = *s.trail;
  Warning w{kind, scope_of(d), d.entry, s.riga};
  fill(w);
  if (d.on_warning) d.on_warning(w);
}



// `lowered`: the header field in lower case.
bool known_header(std::string_view lowered, bool route) {
  for (const std::string_view h : section_headers(route))
    if (lowered == h) return true;
  return false;
}

// The length of a UTF-8 sequence of two to four bytes that starts at `i`, or 0.
std::size_t utf8_sequence(const std::string& b, std::size_t i) {
  const auto u = [&](std::size_t k) { return static_cast<unsigned char>(b[k]); };
  const unsigned char lead = u(i);
  const std::size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
  if (n == 0 || i + n > b.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if (u(i + k) < 0x80 || u(i + k) > 0xBF) return 0;
  return n;
}

}  // namespace

std::span<const std::string_view> section_headers(bool route) {
  static constexpr std::string_view route_headers[] = {
      "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
  static constexpr std::string_view train_headers[] = {
      "[generale]",      "[aderenze]",     "[vel_limite]", "[stazioni]", "[rallentamenti]",
      "[abbattimenti]", "[segnali]",      "[codici]",     "[fine]"};
  if (route) return route_headers;
  return train_headers;
}

void open_text(Scenario& s, const std::string& nome) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.texts.push_back({nome, {}});
  d.entry = {static_cast<int>(d.texts.size()) - 1, 0, 0};
  d.values_end = {};
}

void text_read(Scenario& s, const std::string& bytes) {
  if (!s.trail || s.trail->texts.empty()) return;
  ReadingTrail& d = *s.trail;
  d.texts.back().bytes = bytes;
  d.past_end = d.warned_past_end = false;
  // Text saved as UTF-8 reads as other letters in Windows-1252: say where it begins.
  std::size_t line = 1, start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++line;
      start = i + 1;
    } else if (static_cast<unsigned char>(c) >= 0xC2 && utf8_sequence(bytes, i) != 0) {
      Warning w{WarningKind::looks_like_utf8, scope_of(d), {d.entry.text, line, i - start + 1}};
      w.field = bytes.substr(i, utf8_sequence(bytes, i));
      if (d.on_warning) d.on_warning(w);
      return;
    }
  }
}

void mark_entry(Scenario& s, const FieldInput& in) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.entry.line = in.field_line();
  d.entry.column = in.field_column();
  d.keyword_end = in.offset();
  if (stessa_riga(d.values_end, d.entry) && !da_non_segnalare(s.riga) &&
      !stessa_riga(d.warned, d.entry))
    avvisa(s, WarningKind::surplus_value, scope_of(d));
  d.values_end = {};
}

void end_entry(Scenario& s, const FieldInput& in, Scope ambito) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  if (d.on_entry) d.on_entry(ambito, d.keyword_end, in.offset());
  const bool letta = in.field_line() != d.entry.line || in.field_column() != d.entry.column;
  if (letta) {
    d.values_end = {d.entry.text, in.field_line(), in.field_column()};
    if (d.past_end && !d.warned_past_end) {
      d.warned_past_end = true;
      avvisa(s, WarningKind::after_end_header, ambito);
    }
    return;
  }
  // Nothing after the keyword field was read: it matched no entry here.
  const std::string_view bare = senza_spazi(s.riga);
  if (header_field(bare)) {
    const std::string lowered = lowercase(bare);
    if (lowered == "[fine]") d.past_end = true;
    if (!known_header(lowered, d.entry.text == 0) && !stessa_riga(d.warned, d.entry))
      avvisa(s, WarningKind::unknown_header, ambito);
    return;
  }
  if (da_non_segnalare(s.riga) || stessa_riga(d.warned, d.entry)) return;
  const std::string& r = s.riga;
  switch (ambito) {
    case Scope::general:
      if (entry_kind_of(r, TextPart::body) != nullptr)
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
  if (is_free(s.celle[indice])) return;
  ReadingTrail& d = *s.trail;
  d.stops_over_events.push_back(indice);
  warn(s, WarningKind::stop_over_event, [&](Warning& w) {
    w.value = s.celle[indice].evento;
    w.stored = indice;
    w.earlier = d.origin_of(indice);
  });
}

void mark_rule(Scenario& s, const NoRoom& r) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  d.rule = r;
  d.entry = d.origin_of(r.cell);
}

void check_gradient_order(Scenario& s, std::int64_t posizione, std::int64_t cursore) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  const std::int64_t inizio = round_half_even(posizione, 50);
  if (cursore >= inizio && !(inizio == 0 && cursore == 0)) {
    d.warned = d.entry;
    warn(s, WarningKind::gradient_out_of_order, [&](Warning& w) {
      w.start = posizione;
      w.cursor = inizio > 0 ? cursore + 1 : cursore;  // the cell it takes effect from
      w.earlier = d.last_gradient;
      w.earlier_at = d.last_gradient_at;
    });
  }
  d.last_gradient = d.entry;
  d.last_gradient_at = posizione;
}

void check_curve_order(Scenario& s, std::int64_t inizio, std::int64_t lunghezza,
                       std::int64_t cursore) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  if (inizio < cursore) {
    d.warned = d.entry;
    warn(s, WarningKind::curve_out_of_order, [&](Warning& w) {
      w.start = inizio;
      w.cursor = cursore;
      w.earlier = d.last_curve;
      w.earlier_at = d.last_curve_end;
    });
  }
  d.last_curve = d.entry;
  d.last_curve_end = inizio + lunghezza;
}

Place entry_place(const Scenario& s) { return s.trail ? s.trail->entry : Place{}; }

void blame(Scenario& s, const Place& place) {
  if (s.trail) s.trail->blamed = place;
}

void blame_cell(Scenario& s, std::int64_t cell) {
  if (!s.trail || cell < 0 || static_cast<std::uint64_t>(cell) >= s.trail->origin.size()) return;
  s.trail->blamed = s.trail->origin[static_cast<std::size_t>(cell)];
}

void warn_value_cut(Scenario& s, const char* what, std::int64_t value, std::int64_t stored) {
  if (!s.trail) return;
  warn(s, WarningKind::value_cut, [&](Warning& w) {
    w.what = what;
    w.value = value;
    w.stored = stored;
  });
}

void check_curve_side(Scenario& s) {
  if (!s.trail || contains_any_case(s.riga, "s") || contains_any_case(s.riga, "d")) return;
  warn(s, WarningKind::curve_side_unknown, [](Warning&) {});
}

void check_span(Scenario& s, std::int64_t inizio, std::int64_t fine) {
  if (!s.trail || fine > inizio) return;
  warn(s, WarningKind::span_not_after_start, [&](Warning& w) {
    w.start = inizio;
    w.value = fine;
  });
}

void check_length(Scenario& s, const char* what, std::int64_t value) {
  if (!s.trail || value > 0) return;
  warn(s, WarningKind::length_not_positive, [&](Warning& w) {
    w.what = what;
    w.value = value;
  });
}

void check_route_end(Scenario& s, std::int64_t posizione) {
  if (!s.trail) return;
  const std::int64_t length = s.voci[entry::run_data].fine_area;
  if (posizione <= length) return;
  warn(s, WarningKind::beyond_route_end, [&](Warning& w) {
    w.start = posizione;
    w.stored = length;
  });
}

void warn_warning_board_left_out(Scenario& s, std::int64_t x) {
  if (!s.trail) return;
  warn(s, WarningKind::warning_board_left_out, [&](Warning& w) { w.start = x; });
}

void warn_train_text(Scenario& s, WarningKind kind) {
  if (!s.trail) return;
  ReadingTrail& d = *s.trail;
  Warning w{kind, Scope::train, {d.entry.text, 0, 0}, {}};
  if (d.on_warning) d.on_warning(w);
}

}  // namespace tracciato
