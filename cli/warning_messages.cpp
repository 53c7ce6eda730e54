#include "cli/warning_messages.h"

#include <span>
#include <string_view>
#include <vector>

#include "cli/edit_distance.h"
#include "cli/fault_context.h"
#include "cli/source_line.h"
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

std::string digits_of(const std::string& field) {
  std::string out;
  for (char c : field)
    if (c >= '0' && c <= '9') out += c;
  return out;
}

std::span<const std::string_view> keywords(Scope scope) {
  static constexpr std::string_view body[] = {"pendenza", "curvad", "curvas", "montagna",
                                              "indicatori_vmax", "cartello_indicatore"};
  static constexpr std::string_view train[] = {
      "numero vetture", "percentuale massa frenata", "sabbia", "orologio", "aderenza",
      "velocita", "stazione", "segnale", "rallentamento", "abbattimento"};
  if (scope == Scope::train) return train;
  return body;
}

std::string nearest(const std::string& f, std::span<const std::string_view> candidates) {
  std::string best;
  std::size_t best_distance = 3;
  for (const std::string_view k : candidates) {
    // The distance is at least the difference in length: a long field costs nothing.
    const std::size_t gap = f.size() > k.size() ? f.size() - k.size() : k.size() - f.size();
    if (gap >= best_distance) continue;
    const std::size_t d = edit_distance(f, k);
    if (d < best_distance) {
      best_distance = d;
      best = std::string(k);
    }
  }
  return best;
}


// What a cell held before a station's stop was written over it.
std::string event_noun(std::int64_t evento) {
  switch (evento) {
    case event::signal: return "a signal";
    case event::slowdown_end: return "the end board of a slow-down";
    case event::slowdown_start: return "the start board of a slow-down";
    case event::warning_board: return "the warning board of a slow-down";
    case event::approach_cell: return "an approach cell of a slow-down";
    case event::speed_boards: return "speed-indicator boards";
    case event::station: return "the stop of another station";
    case event::abatement:
    case event::bare_abatement: return "an abatement";
    case event::signboard: return "a signboard";
    default: return "event " + std::to_string(evento);
  }
}

}  // namespace

std::string close_keyword(const std::string& field, Scope scope) {
  const std::string f = normal_form(field);
  if (f.empty()) return {};
  const std::string k = nearest(f, keywords(scope));
  if (k.rfind("curva", 0) != 0) return k;
  // A curve keyword is only whole with its class digit.
  const std::string d = digits_of(field);
  return k + (d.empty() ? "4" : d);
}

std::string warning_message(const Warning& w, const ReadingTrail& trail, bool base_names) {
  const std::string field = quoted(w.field);
  auto line_of = [&](const Place& p) -> std::string {
    if (p.line == 0) return {};
    return p.text == w.place.text ? " (line " + std::to_string(p.line) + ")"
                                  : " (" + file_shown(trail, p.text, base_names) + ":" +
                                        std::to_string(p.line) + ")";
  };
  switch (w.kind) {
    case WarningKind::unknown_keyword: {
      if (looks_like_number(w.field))
        return "value " + field + " stands where a keyword is expected and is disregarded";
      std::string m = field + " matches no entry and is disregarded";
      if (const std::string k = close_keyword(w.field, w.scope); !k.empty())
        m += "; did you mean \"" + k + "\"?";
      return m;
    }
    case WarningKind::general_in_body:
      return "general entry " + field +
             " in the body is disregarded, its values read as keywords: move it into the "
             "general section, before its closing header";
    case WarningKind::body_in_general:
      return "body entry " + field +
             " in the general section is disregarded, its values read as keywords: move it "
             "after the general section's closing header";
    case WarningKind::lower_case_needed:
      return field +
             " is not recognised: the general section matches its words only in lower case; "
             "its values are read as keywords and disregarded";
    case WarningKind::gradient_out_of_order:
      return "gradient at " + metres(w.start) + " does not come after the gradient at " +
             metres(w.earlier_at) + line_of(w.earlier) +
             " by 50 m or more: gradients must come in rising order at least 50 m apart; "
             "this one takes effect only from " + metres(50 * w.cursor);
    case WarningKind::curve_out_of_order:
      return "curve at " + metres(w.start) + " starts before the curve before it ends, at " +
             metres(w.earlier_at) + line_of(w.earlier) +
             ": curves must come in rising order without overlapping; this one bends only "
             "from " + metres(w.cursor) + ", and not at all if it ends before";
    case WarningKind::surplus_value:
      return "more value fields on the line than its entry reads: " + field +
             " is read as the next keyword field";
    case WarningKind::value_cut:
      return w.what + " " + std::to_string(w.value) + " does not fit its field: it is stored as " +
             std::to_string(w.stored);
    case WarningKind::curve_side_unknown:
      return "curve keyword " + field +
             " names neither side, \"s\" (left) nor \"d\" (right): it curves to the right, as \"curvad" +
             digits_of(w.field).substr(0, 1) + "\" does";
    case WarningKind::span_not_after_start:
      return "mountain span from " + metres(w.start) + " to " + metres(w.value) +
             ": its end is not after its start, so it covers no cell (it still counts as a span)";
    case WarningKind::length_not_positive:
      return "the length of " + w.what + " is " + std::to_string(w.value) +
             " m: give it a length of more than 0 m";
    case WarningKind::beyond_route_end:
      return "entry at " + metres(w.start) + " lies beyond the route's end at " + metres(w.stored) +
             ", in the 7000 m the model adds after it: move it within the route or lengthen "
             "the route";
    case WarningKind::no_station:
      return "the train text has no station: the train runs without stops or timetable";
    case WarningKind::no_general_header:
      return "the train text has no [generale] line: the reader skips everything up to it, "
             "so nothing of this text was read";
    case WarningKind::unknown_header: {
      std::string m = field + " is no section header of this text and is disregarded";
      if (const std::string h = nearest(lowercase(w.field), section_headers(w.scope != Scope::train)); !h.empty())
        m += "; did you mean \"" + h + "\"?";
      return m;
    }
    case WarningKind::after_end_header:
      return "this entry stands after [fine], but the reader goes on to the end of the text: "
             "it is read all the same; move [fine] to the end";
    case WarningKind::warning_board_left_out:
      return "slow-down at " + metres(w.start) +
             ": a slow-down at 1500 m or less gets no warning board (nor approach cells); "
             "start it later to have one";
    case WarningKind::looks_like_utf8:
      return "this line holds bytes that read as UTF-8 (" + field +
             "): the texts are Windows-1252, where they are other letters; save the text in "
             "Windows-1252";
    case WarningKind::stop_over_event:
      return "station: its stop cell " + std::to_string(w.stored) + " held " +
             event_noun(w.value) + line_of(w.earlier) +
             ", which the stop writes over and loses; move the station or that entry";
  }
  return field;
}

}  // namespace tracciato::cli
