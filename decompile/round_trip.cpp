#include "decompile/round_trip.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "decompile/promise.h"
#include "model/errore.h"
#include "model/file_names.h"
#include "model/memorizza_percorso.h"
#include "model/scenario.h"
#include "model/scenario_decoder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::decompile {

namespace {

// The two texts served from memory and whatever the compile writes kept there; the
// compile sees no disk.
class TextsPlatform : public Platform {
 public:
  std::map<std::string, std::string> files;

  void mostra_attesa() override {}
  std::string cartella_applicazione() override { return "texts"; }
  std::string unisci(const std::string& dir, const std::string& name) const override {
    return dir + "/" + name;
  }
  bool esiste(const std::string& path) override { return files.count(path) != 0; }
  void elimina(const std::string& path) override {
    if (files.erase(path) == 0) throw RuntimeFailure("cannot delete " + path + ": no such file");
  }
  std::string leggi(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) throw RuntimeFailure("cannot open " + path + ": no such file");
    return it->second;
  }
  void scrivi(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
  }
  void messaggio(const std::string&) override {}
  void segnala_guasto(const std::string&) override {}
  [[noreturn]] void termina(int status) override {
    throw RuntimeFailure("the compile ended the program with status " + std::to_string(status));
  }
};

std::size_t first_difference(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n),
                                                b.begin()).first -
                                  a.begin());
}

std::string sizes(std::size_t a, std::size_t b, const char* unit, std::size_t per) {
  std::ostringstream s;
  s << "in length: the file has " << a / per << " " << unit << " (" << a << " bytes), the texts give "
    << b / per << " (" << b << " bytes)";
  return s.str();
}

std::int64_t little(const std::string& bytes, std::size_t at, std::size_t n, bool is_signed) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i)
    v |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  if (is_signed && n < 8 && (v >> (8 * n - 1)) != 0) v |= ~std::uint64_t{0} << (8 * n);
  return static_cast<std::int64_t>(v);
}

}  // namespace

std::string cells_difference(const std::string& original, const std::string& again) {
  const std::size_t d = first_difference(original, again);
  if (d == original.size() && d == again.size()) return {};
  if (d >= std::min(original.size(), again.size()))
    return sizes(original.size(), again.size(), "cells", 15);
  struct Field {
    std::size_t offset, width;
    const char* name;
    bool event;  // a field of the cell's event (metres (c - 1) * 50 on) or of its profile
  };
  static constexpr Field fields[] = {
      {0, 1, "evento", true},    {1, 2, "valore1", true},   {3, 2, "valore2", true},
      {5, 2, "valore3", true},   {7, 2, "valore4", true},   {9, 1, "tempo", true},
      {10, 1, "avviso", true},   {11, 1, "montagna", false}, {12, 1, "velocita", false},
      {13, 1, "pendenza", false}, {14, 1, "aderenza", false},
  };
  const std::size_t c = d / 15, within = d % 15;
  const Field* f = &fields[0];
  for (const Field& g : fields)
    if (g.offset <= within) f = &g;
  const std::int64_t from = f->event ? (std::int64_t(c) - 1) * 50 : std::int64_t(c) * 50;
  const std::size_t at = c * 15 + f->offset;
  std::ostringstream s;
  auto value = [&](const std::string& bytes) {
    return at + f->width <= bytes.size() ? std::to_string(little(bytes, at, f->width, f->width == 2))
                                         : std::string("nothing");
  };
  s << "at byte " << d << ", cell " << c << " (metres " << from << " to " << from + 49 << "), "
    << f->name << ": " << value(original) << " in the file, " << value(again) << " from the texts";
  if (original.size() != again.size())
    s << "; and " << sizes(original.size(), again.size(), "cells", 15);
  return s.str();
}

std::string entries_difference(const std::string& original, const std::string& again) {
  const std::size_t d = first_difference(original, again);
  if (d == original.size() && d == again.size()) return {};
  std::ostringstream s;
  s << "at byte " << d;
  // Walk the records of the original to the one that holds the byte.
  std::size_t at = 0;
  for (int e = 0; e < 87 && at + 16 <= original.size(); ++e) {
    const std::size_t name = static_cast<std::size_t>(little(original, at + 14, 2, false));
    const std::size_t end = at + 34 + name;
    if (d < end || e == 86) {
      struct Field {
        std::size_t offset;
        const char* name;
      };
      const Field fields[] = {{0, "genere"}, {1, "inizio_area"}, {5, "fine_area"},
                              {9, "posizione"}, {13, "opz1"}, {14, "the length of nome"},
                              {16, "nome"}, {16 + name, "par1"}, {18 + name, "par2"},
                              {20 + name, "par3"}, {22 + name, "par4"}, {24 + name, "par5"},
                              {26 + name, "opz2"}, {27 + name, "opz3"}, {28 + name, "opz4"},
                              {29 + name, "opz5"}, {30 + name, "orario"}};
      const char* field = "genere";
      for (const Field& f : fields)
        if (f.offset <= d - at) field = f.name;
      const char* role = e == 0                ? "unused"
                         : e <= 80             ? "a station or a signboard text"
                         : e <= 83             ? "a kilometre progressive"
                         : e == 84             ? "the run data"
                         : e == 85             ? "the route header"
                                               : "the train header";
      s << ", entry " << e << " (" << role << "), " << field;
      break;
    }
    at = end;
  }
  if (original.size() != again.size())
    s << "; and in length: the file has " << original.size() << " bytes, the texts give " << again.size();
  return s.str();
}

