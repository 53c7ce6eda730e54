#include "decompile/decompiler.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "decompile/cell_lists.h"
#include "decompile/mountain_spans.h"
#include "decompile/plan_curves.h"
#include "decompile/source_layout.h"
#include "decompile/walk_abatements.h"
#include "model/rounding.h"

namespace tracciato::decompile {

namespace {

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

std::int64_t modulo(std::int64_t a, std::int64_t m) { return ((a % m) + m) % m; }

// A 16-bit value v as tens and units: v = 10 * tens + units, units 0 .. 9.
void tens_and_units(std::int64_t v, std::int64_t& tens, std::int64_t& units) {
  tens = floor_div(v, 10);
  units = v - 10 * tens;
}

bool fills_more_than_its_name(const voce& v) {
  return v.genere != 0 || v.inizio_area != 0 || v.fine_area != 0 || v.posizione != 0 ||
         v.opz1 != 0 || v.par1 != 0 || v.par2 != 0 || v.par3 != 0 || v.par4 != 0 ||
         v.par5 != 0 || v.opz2 != 0 || v.opz3 != 0 || v.opz4 != 0 || v.opz5 != 0 ||
         v.orario != 0;
}

// The approach markers a positioned train line writes: cell and byte.
using Marks = std::vector<std::pair<std::int64_t, std::uint8_t>>;

struct SignalPacking {
  std::int64_t lati = 0;  // sx * 3 + dx, as the markers carry it
  std::int64_t rapp = 0;
};

class Decompiler {
 public:
  Decompiler(const CompiledFiles& files, const Names& names)
      : c_(read_compiled(files, names)), n_(c_.n_celle) {
    out_.plan = c_.plan.has_value();
  }

  DecompiledTexts run() {
    general();
    if (c_.plan) plan();
    lists();
    out_.route.mountains = mountain_spans(c_.celle);
    boards();
    stations();
    overwritten();
    signboards();
    slowdowns();
    abatements();
    signals();
    order();
    out_.route_text = route_text(out_.route, out_.plan);
    out_.train_text = train_text(out_.train);
    return std::move(out_);
  }

 private:
  const cella& cell(std::int64_t i) const { return c_.celle[static_cast<std::size_t>(i)]; }
  bool in_cells(std::int64_t i) const { return i >= 0 && i <= n_; }
  void note(const std::string& s) { out_.notes.push_back(s); }
  // The position an author gives an event of cell i (cell p / 50 + 1): its first metre.
  static std::int64_t event_position(std::int64_t i) { return 50 * (i - 1); }

  void general() {
    RouteSource& r = out_.route;
    r.length = c_.length;
    const voce& header = c_.voci[entry::route_header];
    r.background_uno = header.inizio_area;
    r.background_tre = header.fine_area;
    r.background_due = header.posizione;

    const voce& rep = c_.voci[entry::train_header];
    r.repetition_first = rep.inizio_area;
    r.repetition_second = rep.fine_area;
    const std::int64_t codes = rep.posizione;
    // A value not a multiple of 50 stops the reading on that line, before the number of
    // codes is stored; so does a keyword with neither 4 nor 9, which a stop before the
    // body shows (a plan without a single point), or a number of codes without a second
    // value.
    const bool bad_value = rep.inizio_area % 50 != 0 || rep.fine_area % 50 != 0;
    const bool no_body = c_.plan && std::all_of(c_.plan->x.begin(), c_.plan->x.end(), [](const PlanValue& v) {
                           return v.kind == PlanValue::Kind::Empty;
                         });
    const bool stops = bad_value || no_body || (rep.fine_area == 0 && codes != 0);
    if (stops) {
      r.repetition_codes = bad_value ? 4 : 0;
      if (codes != 0) r.earlier_codes = static_cast<int>(codes);
      note("the compile of these files stopped in the route's general section, on its signal "
           "repetition; the texts stop there too");
    } else {
      r.repetition_codes = codes == 9 ? 9 : 4;
      if (codes != 0 && codes != 4 && codes != 9)
        note("entry 86 holds " + std::to_string(codes) +
             " codes of signal repetition, which no keyword gives");
    }

    const voce& run = c_.voci[entry::run_data];
    out_.train.cars = run.posizione;
    out_.train.braked_mass = run.inizio_area;
    out_.train.sand = rep.par1;
    out_.train.clock[0] = rep.par3;
    out_.train.clock[1] = rep.par4;
    out_.train.clock[2] = rep.par5;

    progressives(stops);
  }

