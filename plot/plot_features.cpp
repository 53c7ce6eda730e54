#include "plot/plot_features.h"

#include <algorithm>

#include "plot/plot_text.h"

namespace tracciato::plot {

namespace {

bool blank(const voce& v) {
  return v.genere == 0 && v.inizio_area == 0 && v.fine_area == 0 && v.posizione == 0 &&
         v.opz1 == 0 && v.nome.empty() && v.par1 == 0 && v.par2 == 0 && v.par3 == 0 &&
         v.par4 == 0 && v.par5 == 0 && v.opz2 == 0 && v.opz3 == 0 && v.opz4 == 0 &&
         v.opz5 == 0 && v.orario == 0;
}

// Stations fill the entries upwards from 1 and signboard texts downwards from 80: the
// stations are the entries from 1 up to the first blank one or the lowest signboard.
void read_stations(RouteFeatures& f, const std::vector<voce>& voci,
                   const std::vector<cella>& celle) {
  std::int64_t lowest_board = entry::first_signboard + 1;
  std::vector<std::int64_t> stop_cell(voci.size(), -1);  // the first stop cell of each entry
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (c.evento == event::signboard && c.valore1 >= 1)
      lowest_board = std::min<std::int64_t>(lowest_board, c.valore1);
    if (c.evento == event::station && c.valore1 >= 0 &&
        static_cast<std::size_t>(c.valore1) < stop_cell.size() &&
        stop_cell[static_cast<std::size_t>(c.valore1)] < 0)
      stop_cell[static_cast<std::size_t>(c.valore1)] = static_cast<std::int64_t>(i);
  }
  for (std::int64_t k = 1; k < lowest_board; ++k) {
    const voce* v = entry_at(voci, k);
    if (!v || blank(*v)) break;
    const std::int64_t stop = stop_cell[static_cast<std::size_t>(k)];
    f.stations.push_back({utf8_from_1252(v->nome), stop >= 0 ? event_metre(stop) : v->posizione,
                          stop >= 0});
  }
}

}  // namespace

const voce* entry_at(const std::vector<voce>& voci, std::int64_t i) {
  return i >= 0 && i < static_cast<std::int64_t>(voci.size()) ? &voci[static_cast<std::size_t>(i)]
                                                               : nullptr;
}

RouteFeatures route_features(const std::vector<voce>& voci, const std::vector<cella>& celle) {
  RouteFeatures f;
  if (const voce* v = entry_at(voci, entry::route_header)) f.route = utf8_from_1252(v->nome);
  if (const voce* v = entry_at(voci, entry::train_header)) f.train = utf8_from_1252(v->nome);
  const std::int64_t covered = static_cast<std::int64_t>(celle.size()) * metres_per_cell;
  if (const voce* v = entry_at(voci, entry::run_data))
    f.length = std::clamp<std::int64_t>(v->fine_area, 0, covered);

  read_stations(f, voci, celle);

  const auto n = static_cast<std::int64_t>(celle.size());
  // next_end[i]: the first end board after cell i, or n when none follows.
  std::vector<std::int64_t> next_end(celle.size(), n);
  for (std::int64_t i = n - 2; i >= 0; --i) {
    const auto after = static_cast<std::size_t>(i + 1);
    next_end[static_cast<std::size_t>(i)] =
        celle[after].evento == event::slowdown_end ? i + 1 : next_end[after];
  }
  for (std::int64_t i = 0; i < n; ++i) {
    const cella& c = celle[static_cast<std::size_t>(i)];
    if (c.evento == event::signal) f.signals.push_back(event_metre(i));
    if (c.evento == event::signboard) {
      const voce* v = entry_at(voci, c.valore1);
      f.signboards.push_back(
          {event_metre(i), v ? utf8_from_1252(signboard_caption(v->nome)) : std::string()});
    }
    if (c.evento == event::slowdown_start) {
      // A slow-down ends at the first end board after its start, as the compiler's
      // own walk over the cells finds it.
      const std::int64_t t = next_end[static_cast<std::size_t>(i)];
      const bool has_end = t < n;
      f.slowdowns.push_back({event_metre(i),
                             has_end ? event_metre(t) : std::max(f.length, event_metre(i)),
                             c.valore1, has_end});
    }
    if (c.montagna != 0) {
      const std::int64_t from = i * metres_per_cell;
      if (!f.tunnels.empty() && f.tunnels.back().to == from)
        f.tunnels.back().to = from + metres_per_cell;
      else
        f.tunnels.push_back({from, from + metres_per_cell});
    }
  }
  return f;
}

}  // namespace tracciato::plot
