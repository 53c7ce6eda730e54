#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/register_codes.h"
#include "model/table.h"

namespace tracciato {

struct ReadingTrail;

// One 50 m track cell: at most one event plus the profile bytes.
struct cella {
  std::uint8_t evento = 0;
  std::int16_t valore1 = 0;
  std::int16_t valore2 = 0;
  std::int16_t valore3 = 0;
  std::int16_t valore4 = 0;
  std::uint8_t tempo = 0;
  std::uint8_t avviso = 0;
  std::uint8_t montagna = 0;
  std::uint8_t velocita = 0;
  std::uint8_t pendenza = 0;
  std::uint8_t aderenza = 0;
};

// Event codes of `cella::evento`.
namespace event {
inline constexpr std::uint8_t none = 0;
inline constexpr std::uint8_t signal = 1;
inline constexpr std::uint8_t slowdown_end = 2;
inline constexpr std::uint8_t slowdown_start = 3;
inline constexpr std::uint8_t warning_board = 4;
inline constexpr std::uint8_t approach_cell = 5;  // one of the four before a warning board
inline constexpr std::uint8_t speed_boards = 6;
inline constexpr std::uint8_t station = 10;
inline constexpr std::uint8_t mountain_marker = 11;
inline constexpr std::uint8_t abatement = 12;
inline constexpr std::uint8_t bare_abatement = 13;  // an abatement without a value
inline constexpr std::uint8_t signboard = 14;
}  // namespace event

// A cell takes a new event only when free: no event, or a mountain marker.
inline bool is_free(const cella& c) {
  return c.evento == event::none || c.evento == event::mountain_marker;
}

// One entry of `voci`: a station, a signboard text, a progressive or a header.
struct voce {
  std::uint8_t genere = 0;
  std::int32_t inizio_area = 0;
  std::int32_t fine_area = 0;
  std::int32_t posizione = 0;
  std::uint8_t opz1 = 0;
  std::string nome;  // Windows-1252 bytes
  std::int16_t par1 = 0;
  std::int16_t par2 = 0;
  std::int16_t par3 = 0;
  std::int16_t par4 = 0;
  std::int16_t par5 = 0;
  std::uint8_t opz2 = 0;
  std::uint8_t opz3 = 0;
  std::uint8_t opz4 = 0;
  std::uint8_t opz5 = 0;
  std::int32_t orario = 0;
};

// One element of the plan: Empty, a 16-bit Integer or a Double.
struct PlanValue {
  enum class Kind : std::uint16_t { Empty = 0, Integer = 2, Double = 5 };
  Kind kind = Kind::Empty;
  std::int16_t integer = 0;
  double real = 0.0;

  static PlanValue of_integer(std::int16_t v) { return {Kind::Integer, v, 0.0}; }
  static PlanValue of_double(double v) { return {Kind::Double, 0, v}; }
  // The value in arithmetic: Empty counts as 0.
  double number() const {
    return kind == Kind::Double ? real : kind == Kind::Integer ? integer : 0.0;
  }
};

// The plan of the line: x (k = 0) and y (k = 1) of every metre m = 0 .. upper bound.
class Plan {
 public:
  void allocate(std::int64_t upper) {
    Table<PlanValue> x("planimetria"), y("planimetria");
    x.allocate(upper);
    y.allocate(upper);
    x_ = std::move(x);
    y_ = std::move(y);
  }
  bool allocated() const { return x_.allocated(); }
  std::int64_t upper() const { return x_.upper(); }
  PlanValue& operator()(std::int64_t m, int k) { return coordinate(k)[m]; }
  const PlanValue& operator()(std::int64_t m, int k) const {
    return const_cast<Plan*>(this)->coordinate(k)[m];
  }
  const Table<PlanValue>& x() const { return x_; }
  const Table<PlanValue>& y() const { return y_; }

 private:
  Table<PlanValue>& coordinate(int k) {
    if (k != 0 && k != 1)
      throw RuntimeFailure("planimetria: second index " + std::to_string(k) + " outside 0 .. 1");
    return k == 0 ? x_ : y_;
  }
  Table<PlanValue> x_{"planimetria"};
  Table<PlanValue> y_{"planimetria"};
};

// Entries of `voci` with a fixed meaning.
namespace entry {
inline constexpr int first_signboard = 80;  // signboard texts count down from here
inline constexpr int progressive_three = 81;
inline constexpr int progressive_two = 82;
inline constexpr int progressive_one = 83;
inline constexpr int run_data = 84;
inline constexpr int route_header = 85;
inline constexpr int train_header = 86;
}  // namespace entry

// The single in-memory picture of one route and one train.
struct Scenario {
  Plan planimetria;
  Table<cella> celle{"celle"};
  Table<voce> voci{"voci", 86};
  Table<std::int32_t> montagna_inizio{"montagna_inizio", 80};
  Table<std::int32_t> montagna_fine{"montagna_fine", 80};
  std::int32_t n_montagne = 0;
  std::int32_t con_planimetria = 0;
  std::string nome_treno;
  std::string nome_linea;
  std::string riga;
  std::int32_t lunghezza_estesa = 0;
  std::int32_t n_celle = 0;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;

  // The `voci` entry that takes the next signboard text; the stations stop below it.
  std::int32_t signboard_slot = entry::first_signboard;

  // Every write to the error register goes through here, so that a listener (the
  // diagnostics of the command line) sees each fault, not only the last. `position`
  // only for the codes that have one; `cause` says what failed, for code 25.
  void record(Code code, std::optional<std::int32_t> position = std::nullopt,
              std::string_view cause = {}, const RuntimeFailure* failure = nullptr);
  struct Record {
    Code code;
    std::optional<std::int32_t> position;
    std::string_view cause;
    const RuntimeFailure* failure = nullptr;  // code 25: what failed
  };
  std::function<void(const Record&)> observer;
  // Where the readers tell a listener which source line each entry and event came
  // from (model/diagnostica.h); none unless someone listens.
  ReadingTrail* trail = nullptr;

  // Position check of a positioned entry: accepted when p + margine <= 50 * n_celle.
  // It counts as a use of `celle`.
  bool within_cells(std::int64_t p, std::int64_t margine) const;

  // Cell of an event at position p: p / 50 + 1, rounded half to even.
  static std::int64_t cell_of(std::int64_t p);
};

}  // namespace tracciato
