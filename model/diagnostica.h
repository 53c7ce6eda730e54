#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

struct Scenario;
class FieldInput;

// Where an entry of a source text stands: the text (an index into
// `Diagnostica::testi`, -1 for none), the 1-based line and column of its keyword field
// (0: no line, as for a text that is missing).
struct Luogo {
  int testo = -1;
  std::size_t riga = 0;
  std::size_t colonna = 0;
};

// What a post-processing rule looked at when it found no room: the cell it serves
// (the signal for 11, the slow-down start or end for 12 and 13), the other cell of the
// rule (the warning board for 11, the signal after the end for 13; -1 when none) and
// the candidate cells from `da` to `a`, none of them free.
struct RegolaSenzaPosto {
  std::int64_t cella = 0;
  std::int64_t riferimento = -1;
  std::int64_t da = 0;
  std::int64_t a = 0;
};

// What the compile silently disregards but an author almost surely got wrong.
enum class TipoAvviso {
  parola_sconosciuta,     // a keyword field of the body or the train text that matches no entry
  generale_nel_corpo,     // a general entry in the body
  corpo_nei_generali,     // a body entry in the general section
  minuscole_richieste,    // a general keyword with a capital, so not recognised
  pendenza_fuori_ordine,  // start cell at or behind the gradient cursor
  curva_fuori_ordine,     // start below the plan cursor
  valori_in_piu,          // a field after the entry's last value on the same line
};

// Where a keyword field is looked at: what a field that matches no entry there means.
enum class Ambito { generale, corpo, treno };

struct Avviso {
  TipoAvviso tipo;
  Ambito ambito;
  Luogo luogo;
  std::string campo;       // the field the warning is about, as read
  std::int64_t inizio = 0;  // gradient: start cell; curve: start metre
  std::int64_t cursore = 0; // the cursor it stands at or behind
};

// What the readers and the post-processing tell an observer about the source texts
// while they fill the model. Attached to a Scenario only when someone listens: every
// hook below does nothing when the Scenario has none.
struct Diagnostica {
  struct Testo {
    std::string nome;   // the path the reader was given
    std::string byte;   // the whole text, for quoting its lines
  };
  std::vector<Testo> testi;
  Luogo voce;                       // the entry being read (or the text opened last)
  std::vector<Luogo> origine;       // per cell: the entry that placed its event
  std::optional<RegolaSenzaPosto> regola;  // set just before 11, 12 or 13 is recorded
  struct Progressiva {
    Luogo luogo;
    std::int32_t inizio = 0, fine = 0, posizione = 0;
  };
  std::vector<Progressiva> progressive;  // every progressive entry read, in order
  // Stop cells a station wrote over an earlier event (a station does not test its stop
  // cell), in the order written.
  std::vector<std::int64_t> fermate_su_eventi;
  std::function<void(const Avviso&)> avviso;

  // The line that ends the values of the entry before; a non-empty field on it is a
  // surplus value.
  Luogo fine_valori;
  // The last line warned about: one warning of a field kind per line.
  Luogo avvisata;
};

// A reader is about to open the text at `nome`; `byte` follows once it is read.
void apri_testo(Scenario& s, const std::string& nome);
void testo_letto(Scenario& s, const std::string& byte);

// The keyword field just read into `riga` is looked at: it may begin an entry.
// Warns when it stands on the line of the last value of the entry before.
void segna_voce(Scenario& s, const FieldInput& in);
// The entry begun at the last segna_voce is done. When it read no value field the
// keyword matched nothing in `ambito`, and a likely mistake is warned about.
void fine_voce(Scenario& s, const FieldInput& in, Ambito ambito);
// The progressive entry just read into `voci(entry)`.
void segna_progressiva(Scenario& s, int entry);

// The event of cell `indice` was placed by the entry being read.
void segna_cella(Scenario& s, std::int64_t indice);
// A station is about to write its stop cell `indice`; noted when it holds an event.
void segna_fermata(Scenario& s, std::int64_t indice);
// A rule of the post-processing found no room; the fault recorded next belongs to the
// entry that placed the event of `r.cella`.
void segna_regola(Scenario& s, const RegolaSenzaPosto& r);

// A gradient at `posizione` about to be applied with the cursor at cell `cursore`.
void segnala_pendenza(Scenario& s, std::int64_t posizione, std::int64_t cursore);
// A curve starting at metre `inizio` about to be applied with the plan cursor at `cursore`.
void segnala_curva(Scenario& s, std::int64_t inizio, std::int64_t cursore);

}  // namespace tracciato
