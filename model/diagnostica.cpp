#include "model/diagnostica.h"

#include "model/rounding.h"
#include "model/scenario.h"
#include "model/text.h"
#include "platform/field_input.h"

namespace tracciato {

namespace {

bool stessa_riga(const Luogo& a, const Luogo& b) {
  return a.riga != 0 && a.testo == b.testo && a.riga == b.riga;
}

std::string_view senza_spazi(std::string_view t) {
  const auto primo = t.find_first_not_of(" \t");
  if (primo == std::string_view::npos) return {};
  const auto ultimo = t.find_last_not_of(" \t");
  return t.substr(primo, ultimo - primo + 1);
}

// Empty fields, comments and section headers are never warned about.
bool da_non_segnalare(std::string_view campo) {
  const std::string_view t = senza_spazi(campo);
  return t.empty() || contiene(t, "-") || (t.front() == '[' && t.back() == ']');
}

bool voce_generale_ogni_caso(std::string_view r) {
  auto ha = [&](const char* w) { return contiene_ogni_caso(r, w); };
  return (ha("lunghezza") && ha("percorso")) ||
         (ha("progressiva") && (ha("tre") || ha("due") || ha("uno"))) ||
         (ha("sfondo") && (ha("uno") || ha("due") || ha("tre"))) ||
         (ha("segnali") && ha("ripetizione"));
}

bool voce_del_corpo_ogni_caso(std::string_view r) {
  auto ha = [&](const char* w) { return contiene_ogni_caso(r, w); };
  return ha("pendenza") || ha("curva") || ha("montagna") || ha("indicatori_v") ||
         (ha("cartello") && ha("indicat"));
}

// A word the general section recognises only in lower case, written with a capital.
bool maiuscola_di_troppo(std::string_view r) {
  for (const char* parola : {"progressiva", "sfondo", "ripetizione", "segnali"})
    if (contiene_ogni_caso(r, parola) && !contiene(r, parola)) return true;
  return false;
}

void avvisa(Scenario& s, TipoAvviso tipo, Ambito ambito, std::int64_t inizio = 0,
            std::int64_t cursore = 0) {
  Diagnostica& d = *s.diagnostica;
  d.avvisata = d.voce;
  if (d.avviso) d.avviso({tipo, ambito, d.voce, s.riga, inizio, cursore});
}

}  // namespace

void apri_testo(Scenario& s, const std::string& nome) {
  if (!s.diagnostica) return;
  Diagnostica& d = *s.diagnostica;
  d.testi.push_back({nome, {}});
  d.voce = {static_cast<int>(d.testi.size()) - 1, 0, 0};
  d.fine_valori = {};
}

void testo_letto(Scenario& s, const std::string& byte) {
  if (!s.diagnostica || s.diagnostica->testi.empty()) return;
  s.diagnostica->testi.back().byte = byte;
}

void segna_voce(Scenario& s, const FieldInput& in) {
  if (!s.diagnostica) return;
  Diagnostica& d = *s.diagnostica;
  d.voce.riga = in.field_line();
  d.voce.colonna = in.field_column();
  if (stessa_riga(d.fine_valori, d.voce) && !da_non_segnalare(s.riga) &&
      !stessa_riga(d.avvisata, d.voce))
    avvisa(s, TipoAvviso::valori_in_piu, d.voce.testo == 0 ? Ambito::corpo : Ambito::treno);
  d.fine_valori = {};
}

void fine_voce(Scenario& s, const FieldInput& in, Ambito ambito) {
  if (!s.diagnostica) return;
  Diagnostica& d = *s.diagnostica;
  const bool letta = in.field_line() != d.voce.riga || in.field_column() != d.voce.colonna;
  if (letta) {
    d.fine_valori = {d.voce.testo, in.field_line(), in.field_column()};
    return;
  }
  // Nothing after the keyword field was read: it matched no entry here.
  if (da_non_segnalare(s.riga) || stessa_riga(d.avvisata, d.voce)) return;
  const std::string& r = s.riga;
  switch (ambito) {
    case Ambito::generale:
      if (voce_del_corpo_ogni_caso(r))
        avvisa(s, TipoAvviso::corpo_nei_generali, ambito);
      else if (maiuscola_di_troppo(r))
        avvisa(s, TipoAvviso::minuscole_richieste, ambito);
      break;
    case Ambito::corpo:
      if (s.con_planimetria == 0 && contiene_ogni_caso(r, "curva"))
        d.avvisata = d.voce;  // curves are disregarded without a plan, values and all
      else if (voce_generale_ogni_caso(r))
        avvisa(s, TipoAvviso::generale_nel_corpo, ambito);
      else
        avvisa(s, TipoAvviso::parola_sconosciuta, ambito);
      break;
    case Ambito::treno:
      avvisa(s, TipoAvviso::parola_sconosciuta, ambito);
      break;
  }
}

void segna_progressiva(Scenario& s, int entry) {
  if (!s.diagnostica) return;
  const voce& v = s.voci[entry];
  s.diagnostica->progressive.push_back({s.diagnostica->voce, v.inizio_area, v.fine_area, v.posizione});
}

void segna_cella(Scenario& s, std::int64_t indice) {
  if (!s.diagnostica || indice < 0) return;
  std::vector<Luogo>& origine = s.diagnostica->origine;
  if (static_cast<std::uint64_t>(indice) >= origine.size()) {
    if (indice > s.n_celle) return;
    origine.resize(static_cast<std::size_t>(s.n_celle) + 1);
  }
  origine[static_cast<std::size_t>(indice)] = s.diagnostica->voce;
}

void segna_fermata(Scenario& s, std::int64_t indice) {
  if (!s.diagnostica || !s.celle.allocata() || indice < 0 || indice > s.celle.superiore()) return;
  if (!libera(s.celle[indice])) s.diagnostica->fermate_su_eventi.push_back(indice);
}

void segna_regola(Scenario& s, const RegolaSenzaPosto& r) {
  if (!s.diagnostica) return;
  Diagnostica& d = *s.diagnostica;
  d.regola = r;
  d.voce = r.cella >= 0 && static_cast<std::uint64_t>(r.cella) < d.origine.size()
               ? d.origine[static_cast<std::size_t>(r.cella)]
               : Luogo{};
}

void segnala_pendenza(Scenario& s, std::int64_t posizione, std::int64_t cursore) {
  if (!s.diagnostica) return;
  const std::int64_t inizio = arrotonda(posizione, 50);
  if (cursore >= inizio && !(inizio == 0 && cursore == 0))
    avvisa(s, TipoAvviso::pendenza_fuori_ordine, Ambito::corpo, inizio, cursore);
}

void segnala_curva(Scenario& s, std::int64_t inizio, std::int64_t cursore) {
  if (!s.diagnostica) return;
  if (inizio < cursore) avvisa(s, TipoAvviso::curva_fuori_ordine, Ambito::corpo, inizio, cursore);
}

}  // namespace tracciato