  // Entries 81 to 83 hold the progressives as sorted (value 1 greatest first, or by
  // value 2 when the values 1 sum to 0) and with 100 added to value 2 where value 3 is
  // 1; the source order that sorts back to them. A reading that stopped in the general
  // section never sorted them.
  void progressives(bool unsorted) {
    auto triple = [&](int entry) {
      const voce& v = c_.voci[entry];
      return Triple{v.inizio_area, v.fine_area, v.posizione};
    };
    Triple e1 = triple(entry::progressive_three), e2 = triple(entry::progressive_two),
           e3 = triple(entry::progressive_one);
    RouteSource& r = out_.route;
    if (unsorted) {
      r.progressive_tre = e1;
      r.progressive_due = e2;
      r.progressive_uno = e3;
      return;
    }
    for (Triple* t : {&e1, &e2, &e3})
      if (t->third == 1) t->second = low32(t->second - 100);
    const std::int64_t sum = e1.first + e2.first + e3.first;
    if (sum != 0) {
      r.progressive_tre = e1;
      if (e2.first > e3.first) {
        r.progressive_due = e2;
        r.progressive_uno = e3;
      } else {
        r.progressive_uno = e2;
        r.progressive_due = e3;
      }
    } else {
      r.progressive_uno = e1;
      r.progressive_due = e2;
      r.progressive_tre = e3;
    }
  }

  void plan() {
    const PlanCurves p = plan_curves(*c_.plan, n_);
    out_.route.curves = p.curves;
    if (p.stopped) {
      out_.route.stops_after_body = true;
      note("the compile of these files stopped reading the route text after its last curve "
           "(the plan ends there): the route text ends its reading the same way, and the "
           "train text is not read");
    }
  }

  void lists() {
    auto bytes = [&](std::uint8_t cella::*field) {
      std::vector<std::uint8_t> b;
      b.reserve(c_.celle.size());
      for (const cella& k : c_.celle) b.push_back(k.*field);
      return b;
    };
    // The route's reading stopped after its body: the gradients were not completed.
    out_.route.gradients =
        list_entries({bytes(&cella::pendenza), 100, [](std::uint8_t b) { return std::int64_t{b} - 100; },
                      !out_.route.stops_after_body});
    out_.train.speeds =
        list_entries({bytes(&cella::velocita), 0, [](std::uint8_t b) { return 5 * std::int64_t{b}; }});
    out_.train.adhesion =
        list_entries({bytes(&cella::aderenza), 0, [](std::uint8_t b) { return std::int64_t{b}; }});
  }

  // Speed-indicator boards: each value is 20 * side s + side d / 5 of a pair of speeds
  // in km/h; speeds in fives give it back, side s in the hundreds.
  static void split_speeds(std::int64_t v, std::int64_t& s, std::int64_t& d) {
    const std::int64_t hundreds = v < 0 ? -((-v) / 100) : v / 100;
    s = 5 * hundreds;
    d = 5 * (v - 100 * hundreds);
  }

  // The boards of cell i, the first value given (a station's stop may have taken it).
  BoardsEntry boards_at(std::int64_t i, std::int64_t first_value) const {
    const cella& k = cell(i);
    BoardsEntry b;
    b.position = event_position(i);
    split_speeds(first_value, b.side_s[0], b.side_d[0]);
    split_speeds(k.valore2, b.side_s[1], b.side_d[1]);
    split_speeds(k.valore3, b.side_s[2], b.side_d[2]);
    b.stripes_s = k.valore4 / 10;
    b.stripes_d = k.valore4 - 10 * b.stripes_s;
    return b;
  }

