#include "route_reader/route_reader.h"

#include <string>
#include <utility>

#include "model/diagnostica.h"
#include "model/source_texts.h"
#include "model/scenario.h"
#include "model/text.h"
#include "platform/field_input.h"
#include "platform/platform.h"
#include "route_reader/general_section.h"
#include "route_reader/gradients_and_curves.h"
#include "route_reader/mountains_and_boards.h"

namespace tracciato {

namespace {

// The field that closes the general section: it holds "[" and "]" and, once its leading
// spaces are removed, does not begin with "-".
bool intestazione_di_chiusura(const std::string& riga) {
  if (!contiene(riga, "[") || !contiene(riga, "]")) return false;
  const std::size_t primo = riga.find_first_not_of(' ');
  return primo == std::string::npos || riga[primo] != '-';
}

bool commento(const std::string& riga) { return contiene(riga, "-"); }

// The body: its cursors set up, its entries read up to the end of the file or the
// soft stop 15, then completed to the end of the model.
class Corpo {
 public:
  Corpo(Scenario& s, FieldInput& in) : s_(s), in_(in) {}

  void prepara() {
    s_.n_montagne = 0;
    s_.slot_cartello = voce_n::primo_cartello;
    cursori_ = Cursori{};
    if (s_.con_planimetria != 0) semina_planimetria(s_);
  }

  Seguito leggi() {
    for (;;) {
      if (in_.at_end()) return Seguito::avanti;
      s_.riga = in_.read_text();
      if (in_.at_end()) return Seguito::avanti;
      // Two comment fields in a row are skipped; a third is tested like a keyword.
      for (int salto = 0; salto < 2 && commento(s_.riga); ++salto) {
        s_.riga = in_.read_text();
        if (in_.at_end()) return Seguito::avanti;
      }
      segna_voce(s_, in_);
      const Seguito seguito = voce_del_corpo();
      if (seguito != Seguito::avanti) return seguito;
      fine_voce(s_, in_, Ambito::corpo);
    }
  }

  void completa() {
    completa_pendenze(s_, cursori_);
    if (s_.con_planimetria != 0) completa_planimetria(s_, cursori_);
  }

 private:
  // Every positioned entry is checked on its one position before it is applied.
  bool entro_il_modello(std::int32_t posizione) {
    if (s_.entro_celle(posizione, 100)) return true;
    s_.registra(15, posizione);
    return false;
  }

  // The body entries in their test order; each one that matches reads its value
  // fields whole before anything of it is applied.
  Seguito voce_del_corpo() {
    const std::string& riga = s_.riga;
    if (contiene_ogni_caso(riga, "pendenza")) {
      const std::int32_t p = in_.read_long();
      const std::int32_t g = in_.read_long();
      if (!entro_il_modello(p)) return Seguito::fine_morbida;
      segnala_pendenza(s_, p, cursori_.cella_pendenza);
      applica_pendenza(s_, cursori_, p, g);
    }
    if (s_.con_planimetria != 0 && contiene_ogni_caso(riga, "curva")) {
      const std::int32_t a = in_.read_long();
      const std::int32_t n = in_.read_long();
      if (!entro_il_modello(a)) return Seguito::fine_morbida;
      if (s_.diagnostica && curvatura(riga)) segnala_curva(s_, a, cursori_.metro);
      if (applica_curva(s_, cursori_, riga, a, n) == Seguito::fine) return Seguito::fine;
    }
    if (contiene_ogni_caso(riga, "montagna")) {
      std::int32_t inizio = in_.read_long();
      std::int32_t fine = in_.read_long();
      std::int32_t tipo = in_.read_long();
      if (!entro_il_modello(inizio)) return Seguito::fine_morbida;
      memo_montagna(s_, inizio, fine, tipo);
    }
    if (contiene_ogni_caso(riga, "indicatori_v")) {
      const std::int32_t posizione = in_.read_long();
      std::int32_t vas = in_.read_long(), vbs = in_.read_long(), vcs = in_.read_long();
      std::int32_t strisces = in_.read_long();
      std::int32_t vad = in_.read_long(), vbd = in_.read_long(), vcd = in_.read_long();
      std::int32_t strisced = in_.read_long();
      if (!entro_il_modello(posizione)) return Seguito::fine_morbida;
      if (memo_indicatori_v_max(s_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd,
                                strisced))
        return Seguito::fine;
      segna_cella(s_, Scenario::cella_di(posizione));
    }
    if (contiene_ogni_caso(riga, "cartello") && contiene_ogni_caso(riga, "indicat")) {
      const std::int32_t posizione = in_.read_long();
      const std::string testo = in_.read_text();
      if (!entro_il_modello(posizione)) return Seguito::fine_morbida;
      if (memo_cartello(s_, posizione, testo)) return Seguito::fine;
      segna_cella(s_, Scenario::cella_di(posizione));
    }
    return Seguito::avanti;
  }

  Scenario& s_;
  FieldInput& in_;
  Cursori cursori_;
};

// The text in one pass: the opening header, the general section, the progressives
// sorted, the body.
Seguito leggi_testo(Scenario& s, FieldInput& in, Corpo& corpo) {
  // Everything up to the opening header is disregarded; the header must not be the
  // last field.
  do {
    s.riga = in.read_text();
    segna_voce(s, in);
    if (in.at_end()) {
      s.registra(102);
      return Seguito::fine;
    }
  } while (!contiene_ogni_caso(s.riga, "[generale]"));

  for (;;) {
    if (in.at_end()) break;
    s.riga = in.read_text();
    if (in.at_end()) break;  // the last field of the file is never looked at
    // Up to ten comment fields in a row, with no end test between them.
    for (int salto = 0; salto < 10; ++salto)
      if (commento(s.riga)) s.riga = in.read_text();
    segna_voce(s, in);
    if (voci_generali(s, in) == Seguito::fine) return Seguito::fine;
    fine_voce(s, in, Ambito::generale);
    if (intestazione_di_chiusura(s.riga)) break;
  }
  progressive_ordina(s);

  corpo.prepara();
  return corpo.leggi();
}

// A failure met while reading names the place in the text where it happened.
std::string nel_testo(const FieldInput& in, const std::string& what) {
  const std::string prefisso = in.name() + ":";
  if (what.compare(0, prefisso.size(), prefisso) == 0) return what;
  return prefisso + std::to_string(in.field_line()) + ": " + what;
}

}  // namespace

bool leggi_linea(Scenario& s, Platform& platform, const SorgentiTesto& sorgenti) {
  s.voci[voce_n::intestazione_linea].nome = s.nome_linea;
  s.voci[voce_n::intestazione_treno].nome = s.nome_treno;
  apri_testo(s, sorgenti.linea);
  if (!platform.esiste(sorgenti.linea)) {
    s.registra(101);
    return false;
  }
  std::string testo = platform.leggi(sorgenti.linea);
  testo_letto(s, testo);
  FieldInput in(std::move(testo), sorgenti.linea);
  Corpo corpo(s, in);
  Seguito seguito;
  try {
    seguito = leggi_testo(s, in, corpo);
  } catch (const RuntimeFailure& failure) {
    throw RuntimeFailure(nel_testo(in, failure.what()));
  }
  // The source is done with: on a fault the train half does not run; at the end of the
  // file or on the soft stop the cursors are completed from what was read.
  if (sorgenti.elimina_dopo_lettura) platform.elimina(sorgenti.linea);
  if (seguito == Seguito::fine) return false;
  corpo.completa();
  return true;
}

}  // namespace tracciato
