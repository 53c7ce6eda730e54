#include "route_reader/route_reader.h"

#include <string>
#include <utility>

#include "model/diagnostica.h"
#include "model/entry_kinds.h"
#include "model/source_texts.h"
#include "model/rounding.h"
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
  if (!contains(riga, "[") || !contains(riga, "]")) return false;
  const std::size_t primo = riga.find_first_not_of(' ');
  return primo == std::string::npos || riga[primo] != '-';
}

bool commento(const std::string& riga) { return contains(riga, "-"); }

// The body: its cursors set up, its entries read up to the end of the file or the
// soft stop 15, then completed to the end of the model.
class Corpo {
 public:
  Corpo(Scenario& s, FieldInput& in) : s_(s), in_(in) {}

  void prepara() {
    s_.n_montagne = 0;
    s_.signboard_slot = entry::first_signboard;
    cursors_ = BodyCursors{};
    if (s_.con_planimetria != 0) seed_plan(s_);
  }

  LineOutcome read() {
    for (;;) {
      if (in_.at_end()) return LineOutcome::next;
      s_.riga = in_.read_text();
      if (in_.at_end()) return LineOutcome::next;
      // Two comment fields in a row are skipped; a third is tested like a keyword.
      for (int salto = 0; salto < 2 && commento(s_.riga); ++salto) {
        s_.riga = in_.read_text();
        if (in_.at_end()) return LineOutcome::next;
      }
      mark_entry(s_, in_);
      const LineOutcome seguito = voce_del_corpo();
      if (seguito != LineOutcome::next) return seguito;
      end_entry(s_, in_, Scope::body);
    }
  }

  void completa() {
    complete_gradients(s_, cursors_);
    if (s_.con_planimetria != 0) complete_plan(s_, cursors_);
  }

 private:
  // Every positioned entry is checked on its one position before it is applied.
  bool entro_il_modello(std::int32_t posizione) {
    if (s_.within_cells(posizione, 100)) {
      check_route_end(s_, posizione);
      return true;
    }
    s_.record(Code::beyond_the_model, posizione);
    return false;
  }

  // The body entries in their test order; each one that matches reads its value
  // fields whole before anything of it is applied.
  LineOutcome voce_del_corpo() {
    const std::string& riga = s_.riga;
    if (recognises(Entry::gradient, riga)) {
      const std::int32_t p = in_.read_long();
      const std::int32_t g = in_.read_long();
      if (!entro_il_modello(p)) return LineOutcome::soft_stop;
      check_gradient_order(s_, p, cursors_.gradient_cell);
      if (g < -100 || g > 155) warn_value_cut(s_, "gradient", g, low8(std::int64_t{g} + 100) - 100);
      apply_gradient(s_, cursors_, p, g);
    }
    if (s_.con_planimetria != 0 && recognises(Entry::curve, riga)) {
      const std::int32_t a = in_.read_long();
      const std::int32_t n = in_.read_long();
      if (!entro_il_modello(a)) return LineOutcome::soft_stop;
      if (s_.trail && curvature(riga)) {
        check_curve_side(s_);
        check_curve_order(s_, a, n, cursors_.metro);
      }
      if (apply_curve(s_, cursors_, riga, a, n) == LineOutcome::error_exit) return LineOutcome::error_exit;
    }
    if (recognises(Entry::mountain, riga)) {
      std::int32_t inizio = in_.read_long();
      std::int32_t fine = in_.read_long();
      std::int32_t tipo = in_.read_long();
      if (!entro_il_modello(inizio)) return LineOutcome::soft_stop;
      check_span(s_, inizio, fine);
      if (const std::int64_t t = tipo > 10 ? std::int64_t{tipo} - 10 : tipo; t < 0 || t > 255)
        warn_value_cut(s_, "mountain type", t, low8(t));
      memo_montagna(s_, inizio, fine, tipo);
    }
    if (recognises(Entry::speed_boards, riga)) {
      const std::int32_t posizione = in_.read_long();
      std::int32_t vas = in_.read_long(), vbs = in_.read_long(), vcs = in_.read_long();
      std::int32_t strisces = in_.read_long();
      std::int32_t vad = in_.read_long(), vbd = in_.read_long(), vcd = in_.read_long();
      std::int32_t strisced = in_.read_long();
      if (!entro_il_modello(posizione)) return LineOutcome::soft_stop;
      if (const std::int64_t v = 10 * std::int64_t{strisces} + strisced; v != low16(v))
        warn_value_cut(s_, "stripes (10 x strisces + strisced)", v, low16(v));
      if (memo_indicatori_v_max(s_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd,
                                strisced))
        return LineOutcome::error_exit;
      mark_cell(s_, Scenario::cell_of(posizione));
    }
    if (recognises(Entry::signboard, riga)) {
      const std::int32_t posizione = in_.read_long();
      const std::string testo = in_.read_text();
      if (!entro_il_modello(posizione)) return LineOutcome::soft_stop;
      if (place_signboard(s_, posizione, testo)) return LineOutcome::error_exit;
      mark_cell(s_, Scenario::cell_of(posizione));
    }
    return LineOutcome::next;
  }