  void boards() {
    for (std::int64_t i = 0; i <= n_; ++i)
      if (cell(i).evento == event::speed_boards)
        out_.route.boards.push_back(boards_at(i, cell(i).valore1));
  }

  void stations() {
    // Stations fill the entries from 1 up, the signboard texts from 80 down; a station
    // stores more than a name, a signboard only its text.
    for (std::int64_t k = 1; k < entry::first_signboard; ++k)
      if (fills_more_than_its_name(c_.voci[k])) stations_ = k;
    for (std::int64_t k = 1; k <= stations_; ++k) out_.train.stations.push_back(station(k));
  }

  StationEntry station(std::int64_t k) {
    const voce& v = c_.voci[k];
    StationEntry s;
    s.position = v.posizione;
    s.kind = v.genere;
    const std::int64_t p = v.posizione;
    const bool arealess = v.inizio_area == 0 && v.fine_area == 0 && v.opz1 == 0 && v.par1 == 0 &&
                          v.par2 == 0 && v.par3 == 0 && v.par4 == 0 && v.par5 == 0 &&
                          v.opz2 == 0 && v.opz3 == 0 && v.opz4 == 0 && v.opz5 == 0 &&
                          v.orario == 0 && v.nome.empty();
    if (arealess && p != 0) {
      // Only what a station stores before its faults: the position (range check, or a
      // position not a multiple of 50), then the kind (a length not a multiple of 100).
      if (p + 800 > 50 * n_ || p % 50 != 0) {
        s.position_only = true;
      } else {
        s.length_only = true;
        s.length = 50;
      }
      if (k == stations_) faulty_last_station_ = true;
      note("station " + std::to_string(k) +
           " holds only what is stored before a fault that ended the compile's reading of "
           "the train text; its line ends the train text the same way");
      station_marks_.push_back({});
      return s;
    }
    if (v.genere == 5 || v.genere == 6 || v.genere == 7 || v.genere == 8) {
      s.length = p - v.inizio_area;
    } else {
      s.length = 2 * (p - v.inizio_area);
      // The first station's area flag is cleared once its area is made: its area end
      // still tells it.
      s.opz4 = k == 1 ? (v.fine_area - p - s.length / 2 == 50 ? 1 : 0) : v.opz4;
    }
    s.opz1 = v.opz1;
    s.opz5 = v.opz5;
    s.par1 = v.par1;
    s.par2 = v.par2;
    s.opz2 = v.opz2;
    s.par3 = v.par3;
    s.par4 = v.par4;
    s.par5 = v.par5;
    s.opz3 = v.opz3;
    if (v.orario >= 0) {
      s.hours = v.orario / 3600;
      s.minutes = v.orario % 3600 / 60;
      s.seconds = v.orario % 60;
    } else {
      s.seconds = v.orario;
    }
    s.name = v.nome;

    // A station whose own checks failed after it was stored ended the reading there.
    const bool spacing = k > 1 && std::int64_t{v.inizio_area} - 350 < c_.voci[k - 1].fine_area;
    const bool no_stop_cell = v.genere < 25 && v.fine_area <= 100;
    if ((spacing || no_stop_cell) && k == stations_) {
      faulty_last_station_ = true;
      note("station " + std::to_string(k) + " ended the compile's reading of the train text (" +
           (spacing ? "its area begins less than 350 m after the one before" : "no room for its stop cell") +
           "); its line ends the train text the same way");
    }
    if (v.genere < 25 && v.fine_area > 100) {
      const std::int64_t stop = round_half_even(std::int64_t{v.fine_area} - 50, 50);
      if (!in_cells(stop) || cell(stop).evento != event::station || cell(stop).valore1 != low16(k))
        note("station " + std::to_string(k) + ": its stop cell " + std::to_string(stop) +
             " does not hold it");
      else
        stop_cells_.push_back({stop, static_cast<std::size_t>(k - 1)});
      if (v.genere != 5 && v.genere != 6) {
        Marks m;
        for (std::int64_t j = 1; j <= 4; ++j) {
          const std::int64_t before = std::int64_t{v.fine_area} - 50 - 50 * j;
          if (before > 50) m.push_back({round_half_even(before, 50), static_cast<std::uint8_t>(80 + j)});
        }
        station_marks_.push_back(m);
      } else {
        station_marks_.push_back({});
      }
    } else {
      station_marks_.push_back({});
    }
    return s;
  }

