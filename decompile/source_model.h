#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tracciato::decompile {

// What the two source texts say, entry by entry, in the order they are written. The
// layout (source_layout.h) turns it into text; the decompiler fills it from the files.

struct Triple {
  std::int64_t first = 0, second = 0, third = 0;
};

struct CurveEntry {
  std::string keyword;  // "curvad4", "curvas1": side and class
  std::int64_t start = 0;
  std::int64_t length = 0;
};

// A gradient, a speed limit or an adhesion line: a position and a value in its unit.
struct ListEntry {
  std::int64_t position = 0;
  std::int64_t value = 0;
};

struct MountainEntry {
  std::int64_t start = 0, end = 0, type = 0;
};

struct BoardsEntry {
  std::int64_t position = 0;
  std::int64_t side_s[3] = {0, 0, 0};
  std::int64_t stripes_s = 0;
  std::int64_t side_d[3] = {0, 0, 0};
  std::int64_t stripes_d = 0;
};

struct SignboardEntry {
  std::int64_t position = 0;
  std::string text;
};

struct RouteSource {
  std::int64_t length = 0;
  Triple progressive_uno, progressive_due, progressive_tre;
  std::int64_t background_uno = 0, background_due = 0, background_tre = 0;
  // Signal repetition: the digit of its keyword (4 or 9; 0 for neither), the values.
  // `earlier_codes`, when set, is a repetition line before it that sets the number of
  // codes (a faulty last line keeps the number an earlier one stored).
  int repetition_codes = 4;
  std::int64_t repetition_first = 0, repetition_second = 0;
  std::optional<int> earlier_codes;

  std::vector<CurveEntry> curves;
  std::vector<ListEntry> gradients;
  std::vector<MountainEntry> mountains;
  std::vector<BoardsEntry> boards;
  std::vector<SignboardEntry> signboards;  // in slot order: 80, 79, ...
  // The compile stopped in the body after the entries above: a last entry that ends the
  // reading (a curve keyword without a class digit) says so.
  bool stops_after_body = false;
};

struct StationEntry {
  std::int64_t position = 0;
  std::int64_t kind = 0, length = 0;
  std::int64_t opz1 = 0, opz5 = 0, opz4 = 0;
  std::int64_t par1 = 0, par2 = 0, opz2 = 0, par3 = 0, par4 = 0, par5 = 0, opz3 = 0;
  std::int64_t hours = 0, minutes = 0, seconds = 0;
  std::string name;
  // Fields that follow the position, or none when the line is only "stazione, P" (a
  // station whose position alone was stored before the reading stopped on it); with
  // `length_only`, the line ends after kind and length.
  bool position_only = false;
  bool length_only = false;
};

struct SlowdownEntry {
  std::int64_t start = 0, speed = 0, length = 0, f_tt = 0, f_ta = 0, d_v = 0;
};

struct AbatementEntry {
  std::int64_t position = 0, value = 0;
};

struct SignalEntry {
  std::int64_t position = 0;
  std::int64_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0;
  std::int64_t tempo = 0;
};

// One positioned line of the train text. Stations keep their order (their number is
// their rank); a line written over by a later one (an approach marker) comes before it.
struct TrainLine {
  enum class Kind { station, slowdown, abatement, signal };
  Kind kind = Kind::station;
  std::size_t index = 0;  // into the list of its kind
};

struct TrainSource {
  std::int64_t cars = 0, braked_mass = 0, sand = 0;
  std::int64_t clock[3] = {0, 0, 0};
  std::vector<ListEntry> adhesion;
  std::vector<ListEntry> speeds;
  std::vector<StationEntry> stations;
  std::vector<SlowdownEntry> slowdowns;
  std::vector<AbatementEntry> abatements;
  std::vector<SignalEntry> signals;
  std::vector<TrainLine> order;  // every station, slow-down, abatement and signal once
};

}  // namespace tracciato::decompile