  Scenario& s_;
  FieldInput& in_;
  BodyCursors cursors_;
};

// The text in one pass: the opening header, the general section, the progressives
// sorted, the body.
LineOutcome leggi_testo(Scenario& s, FieldInput& in, Corpo& corpo) {
  // Everything up to the opening header is disregarded; the header must not be the
  // last field.
  do {
    s.riga = in.read_text();
    mark_entry(s, in);
    if (in.at_end()) {
      s.record(Code::no_general_header);
      return LineOutcome::error_exit;
    }
  } while (!contains_any_case(s.riga, "[generale]"));

  for (;;) {
    if (in.at_end()) break;
    s.riga = in.read_text();
    if (in.at_end()) break;  // the last field of the file is never looked at
    // Up to ten comment fields in a row, with no end test between them.
    for (int salto = 0; salto < 10; ++salto)
      if (commento(s.riga)) s.riga = in.read_text();
    mark_entry(s, in);
    if (general_entries(s, in) == LineOutcome::error_exit) return LineOutcome::error_exit;
    end_entry(s, in, Scope::general);
    if (intestazione_di_chiusura(s.riga)) break;
  }
  progressive_ordina(s);

  corpo.prepara();
  return corpo.read();
}

// A failure met while reading names the place in the text where it happened.
std::string nel_testo(const FieldInput& in, const std::string& what) {
  const std::string prefisso = in.name() + ":";
  if (what.compare(0, prefisso.size(), prefisso) == 0) return what;
  return prefisso + std::to_string(in.field_line()) + ": " + what;
}

}  // namespace

bool read_route(Scenario& s, Platform& platform, const SourceTexts& sources) {
  s.voci[entry::route_header].nome = s.nome_linea;
  s.voci[entry::train_header].nome = s.nome_treno;
  open_text(s, sources.route);
  if (!platform.exists(sources.route)) {
    s.record(Code::route_text_missing);
    return false;
  }
  std::string testo = platform.read(sources.route);
  text_read(s, testo);
  FieldInput in(std::move(testo), sources.route);
  Corpo corpo(s, in);
  LineOutcome seguito;
  try {
    seguito = leggi_testo(s, in, corpo);
  } catch (const RuntimeFailure& failure) {
    throw failure.retold(nel_testo(in, failure.what()));
  }
  // The source is done with: on a fault the train half does not run; at the end of the
  // file or on the soft stop the cursors are completed from what was read.
  if (sources.delete_after_reading) platform.remove(sources.route);
  if (seguito == LineOutcome::error_exit) return false;
  corpo.completa();
  return true;
}

}  // namespace tracciato