  // A station's stop takes its cell whatever it held, but keeps the other values of an
  // event there (outside the promised class). A time or a marker of the packed sides
  // tells a signal, which then comes before the station; other values a speed-indicator
  // board. Their first value is lost: the station's number took it.
  void overwritten() {
    for (const auto& [s, station] : stop_cells_) {
      const cella& k = cell(s);
      if (k.valore2 == 0 && k.valore3 == 0 && k.valore4 == 0 && k.tempo == 0) continue;
      SignalPacking plain;
      tens_and_units(k.valore4, plain.rapp, plain.lati);
      bool marked = false;
      for (std::int64_t j = 1; j <= 4; ++j)
        marked = marked || (in_cells(s - 2 * j) && cell(s - 2 * j).avviso == mark(plain.lati, j));
      if (k.tempo != 0 || marked) {
        under_stations_.push_back({s, station});
        note("station " + std::to_string(station + 1) + " wrote its stop over a signal in cell " +
             std::to_string(s) + ": the signal comes back before it, its first value lost");
        continue;
      }
      out_.route.boards.push_back(boards_at(s, 0));
      note("station " + std::to_string(station + 1) + " wrote its stop over speed-indicator boards in cell " +
           std::to_string(s) + ": they come back, their first value lost");
    }
  }

  void signboards() {
    std::map<std::int64_t, std::int64_t> cell_of_slot;
    std::int64_t lowest = entry::first_signboard + 1;
    for (std::int64_t i = 0; i <= n_; ++i) {
      if (cell(i).evento != event::signboard) continue;
      const std::int64_t slot = cell(i).valore1;
      // Entry 0 takes an 81st signboard, when no station is left room.
      if (slot < 0 || slot > entry::first_signboard || (slot <= stations_ && stations_ > 0) ||
          !cell_of_slot.emplace(slot, i).second) {
        note("cell " + std::to_string(i) + ": a signboard with text entry " +
             std::to_string(slot) + ", which no signboard line can have");
        continue;
      }
      lowest = std::min(lowest, slot);
    }
    // A signboard whose cell a station's stop overwrote left only its text.
    for (std::int64_t slot = stations_ + 1; slot < lowest; ++slot)
      if (!c_.voci[slot].nome.empty()) {
        lowest = slot;
        break;
      }
    lowest_slot_ = lowest;
    std::set<std::int64_t> used;
    for (std::int64_t slot = entry::first_signboard; slot >= lowest && slot >= 0; --slot) {
      SignboardEntry e;
      e.text = c_.voci[slot].nome;
      if (auto it = cell_of_slot.find(slot); it != cell_of_slot.end()) {
        e.position = event_position(it->second);
      } else {
        // Any station stop cell it could have stood on gives the same files: one whose
        // other values a signboard leaves at 0.
        std::int64_t chosen = -1;
        for (const auto& [s, station] : stop_cells_) {
          const cella& k = cell(s);
          if (used.count(s) == 0 && k.valore2 == 0 && k.valore3 == 0 && k.valore4 == 0 && k.tempo == 0) {
            chosen = s;
            break;
          }
        }
        if (chosen < 0) {
          note("signboard text " + std::to_string(slot) + " has no cell and no station stop cell "
               "it could have stood on");
          chosen = 0;
        } else {
          used.insert(chosen);
          note("signboard text " + std::to_string(slot) +
               " lost its cell to a station's stop: its line puts it on the stop cell " +
               std::to_string(chosen) + ", which the station takes again");
        }
        e.position = event_position(chosen);
      }
      out_.route.signboards.push_back(e);
    }
  }

