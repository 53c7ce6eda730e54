#include "cli/diagnostics.h"

#include "cli/edit_distance.h"
#include "cli/fault_context.h"
#include "cli/source_line.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "compiler/compilazione.h"
#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"

namespace tracciato::cli {

namespace {


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

}  // namespace

void Diagnostics::attach(Scenario& s) {
  s_ = &s;
  s.trail = &d_;
  s.observer = [this](const Scenario::Record& r) {
    on_fault(r.code, r.position, r.cause);
  };
  d_.on_warning = [this](const Warning& a) { on_warning(a); };
}

std::string Diagnostics::file_of(int text) const { return file_shown(d_, text, base_names_); }

std::string Diagnostics::line_of(int text, std::size_t line) const {
  return text_line(d_, text, line);
}

void Diagnostics::on_fault(Code code, std::optional<std::int32_t> position,
                           std::string_view cause) {
  Diagnostic g;
  g.code = number_of(code);
  g.metres = position ? std::optional<std::int64_t>(*position) : std::nullopt;
  g.in_register = true;
  FaultContext f(*s_, d_, base_names_, code, g.metres, cause);
  d_.rule.reset();  // a rule's cells belong to the one fault recorded right after it
  g.message = fault_message(f);
  g.file = f.file_of(f.at.text);
  g.line = f.at.line;
  if (g.line != 0) {
    g.source_line = f.line_of(f.at.text, g.line);
    g.column = f.column;
    if (g.column == 0) {
      const std::vector<LineField> here = fields_from(g.source_line, f.at.column);
      g.column = f.caret < here.size() ? here[f.caret].column : f.at.column;
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
      if (looks_like_number(a.field)) {
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
      g.message = "curve starting at " + metres(a.start) + " starts below the plan cursor (metre " +
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
    g.message = outcome.errore == std::to_string(number_of(ErroreNumber::marks_taken))
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

CompileOutcome Diagnostics::strict(const CompileOutcome& outcome) const {
  CompileOutcome shown = outcome;
  if (shown.kind == CompileOutcome::Kind::ok && warnings() > 0) shown.kind = CompileOutcome::Kind::faults;
  return shown;
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
