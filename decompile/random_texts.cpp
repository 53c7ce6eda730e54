#include "decompile/random_texts.h"

#include <algorithm>
#include <random>
#include <vector>

namespace tracciato::decompile {

namespace {

class Draw {
 public:
  explicit Draw(std::uint64_t seed) : g_(seed) {}
  std::int64_t in(std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(g_);
  }
  bool chance(double p) { return std::bernoulli_distribution(p)(g_); }
  template <class T>
  const T& pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(in(0, static_cast<std::int64_t>(v.size()) - 1))];
  }
  // A position: mostly on a multiple of 50, sometimes anywhere.
  std::int64_t position(std::int64_t lo, std::int64_t hi) {
    const std::int64_t p = in(lo, hi);
    return chance(0.85) ? p / 50 * 50 : p;
  }
  std::mt19937_64& engine() { return g_; }

 private:
  std::mt19937_64 g_;
};

std::string line(const std::string& keyword, const std::vector<std::int64_t>& values,
                 const std::string* text = nullptr) {
  std::string s = keyword;
  for (std::int64_t v : values) s += ", " + std::to_string(v);
  if (text) s += ", " + *text;
  return s + "\r\n";
}

// A name or a board text, as a field of the source: mostly plain, sometimes one that
// only double quotes give back.
std::string text(Draw& d) {
  static const std::vector<std::string> plain{
      "(GALLERIA       )(NERA           )(Km.12+300      )", "MARNE", "S. VITTORE",
      "MONTICELLO D'ASSERA", "CORNELLO-S. ROCCO", "(PONTE)(Km.3+100)", "A\xB0", "x", ""};
  static const std::vector<std::string> quoted{"\"  DUE SPAZI\"", "\"VIRGOLA, DENTRO\"",
                                               "\"FINE CON SPAZIO \"", "\"-\""};
  return d.chance(0.85) ? d.pick(plain) : d.pick(quoted);
}

}  // namespace