  // A slow-down's warning board stands 24 cells before its start and, with f_ta, its
  // approach cells 25 to 28 cells before; its end board is the one of the same values.
  void slowdowns() {
    std::vector<std::int64_t> ends;
    for (std::int64_t i = 0; i <= n_; ++i)
      if (cell(i).evento == event::slowdown_end) ends.push_back(i);
    std::set<std::int64_t> claimed;
    for (std::int64_t i = 0; i <= n_; ++i) {
      const cella& start = cell(i);
      if (start.evento != event::slowdown_start) continue;
      SlowdownEntry s;
      s.speed = start.valore1;
      s.f_tt = start.valore3;
      const std::int64_t w = i - 24;
      const bool warned = in_cells(w) && cell(w).evento == event::warning_board &&
                          cell(w).valore1 == start.valore1 && cell(w).valore2 == start.valore2;
      if (warned) {
        claimed.insert(w);
        // A warning board means a start beyond 1500 m: in cell 31, 1510 m is one.
        s.start = i == 31 ? 1510 : event_position(i);
        if (i < 31) note("slow-down starting in cell " + std::to_string(i) + " has a warning board");
      } else {
        s.start = event_position(i);
        if (i > 31) note("slow-down starting in cell " + std::to_string(i) + " has no warning board");
      }
      // The approach cells stand before the warning board: next to it, or one cell
      // further for a start half way between two cells (x / 50 + 1 and (x - 1200) / 50
      // then round apart), which only an even start cell has.
      auto approach_from = [&](std::int64_t first) {
        for (std::int64_t rank = 1; rank <= 4; ++rank) {
          const std::int64_t a = first - (rank - 1);
          if (!in_cells(a) || cell(a).evento != event::approach_cell || cell(a).valore1 != rank ||
              claimed.count(a) != 0)
            return false;
        }
        return true;
      };
      std::int64_t approach = -1;
      if (warned && approach_from(w - 1)) {
        approach = w - 1;
      } else if (warned && i % 2 == 0 && i >= 32 && approach_from(w - 2)) {
        approach = w - 2;
        s.start = 50 * i - 75;
      }
      if (approach >= 0) {
        s.f_ta = 1;
        for (std::int64_t rank = 0; rank < 4; ++rank) claimed.insert(approach - rank);
      }
      s.d_v = start.valore2;
      if (s.d_v == 0 && approach >= 0 && cell(approach).valore2 == 1) s.d_v = 65536;  // low bits 0

      // The end board: of the same values, the nearest after the start, else the
      // nearest before it; none when the start was written over it (a length within its
      // cell) or the warning board was (a length of -1200).
      // A warning board never carries f_tt unless the end board was written there first.
      std::int64_t end = warned && cell(w).valore3 != 0 && cell(w).valore3 == start.valore3 ? w : -1;
      auto same = [&](std::int64_t e) {
        return claimed.count(e) == 0 && cell(e).valore1 == start.valore1 &&
               cell(e).valore2 == start.valore2 && cell(e).valore3 == start.valore3;
      };
      for (std::int64_t e : ends)
        if (end < 0 && e >= i && same(e)) {
          end = e;
          break;
        }
      if (end < 0)
        for (auto it = ends.rbegin(); it != ends.rend(); ++it)
          if (*it < i && same(*it)) {
            end = *it;
            break;
          }
      if (end < 0) end = i;
      if (!(warned && end == w)) claimed.insert(end);
      s.length = event_position(end) - s.start;
      out_.train.slowdowns.push_back(s);
    }
    for (std::int64_t i = 0; i <= n_; ++i) {
      const std::uint8_t e = cell(i).evento;
      if ((e == event::slowdown_end || e == event::warning_board ||
           e == event::approach_cell) &&
          claimed.count(i) == 0)
        note("cell " + std::to_string(i) + ": a slow-down board that belongs to no slow-down start");
    }
  }

