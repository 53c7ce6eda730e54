#include "cli/diagnostics.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "compiler/compilazione.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"

namespace tracciato::cli {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

struct Field {
  std::size_t column;  // 1-based
  std::string text;
};

// The fields of one source line from the keyword field at `column` on, split as the
// field reader splits them: the keyword as a text field, the rest as number fields.
std::vector<Field> fields_from(const std::string& line, std::size_t column) {
  std::vector<Field> out;
  if (column == 0 || column > line.size() + 1) return out;
  std::size_t i = column - 1;
  const std::size_t n = line.size();
  if (i < n && line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    out.push_back({column, line.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                            : close - i - 1)});
    i = close == std::string::npos ? n : close + 1;
    while (i < n && blank(line[i])) ++i;
    if (i < n && line[i] == ',') ++i;
  } else {
    const std::size_t comma = line.find(',', i);
    std::string text = line.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
    while (!text.empty() && blank(text.back())) text.pop_back();
    out.push_back({column, text});
    i = comma == std::string::npos ? n : comma + 1;
  }
  while (i < n) {
    while (i < n && blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < n && !blank(line[i]) && line[i] != ',') ++i;
    out.push_back({start + 1, line.substr(start, i - start)});
    while (i < n && blank(line[i])) ++i;
    if (i < n && line[i] == ',') ++i;
  }
  return out;
}

std::optional<std::int64_t> number(const std::string& text) {
  std::string_view t = text;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty()) return 0;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc{} || end != t.data() + t.size()) return std::nullopt;
  return v;
}

bool is_number(std::string_view t) {
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.remove_prefix(1);
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }
std::string m(std::int64_t metres) { return std::to_string(metres) + " m"; }

// The keyword, in lower case, without blanks at its ends and without digits (so
// "curvd4" compares with "curvad").
std::string normal_form(const std::string& field) {
  std::string out;
  for (char c : lowercase(field))
    if (c < '0' || c > '9') out += c;
  const auto first = out.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

const std::vector<std::string>& keywords(Scope ambito) {
  static const std::vector<std::string> body{"pendenza", "curvad", "curvas", "montagna",
                                             "indicatori_vmax", "cartello_indicatore"};
  static const std::vector<std::string> train{
      "numero vetture", "percentuale massa frenata", "sabbia", "orologio", "aderenza",
      "velocita", "stazione", "segnale", "rallentamento", "abbattimento"};
  return ambito == Scope::train ? train : body;
}

std::optional<std::string> close_keyword(const std::string& field, Scope ambito) {
  const std::string f = normal_form(field);
  if (f.empty()) return std::nullopt;
  std::optional<std::string> best;
  std::size_t best_distance = 3;
  for (const std::string& k : keywords(ambito)) {
    // The distance is at least the difference in length: a long field costs nothing.
    const std::size_t gap = f.size() > k.size() ? f.size() - k.size() : k.size() - f.size();
    if (gap >= best_distance) continue;
    const std::size_t d = edit_distance(f, k);
    if (d < best_distance) {
      best_distance = d;
      best = k;
    }
  }
  return best;
}

// Which value field after the keyword a fault of `code` is about (0: the keyword).
std::size_t value_at_fault(int code) {
  switch (code) {
    case 4: return 2;
    case 9: return 3;
    case 5:
    case 10:
    case 102:
    case 103:
    case 25:
    case 101: return 0;
    default: return 1;
  }
}

}  // namespace

std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

void Diagnostics::attach(Scenario& s) {
  s_ = &s;
  s.trail = &d_;
  s.observer = [this](const Scenario::Record& r) {
    on_fault(r.codice, r.posizione, r.causa);
  };
  d_.on_warning = [this](const Warning& a) { on_warning(a); };
}

