#include "cli/diagnostics.h"

#include "cli/fault_context.h"
#include "cli/source_line.h"
#include "cli/warning_messages.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "compiler/compilazione.h"
#include "model/entry_kinds.h"
#include "model/scenario.h"

namespace tracciato::cli {

void Diagnostics::attach(Scenario& s) {
  s_ = &s;
  s.trail = &d_;
  s.observer = [this](const Scenario::Record& r) {
    on_fault(r.code, r.position, r.cause, r.failure);
  };
  d_.on_warning = [this](const Warning& a) { on_warning(a); };
}

std::string Diagnostics::file_of(int text) const { return file_shown(d_, text, base_names_); }

namespace {

// The column of field `k` of a source line read from `from_column` on; `from_column`
// itself when the line has fewer fields.
std::size_t field_column(const std::string& line, std::size_t from_column, std::size_t k) {
  const std::vector<LineField> here = fields_from(line, from_column);
  return k < here.size() ? here[k].column : from_column;
}

}  // namespace

std::string Diagnostics::line_of(int text, std::size_t line) const {
  return text_line(d_, text, line);
}

void Diagnostics::on_fault(Code code, std::optional<std::int32_t> position,
                           std::string_view cause, const RuntimeFailure* failure) {
  Diagnostic g;
  g.code = number_of(code);
  g.metres = position ? std::optional<std::int64_t>(*position) : std::nullopt;
  g.in_register = true;
  FaultContext f(*s_, d_, base_names_, code, g.metres, cause, failure);
  // A rule's cells, and an entry blamed for a failure, belong to this one fault.
  d_.rule.reset();
  d_.blamed.reset();
  // A fault met before the route length made the cells explains why nothing after the
  // reader can run.
  if (!s_->celle.allocated()) no_cells_told_ = true;
  g.message = fault_message(f);
  g.file = f.file_of(f.at.text);
  g.line = f.at.line;
  if (g.line != 0) {
    g.source_line = f.line_of(f.at.text, g.line);
    g.column = f.column;
    if (g.column == 0) g.column = field_column(g.source_line, f.at.column, f.caret);
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
  g.message = warning_message(a, d_, base_names_);
  // Where on the line the warning stands, for those who mark it: the entry's position.
  const std::vector<LineField> fields = fields_from(g.source_line, a.place.column);
  if (fields.size() > 1) {
    const EntryKind* k = entry_kind_of(fields[0].text, a.place.text == 0 ? TextPart::body : TextPart::train);
    if (k && k->positioned) g.metres = whole_number(fields[1].text);
  }
  list_.push_back(std::move(g));
}

void Diagnostics::finish(const CompileOutcome& outcome) {
  Diagnostic g;
  if (outcome.kind == CompileOutcome::Kind::runtime) {
    // Without cells nothing after the reader can run: the reader's fault said why.
    if (outcome.failure_kind == RuntimeFailure::Kind::table_unallocated && no_cells_told_) return;
    if (d_.blamed) {
      // The failure belongs to an entry: say it at its line, in its terms.
      FaultContext f(*s_, d_, base_names_, Code::none, std::nullopt, outcome.failure);
      g.message = stopped_message(f) + "; the compile stopped and no further file was written";
      g.file = f.file_of(f.at.text);
      g.line = f.at.line;
      g.metres = f.value(1);
      g.source_line = f.line_of(f.at.text, g.line);
      g.column = field_column(g.source_line, f.at.column, f.caret);
    } else {
      g.message = "run-time failure: " + outcome.failure + "; no further file was written";
    }
  } else if (outcome.kind == CompileOutcome::Kind::errore) {
    g.code = std::atoi(outcome.errore.c_str());
    const bool marks = outcome.errore == std::to_string(number_of(ErroreNumber::marks_taken));
    g.message = marks ? "reserved slot taken: entry 85's par1 or cell 1's valore1 was already set "
                        "before the marks were stamped"
                      : "reserved slot taken: entry 85's orario or cell 1's valore2 was already "
                        "set before the competition codes were stored";
    // Cell 1 (0-49 m) is the compiler's own: say which entry put something there.
    if (s_ && s_->celle.allocated() && s_->celle.upper() >= 1 && s_->celle[1].evento != 0) {
      FaultContext f(*s_, d_, base_names_, Code::none, std::nullopt, {});
      Place from = d_.origin_of(1);
      std::string placed;
      if (from.line == 0) {
        // Only the post-processing places an abatement there, for a slow-down start in
        // the cells up to 21 (its approach windows reach back 20 cells).
        for (std::int64_t c = 2; c <= 21 && c <= s_->celle.upper(); ++c)
          if (s_->celle[c].evento == event::slowdown_start && d_.origin_of(c).line != 0) {
            from = d_.origin_of(c);
            placed = " that the post-processing placed for the slow-down at " +
                     metres(f.value_at(from, 1).value_or((c - 1) * 50)) +
                     ", whose approach windows found no other free cell; start the slow-down "
                     "at 1050 m or later";
            break;
          }
      }
      f.show_at(from);
      g.message += ": cell 1 (0-49 m), which the compiler keeps for its marks, holds " +
                   f.holds(1) + placed +
                   (placed.empty() ? "; move that entry to 50 m or later" : "");
      if (from.line != 0) {
        g.file = f.file_of(from.text);
        g.line = from.line;
        g.metres = f.value(1);
        g.source_line = f.line_of(from.text, from.line);
        g.column = field_column(g.source_line, from.column, 1);
      }
    }
    g.message += "; no binary file was written";
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
      item["code"] = g.code != 0 ? nlohmann::ordered_json(g.code) : nlohmann::ordered_json();
    }
    item["position"] = g.metres ? nlohmann::ordered_json(*g.metres) : nlohmann::ordered_json();
    item["file"] = g.file.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(g.file);
    item["line"] = g.line != 0 ? nlohmann::ordered_json(g.line) : nlohmann::ordered_json();
    item["message"] = g.message;
    (g.severity == Diagnostic::Severity::error ? faults : warnings).push_back(std::move(item));
  }
  report["faults"] = std::move(faults);
  report["warnings"] = std::move(warnings);
}

}  // namespace tracciato::cli