  // Abatements: of the value 180 only those the walk does not place come from lines.
  void abatements() {
    const auto sources = source_abatements_of_180(c_.celle);
    if (!sources)
      note("the post-processing walk could not be reproduced: every abatement of 180 is "
           "left to the walk");
    std::set<std::int64_t> of_180;
    if (sources) of_180.insert(sources->begin(), sources->end());
    for (std::int64_t i = 0; i <= n_; ++i) {
      const cella& k = cell(i);
      if (k.evento == event::bare_abatement) {
        out_.train.abatements.push_back({50 * i, 0});
      } else if (k.evento == event::abatement) {
        if (k.valore1 == 180 && of_180.count(i) == 0) continue;
        // A value whose low 16 bits are not positive comes from a larger one.
        const std::int64_t v = k.valore1 > 0 ? k.valore1 : std::int64_t{k.valore1} + 65536;
        out_.train.abatements.push_back({50 * i, v});
      }
    }
  }

  static std::uint8_t mark(std::int64_t lati, std::int64_t j) { return low8(lati * 10 + j); }

  // sx * 3 + dx as the marker byte `shown`, written as the j-th, gives it: known
  // modulo 128, of the parity valore4 leaves it; the rapp then packs both into valore4.
  static std::optional<SignalPacking> packing_from_marker(std::int16_t v4, std::uint8_t shown,
                                                          std::int64_t j) {
    const std::int64_t r = modulo(std::int64_t{shown} - j, 256);
    if (r % 2 != 0) return std::nullopt;
    std::int64_t lati = modulo(r / 2 * 77, 128);  // 5 * 77 = 1 modulo 128
    if (lati >= 64) lati -= 128;
    if (modulo(v4 - lati, 2) != 0) return std::nullopt;
    const std::int64_t rapp = modulo((v4 - lati) / 2 * 19661, 32768);  // 5 * 19661 = 1 modulo 32768
    return SignalPacking{lati, rapp >= 16384 ? rapp - 32768 : rapp};
  }

  // How many of signal_cells_ hold a signal of their own; those under stations follow.
  std::size_t plain_signals() const { return signal_cells_.size() - under_stations_.size(); }

  // Each signal's packing: first the plain unpacking (the units of valore4 are
  // sx * 3 + dx), and the ones its markers suggest, should the plain one leave the
  // approach markers unexplained.
  void signals() {
    std::vector<std::int64_t> cells;
    for (std::int64_t i = 0; i <= n_; ++i)
      if (cell(i).evento == event::signal) cells.push_back(i);
    for (const auto& [s, station] : under_stations_) cells.push_back(s);
    for (std::int64_t i : cells) {
      signal_cells_.push_back(i);
      SignalPacking plain;
      tens_and_units(cell(i).valore4, plain.rapp, plain.lati);
      packing_.push_back(plain);
      std::vector<SignalPacking> others{plain};
      for (std::int64_t j = 1; j <= 4; ++j)
        if (in_cells(i - 2 * j))
          if (auto p = packing_from_marker(cell(i).valore4, cell(i - 2 * j).avviso, j))
            if (p->lati != plain.lati) others.push_back(*p);
      alternatives_.push_back(others);
    }
  }

  struct Arrangement {
    std::vector<TrainLine> order;
    std::size_t faults = 0;           // marker cells the order does not reproduce
    std::set<std::int64_t> troubled;  // those cells
  };

