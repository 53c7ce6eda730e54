#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace tracciato::plot {

// What the pictures show along the line, read back from the entry and cell files.
// Positions are metres from the route's origin. An event cell c (signal, board,
// station stop) stands at (c - 1) * 50, the start of the 50 m it covers; the
// profile bytes of cell i (gradient, speed limit, adhesion, mountain) cover
// 50 * i .. 50 * i + 49, as the lists fill them from cell 0.
struct Station {
  std::string name;  // UTF-8
  std::int64_t metre;
  bool stops;  // has a stop cell; otherwise `metre` is the station's own position
};

struct Signboard {
  std::int64_t metre;
  std::string caption;  // UTF-8, its rows joined
};

// A stretch from `from` up to, not including, `to`.
struct Span {
  std::int64_t from, to;
};

struct SlowDown {
  std::int64_t from, to;
  int speed_kmh;
  bool has_end;  // false: no end board follows the start, so it runs to the route's end
};

struct RouteFeatures {
  std::string route, train;  // UTF-8, from the headers of the entry file
  // The route's length as the entry file gives it, kept within the cell file.
  std::int64_t length = 0;
  std::vector<Station> stations;
  std::vector<std::int64_t> signals;
  std::vector<Signboard> signboards;
  std::vector<Span> tunnels;
  std::vector<SlowDown> slowdowns;
};

inline constexpr std::int64_t metres_per_cell = 50;

inline std::int64_t event_metre(std::int64_t cell) { return (cell - 1) * metres_per_cell; }

// Entry i of the entry file's `voci`, or nullptr when there is none (a value read from a
// cell may name any index).
const voce* entry_at(const std::vector<voce>& voci, std::int64_t i);

// `voci` holds the 87 entries of the entry file.
RouteFeatures route_features(const std::vector<voce>& voci, const std::vector<cella>& celle);

}  // namespace tracciato::plot
