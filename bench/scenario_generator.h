#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tracciato::bench {

// A route of `length` metres and a train over it, as source texts (CR LF lines) that
// compile without a single fault: every event lands on a free cell, every
// post-processing window finds its free cell, and the entry table holds all stations
// and signboards.
//
// Per 200 m the route has one gradient, one curve and one speed-indicator board;
// per kilometre the train has a signal, per 10 km a slow-down, per 5 km a speed limit,
// and a station every 4 km. The tables of the model cap what cannot be repeated all
// along: 80 mountain spans spread over the route, and the 78 free entries of `voci`
// shared by 39 signboards (spread over the route) and 39 stations (from km 4 on).
//
// All of it repeats on a 1000 m period of 20 cells whose residues keep the kinds apart:
// speed-indicator boards on cells 1 mod 4, signals on 3 mod 20, signboards on 14,
// station stop cells on 16, slow-down boards on 7, 11 and 19 (warning, start, end).
struct GeneratedTexts {
  std::string route;
  std::string train;
};

// Lengths from 20000 to 1000000 m, in whole kilometres; none otherwise.
std::optional<GeneratedTexts> generate_scenario(std::int64_t length);

inline constexpr std::int64_t min_length = 20000;
inline constexpr std::int64_t max_length = 1000000;

}  // namespace tracciato::bench