  // The train lines in the shipped order (stations, slow-downs, abatements, signals),
  // except where an approach marker tells that a line wrote after another: the line
  // whose byte a cell shows comes after every other line writing there.
  Arrangement arrange(const std::vector<SignalPacking>& packing) const {
    std::vector<TrainLine> lines;
    std::vector<Marks> marks;
    const std::size_t stations = out_.train.stations.size();
    for (std::size_t k = 0; k < stations; ++k) {
      if (k == last_station_) continue;
      lines.push_back({TrainLine::Kind::station, k});
      marks.push_back(k < station_marks_.size() ? station_marks_[k] : Marks{});
    }
    for (std::size_t k = 0; k < out_.train.slowdowns.size(); ++k) {
      lines.push_back({TrainLine::Kind::slowdown, k});
      marks.push_back({});
    }
    for (std::size_t k = 0; k < out_.train.abatements.size(); ++k) {
      lines.push_back({TrainLine::Kind::abatement, k});
      marks.push_back({});
    }
    const std::size_t first_signal_line = lines.size();
    for (std::size_t k = 0; k < signal_cells_.size(); ++k) {
      lines.push_back({TrainLine::Kind::signal, k});
      Marks m;
      for (std::int64_t j = 1; j <= 4; ++j) m.push_back({signal_cells_[k] - 2 * j, mark(packing[k].lati, j)});
      marks.push_back(m);
    }

    std::vector<std::set<std::size_t>> before(lines.size());
    for (std::size_t u = 0; u < under_stations_.size(); ++u) {
      const std::size_t signal = first_signal_line + plain_signals() + u;
      for (std::size_t l = 0; l < lines.size(); ++l)
        if (lines[l].kind == TrainLine::Kind::station && lines[l].index == under_stations_[u].second)
          before[l].insert(signal);
    }
    std::size_t previous_station = lines.size();
    for (std::size_t l = 0; l < lines.size(); ++l) {
      if (lines[l].kind != TrainLine::Kind::station) continue;
      if (previous_station < lines.size()) before[l].insert(previous_station);
      previous_station = l;
    }
    std::map<std::int64_t, std::vector<std::pair<std::size_t, std::uint8_t>>> writers;
    for (std::size_t l = 0; l < lines.size(); ++l)
      for (const auto& [c, b] : marks[l]) writers[c].push_back({l, b});
    Arrangement a;
    std::vector<std::pair<std::int64_t, std::size_t>> won;  // cell, its last writer
    for (const auto& [c, w] : writers) {
      if (!in_cells(c)) continue;
      const std::uint8_t shown = cell(c).avviso;
      std::size_t winner = lines.size();
      for (const auto& [l, b] : w)
        if (b == shown) winner = l;  // the latest in the shipped order
      if (winner == lines.size()) {
        ++a.faults;
        a.troubled.insert(c);
        continue;
      }
      won.push_back({c, winner});
      for (const auto& [l, b] : w)
        if (b != shown) before[winner].insert(l);
    }

    // Each line after the lines that must precede it, the shipped order otherwise.
    std::vector<int> state(lines.size(), 0);  // 0 to do, 1 on the way, 2 done
    std::vector<std::size_t> rank(lines.size(), 0);
    std::function<void(std::size_t)> emit = [&](std::size_t l) {
      if (state[l] != 0) return;  // done, or on the way: a cycle, broken here
      state[l] = 1;
      for (std::size_t b : before[l]) emit(b);
      state[l] = 2;
      rank[l] = a.order.size();
      a.order.push_back(lines[l]);
    };
    for (std::size_t l = 0; l < lines.size(); ++l) emit(l);
    for (const auto& [c, winner] : won) {
      const std::uint8_t shown = cell(c).avviso;
      for (const auto& [l, b] : writers[c])
        if (b != shown && rank[l] > rank[winner]) {
          ++a.faults;
          a.troubled.insert(c);
          break;
        }
    }
    if (last_station_ < stations) a.order.push_back({TrainLine::Kind::station, last_station_});
    return a;
  }

