#include "bench/scenario_generator.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace tracciato::bench {

namespace {

constexpr std::int64_t signboards = 39;
constexpr std::int64_t entry_room = 78;  // voci 1 .. 78 once the signboards took 79 .. 41
constexpr std::int64_t mountain_spans = 80;
constexpr std::int64_t last_curve_metre = 999999;  // the plan cursor may not pass 1000000

class Lines {
 public:
  void line(const std::string& text) {
    out_ += text;
    out_ += "\r\n";
  }
  // A keyword followed by its values, each after a comma and padding.
  void entry(const char* keyword, std::initializer_list<std::int64_t> values) {
    std::string text = keyword;
    for (std::int64_t v : values) text += ",  " + std::to_string(v);
    line(text);
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

// A signboard row: the text padded to 16 characters, in parentheses.
std::string row(const std::string& text) {
  std::string padded = text.substr(0, 16);
  padded.resize(16, ' ');
  return "(" + padded + ")";
}

std::string route_text(std::int64_t length) {
  Lines t;
  t.line("-------- route of " + std::to_string(length / 1000) + " km for the benchmarks");
  t.line("[generale]");
  t.entry("lunghezza percorso", {length});
  t.entry("progressiva chilometrica uno", {0, 0, 0});
  t.entry("progressiva chilometrica due", {0, 0, 0});
  t.entry("progressiva chilometrica tre", {0, 0, 0});
  t.entry("sfondo uno", {1});
  t.entry("sfondo due", {length / 5});
  t.entry("sfondo tre", {length / 3});
  t.line("ripetizione segnali 4 codici,    0    ,0");

  // One curve of 100 m every 200 m, each starting after the end of the one before.
  t.line("[curve]");
  for (std::int64_t k = 0;; ++k) {
    const std::int64_t start = 200 * k + 50, bend = 100;
    if (start + bend > std::min(length, last_curve_metre)) break;
    const char side = k % 3 == 1 ? 's' : 'd';
    const std::string keyword = std::string("curva") + side + std::to_string(1 + k * 5 % 6);
    t.entry(keyword.c_str(), {start, bend});
  }

  // A gradient every 200 m, from -30 to +30 per mille.
  t.line("[pendenze]");
  for (std::int64_t p = 100; p <= length; p += 200) t.entry("pendenza", {p, (p / 200) * 37 % 61 - 30});

  // Mountain spans of 2 km spread evenly; every other one with markers.
  t.line("[montagne]");
  const std::int64_t spans = std::min(mountain_spans, length / 12500);
  const std::int64_t spacing = length / std::max<std::int64_t>(spans, 1) / 50 * 50;
  static constexpr std::int64_t types[] = {11, 2, 12, 1};
  for (std::int64_t j = 0; j < spans; ++j) {
    const std::int64_t start = j * spacing + 5000;
    t.entry("montagna", {start, start + 2000, types[j % 4]});
  }

  // Speed-indicator boards every 200 m (cells 1 mod 4), from cell 5 on: cell 1 holds the
  // file marks. Every other board gives side s only, with the side-d fields left empty.
  t.line("[cartelli]");
  static constexpr std::int64_t speeds[] = {60, 90, 100, 120, 140};
  for (std::int64_t p = 200; p <= length; p += 200) {
    const std::int64_t k = p / 200;
    const std::int64_t a = speeds[k % 5], b = speeds[(k + 1) % 5], c = speeds[(k + 3) % 5];
    if (k % 2 == 0) {
      t.line("indicatori_vmax,  " + std::to_string(p) + ",  " + std::to_string(a) + ",  " +
             std::to_string(b) + ",  " + std::to_string(c) + ",  1,  ,  ,  ,  0");
    } else {
      t.entry("indicatori_vmax", {p, a, b, c, 2, c, b, a, 1});
    }
  }

  // Signboards on cells 14 mod 20, spread evenly over the route.
  t.line("[indicazioni]");
  const std::int64_t kilometres = length / 1000;
  const std::int64_t boards = std::min(signboards, kilometres / 2);
  for (std::int64_t i = 0; i < boards; ++i) {
    const std::int64_t km = (2 * i + 1) * kilometres / (2 * boards);
    const std::int64_t p = 1000 * km + 650;
    char where[32];
    std::snprintf(where, sizeof where, "Km.%lld+650", static_cast<long long>(km));
    char number[16];
    std::snprintf(number, sizeof number, "N. %03lld", static_cast<long long>(i + 1));
    t.line("cartello_indicatore,  " + std::to_string(p) + ",   " + row("GALLERIA") +
           row(number) + row(where));
  }
  t.line("[fine]");
  return t.take();
}

std::string train_text(std::int64_t length) {
  Lines t;
  t.line("[generale]");
  t.entry("numero vetture", {11});
  t.entry("percentuale massa frenata", {125});
  t.entry("sabbia", {300});
  t.line("orologio,    9               0            0 ");

  t.line("[aderenze]");
  t.entry("aderenza", {0, 100});
  for (std::int64_t p = 100000; p <= length - 1000; p += 100000)
    t.entry("aderenza", {p, p % 200000 == 0 ? 100 : 90});

  t.line("[vel_limite]");
  t.entry("velocita", {0, 95});
  static constexpr std::int64_t limits[] = {100, 120, 140, 160, 130, 110};
  for (std::int64_t p = 5000; p <= length - 1000; p += 5000)
    t.entry("velocita", {p, limits[p / 5000 % 6]});

  // Stations of 600 m every 4 km from km 4: area p - 300 .. p + 300, stop cell 16 mod 20.
  t.line("[stazioni]");
  const std::int64_t boards = std::min(signboards, length / 1000 / 2);
  const std::int64_t stations = std::min(entry_room - boards, (length - 1000) / 4000);
  static constexpr int kinds[] = {11, 12, 1, 22, 24};
  for (std::int64_t i = 1; i <= stations; ++i) {
    const std::int64_t p = 4000 * i + 550;
    const std::int64_t minutes = 3 * i;
    char line[160];
    std::snprintf(line, sizeof line,
                  "stazione,  %lld, %d,  600,  1, 0, 0,  4,1,0,  2,1,1,   99,  %lld,%lld, 0,"
                  "STAZIONE %03lld",
                  static_cast<long long>(p), kinds[i % 5], static_cast<long long>(9 + minutes / 60),
                  static_cast<long long>(minutes % 60), static_cast<long long>(i));
    t.line(line);
  }

  // Slow-downs of 2400 m every 10 km: warning board on cell 7 mod 20, start on 11, end on
  // 19. Each is slower than 110 km/h, so the post-processing also places its markers.
  t.line("[rallentamenti]");
  static constexpr std::int64_t slow[] = {30, 50, 60, 80, 100};
  for (std::int64_t q = 1;; ++q) {
    const std::int64_t x = 10000 * q + 500;
    if (x + 2400 + 1000 > length) break;
    t.entry("rallentamento", {x, slow[q % 5], 2400, 1, 0, 0});
  }

  // A signal every kilometre on cell 3 mod 20.
  t.line("[segnali]");
  for (std::int64_t p = 1100; p <= length - 100; p += 1000) {
    const std::int64_t j = p / 1000;
    const std::int64_t sx = 1 + j % 2;
    const std::int64_t s1 = 2 + j % 4, s2 = j % 3 == 0 ? 3 : 0;
    const std::int64_t tempo = sx == 2 && j % 7 == 0 ? 205 : 0;
    t.entry("segnale", {p, sx, s1, s2, 0, 0, 0, 0, 0, 0, tempo});
  }
  t.line("[codici]");
  t.line("[fine]");
  return t.take();
}

}  // namespace

std::optional<GeneratedTexts> generate_scenario(std::int64_t length) {
  if (length < min_length || length > max_length || length % 1000 != 0) return std::nullopt;
  return GeneratedTexts{route_text(length), train_text(length)};
}

}  // namespace tracciato::bench
