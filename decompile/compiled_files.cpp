#include "decompile/compiled_files.h"

#include "model/competition_codes.h"
#include "model/file_names.h"
#include "model/rounding.h"

namespace tracciato::decompile {

namespace {

constexpr std::int16_t cell_mark = 5121;
constexpr std::int16_t entry_mark = 610;

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

template <class Decode>
auto decoded(const std::string& file, const std::string& bytes, Decode decode) {
  try {
    return decode(bytes);
  } catch (const DecodeError& e) {
    throw Refusal(file + ": " + e.what());
  }
}

bool known_event(std::uint8_t e) {
  switch (e) {
    case event::none:
    case event::signal:
    case event::slowdown_end:
    case event::slowdown_start:
    case event::warning_board:
    case event::approach_cell:
    case event::speed_boards:
    case event::station:
    case event::mountain_marker:
    case event::abatement:
    case event::bare_abatement:
    case event::signboard: return true;
    default: return false;
  }
}

}  // namespace

CompiledScenario read_compiled(const CompiledFiles& files, const Names& names) {
  const std::string entries_file = entry_file_name(names.route, names.train);
  const std::string cells_file = cell_file_name(names.route, names.train);
  const std::string plan_file = plan_file_name(names.route);

  CompiledScenario c;
  c.voci = decoded(entries_file, files.entries, decode_entries);
  c.celle = decoded(cells_file, files.cells, decode_cells);
  if (files.plan) c.plan = decoded(plan_file, *files.plan, decode_plan);

  voce& route = c.voci[entry::route_header];
  voce& train = c.voci[entry::train_header];
  if (route.nome != names.route || train.nome != names.train)
    throw Refusal(entries_file + ": compiled for the route " + quoted(route.nome) +
                  " and the train " + quoted(train.nome) + ", not for " + quoted(names.route) +
                  " and " + quoted(names.train) + " (pass the names it was compiled for)");
  if (c.celle.size() < 2 || c.celle[1].valore1 != cell_mark || route.par1 != entry_mark)
    throw Refusal(cells_file + ", " + entries_file +
                  ": no marks 5121 in cell 1 and 610 in entry 85: not files this compiler wrote");

  // The codes depend on the names only: a mismatch means the files were stamped for
  // other names, or changed afterwards.
  Scenario names_only;
  names_only.voci[entry::route_header].nome = names.route;
  names_only.voci[entry::train_header].nome = names.train;
  const std::int32_t code_st = codice_gara_st(names_only);
  const std::int16_t code_og = codice_gara_og(names_only);
  if (route.orario != code_st || c.celle[1].valore2 != code_og)
    throw Refusal("the competition codes of " + entries_file + " (" + std::to_string(route.orario) +
                  ") and " + cells_file + " (" + std::to_string(c.celle[1].valore2) +
                  ") are not those of the names " + quoted(names.route) + " and " +
                  quoted(names.train) + " (" + std::to_string(code_st) + ", " +
                  std::to_string(code_og) + ")");
  route.par1 = 0;
  route.orario = 0;
  c.celle[1].valore1 = 0;
  c.celle[1].valore2 = 0;

  c.length = c.voci[entry::run_data].fine_area;
  const std::int64_t extended = c.length + 7000;
  c.n_celle = static_cast<std::int64_t>(c.celle.size()) - 1;
  if (c.length > 1000000 || extended < 0 || round_half_even(extended, 50) != c.n_celle)
    throw Refusal(cells_file + ": " + std::to_string(c.celle.size()) +
                  " cells do not make a route of " + std::to_string(c.length) +
                  " m, the length in " + entries_file);
  if (c.plan && static_cast<std::int64_t>(c.plan->x.size()) != extended + 1)
    throw Refusal(plan_file + ": " + std::to_string(c.plan->x.size()) +
                  " metres, where a route of " + std::to_string(c.length) + " m has " +
                  std::to_string(extended + 1) +
                  ": not from the same compile (--no-plan disregards it)");

  for (std::size_t i = 0; i < c.celle.size(); ++i) {
    const cella& k = c.celle[i];
    if (!known_event(k.evento))
      throw Refusal(cells_file + ": cell " + std::to_string(i) + " holds event " +
                    std::to_string(k.evento) + ", which this compiler never places");
    if (is_free(k) && (k.valore1 != 0 || k.valore2 != 0 || k.valore3 != 0 || k.valore4 != 0 ||
                      k.tempo != 0))
      throw Refusal(cells_file + ": cell " + std::to_string(i) +
                    " holds values but no event, which this compiler never writes");
  }
  return c;
}

}  // namespace tracciato::decompile
