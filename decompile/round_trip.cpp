#include "decompile/round_trip.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "compiler/compilazione.h"
#include "decompile/promise.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "model/record_layout.h"
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

  void show_waiting() override {}
  std::string application_directory() override { return "texts"; }
  std::string join(const std::string& dir, const std::string& name) const override {
    return dir + "/" + name;
  }
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  std::string cannot_read(const std::string& path) override {
    return exists(path) ? std::string() : "no such file";
  }
  void make_directories(const std::string&) override {}
  void remove(const std::string& path) override {
    if (files.erase(path) == 0) throw RuntimeFailure("cannot delete " + path + ": no such file");
  }
  std::string read(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) throw RuntimeFailure("cannot open " + path + ": no such file");
    return it->second;
  }
  void write(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
  }
  void show_message(const std::string&) override {}
  void report_failure(const std::string&) override {}
  [[noreturn]] void end_program(int status) override {
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

// The field of `record` that holds its byte `within`, and that field's value as text.
template <class R>
std::string field_at(const R& record, std::size_t within) {
  std::string name;
  std::size_t at = 0;
  for_each_field(record, [&](const char* n, const auto& field) {
    if (at <= within) name = n;
    at += bytes_of(field);
  });
  return name;
}

template <class R>
std::string value_of(const R& record, const std::string& name) {
  std::string text;
  for_each_field(record, [&](const char* n, const auto& field) {
    if (n != name) return;
    if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::string>)
      text = "\"" + field + "\"";
    else
      text = std::to_string(std::int64_t{field});
  });
  return text;
}

}  // namespace

std::string cells_difference(const std::string& original, const std::string& again) {
  const std::size_t d = first_difference(original, again);
  if (d == original.size() && d == again.size()) return {};
  if (d >= std::min(original.size(), again.size()))
    return sizes(original.size(), again.size(), "cells", cell_bytes);
  const std::vector<cella> a = decode_cells(original), b = decode_cells(again);
  const std::size_t c = d / cell_bytes;
  const std::string name = field_at(a[c], d % cell_bytes);
  // The event fields speak of the metres (c - 1) * 50 on, the profile bytes of c * 50 on.
  const bool profile = name == "montagna" || name == "velocita" || name == "pendenza" ||
                       name == "aderenza";
  const std::int64_t from = profile ? std::int64_t(c) * 50 : (std::int64_t(c) - 1) * 50;
  std::ostringstream s;
  s << "at byte " << d << ", cell " << c << " (metres " << from << " to " << from + 49 << "), "
    << name << ": " << value_of(a[c], name) << " in the file, " << value_of(b[c], name)
    << " from the texts";
  if (original.size() != again.size())
    s << "; and " << sizes(original.size(), again.size(), "cells", cell_bytes);
  return s.str();
}

std::string entries_difference(const std::string& original, const std::string& again) {
  const std::size_t d = first_difference(original, again);
  if (d == original.size() && d == again.size()) return {};
  std::ostringstream s;
  s << "at byte " << d;
  const std::vector<voce> a = decode_entries(original);
  // Walk the records of the original to the one that holds the byte.
  std::size_t at = 0;
  for (std::size_t e = 0; e < a.size(); ++e) {
    const std::size_t end = at + record_bytes(a[e]);
    if (d < end || e + 1 == a.size()) {
      const char* role = e == 0                ? "unused"
                         : e <= 80             ? "a station or a signboard text"
                         : e <= 83             ? "a kilometre progressive"
                         : e == 84             ? "the run data"
                         : e == 85             ? "the route header"
                                               : "the train header";
      s << ", entry " << e << " (" << role << "), " << field_at(a[e], d - at);
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
  // The tagged values of the original up to the one that holds the byte.
  const DecodedPlan plan = decode_plan(original);
  const std::size_t half = plan.x.size();
  std::size_t at = 0;
  for (std::size_t i = 0; i < 2 * half; ++i) {
    const PlanValue& v = i < half ? plan.x[i] : plan.y[i - half];
    at += 2 + (v.kind == PlanValue::Kind::Integer ? 2 : v.kind == PlanValue::Kind::Double ? 8 : 0);
    if (d < at) {
      s << ", metre " << (i < half ? i : i - half) << ", " << (i < half ? "x" : "y");
      break;
    }
  }
  if (original.size() != again.size())
    s << "; and in length: the file has " << original.size() << " bytes, the texts give " << again.size();
  return s.str();
}

CompileOutput compile_texts(const std::string& route_text, const std::string& train_text,
                            bool with_plan, const Names& names, bool watch_promise) {
  TextsPlatform p;
  const SourceTexts sources{p.join("texts", route_source_name(names.route)),
                              p.join("texts", train_source_name(names.route, names.train)), false};
  const ScenarioFiles outputs{p.join("out", plan_file_name(names.route)),
                             p.join("out", entry_file_name(names.route, names.train)),
                             p.join("out", cell_file_name(names.route, names.train))};
  p.files[sources.route] = route_text;
  p.files[sources.train] = train_text;

  CompileOutput out;
  Scenario s;
  s.nome_linea = names.route;
  s.nome_treno = names.train;
  PromiseWatch watch;
  if (watch_promise) watch.attach(s);
  const CompileOutcome o = compile(s, with_plan ? 1 : 0, p, sources, outputs);
  out.written = o.kind == CompileOutcome::Kind::ok || o.kind == CompileOutcome::Kind::faults;
  if (o.kind == CompileOutcome::Kind::errore)
    out.failure = "errore " + o.errore + " (a reserved slot already in use)";
  else if (o.kind == CompileOutcome::Kind::runtime)
    out.failure = "run-time failure: " + o.failure;
  out.codice_errore = o.codice_errore;
  out.posizione_errore = o.posizione_errore;
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
    compare(plan_file_name(names.route), *files.plan,
            r.compiled.written ? r.compiled.files.plan : none, plan_difference);
  compare(entry_file_name(names.route, names.train), files.entries,
          r.compiled.written ? std::optional<std::string>(r.compiled.files.entries) : none,
          entries_difference);
  compare(cell_file_name(names.route, names.train), files.cells,
          r.compiled.written ? std::optional<std::string>(r.compiled.files.cells) : none,
          cells_difference);
  return r;
}

}  // namespace tracciato::decompile
