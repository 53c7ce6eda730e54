#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/table.h"

namespace tracciato {

struct Diagnostica;

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
namespace evento {
inline constexpr std::uint8_t nessuno = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t preavviso_rallentamento = 5;
inline constexpr std::uint8_t indicatori_v_max = 6;
inline constexpr std::uint8_t stazione = 10;
inline constexpr std::uint8_t marca_montagna = 11;
inline constexpr std::uint8_t abbattimento = 12;
inline constexpr std::uint8_t abbattimento_senza_valore = 13;
inline constexpr std::uint8_t cartello = 14;
}  // namespace evento

// A cell takes a new event only when free: no event, or a mountain marker.
inline bool libera(const cella& c) {
  return c.evento == evento::nessuno || c.evento == evento::marca_montagna;
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
struct Valore {
  enum class Tipo : std::uint16_t { vuoto = 0, intero = 2, doppio = 5 };
  Tipo tipo = Tipo::vuoto;
  std::int16_t intero = 0;
  double doppio = 0.0;

  static Valore di_intero(std::int16_t v) { return {Tipo::intero, v, 0.0}; }
  static Valore di_doppio(double v) { return {Tipo::doppio, 0, v}; }
  // The value in arithmetic: Empty counts as 0.
  double numero() const {
    return tipo == Tipo::doppio ? doppio : tipo == Tipo::intero ? intero : 0.0;
  }
};

// The plan of the line: x (k = 0) and y (k = 1) of every metre m = 0 .. upper bound.
class Planimetria {
 public:
  void dimensiona(std::int64_t superiore) {
    Tabella<Valore> x("planimetria"), y("planimetria");
    x.dimensiona(superiore);
    y.dimensiona(superiore);
    x_ = std::move(x);
    y_ = std::move(y);
  }
  bool allocata() const { return x_.allocata(); }
  std::int64_t superiore() const { return x_.superiore(); }
  Valore& operator()(std::int64_t m, int k) { return coordinata(k)[m]; }
  const Valore& operator()(std::int64_t m, int k) const {
    return const_cast<Planimetria*>(this)->coordinata(k)[m];
  }
  const Tabella<Valore>& x() const { return x_; }
  const Tabella<Valore>& y() const { return y_; }

 private:
  Tabella<Valore>& coordinata(int k) {
    if (k != 0 && k != 1)
      throw RuntimeFailure("planimetria: second index " + std::to_string(k) + " outside 0 .. 1");
    return k == 0 ? x_ : y_;
  }
  Tabella<Valore> x_{"planimetria"};
  Tabella<Valore> y_{"planimetria"};
};

// Entries of `voci` with a fixed meaning.
namespace voce_n {
inline constexpr int primo_cartello = 80;  // signboard texts count down from here
inline constexpr int progressiva_tre = 81;
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int dati_corsa = 84;
inline constexpr int intestazione_linea = 85;
inline constexpr int intestazione_treno = 86;
}  // namespace voce_n

// The single in-memory picture of one route and one train.
struct Scenario {
  Planimetria planimetria;
  Tabella<cella> celle{"celle"};
  Tabella<voce> voci{"voci", 86};
  Tabella<std::int32_t> montagna_inizio{"montagna_inizio", 80};
  Tabella<std::int32_t> montagna_fine{"montagna_fine", 80};
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
  std::int32_t slot_cartello = voce_n::primo_cartello;

  // Every write to the error register goes through here, so that a listener (the
  // diagnostics of the command line) sees each fault, not only the last. `posizione`
  // only for the codes that have one; `causa` says what failed, for code 25.
  void registra(std::int32_t codice, std::optional<std::int32_t> posizione = std::nullopt,
                std::string_view causa = {});
  struct Registrazione {
    std::int32_t codice;
    std::optional<std::int32_t> posizione;
    std::string_view causa;
  };
  std::function<void(const Registrazione&)> osservatore;
  // Where the readers tell a listener which source line each entry and event came
  // from (model/diagnostica.h); none unless someone listens.
  Diagnostica* diagnostica = nullptr;

  // Position check of a positioned entry: accepted when p + margine <= 50 * n_celle.
  // It counts as a use of `celle`.
  bool entro_celle(std::int64_t p, std::int64_t margine) const;

  // Cell of an event at position p: p / 50 + 1, rounded half to even.
  static std::int64_t cella_di(std::int64_t p);
};

}  // namespace tracciato
