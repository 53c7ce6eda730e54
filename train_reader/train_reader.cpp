#include "train_reader/train_reader.h"

#include <string>
#include <utility>

#include "model/diagnostica.h"
#include "model/entry_kinds.h"
#include "model/source_texts.h"
#include "model/scenario.h"
#include "model/text.h"
#include "platform/field_input.h"
#include "platform/platform.h"
#include "train_reader/general_data.h"
#include "train_reader/signals.h"
#include "train_reader/slowdowns.h"
#include "train_reader/stations.h"

namespace tracciato {

namespace {

bool commento(const std::string& campo) { return contains(campo, "-"); }

// Reads the next keyword field into `riga`, passing over at most two comment fields.
// False when the end of the text is reached: the field last read is then not looked at.
bool leggi_parola_chiave(Scenario& s, FieldInput& in) {
  s.riga = in.read_text();
  if (in.at_end()) return false;
  for (int scarti = 0; scarti < 2 && commento(s.riga); ++scarti) {
    s.riga = in.read_text();
    if (in.at_end()) return false;
  }
  return true;
}

// Every keyword the field holds runs its handler, in this fixed order, each reading its
// own value fields; the first handler that ends the reading ends it.
LineOutcome interpreta(Scenario& s, FieldInput& in, PositionLists& liste,
                       std::int32_t& numero_stazione) {
  const std::string lowered = lowercase(s.riga);
  auto is = [&](Entry e) { return recognises(e, s.riga, lowered); };
  if (is(Entry::braked_mass)) read_braked_mass(s, in);
  if (is(Entry::cars)) read_cars(s, in);
  if (is(Entry::speed)) {
    if (LineOutcome o = read_speed_line(s, in, liste.speed); o != LineOutcome::next) return o;
  }
  if (is(Entry::adhesion)) {
    if (LineOutcome o = read_adhesion_line(s, in, liste.adhesion); o != LineOutcome::next)
      return o;
  }
  if (is(Entry::clock)) read_clock(s, in);
  if (is(Entry::sand)) read_sand(s, in);
  if (is(Entry::signal)) {
    if (LineOutcome o = read_signal(s, in); o != LineOutcome::next) return o;
  }
  if (is(Entry::slowdown)) {
    if (LineOutcome o = read_slowdown(s, in); o != LineOutcome::next) return o;
  }
  if (is(Entry::abatement)) {
    if (LineOutcome o = read_abatement(s, in); o != LineOutcome::next) return o;
  }
  if (is(Entry::station)) {
    if (LineOutcome o = read_station(s, in, numero_stazione); o != LineOutcome::next) return o;
  }
  return LineOutcome::next;
}

// A kilometre progressive whose start or end is not a multiple of 50 is code 2.
void controlla_progressive(Scenario& s) {
  bool passo = false;
  for (int indice = entry::progressive_three; indice <= entry::progressive_one; ++indice) {
    const voce& v = s.voci[indice];
    if (v.inizio_area % 50 != 0 || v.fine_area % 50 != 0) passo = true;
  }
  if (passo) s.record(Code::progressive_off_grid);
}

}  // namespace

void read_train(Scenario& s, Platform& platform, const SourceTexts& sources) {
  open_text(s, sources.train);
  std::string testo = platform.read(sources.train);
  text_read(s, testo);
  FieldInput in(std::move(testo), sources.train);

  do {
    s.riga = in.read_text();
  } while (!in.at_end() && !contains_any_case(s.riga, "[generale]"));
  const bool header_found = contains_any_case(s.riga, "[generale]");
  if (!header_found) warn_train_text(s, WarningKind::no_general_header);

  std::int32_t numero_stazione = 1;
  PositionLists liste;
  bool to_the_end = true;
  while (!in.at_end() && leggi_parola_chiave(s, in)) {
    mark_entry(s, in);
    const LineOutcome esito = interpreta(s, in, liste, numero_stazione);
    if (esito == LineOutcome::soft_stop) {
      to_the_end = false;
      break;
    }
    if (esito == LineOutcome::error_exit) {
      if (sources.delete_after_reading) platform.remove(sources.train);
      return;
    }
    end_entry(s, in, Scope::train);
  }

  if (sources.delete_after_reading) platform.remove(sources.train);
  complete_lists(s, liste);
  controlla_progressive(s);
  if (header_found && to_the_end && numero_stazione == 1)
    warn_train_text(s, WarningKind::no_station);
}

}  // namespace tracciato
