#include "cli/fault_context.h"

#include "model/scenario.h"

namespace tracciato::cli {

namespace {

std::optional<NoRoom> rule_of(Code code, const ReadingTrail& trail) {
  if (code == Code::no_room_before_signal || code == Code::no_room_before_slowdown ||
      code == Code::no_room_in_slowdown)
    return trail.rule;
  return std::nullopt;
}

}  // namespace

FaultContext::FaultContext(const Scenario& s, const ReadingTrail& trail, bool base_names, Code code,
                           std::optional<std::int64_t> position, std::string_view cause,
                           const RuntimeFailure* failure)
    : s(s),
      trail(trail),
      code(code),
      position(position),
      cause(cause),
      failure(failure),
      rule(rule_of(code, trail)),
      base_names_(base_names) {
  show_at(trail.blamed ? *trail.blamed : trail.entry);
}

std::string FaultContext::at_p() const { return position ? " at " + metres(*position) : ""; }

std::optional<std::int64_t> FaultContext::value(std::size_t k) const {
  return k < fields_.size() ? whole_number(fields_[k].text) : std::nullopt;
}

std::optional<std::int64_t> FaultContext::value_at(const Place& place, std::size_t k) const {
  const std::vector<LineField> f = fields_from(line_of(place.text, place.line), place.column);
  return k < f.size() ? whole_number(f[k].text) : std::nullopt;
}

std::string file_shown(const ReadingTrail& trail, int text, bool base_names) {
  if (text < 0 || static_cast<std::size_t>(text) >= trail.texts.size()) return {};
  const std::string& name = trail.texts[static_cast<std::size_t>(text)].name;
  if (!base_names) return name;
  const std::size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string text_line(const ReadingTrail& trail, int text, std::size_t line) {
  if (text < 0 || static_cast<std::size_t>(text) >= trail.texts.size()) return {};
  return line_at(trail.texts[static_cast<std::size_t>(text)].bytes, line);
}

std::string FaultContext::file_of(int text) const { return file_shown(trail, text, base_names_); }

std::string FaultContext::line_of(int text, std::size_t line) const {
  return text_line(trail, text, line);
}

std::string FaultContext::origin(std::int64_t c) const {
  const Place o = trail.origin_of(c);
  if (o.line == 0) return {};
  return o.text == at.text ? " (line " + std::to_string(o.line) + ")"
                           : " (" + file_of(o.text) + ":" + std::to_string(o.line) + ")";
}

std::string FaultContext::holds(std::int64_t c) const {
  const std::int64_t last_cell = s.celle.allocated() ? s.celle.upper() : -1;
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
    case event::station:
      what = "the stop of station " + std::to_string(k.valore1);
      if (k.valore1 >= 1 && k.valore1 <= entry::first_signboard && !s.voci[k.valore1].nome.empty())
        what += " " + quoted(s.voci[k.valore1].nome);
      break;
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
}

std::string FaultContext::cell(std::int64_t c) {
  return "cell " + std::to_string(c) + " (" + std::to_string((c - 1) * 50) + "-" +
         std::to_string(c * 50 - 1) + " m)";
}

std::string FaultContext::range(std::int64_t from, std::int64_t to) const {
  std::string out;
  for (std::int64_t c = from; c <= to; ++c)
    out += (c == from ? "" : "; ") + cell(c) + " holds " + holds(c);
  return out;
}

}  // namespace tracciato::cli
