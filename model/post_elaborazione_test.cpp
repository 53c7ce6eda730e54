#include "model/post_elaborazione.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/scenario.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

struct Celle {
  Scenario s;
  explicit Celle(std::int32_t n = 300) {
    s.n_celle = n;
    s.celle.allocate(n);
  }
  Celle& metti(std::int64_t i, std::uint8_t e, std::int16_t v = 0) {
    s.celle[i].evento = e;
    s.celle[i].valore1 = v;
    return *this;
  }
  // A slow-down from cell `inizio` to cell `fine` at `velocita` km/h.
  Celle& rallentamento(std::int64_t inizio, std::int64_t fine, std::int16_t velocita) {
    metti(inizio, event::slowdown_start, velocita);
    return metti(fine, event::slowdown_end, velocita);
  }
  std::vector<std::int64_t> abbattimenti() const {
    std::vector<std::int64_t> celle;
    for (std::int64_t i = 0; i <= s.n_celle; ++i)
      if (s.celle[i].evento == event::abatement) celle.push_back(i);
    return celle;
  }
  std::vector<std::int64_t> elabora() {
    post_process(s);
    return abbattimenti();
  }
};
using Lista = std::vector<std::int64_t>;

TEST(PostProcessing, SignalsUpTo20CellsBeforeAWarningBoardNoneBelowCell3) {
  const struct {
    std::int64_t cartello, segnale;
    Lista attesi;
  } casi[] = {{3, 2, {}}, {9, 2, {}}, {10, 3, {2}}, {30, 10, {9}}, {31, 10, {}}};
  for (const auto& k : casi) {
    Celle c;
    c.metti(k.cartello, event::warning_board).metti(k.segnale, event::signal);
    EXPECT_EQ(c.elabora(), k.attesi) << "board " << k.cartello << " signal " << k.segnale;
    EXPECT_EQ(c.s.codice_errore, 0);
  }
  Celle due;
  due.metti(30, event::warning_board).metti(20, event::signal).metti(25, event::signal);
  EXPECT_EQ(due.elabora(), (Lista{19, 24}));
  EXPECT_EQ(due.s.celle[19].valore1, 180);
}

TEST(PostProcessing, BusyCellsBeforeASignalFallBackToLoweringAnAbatement) {
  const struct {
    std::uint8_t prima, seconda;
    std::int16_t valore_prima, valore_seconda;
    std::int64_t cella;  // where the abatement ends up; 0: none
    std::int16_t valore;
  } casi[] = {
      {event::signboard, 0, 0, 0, 48, 180},
      {event::abatement, event::signboard, 200, 0, 49, 180},
      {event::abatement, event::signboard, 100, 0, 49, 100},
      {event::signboard, event::abatement, 0, 200, 48, 180},
      {event::signboard, event::signboard, 0, 0, 0, 0},
  };
  for (const auto& k : casi) {
    Celle c;
    c.metti(55, event::warning_board).metti(50, event::signal);
    c.metti(49, k.prima, k.valore_prima).metti(48, k.seconda, k.valore_seconda);
    const Lista attesi = k.cella == 0 ? Lista{} : Lista{k.cella};
    EXPECT_EQ(c.elabora(), attesi);
    if (k.cella != 0) {
      EXPECT_EQ(c.s.celle[k.cella].valore1, k.valore);
    }
    EXPECT_EQ(c.s.codice_errore, k.cella == 0 ? 11 : 0);
    if (k.cella == 0) {
      EXPECT_EQ(c.s.posizione_errore, 2500);
    }
  }
}

TEST(PostProcessing, ApproachWindowsBeforeASlowDownStart) {
  Celle sette;
  sette.rallentamento(7, 20, 110);
  EXPECT_EQ(sette.elabora(), Lista{});

  Celle otto;
  otto.rallentamento(8, 20, 110).metti(3, event::signal).metti(2, event::signal);
  EXPECT_EQ(otto.elabora(), Lista{1});

  Celle cento;
  cento.rallentamento(100, 130, 110).metti(95, event::signal).metti(94, event::signal);
  cento.metti(93, event::signal);
  EXPECT_EQ(cento.elabora(), (Lista{82, 89}));
  EXPECT_EQ(cento.s.codice_errore, 12);
  EXPECT_EQ(cento.s.posizione_errore, 5000);
}

TEST(PostProcessing, MarkersEvery8CellsInsideASlowDownBelow110) {
  const struct {
    std::int16_t velocita;
    Lista occupate, attesi;
  } casi[] = {
      {110, {}, {82, 89, 95}},
      {105, {}, {82, 89, 95, 108, 116, 124}},
      {105, {116}, {82, 89, 95, 108, 115, 123}},
      {105, {116, 115}, {82, 89, 95, 108, 117, 125}},
  };
  for (const auto& k : casi) {
    Celle c;
    c.rallentamento(100, 130, k.velocita);
    for (std::int64_t i : k.occupate) c.metti(i, event::signboard);
    EXPECT_EQ(c.elabora(), k.attesi) << k.velocita << " " << k.occupate.size();
    EXPECT_EQ(c.s.codice_errore, 0);
  }
  Celle piena;
  piena.rallentamento(100, 130, 105).metti(115, 14).metti(116, 14).metti(117, 14);
  EXPECT_EQ(piena.elabora(), (Lista{82, 89, 95, 108}));
  EXPECT_EQ(piena.s.codice_errore, 13);
  EXPECT_EQ(piena.s.posizione_errore, 5800);
}

TEST(PostProcessing, AbatementBeforeTheFirstSignalWithin12CellsAfterTheEnd) {
  const struct {
    std::int16_t velocita;
    std::int64_t segnale;
    bool occupate;
    Lista dopo;  // abatements after the end cell
    int codice;
  } casi[] = {
      {105, 135, false, {134}, 0},  {105, 142, false, {141}, 0}, {105, 143, false, {}, 0},
      {110, 135, false, {}, 0},     {105, 135, true, {}, 13},
  };
  for (const auto& k : casi) {
    Celle c;
    c.rallentamento(100, 130, k.velocita).metti(k.segnale, event::signal);
    if (k.occupate) c.metti(k.segnale - 1, 14).metti(k.segnale - 2, 14);
    Lista dopo;
    for (std::int64_t i : c.elabora())
      if (i > 130) dopo.push_back(i);
    EXPECT_EQ(dopo, k.dopo) << "signal " << k.segnale;
    EXPECT_EQ(c.s.codice_errore, k.codice);
    if (k.codice != 0) {
      EXPECT_EQ(c.s.posizione_errore, 6500);
    }
  }
}

TEST(PostProcessing, SlowDownStartWithoutAnEndIsARuntimeFailureNamingIt) {
  Celle c;
  c.metti(280, event::slowdown_start, 50);
  try {
    post_process(c.s);
    FAIL() << "no failure";
  } catch (const RuntimeFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("cell 280 (13950 m)"), std::string::npos)
        << failure.what();
  }
  Celle alta;  // at 110 km/h or more nothing scans ahead
  alta.metti(280, event::slowdown_start, 110);
  EXPECT_NO_THROW(post_process(alta.s));
}

TEST(PostProcessing, MinimoKeepsTheFirstWhenEqual) {
  EXPECT_EQ(minimo(180, 200), 180);
  EXPECT_EQ(minimo(180, 100), 100);
  EXPECT_EQ(minimo(2.0, 2), 2.0);
}

}  // namespace
}  // namespace tracciato
