#include "dump/dump_cell_meaning.h"

#include <utility>

namespace tracciato::dump {

namespace {

constexpr std::int16_t mark = 5121;

Part part(std::string key, std::int64_t value, std::string text) {
  return {std::move(key), value, std::move(text)};
}

Part named(const std::string& key, std::int64_t value, const std::string& unit = "") {
  return part(key, value, key + " " + std::to_string(value) + unit);
}

// valore1 .. valore3 of a signal: the digits of the two sides, s * 10 + d.
std::vector<Part> signal_digits(int n, std::int16_t v) {
  if (v < 0) return {};
  const std::string i = std::to_string(n);
  return {named("s" + i, v / 10), named("d" + i, v % 10)};
}

// valore4 of a signal: rapp * 10 + sx * 3 + dx, each kind 0 .. 2.
std::vector<Part> signal_kinds(std::int16_t v) {
  if (v < 0) return {};
  const int kinds = v % 10;
  return {named("rapp", v / 10), named("sx", kinds / 3), named("dx", kinds % 3)};
}

// valore1 .. valore3 of speed-indicator boards: side s in fives above the hundreds,
// side d in fives in the last two digits.
std::vector<Part> board_speeds(std::int16_t v) {
  if (v < 0) return {};
  const std::int64_t s = v / 100 * 5, d = v % 100 * 5;
  return {part("s_kmh", s, "s " + std::to_string(s) + " km/h"),
          part("d_kmh", d, "d " + std::to_string(d) + " km/h")};
}

std::vector<Part> board_stripes(std::int16_t v) {
  if (v < 0) return {};
  return {part("stripes_s", v / 10, "stripes s " + std::to_string(v / 10)),
          part("stripes_d", v % 10, "d " + std::to_string(v % 10))};
}

}  // namespace

std::string_view event_name(std::uint8_t e) {
  switch (e) {
    case event::none: return "none";
    case event::signal: return "signal";
    case event::slowdown_end: return "slow-down end";
    case event::slowdown_start: return "slow-down start";
    case event::warning_board: return "warning board";
    case event::approach_cell: return "before the warning board";
    case event::speed_boards: return "speed-indicator boards";
    case event::station: return "station";
    case event::mountain_marker: return "mountain marker";
    case event::abatement: return "abatement";
    case event::bare_abatement: return "abatement without value";
    case event::signboard: return "signboard";
  }
  return "unknown";
}

std::vector<FieldMeaning> cell_meaning(std::int64_t index, const cella& c) {
  std::vector<FieldMeaning> m;
  auto add = [&](std::string_view field, std::vector<Part> parts) {
    if (!parts.empty()) m.push_back({field, std::move(parts)});
  };
  // Cell 1 carries the two file marks in valore1 and valore2, whatever its event.
  const bool marks = index == 1;
  if (marks) {
    add("valore1", {part("mark", c.valore1, c.valore1 == mark ? "mark" : "mark slot, not 5121")});
    add("valore2", {named("codice_gara_og", c.valore2)});
  }
  auto value = [&](std::string_view field, std::vector<Part> parts) {
    if (!(marks && (field == "valore1" || field == "valore2"))) add(field, std::move(parts));
  };
  switch (c.evento) {
    case event::signal:
      value("valore1", signal_digits(1, c.valore1));
      value("valore2", signal_digits(2, c.valore2));
      value("valore3", signal_digits(3, c.valore3));
      value("valore4", signal_kinds(c.valore4));
      break;
    case event::slowdown_end:
    case event::slowdown_start:
      value("valore1", {named("v", c.valore1, " km/h")});
      value("valore2", {named("d_v", c.valore2)});
      value("valore3", {named("f_tt", c.valore3)});
      break;
    case event::warning_board:
      value("valore1", {named("v", c.valore1, " km/h")});
      value("valore2", {named("d_v", c.valore2)});
      break;
    case event::approach_cell:
      value("valore1", {named("rank", c.valore1)});
      value("valore2", {named("rank", c.valore2)});
      break;
    case event::speed_boards:
      value("valore1", board_speeds(c.valore1));
      value("valore2", board_speeds(c.valore2));
      value("valore3", board_speeds(c.valore3));
      value("valore4", board_stripes(c.valore4));
      break;
    case event::station:
      value("valore1", {named("station", c.valore1)});
      break;
    case event::abatement:
      value("valore1", {named("speed", c.valore1)});
      break;
    case event::signboard:
      value("valore1", {part("voce", c.valore1, "text in voci(" + std::to_string(c.valore1) + ")")});
      break;
    default:
      break;
  }
  const std::int64_t kmh = c.velocita * 5, per_mille = c.pendenza - 100;
  add("velocita", {part("kmh", kmh, std::to_string(kmh) + " km/h")});
  add("pendenza", {part("per_mille", per_mille, std::to_string(per_mille) + " per mille")});
  return m;
}

const FieldMeaning* meaning_of(const std::vector<FieldMeaning>& meaning, std::string_view field) {
  for (const FieldMeaning& f : meaning)
    if (f.field == field) return &f;
  return nullptr;
}

std::string parts_text(const std::vector<Part>& parts) {
  std::string out;
  for (const Part& p : parts) {
    if (!out.empty()) out += ", ";
    out += p.text;
  }
  return out;
}

}  // namespace tracciato::dump