RandomTexts random_texts(std::uint64_t seed) {
  Draw d(seed);
  RandomTexts out;
  out.plan = d.chance(0.7);
  const std::int64_t length =
      d.chance(0.9) ? d.in(40, 1200) * 50 : d.chance(0.5) ? d.in(2000, 70000) : d.in(0, 300000);
  const std::int64_t extended = length + 7000;
  const std::int64_t cells = (extended + 25) / 50;  // near enough for drawing positions
  const std::int64_t last_position = 50 * cells - 150;

  std::string r = "[generale]\r\n";
  r += line("lunghezza percorso", {length});
  auto progressive = [&](const char* word) {
    if (d.chance(0.7)) return line(std::string("progressiva chilometrica ") + word, {0, 0, 0});
    return line(std::string("progressiva chilometrica ") + word,
                {d.in(0, 40) * 50 * (d.chance(0.2) ? 0 : 1), d.in(0, 400) * 50, d.in(0, 2)});
  };
  r += progressive("uno");
  r += progressive("due");
  r += progressive("tre");
  r += line("sfondo uno", {d.in(0, 3)});
  r += line("sfondo due", {d.in(0, length)});
  r += line("sfondo tre", {d.in(0, length)});
  if (d.chance(0.8))
    r += "ripetizione segnali 4 codici,    0    ,0\r\n";
  else
    r += line(d.chance(0.5) ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici",
              {d.in(0, 100) * 50, d.in(0, 100) * 50 * (d.chance(0.3) ? 0 : 1)});

  r += "[curve]\r\n";
  {
    std::int64_t at = d.in(0, 600);
    while (at < length) {
      const std::int64_t bend = d.chance(0.1) ? 0 : d.in(1, 700);
      if (at + bend > std::min<std::int64_t>(extended, 999999)) break;
      const std::string keyword =
          std::string("curva") + (d.chance(0.5) ? "s" : "d") + std::to_string(d.in(1, 6));
      r += line(keyword, {at, bend});
      at += bend + (d.chance(0.15) ? 0 : d.chance(0.1) ? -d.in(1, 200) : d.in(1, 900));
    }
    // Now and then a bend into the last metres of the plan.
    if (d.chance(0.1) && extended <= 999999) {
      const std::int64_t start = std::max<std::int64_t>(at, extended - d.in(100, 2000));
      if (start <= last_position) r += line("curvad6", {start, extended - start - d.in(0, 2)});
    }
  }

  r += "[pendenze]\r\n";
  for (std::int64_t p = d.position(0, 3000); p <= last_position - 2000; p += d.in(1, 40) * 50)
    r += line("pendenza", {d.chance(0.03) ? p - d.in(0, 2000) : p, d.in(-30, 30)});
  // Now and then gradients at the last position a line may have, which push the cursor
  // into the last three cells.
  for (int k = d.chance(0.1) ? d.in(1, 3) : 0; k > 0; --k)
    r += line("pendenza", {last_position + 50, d.in(-100, 155)});

  r += "[montagne]\r\n";
  {
    std::int64_t at = d.position(0, 20000);
    for (int k = 0; k < 30 && at < length; ++k) {
      const std::int64_t span = d.chance(0.1) ? d.in(0, 60) : d.in(1, 40) * (d.chance(0.3) ? 25 : 50);
      static const std::vector<std::int64_t> types{1, 2, 11, 12, 3, 13, 1, 2, 21, 0};
      r += line("montagna", {at, at + span, d.pick(types)});
      const std::int64_t gap = d.chance(0.3) ? d.in(0, 4) * 50 : d.in(5, 60) * 50;
      at += span + (d.chance(0.005) ? -d.in(1, 100) : gap) + (d.chance(0.2) ? 25 : 0);
    }
  }

  r += "[cartelli]\r\n";
  for (int k = d.in(0, 8); k > 0; --k) {
    const std::int64_t p = d.position(0, last_position);
    if (d.chance(0.7))
      r += "indicatori_vmax,  " + std::to_string(p) + ",  " + std::to_string(d.in(6, 28) * 5) +
           ",  " + std::to_string(d.in(6, 28) * 5) + ",  " + std::to_string(d.in(6, 28) * 5) +
           ",  0,  ,  ,  ,  0\r\n";
    else
      r += line("indicatori_vmax", {p, d.in(0, 200), d.in(-50, 200), d.in(0, 40) * 5, d.in(0, 3),
                                    d.in(0, 160), d.in(0, 160), d.in(0, 160), d.in(-2, 3)});
  }
  r += "[indicazioni]\r\n";
  for (int k = d.in(0, 12); k > 0; --k) {
    const std::string t = text(d);
    r += "cartello_indicatore,  " + std::to_string(d.position(0, last_position)) + ",   " + t + "\r\n";
  }
  r += "[fine]\r\n";

  // The train: lists, then positioned lines, now and then shuffled.
  std::string t = "[generale]\r\n";
  t += line("numero vetture", {d.in(1, 15)});
  t += line("percentuale massa frenata", {d.in(50, 150)});
  t += line("sabbia", {d.in(0, 500)});
  t += "orologio,    " + std::to_string(d.in(0, 23)) + "   " + std::to_string(d.in(0, 59)) + "  " +
       std::to_string(d.in(0, 59)) + " \r\n";
  t += "[aderenze]\r\n";
  t += line("aderenza", {0, d.in(60, 100)});
  if (d.chance(0.3)) t += line("aderenza", {d.position(0, last_position), d.in(0, 300)});
  t += "[vel_limite]\r\n";
  for (std::int64_t p = 0; p <= last_position; p += d.in(10, 400) * 50)
    t += line("velocita", {p, d.chance(0.9) ? d.in(6, 30) * 5 : d.in(0, 160)});

  std::vector<std::string> lines;
  {
    std::int64_t at = d.in(0, 40) * 50;
    static const std::vector<std::int64_t> kinds{1, 5, 7, 8, 11, 12, 22, 24, 25, 28, 12, 11};
    for (int k = 0; k < 30 && at + 800 <= 50 * cells - 900; ++k) {
      const std::int64_t kind = d.pick(kinds), len = d.in(1, 8) * 100;
      const std::string name = text(d);
      lines.push_back(line("stazione",
                           {at, kind, len, d.in(0, 1), d.in(0, 1), d.in(0, 1), d.in(0, 4), d.in(0, 1),
                            0, d.in(0, 4), d.in(0, 3), 1, d.pick(std::vector<std::int64_t>{0, 1, 60, 99}),
                            d.in(0, 23), d.in(0, 59), 0},
                           &name));
      // Areas reach at most 800 m either way; now and then two come too close.
      at += (d.chance(0.02) ? 1000 : 1950) + d.in(0, 60) * 50;
    }
  }
  for (int k = d.in(0, 6); k > 0; --k) {
    const std::int64_t x = d.chance(0.1) ? d.position(0, 1600) : d.position(1500, last_position - 3500);
    const std::int64_t l = d.chance(0.1) ? d.pick(std::vector<std::int64_t>{0, 10, -1200, -200})
                                         : d.in(1, 60) * 50;
    lines.push_back(line("rallentamento",
                         {x, d.pick(std::vector<std::int64_t>{30, 50, 60, 75, 100, 105, 110, 120}), l,
                          d.in(0, 1), d.chance(0.3) ? 1 : 0, d.chance(0.2) ? d.in(1, 5) : 0}));
    // Abatements where the post-processing looks for room.
    for (int a = d.in(0, 3); a > 0; --a) {
      const std::int64_t cell = x / 50 + 1 - d.pick(std::vector<std::int64_t>{5, 6, 7, 11, 12, 13, 18, 19, 20, 8, 16});
      lines.push_back(line("abbattimento", {50 * std::max<std::int64_t>(cell, 2), d.pick(std::vector<std::int64_t>{180, 180, 100, 200, 0})}));
    }
  }
  for (int k = d.in(0, 4); k > 0; --k)
    lines.push_back(line("abbattimento", {d.position(0, last_position), d.pick(std::vector<std::int64_t>{180, 50, 250, -3})}));
  {
    std::int64_t at = d.position(400, 5000);
    for (int k = 0; k < 60 && at <= last_position; ++k) {
      const std::int64_t sx = d.chance(0.95) ? d.in(1, 2) : d.in(0, 40);
      lines.push_back(line("segnale", {at, sx, d.in(2, 5), d.chance(0.3) ? 3 : 0, 0, d.chance(0.05) ? 1 : 0,
                                       d.chance(0.1) ? d.in(0, 2) : 0, 0, 0, 0,
                                       d.pick(std::vector<std::int64_t>{0, 0, 0, 205, 50, 300})}));
      at += d.chance(0.15) ? 100 : d.in(3, 60) * 50;
    }
  }
  if (d.chance(0.3)) std::shuffle(lines.begin(), lines.end(), d.engine());
  for (const std::string& l : lines) t += l;
  t += "[codici]\r\n[fine]\r\n";
  out.route = std::move(r);
  out.train = std::move(t);
  return out;
}

}  // namespace tracciato::decompile