std::string Diagnostics::file_of(int text) const {
  if (text < 0 || static_cast<std::size_t>(text) >= d_.texts.size()) return {};
  const std::string& name = d_.texts[static_cast<std::size_t>(text)].name;
  if (!base_names_) return name;
  const std::size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string Diagnostics::line_of(int text, std::size_t line) const {
  if (text < 0 || static_cast<std::size_t>(text) >= d_.texts.size() || line == 0) return {};
  const std::string& b = d_.texts[static_cast<std::size_t>(text)].bytes;
  // Lines end at CR LF, a lone LF or a lone CR, as the field reader counts them.
  std::size_t start = 0;
  for (std::size_t n = 1; n < line; ++n) {
    const std::size_t end = b.find_first_of("\r\n", start);
    if (end == std::string::npos) return {};
    start = end + (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n' ? 2 : 1);
  }
  const std::size_t end = b.find_first_of("\r\n", start);
  return b.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void Diagnostics::on_fault(std::int32_t code, std::optional<std::int32_t> position,
                           std::string_view cause) {
  const Scenario& s = *s_;
  Diagnostic g;
  g.code = code;
  g.metres = position ? std::optional<std::int64_t>(*position) : std::nullopt;
  g.in_register = true;
  Place at = d_.entry;
  std::optional<NoRoom> rule = std::exchange(d_.rule, std::nullopt);
  if (code != 11 && code != 12 && code != 13) rule.reset();

  const bool cells = s.celle.allocated();
  const std::int64_t last_cell = cells ? s.celle.upper() : -1;
  // The line of the entry that put the event of a cell there.
  auto origin = [&](std::int64_t c) -> std::string {
    if (c < 0 || static_cast<std::uint64_t>(c) >= d_.origin.size()) return {};
    const Place& o = d_.origin[static_cast<std::size_t>(c)];
    if (o.line == 0) return {};
    return o.text == at.text ? " (line " + std::to_string(o.line) + ")"
                               : " (" + file_of(o.text) + ":" + std::to_string(o.line) + ")";
  };
  // What a cell holds, and where it came from.
  auto holds = [&](std::int64_t c) -> std::string {
    if (c < 0 || c > last_cell) return "no cell";
    const cella& k = s.celle[c];
    std::string what;
    switch (k.evento) {
      case event::none: return "nothing";
      case event::mountain_marker: return "a mountain marker";
      case event::signal: what = "a signal"; break;
      case event::slowdown_end: what = "the end board of a slow-down"; break;
      case event::slowdown_start: what = "the start board of a slow-down"; break;
      case event::warning_board: what = "the warning board of a slow-down"; break;
      case event::approach_cell: what = "an approach cell of a slow-down"; break;
      case event::speed_boards: what = "speed-indicator boards"; break;
      case event::station: what = "the stop of station " + std::to_string(k.valore1); break;
      case event::abatement: what = "an abatement of " + std::to_string(k.valore1); break;
      case event::bare_abatement: what = "an abatement mark"; break;
      case event::signboard:
        what = "a signboard";
        if (k.valore1 >= 0 && k.valore1 <= entry::train_header)
          what += " " + quoted(s.voci[k.valore1].nome);
        break;
      default: what = "event " + std::to_string(k.evento); break;
    }
    return what + origin(c);
  };
  auto cell = [](std::int64_t c) { return "cell " + std::to_string(c); };
  auto range = [&](std::int64_t from, std::int64_t to) {
    std::string out;
    for (std::int64_t c = from; c <= to; ++c)
      out += (c == from ? "" : "; ") + cell(c) + " holds " + holds(c);
    return out;
  };

  g.file = file_of(at.text);
  g.line = at.line;
  const std::string source = line_of(at.text, at.line);
  const std::vector<Field> fields = fields_from(source, at.column);
  auto value = [&](std::size_t k) -> std::optional<std::int64_t> {
    return k < fields.size() ? number(fields[k].text) : std::nullopt;
  };
  std::size_t caret = value_at_fault(code);
  const std::int64_t p = position.value_or(0);
  const std::string at_p = position ? " at " + m(p) : "";

  switch (code) {
    case 1:
      g.message = "route length " + m(s.voci[entry::run_data].fine_area) +
                  " is above the limit of 1000000 m";
      break;
    case 2: {
      // The fault is in the route text: the progressive whose start or end is off.
      g.message = "a kilometre progressive value is not a multiple of 50";
      for (auto it = d_.progressives.rbegin(); it != d_.progressives.rend(); ++it) {
        const bool start_off = it->start % 50 != 0;
        if (!start_off && it->end % 50 == 0) continue;
        at = it->place;
        g.file = file_of(at.text);
        g.line = at.line;
        caret = start_off ? 1 : 2;
        g.message = "kilometre progressive: " + std::string(start_off ? "first" : "second") +
                    " value " + std::to_string(start_off ? it->start : it->end) +
                    " is not a multiple of 50";
        break;
      }
      break;
    }
    case 3:
    case 4:
      g.message = std::string(code == 3 ? "first" : "second") + " signal-repetition value " +
                  std::to_string(code == 3 ? s.voci[entry::train_header].inizio_area
                                           : s.voci[entry::train_header].fine_area) +
                  " is not a multiple of 50";
      break;
    case 5:
      g.message = "signal-repetition keyword " + quoted(s.riga) +
                  " names neither 4 nor 9 codes: write \"4 codici\" or \"9 codici\"";
      break;
    case 6:
      g.message = "signboard" + at_p + ": " + cell(Scenario::cell_of(p)) + " already holds " +
                  holds(Scenario::cell_of(p));
      break;
    case 7:
      {
        const std::int64_t c = round_half_even(p, 50);  // without the + 1 of signals
        g.message = "abatement" + at_p + ": " + cell(c) + " already holds " + holds(c);
      }
      break;
    case 8: g.message = "station position " + m(p) + " is not a multiple of 50"; break;
    case 9:
      g.message = "station" + at_p + ": length " +
                  (value(3) ? std::to_string(*value(3)) : std::string("?")) +
                  " is not a multiple of 100";
      break;
    case 10:
      g.message = "too many stations: the station entries have reached the signboard texts, which "
                  "take the entries from 80 down to " +
                  std::to_string(s.signboard_slot + 1) + " (at most " +
                  std::to_string(std::max<std::int64_t>(0, s.signboard_slot - 1)) +
                  " stations with these signboards)";
      break;
    case 11:
      if (rule) {
        g.message = "signal in " + cell(rule->cell) + " (position " + m(p) + ")" +
                    ": no room for the abatement that the slow-down warning board in " +
                    cell(rule->other) + origin(rule->other) +
                    " asks for within 1000 m before it: " + range(rule->from, rule->to) +
                    ", neither free nor an abatement";
      }
      break;
    case 12:
      if (rule)
        g.message = "slow-down starting in " + cell(rule->cell) +
                    ": no free cell for the abatement " + std::to_string(rule->cell - rule->to) +
                    " to " + std::to_string(rule->cell - rule->from) + " cells before its start: " +
                    range(rule->from, rule->to);
      break;
    case 13:
      if (rule && rule->other < 0)
        g.message = "slow-down starting in " + cell(rule->cell) + ": no free cell for the marker" +
                    at_p + " inside it: " + range(rule->from, rule->to);
      else if (rule)
        g.message = "slow-down ending in " + cell(rule->cell) +
                    ": no free cell for the abatement before the signal in " +
                    cell(rule->other) + origin(rule->other) + ": " +
                    range(rule->from, rule->to);
      break;
    case 15: {
      auto has = [&](const char* w) { return contains_any_case(s.riga, w); };
      const bool station = has("stazione") && !has("velocit") && !has("aderenza") &&
                           !has("segnale") && !has("rallentamento") && !has("abbattimento");
      const std::int64_t margin = station ? 800 : 100;
      const std::int64_t limit = 50 * std::int64_t{s.n_celle} - margin;
      g.message = "position " + m(p) + " is beyond the model: " +
                  (station ? "a station" : "a positioned entry") +
                  " may stand at most at 50 x n_celle - " + std::to_string(margin) + " = " +
                  m(limit) + " (route length " + m(s.voci[entry::run_data].fine_area) +
                  "); the reading of this text stops here and the rest of it is disregarded: "
                  "move the entry or lengthen the route";
      break;
    }
    case 16:
      g.message = "signal" + at_p + ": " + cell(Scenario::cell_of(p)) + " already holds " +
                  holds(Scenario::cell_of(p));
      break;
    case 17:
    case 18:
    case 19:
    case 20: {
      const std::int64_t length = value(3).value_or(0);
      if (code == 17) {
        const std::int64_t c = Scenario::cell_of(p - 1200);
        g.message = "slow-down" + at_p + ": its warning board 1200 m before the start falls in " +
                    cell(c) + ", which already holds " + holds(c);
      } else if (code == 18) {
        const std::int64_t c = Scenario::cell_of(p);
        g.message = "slow-down" + at_p + ": its start " + cell(c) + " already holds " + holds(c);
      } else if (code == 19) {
        const std::int64_t c = Scenario::cell_of(p + length);
        g.message = "slow-down" + at_p + ": its end at " + m(p + length) + " falls in " + cell(c) +
                    ", which already holds " + holds(c);
      } else {
        const std::int64_t k = round_half_even(p - 1200, 50);
        std::string busy;
        for (std::int64_t c = k; c > k - 4; --c)
          if (c >= 0 && c <= last_cell && !is_free(s.celle[c]))
            busy += (busy.empty() ? "" : "; ") + cell(c) + " holds " + holds(c);
        g.message = "slow-down" + at_p + ": the four approach cells " + std::to_string(k - 3) +
                    " to " + std::to_string(k) + " before its warning board are not all free: " +
                    busy + " (the boards are written all the same)";
      }
      break;
    }
    case 21:
      g.message = "speed-indicator boards" + at_p + ": " + cell(Scenario::cell_of(p)) +
                  " already holds " + holds(Scenario::cell_of(p));
      break;
    case 22: {
      std::string detail;
      for (std::int64_t i = std::min<std::int64_t>(s.signboard_slot, entry::first_signboard);
           i > 1; --i) {
        const voce& v = s.voci[i];
        if (v.posizione != p || (p == 0 && v.genere == 0 && v.fine_area == 0)) continue;
        detail = ": its area begins at " + m(v.inizio_area) + ", the previous station's ends at " +
                 m(s.voci[i - 1].fine_area);
        break;
      }
      g.message = "station" + at_p + detail + "; areas must be at least 350 m apart";
      break;
    }
    case 24:
      g.message = "station" + (value(1) ? " at " + m(*value(1)) : std::string()) +
                  ": its stop cell would be cell 1 or lower; move the station on or lengthen it";
      break;
    case 25: {
      const std::string what(cause);
      g.message = "run-time failure: " + what;
      // The failure names its own place: FILE:LINE:COLUMN: when the field reader failed.
      const std::string name = at.text >= 0 ? d_.texts[static_cast<std::size_t>(at.text)].name
                                             : std::string();
      if (!name.empty() && what.compare(0, name.size() + 1, name + ":") == 0) {
        std::size_t line = 0, column = 0;
        const char* b = what.data() + name.size() + 1;
        const char* e = what.data() + what.size();
        auto [l_end, l_ec] = std::from_chars(b, e, line);
        if (l_ec == std::errc{} && l_end < e && *l_end == ':') {
          auto [c_end, c_ec] = std::from_chars(l_end + 1, e, column);
          if (c_ec == std::errc{} && c_end < e && *c_end == ':' && line == at.line)
            g.column = column;
          if (at.line == 0) g.line = line;
        }
      }
      break;
    }
    case 101: g.message = "route source text not found: " + g.file; g.line = 0; break;
    case 102:
      g.message = "the text ends before a field containing \"[generale]\": the route text must "
                  "open its general section with a [generale] line";
      break;
    case 103:
      if (!contains(s.riga, "1") && !contains(s.riga, "2") && !contains(s.riga, "3") &&
          !contains(s.riga, "4") && !contains(s.riga, "5") && !contains(s.riga, "6")) {
        g.message = "curve keyword " + quoted(s.riga) +
                    " holds no class digit 1 to 6 (for example \"curvad4\")";
      } else {
        g.message = "the plan passes metre 1000000 while the curve " + quoted(s.riga) +
                    " is drawn: curves must end by metre 1000000";
        caret = value(1).value_or(0) > 999999 ? 1 : 2;
      }
      break;
    default: g.message = "fault " + std::to_string(code); break;
  }
  if (g.message.empty()) g.message = "no room for an abatement" + at_p;

  if (g.line != 0) {
    g.source_line = line_of(at.text, g.line);
    if (g.column == 0) {
      const std::vector<Field> here =
          g.line == at.line ? fields_from(g.source_line, at.column) : std::vector<Field>{};
      g.column = caret < here.size() ? here[caret].column : at.column;
    }
  }
  list_.push_back(std::move(g));
}

void Diagnostics::on_warning(const Warning& a) {
  Diagnostic g;
  g.severity = Diagnostic::Severity::warning;
  g.file = file_of(a.place.text);
  g.line = a.place.line;
  g.column = a.place.column;
  g.source_line = line_of(a.place.text, a.place.line);
  const std::string field = quoted(a.field);
  switch (a.kind) {
    case WarningKind::unknown_keyword:
      if (is_number(a.field)) {
        g.message = "value " + field + " stands where a keyword is expected and is disregarded";
      } else {
        g.message = field + " matches no entry and is disregarded";
        if (auto k = close_keyword(a.field, a.scope)) g.message += "; did you mean \"" + *k + "\"?";
      }
      break;
    case WarningKind::general_in_body:
      g.message = "general entry " + field +
                  " in the body is disregarded, its values read as keywords: move it into the "
                  "general section, before its closing header";
      break;
    case WarningKind::body_in_general:
      g.message = "body entry " + field +
                  " in the general section is disregarded, its values read as keywords: move it "
                  "after the general section's closing header";
      break;
    case WarningKind::lower_case_needed:
      g.message = field +
                  " is not recognised: the general section matches its words only in lower "
                  "case; its values are read as keywords and disregarded";
      break;
    case WarningKind::gradient_out_of_order:
      g.message = "gradient starting in cell " + std::to_string(a.start) +
                  ", at or behind the gradient cursor (cell " + std::to_string(a.cursor) +
                  "): gradients must come in rising order at least 50 m apart; this one takes "
                  "effect from cell " +
                  std::to_string(a.start > 0 ? a.cursor + 1 : a.cursor);
      break;
    case WarningKind::curve_out_of_order:
      g.message = "curve starting at " + m(a.start) + " starts below the plan cursor (metre " +
                  std::to_string(a.cursor) +
                  "): it overlaps the curve before it or is out of order; no straight run is "
                  "drawn before it and its bend starts only at metre " +
                  std::to_string(a.cursor) + ", or not at all if it ends before";
      break;
    case WarningKind::surplus_value:
      g.message = "more value fields on the line than its entry reads: " + field +
                  " is read as the next keyword field";
      break;
  }
  list_.push_back(std::move(g));
}

void Diagnostics::finish(const CompileOutcome& outcome) {
  Diagnostic g;
  if (outcome.kind == CompileOutcome::Kind::runtime) {
    g.message = "run-time failure: " + outcome.failure + "; no further file was written";
  } else if (outcome.kind == CompileOutcome::Kind::errore) {
    g.code = std::atoi(outcome.errore.c_str());
    g.message = outcome.errore == "1250"
                    ? "reserved slot taken: entry 85's par1 or cell 1's valore1 was already set "
                      "before the marks were stamped (an event placed in cell 1?); no binary file "
                      "was written"
                    : "reserved slot taken: entry 85's orario or cell 1's valore2 was already set "
                      "before the competition codes were stored; no binary file was written";
  } else {
    return;
  }
  list_.push_back(std::move(g));
}

int Diagnostics::errors() const {
  return static_cast<int>(std::count_if(list_.begin(), list_.end(), [](const Diagnostic& g) {
    return g.severity == Diagnostic::Severity::error;
  }));
}

int Diagnostics::warnings() const { return static_cast<int>(list_.size()) - errors(); }

std::string Diagnostics::text() const {
  std::string out;
  for (const Diagnostic& g : list_) {
    out += g.file.empty() ? std::string("tracciato") : g.file;
    if (!g.file.empty() && g.line != 0) out += ":" + std::to_string(g.line);
    out += ": ";
    if (g.severity == Diagnostic::Severity::warning)
      out += "warning: ";
    else
      out += g.code != 0 ? "error " + std::to_string(g.code) + ": " : "error: ";
    out += g.message + "\n";
    if (g.line != 0 && !g.source_line.empty()) {
      out += g.source_line + "\n";
      // The caret keeps the tabs of the line before it, so it stands under the field.
      std::string pad;
      for (std::size_t i = 0; i + 1 < g.column && i < g.source_line.size(); ++i)
        pad += g.source_line[i] == '\t' ? '\t' : ' ';
      out += pad + "^\n";
    }
  }
  auto count = [](int n, const char* one) {
    return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
  };
  out += "tracciato: " + count(errors(), "error") + ", " + count(warnings(), "warning") + "\n";
  return out;
}

void Diagnostics::add_to(nlohmann::ordered_json& report) const {
  nlohmann::ordered_json faults = nlohmann::ordered_json::array();
  nlohmann::ordered_json warnings = nlohmann::ordered_json::array();
  for (const Diagnostic& g : list_) {
    nlohmann::ordered_json item;
    if (g.severity == Diagnostic::Severity::error) {
      if (!g.in_register) continue;
      item["code"] = g.code;
      item["position"] = g.metres ? nlohmann::ordered_json(*g.metres) : nlohmann::ordered_json();
    }
    item["file"] = g.file.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(g.file);
    item["line"] = g.line != 0 ? nlohmann::ordered_json(g.line) : nlohmann::ordered_json();
    item["message"] = g.message;
    (g.severity == Diagnostic::Severity::error ? faults : warnings).push_back(std::move(item));
  }
  report["faults"] = std::move(faults);
  report["warnings"] = std::move(warnings);
}

}  // namespace tracciato::cli