  void order() {
    const std::size_t stations = out_.train.stations.size();
    // The station that fills the entries up to the signboards' ends the reading once
    // stored.
    if (stations > 0 && std::int64_t(stations) + 1 >= lowest_slot_ - 1) faulty_last_station_ = true;
    last_station_ = faulty_last_station_ && stations > 0 ? stations - 1 : stations;

    // Where the markers are not all reproduced, another packing of a signal writing
    // there may reproduce more of them.
    Arrangement best = arrange(packing_);
    for (int round = 0; round < 16 && best.faults > 0; ++round) {
      // The signals writing into a cell that a signal writing into a troubled cell writes.
      std::set<std::int64_t> cluster = best.troubled;
      for (int hop = 0; hop < 2; ++hop) {
        std::set<std::int64_t> wider = cluster;
        for (std::int64_t i : signal_cells_) {
          bool in = false;
          for (std::int64_t j = 1; j <= 4; ++j) in = in || cluster.count(i - 2 * j) != 0;
          if (in)
            for (std::int64_t j = 1; j <= 4; ++j) wider.insert(i - 2 * j);
        }
        cluster = std::move(wider);
      }
      // The one change that reproduces the most markers, each round.
      std::optional<std::pair<Arrangement, std::vector<SignalPacking>>> step;
      for (std::size_t s = 0; s < signal_cells_.size(); ++s) {
        bool near = false;
        for (std::int64_t j = 1; j <= 4; ++j) near = near || cluster.count(signal_cells_[s] - 2 * j) != 0;
        if (!near) continue;
        for (const SignalPacking& alternative : alternatives_[s]) {
          if (alternative.lati == packing_[s].lati) continue;
          std::vector<SignalPacking> trial = packing_;
          trial[s] = alternative;
          Arrangement a = arrange(trial);
          if (a.faults < (step ? step->first.faults : best.faults)) step.emplace(std::move(a), std::move(trial));
        }
      }
      if (!step) break;
      best = std::move(step->first);
      packing_ = std::move(step->second);
    }
    if (best.faults > 0)
      note("cell " + std::to_string(*best.troubled.begin()) + ": its approach marker " +
           std::to_string(cell(*best.troubled.begin()).avviso) +
           " comes from no order of the station and signal lines found");
    out_.train.order = std::move(best.order);

    for (std::size_t s = 0; s < signal_cells_.size(); ++s) {
      const std::int64_t i = signal_cells_[s];
      const cella& k = cell(i);
      SignalEntry e;
      e.position = event_position(i);
      e.rapp = packing_[s].rapp;
      const std::int64_t lati = packing_[s].lati;
      if (k.tempo != 0) {
        // Only a signal of kind 2 on the left keeps its time; 1 to 100 become 101.
        e.sx = 2;
        e.dx = lati - 6;
        e.tempo = k.tempo >= 101 ? k.tempo : std::int64_t{k.tempo} + 256;
      } else if (lati >= 0 && lati <= 8) {
        e.sx = lati / 3;
        e.dx = lati % 3;
      } else {
        e.dx = lati;
      }
      const bool under_station = s >= plain_signals();
      tens_and_units(under_station ? 0 : k.valore1, e.s1, e.d1);
      tens_and_units(k.valore2, e.s2, e.d2);
      tens_and_units(k.valore3, e.s3, e.d3);
      out_.train.signals.push_back(e);
    }
  }

  CompiledScenario c_;
  std::int64_t n_;
  DecompiledTexts out_;
  std::int64_t stations_ = 0;
  std::int64_t lowest_slot_ = entry::first_signboard + 1;
  bool faulty_last_station_ = false;
  std::vector<std::pair<std::int64_t, std::size_t>> stop_cells_;  // cell, station
  // Signals a station's stop wrote over: their cell, the station after them.
  std::vector<std::pair<std::int64_t, std::size_t>> under_stations_;
  std::vector<Marks> station_marks_;
  std::vector<std::int64_t> signal_cells_;  // the plain signals', then those under stations
  std::vector<SignalPacking> packing_;
  std::vector<std::vector<SignalPacking>> alternatives_;
  std::size_t last_station_ = 0;
};

}  // namespace

DecompiledTexts decompile(const CompiledFiles& files, const Names& names) {
  return Decompiler(files, names).run();
}

}  // namespace tracciato::decompile