std::string plan_difference(const std::string& original, const std::string& again) {
  const std::size_t d = first_difference(original, again);
  if (d == original.size() && d == again.size()) return {};
  std::ostringstream s;
  s << "at byte " << d;
  // Count the tagged values of the original up to the one that holds the byte.
  std::size_t at = 0, index = 0, count = 0;
  std::size_t found = std::string::npos;
  while (at + 2 <= original.size()) {
    const std::uint16_t tag = static_cast<std::uint16_t>(little(original, at, 2, false));
    const std::size_t width = 2 + (tag == 2 ? 2 : tag == 5 ? 8 : 0);
    if (found == std::string::npos && d < at + width) found = index;
    at += width;
    ++index;
  }
  count = index;
  if (found != std::string::npos && count > 0) {
    const std::size_t half = count / 2;
    s << ", metre " << (found < half ? found : found - half) << ", " << (found < half ? "x" : "y");
  }
  if (original.size() != again.size())
    s << "; and in length: the file has " << original.size() << " bytes, the texts give " << again.size();
  return s.str();
}

CompileOutput compile_texts(const std::string& route_text, const std::string& train_text,
                            bool with_plan, const Names& names, bool watch_promise) {
  TextsPlatform p;
  const SorgentiTesto sources{p.unisci("texts", nome_sorgente_linea(names.route)),
                              p.unisci("texts", nome_sorgente_treno(names.route, names.train)), false};
  const FileScenario outputs{p.unisci("out", nome_file_planimetria(names.route)),
                             p.unisci("out", nome_file_voci(names.route, names.train)),
                             p.unisci("out", nome_file_celle(names.route, names.train))};
  p.files[sources.linea] = route_text;
  p.files[sources.treno] = train_text;

  CompileOutput out;
  Scenario s;
  s.nome_linea = names.route;
  s.nome_treno = names.train;
  PromiseWatch watch;
  if (watch_promise) watch.attach(s);
  std::int32_t j = with_plan ? 1 : 0;
  std::vector<std::string> written;
  try {
    memorizza_percorso(s, j, p, sources, outputs, written);
    out.written = true;
  } catch (const ErroreFatale& e) {
    out.failure = "errore " + e.numero + " (a reserved slot already in use)";
  } catch (const RuntimeFailure& f) {
    out.failure = std::string("run-time failure: ") + f.what();
  }
  out.codice_errore = s.codice_errore;
  out.posizione_errore = s.posizione_errore;
  if (watch_promise) out.outside_promise = watch.outside(s);
  if (auto it = p.files.find(outputs.planimetria); it != p.files.end()) out.files.plan = it->second;
  if (auto it = p.files.find(outputs.voci); it != p.files.end()) out.files.entries = it->second;
  if (auto it = p.files.find(outputs.celle); it != p.files.end()) out.files.cells = it->second;
  return out;
}

bool RoundTrip::identical() const {
  return compiled.written && std::all_of(files.begin(), files.end(), [](const FileComparison& f) {
           return f.identical;
         });
}

RoundTrip round_trip(const std::string& route_text, const std::string& train_text,
                     const CompiledFiles& files, const Names& names) {
  RoundTrip r;
  r.compiled = compile_texts(route_text, train_text, files.plan.has_value(), names);
  auto compare = [&](const std::string& name, const std::string& original,
                     const std::optional<std::string>& again,
                     std::string (*difference)(const std::string&, const std::string&)) {
    FileComparison f{name, false, {}};
    if (!again)
      f.difference = "wholly: the texts' compile wrote no such file";
    else if (*again == original)
      f.identical = true;
    else
      f.difference = difference(original, *again);
    r.files.push_back(f);
  };
  const std::optional<std::string> none;
  if (files.plan)
    compare(nome_file_planimetria(names.route), *files.plan,
            r.compiled.written ? r.compiled.files.plan : none, plan_difference);
  compare(nome_file_voci(names.route, names.train), files.entries,
          r.compiled.written ? std::optional<std::string>(r.compiled.files.entries) : none,
          entries_difference);
  compare(nome_file_celle(names.route, names.train), files.cells,
          r.compiled.written ? std::optional<std::string>(r.compiled.files.cells) : none,
          cells_difference);
  return r;
}

}  // namespace tracciato::decompile
