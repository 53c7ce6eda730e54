#include "fuzz/compile_properties.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <sstream>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/check_command.h"
#include "cli/compile_command.h"
#include "decompile/decompiler.h"
#include "decompile/round_trip.h"
#include "fuzz/text_variants.h"
#include "model/exit_status.h"
#include "model/scenario.h"
#include "model/scenario_decoder.h"
#include "model/scenario_files.h"
#include "model/text.h"
#include "platform/field_input.h"
#include "platform/runtime_failure.h"
#include "test_support/memory_platform.h"

namespace tracciato::fuzz {

namespace {

constexpr const char* route_path = "R_linea.txt";
constexpr const char* train_path = "R_T-.txt";
const ScenarioFiles outputs{"R_linea.dat", "R_T.sim", "R_T.dat"};

[[noreturn]] void broken(const char* property, const std::string& what) {
  throw PropertyBroken(std::string(property) + ": " + what);
}

void require(bool holds, const char* property, const std::string& what) {
  if (!holds) broken(property, what);
}

// A file as compared: its bytes, or none when it was not written.
using File = const std::string*;
File file(const std::optional<std::string>& f) { return f ? &*f : nullptr; }
File file(const MemoryPlatform& p, const std::string& path) {
  const auto it = p.files.find(path);
  return it == p.files.end() ? nullptr : &it->second;
}

// Where two versions of a file first differ, for the message.
std::string difference(const char* file, File a, File b) {
  if (!a || !b) return std::string(file) + (a ? " written by the first only" : " written by the second only");
  std::size_t i = 0;
  while (i < a->size() && i < b->size() && (*a)[i] == (*b)[i]) ++i;
  return std::string(file) + " differs at byte " + std::to_string(i) + " (" +
         std::to_string(a->size()) + " and " + std::to_string(b->size()) + " bytes)";
}

void same_file(const char* property, const char* name, File a, File b) {
  if ((a == nullptr) != (b == nullptr) || (a && *a != *b)) broken(property, difference(name, a, b));
}

std::string register_of(const Compiled& c) {
  return std::string(c.outcome.name()) + ", register " + std::to_string(c.outcome.codice_errore) +
         " at " + std::to_string(c.outcome.posizione_errore);
}

// How the compile ended and the register; the failure's text only where both compiles
// read the texts at the same lines and columns.
void same_end(const char* property, const Compiled& a, const Compiled& b, bool failure_text) {
  const CompileOutcome& x = a.outcome;
  const CompileOutcome& y = b.outcome;
  const bool same = x.kind == y.kind && x.codice_errore == y.codice_errore &&
                    x.posizione_errore == y.posizione_errore && x.errore == y.errore &&
                    (!failure_text || x.failure == y.failure);
  if (!same)
    broken(property, register_of(a) + " [" + x.failure + "] against " + register_of(b) + " [" +
                         y.failure + "]");
}

void same_files(const char* property, const Compiled& a, const Compiled& b) {
  same_file(property, "plan file", file(a.plan), file(b.plan));
  same_file(property, "entry file", file(a.entries), file(b.entries));
  same_file(property, "cell file", file(a.cells), file(b.cells));
}

void same_compile(const char* property, const Compiled& a, const Compiled& b, bool failure_text) {
  same_end(property, a, b, failure_text);
  same_files(property, a, b);
}

bool is_line_end(char c) { return c == '\r' || c == '\n'; }
bool comment(std::string_view field) { return contains(field, "-"); }

// The memory platform of the baseline and the variants. A file written in pieces is
// gathered in one buffer kept from compile to compile: in the sanitizer build every
// fresh large block costs its pages anew, and the plan file is the largest block of a
// compile.
class CompileMemory : public MemoryPlatform {
 public:
  void write_in_pieces(const std::string& path, const Piece& pezzo) override {
    static std::string gathered;
    static std::vector<char> room(piece_room);
    gathered.clear();
    while (const std::size_t n = pezzo(std::span<char>(room))) {
      if (n > room.size()) throw RuntimeFailure(path + ": a piece larger than its room");
      gathered.append(room.data(), n);
    }
    write(path, gathered);
  }
};

std::optional<std::string> take_file(MemoryPlatform& p, const std::string& path) {
  const auto it = p.files.find(path);
  if (it == p.files.end()) return std::nullopt;
  return std::move(it->second);
}

// The fields of `text` from `from` on, read as the reader reads them, in a window that
// ends at `to`: reading the window to its end says nothing of the text after it.
class Fields {
 public:
  Fields(const std::string& text, std::size_t from, std::size_t to)
      : in_(text.substr(from, to - from)), cut_(to < text.size()) {}
  // No byte left in the window; `cut` when the text goes on after it.
  bool at_end() const { return in_.at_end(); }
  bool cut() const { return cut_ && in_.at_end(); }
  std::size_t read() const { return in_.offset(); }
  std::optional<std::string> next() {
    try {
      return in_.read_text();
    } catch (const RuntimeFailure&) {
      return std::nullopt;
    }
  }
  std::optional<std::int32_t> number() {
    try {
      return in_.read_long();
    } catch (const RuntimeFailure&) {
      return std::nullopt;
    }
  }

 private:
  FieldInput in_;
  bool cut_;
};

// ---------------------------------------------------------------------------------
// Listening. The reading trail and the register's observer only watch: a compile
// with them attached writes the bytes of one without, and ends the same way.
bool listening_changes_nothing(const CompileCase& c, const Baseline& b) {
  same_compile("listening", compile_texts(c.texts, c.plan, false), b.traced, true);
  return true;
}

// ---------------------------------------------------------------------------------
// The commands. `tracciato compile` attaches the diagnostics (cli::Diagnostics) to its
// compile, which must still write the bytes of a compile with no listener. `tracciato
// check` is the same compile through a platform that keeps every write to itself: the
// same exit status, diagnostics and report as compile, and nothing written but the
// report.
struct CommandRun {
  int status = 0;
  std::string diagnostics;  // standard error
  MemoryPlatform platform;
};

CommandRun run_command(const CompileCase& c, bool check) {
  CommandRun r;
  r.platform.files[route_path] = c.texts.route;
  r.platform.files[train_path] = c.texts.train;
  cli::CompileOptions options;
  options.route_txt = route_path;
  options.train_txt = train_path;
  options.no_plan = c.plan == 0;
  options.report = "report.json";
  std::ostringstream err;
  std::streambuf* const standard_error = std::cerr.rdbuf(err.rdbuf());
  try {
    r.status = check ? cli::run_check(r.platform, options) : cli::run_compile(r.platform, options);
  } catch (...) {
    std::cerr.rdbuf(standard_error);
    throw;
  }
  std::cerr.rdbuf(standard_error);
  r.diagnostics = err.str();
  return r;
}

// The reports of check and compile tell the same outcome, faults and warnings; only
// the files differ: check's lists none, as it writes none.
void same_report(const char* property, File checked, File compiled) {
  if (!checked || !compiled) {
    same_file(property, "report", checked, compiled);
    return;
  }
  nlohmann::json a = nlohmann::json::parse(*checked);
  nlohmann::json b = nlohmann::json::parse(*compiled);
  require(a.at("files").empty(), property, "check's report lists files written");
  a.erase("files");
  b.erase("files");
  require(a == b, property, "the reports differ:\n" + a.dump(1) + "\n---\n" + b.dump(1));
}

bool commands_agree(const CompileCase& c, const Baseline&) {
  const Compiled plain = compile_texts(c.texts, c.plan, false);
  const CommandRun compiled = run_command(c, false);
  const CommandRun checked = run_command(c, true);

  const char* observer = "diagnostics listening";
  require(compiled.status == code_of(plain.outcome.exit_status()), observer,
          "compile ends with status " + std::to_string(compiled.status) + ", the compile " +
              register_of(plain));
  same_file(observer, "plan file", file(plain.plan), file(compiled.platform, "./R_linea.dat"));
  same_file(observer, "entry file", file(plain.entries), file(compiled.platform, "./R_T.sim"));
  same_file(observer, "cell file", file(plain.cells), file(compiled.platform, "./R_T.dat"));
  require(compiled.platform.failures == plain.failures, observer, "another run-time failure");

  const char* check = "check and compile";
  require(checked.status == compiled.status, check,
          "status " + std::to_string(checked.status) + " against " + std::to_string(compiled.status));
  require(checked.diagnostics == compiled.diagnostics, check,
          "diagnostics differ:\n" + checked.diagnostics + "---\n" + compiled.diagnostics);
  same_report(check, file(checked.platform, "report.json"), file(compiled.platform, "report.json"));
  require(checked.platform.failures == compiled.platform.failures, check, "other failures");
  require(checked.platform.messages == compiled.platform.messages, check, "other messages");
  // Check leaves the sources and writes the report, nothing else.
  std::map<std::string, std::string> expected{{route_path, c.texts.route},
                                              {train_path, c.texts.train}};
  if (File report = file(checked.platform, "report.json")) expected["report.json"] = *report;
  require(checked.platform.files == expected, check, "check wrote or changed a file");
  return true;
}

// ---------------------------------------------------------------------------------
// Line ends. The field reader ends a line at CR LF, a lone LF or a lone CR alike, so
// writing every line end of both texts in one form keeps every field, line and column.
// The one place where line ends are bytes of the data is a quoted field that spans
// lines: it keeps them as written. So the files are the same whenever no entry name
// (a station name or a signboard text) holds a line end the rewrite changes.
bool line_ends_change_nothing(const CompileCase& c, const Baseline& b) {
  const Compiled& reference = b.traced;
  const std::vector<std::string>& names = reference.names;
  // One form of line end a time, the seed choosing among those that change the texts.
  std::vector<Texts> forms;
  std::vector<std::string_view> ends;
  for (const std::string_view line_end : {"\r\n", "\n", "\r"}) {
    Texts t{with_line_ends(c.texts.route, line_end), with_line_ends(c.texts.train, line_end)};
    if (t.route == c.texts.route && t.train == c.texts.train) continue;
    forms.push_back(std::move(t));
    ends.push_back(line_end);
  }
  if (forms.empty()) return false;
  const std::size_t k = Choices(c.seed).below(forms.size());
  const bool names_kept = std::all_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return with_line_ends(n, ends[k]) == n; });
  if (!names_kept) return false;
  same_compile("line ends", reference, compile_texts(forms[k], c.plan, false), true);
  return true;
}

// ---------------------------------------------------------------------------------
// Comments. After each entry the reader stands before the next keyword field, and a
// keyword field holding "-" is skipped there: up to 10 in a row in the general
// section, with no end test between them, and up to 2 in the body and in the train
// text, each followed by the end test. So a comment inserted where an entry ends is
// skipped and the reading goes on as before, provided it does not make the run of
// comments that follows longer than the reader skips: fewer than 10 (general section)
// or 2 (body, train text) comment fields may follow it. In the general section the
// field after it must not be the last of the text either: with no end test after a
// skipped comment, that field, otherwise never looked at, would be.
// The place after the field that closes the general section is left out: the body
// begins there, with its own limit.
struct Insertion {
  std::size_t at;
  std::string text;
};

bool comment_kept(const std::string& text, std::size_t at, int most, bool end_tested) {
  // Comment fields are short; a run that reaches past the window is not looked into.
  Fields f(text, at, std::min(text.size(), at + 1024));
  int run = 0;
  for (int i = 0; i < most && !f.at_end(); ++i) {
    const std::optional<std::string> field = f.next();
    if (!field || f.cut()) return false;
    if (i == 0 && f.at_end() && !end_tested) return false;
    if (!comment(*field)) break;
    ++run;
  }
  return run < most;
}

std::string with_insertions(const std::string& text, std::vector<Insertion> list) {
  std::sort(list.begin(), list.end(), [](const Insertion& a, const Insertion& b) { return a.at < b.at; });
  std::string out;
  std::size_t from = 0;
  for (const Insertion& i : list) {
    out.append(text, from, i.at - from);
    out += i.text;
    from = i.at;
  }
  out.append(text, from, std::string::npos);
  return out;
}

// Comments that a wrongly tested skip would act on: the words of entries and headers.
constexpr const char* comments[] = {
    "--", "- montagna pendenza curvad4 -", "-- segnale stazione velocita --", "-[curve]",
    " \t- [generale] lunghezza percorso 9 -", "rallentamento-abbattimento", "-sfondo uno progressiva tre"};

std::vector<Insertion> comment_insertions(const std::string& text, const std::vector<EntrySpan>& entries,
                                          Choices& choose) {
  std::vector<Insertion> list;
  for (const EntrySpan& e : entries) {
    const std::size_t at = e.end;
    if (at == 0 || at >= text.size()) continue;
    if (e.scope == Scope::general && contains(e.keyword, "[") && contains(e.keyword, "]")) continue;
    const bool general = e.scope == Scope::general;
    if (!comment_kept(text, at, general ? 10 : 2, !general)) continue;
    std::string c = comments[choose.below(std::size(comments))];
    // A line of its own where the entry ended its line, else a field on the line.
    c += is_line_end(text[at - 1]) ? "\r\n" : ",";
    list.push_back({at, std::move(c)});
  }
  return list;
}

bool comments_change_nothing(const CompileCase& c, const Baseline& b) {
  const Compiled& traced = b.traced;
  Choices choose(c.seed);
  const auto route = comment_insertions(c.texts.route, traced.route_entries, choose);
  const auto train = comment_insertions(c.texts.train, traced.train_entries, choose);
  if (route.empty() && train.empty()) return false;
  const Texts t{with_insertions(c.texts.route, route), with_insertions(c.texts.train, train)};
  same_compile("comments", b.traced, compile_texts(t, c.plan, false), false);
  return true;
}

// ---------------------------------------------------------------------------------
// Blanks. Blanks (spaces, tabs) before a field are skipped and blanks after it are not
// part of it, whether it is read as text or as a number, so blanks beside every comma
// and line end change no field. Two places are left out: after a comma or line end
// that ends the text (the blanks would make one more field there) and everything from
// the first double quote on (a quoted field may span commas and line ends).
bool blanks_change_nothing(const CompileCase& c, const Baseline& b) {
  const Texts t{with_blanks(c.texts.route, c.seed), with_blanks(c.texts.train, c.seed ^ 1)};
  if (t.route == c.texts.route && t.train == c.texts.train) return false;
  same_compile("blanks", b.traced, compile_texts(t, c.plan, false), false);
  return true;
}

// ---------------------------------------------------------------------------------
// The plan flag. Without the plan the body does not test for curves; everything else
// is read, placed and written alike, and the plan reaches neither the entries nor the
// cells. So the entry and cell files (and the register) are the same with and without
// the plan, provided the two readings meet again after every curve entry:
// - with the plan no curve entry fails: no fault is recorded while one is read (103,
//   the position check 15, a failure 25), and no failure concerns the plan itself;
// - the keyword field of a curve names no other body entry, whose values would be
//   read at another place without the plan;
// - the curve's two numbers, read as keyword fields without the plan, hold no "-"
//   (which would make them comments and change the comment skip) and end where the
//   numbers ended.
bool same_reading_without_plan(const CompileCase& c, const Compiled& with_plan) {
  for (const RecordedFault& f : with_plan.faults) {
    if (f.code == Code::curve_fault) return false;
    if (f.code == Code::reading_failure && contains(f.cause, "planimetria")) return false;
    if (f.in_route && contains_any_case(f.keyword, "curva") &&
        (f.code == Code::beyond_the_model || f.code == Code::reading_failure))
      return false;
  }
  for (const EntrySpan& e : with_plan.route_entries) {
    if (e.scope != Scope::body || !contains_any_case(e.keyword, "curva")) continue;
    const std::string& k = e.keyword;
    if (contains_any_case(k, "pendenza") || contains_any_case(k, "montagna") ||
        contains_any_case(k, "indicatori_v") ||
        (contains_any_case(k, "cartello") && contains_any_case(k, "indicat")))
      return false;
    Fields f(c.texts.route, e.keyword_end, std::min(c.texts.route.size(), e.end + 1));
    while (e.keyword_end + f.read() < e.end) {
      const std::optional<std::string> field = f.next();
      if (!field || comment(*field)) return false;
    }
    if (e.keyword_end + f.read() != e.end) return false;
  }
  return true;
}

bool plan_changes_no_entry_or_cell(const CompileCase& c, const Baseline& b) {
  if (c.plan == 0 || !same_reading_without_plan(c, b.traced)) return false;
  const char* property = "plan flag";
  const Compiled& without = b.without_plan(c);
  same_end(property, b.traced, without, false);
  same_file(property, "entry file", file(b.traced.entries), file(without.entries));
  same_file(property, "cell file", file(b.traced.cells), file(without.cells));
  return true;
}

// ---------------------------------------------------------------------------------
// Independence. A signal in cell i takes that cell (tested free, then its event, four
// values and time written) and writes the warning byte of cells i-2, i-4, i-6 and
// i-8, which it does not test; a signal that fails (its cell busy, beyond the model,
// a warning cell outside the table) ends the reading. The post-processing looks only
// at the cells as they end up. So two signals one right after the other in the train
// text, both read to their end, in cells i and j, can be read in either order when
// i != j and their warning cells are apart, that is unless i - j is even and at most 6
// either way: a signal's warning byte on the other's cell is a field the other does
// not touch, and the other's test looks only at the event. Swapped, each still finds
// its cell as before, so both are read to their end again and leave the same cells,
// and the rest of the compile is the same whatever it meets later: the same bytes and
// the same register. Each signal is taken with the comments skipped before it; both
// must end with a comma or line end, so that neither runs into what follows it now.
struct Signal {
  std::size_t from, to;  // its bytes in the train text
  std::int64_t cell;
};

std::optional<Signal> signal_at(const std::string& text, const EntrySpan& before, const EntrySpan& e) {
  const std::string k = lowercase(e.keyword);
  if (!contains(k, "segnale")) return std::nullopt;
  for (const char* other : {"frenata", "vetture", "velocit", "aderenza", "orologio", "sabbia",
                            "rallentamento", "abbattimento", "stazione"})
    if (contains(k, other)) return std::nullopt;
  const char last = text[e.end - 1];
  if (last != ',' && !is_line_end(last)) return std::nullopt;
  Fields f(text, e.keyword_end, e.end);
  const std::optional<std::int32_t> posizione = f.number();
  if (!posizione) return std::nullopt;
  return Signal{before.end, e.end, Scenario::cell_of(*posizione)};
}

bool independent_signals_commute(const CompileCase& c, const Baseline& b) {
  const Compiled& traced = b.traced;
  const std::string& text = c.texts.train;
  const std::vector<EntrySpan>& e = traced.train_entries;
  std::vector<std::pair<Signal, Signal>> pairs;
  for (std::size_t k = 1; k + 1 < e.size(); ++k) {
    const auto first = signal_at(text, e[k - 1], e[k]);
    const auto second = first ? signal_at(text, e[k], e[k + 1]) : std::nullopt;
    if (!second) continue;
    const std::int64_t apart = first->cell > second->cell ? first->cell - second->cell
                                                          : second->cell - first->cell;
    if (apart == 0 || (apart % 2 == 0 && apart <= 6)) continue;
    // A lone CR at the end of the first must not meet an LF that follows the second.
    if (text[first->to - 1] == '\r' && second->to < text.size() && text[second->to] == '\n') continue;
    pairs.emplace_back(*first, *second);
  }
  if (pairs.empty()) return false;
  const auto& [first, second] = pairs[Choices(c.seed).below(pairs.size())];
  const Texts t{c.texts.route, swapped(text, first.from, first.to, second.to)};
  const Compiled other = compile_texts(t, c.plan, false);
  same_compile("independence", b.traced, other, false);
  return true;
}

// ---------------------------------------------------------------------------------
// Round trip. The decoder is the inverse of the writers: the files decoded into a
// model and written again by the product's writers are the same bytes. The plan file,
// by far the largest, is taken in turn, the entry and cell files on every input.
Scenario decoded(const Compiled& compiled, bool with_plan) {
  Scenario s;
  try {
    if (with_plan) {
      const DecodedPlan plan = decode_plan(*compiled.plan);
      s.planimetria.allocate(static_cast<std::int64_t>(plan.x.size()) - 1);
      for (std::size_t m = 0; m < plan.x.size(); ++m) {
        s.planimetria(static_cast<std::int64_t>(m), 0) = plan.x[m];
        s.planimetria(static_cast<std::int64_t>(m), 1) = plan.y[m];
      }
      s.con_planimetria = 1;
    }
    const std::vector<voce> voci = decode_entries(*compiled.entries);
    for (std::size_t i = 0; i < voci.size(); ++i) s.voci[static_cast<std::int64_t>(i)] = voci[i];
    const std::vector<cella> celle = decode_cells(*compiled.cells);
    s.celle.allocate(static_cast<std::int64_t>(celle.size()) - 1);
    for (std::size_t i = 0; i < celle.size(); ++i) s.celle[static_cast<std::int64_t>(i)] = celle[i];
  } catch (const DecodeError& e) {
    broken("round trip", std::string("the decoder refuses a compiled file: ") + e.what());
  }
  return s;
}

bool written_again(const Compiled& compiled, bool with_plan) {
  if (!compiled.entries || !compiled.cells || (with_plan && !compiled.plan)) return false;
  const Scenario s = decoded(compiled, with_plan);
  CompileMemory p;
  std::vector<std::string> written;
  write_scenario_files(s, p, outputs, written);
  const char* property = "round trip";
  if (with_plan) same_file(property, "plan file", file(compiled.plan), file(p, outputs.planimetria));
  same_file(property, "entry file", file(compiled.entries), file(p, outputs.voci));
  same_file(property, "cell file", file(compiled.cells), file(p, outputs.celle));
  return true;
}

bool round_trip_keeps_bytes(const CompileCase& c, const Baseline& b) {
  const bool written = written_again(b.traced, false);
  return (c.plan != 0 && written_again(b.untraced_without_plan, false)) || written;
}

bool plan_round_trip_keeps_bytes(const CompileCase&, const Baseline& b) {
  return written_again(b.traced, true);
}

// ---------------------------------------------------------------------------------
// Decompile. Inside the class of file sets that decompile promises to give back
// (decompile/promise.h), the texts it writes from the compiled files compile again to
// the same bytes, and it refuses nothing such a compile wrote. The class is told by
// the decompile room's own watch, on a compile of its own, whose files must be those
// of the baseline.
bool decompiled_texts_compile_back(const CompileCase& c, const Baseline& b) {
  const decompile::Names names{"R", "T"};
  const decompile::CompileOutput watched =
      decompile::compile_texts(c.texts.route, c.texts.train, c.plan != 0, names, true);
  if (!watched.written || watched.outside_promise) return false;
  const char* property = "decompile";
  same_file(property, "plan file", file(b.traced.plan), file(watched.files.plan));
  same_file(property, "entry file", file(b.traced.entries), &watched.files.entries);
  same_file(property, "cell file", file(b.traced.cells), &watched.files.cells);
  try {
    const decompile::DecompiledTexts d = decompile::decompile(watched.files, names);
    const decompile::RoundTrip r = decompile::round_trip(d.route_text, d.train_text, watched.files, names);
    for (const decompile::FileComparison& f : r.files)
      require(f.identical, property, "the texts it wrote give another " + f.name + ": " + f.difference);
  } catch (const decompile::Refusal& refusal) {
    broken(property, std::string("refused a file set it promises to give back: ") + refusal.what());
  }
  return true;
}

using Schedule = Property::Schedule;
constexpr Property properties[] = {
    {"plan flag", Schedule::every_input, plan_changes_no_entry_or_cell},
    {"round trip", Schedule::every_input, round_trip_keeps_bytes},
    {"plan round trip", Schedule::in_turn, plan_round_trip_keeps_bytes},
    {"listening", Schedule::in_turn, listening_changes_nothing},
    {"commands", Schedule::in_turn, commands_agree},
    {"line ends", Schedule::in_turn, line_ends_change_nothing},
    {"comments", Schedule::in_turn, comments_change_nothing},
    {"blanks", Schedule::in_turn, blanks_change_nothing},
    {"independence", Schedule::in_turn, independent_signals_commute},
    {"decompile", Schedule::in_turn, decompiled_texts_compile_back},
};

}  // namespace

Compiled compile_texts(const Texts& t, std::int32_t con_planimetria, bool traced) {
  CompileMemory p;
  p.files[route_path] = t.route;
  p.files[train_path] = t.train;
  Scenario s;
  s.nome_linea = "R";
  s.nome_treno = "T";
  Compiled c;
  ReadingTrail trail;
  if (traced) {
    trail.on_entry = [&](Scope scope, std::size_t keyword_end, std::size_t end) {
      (scope == Scope::train ? c.train_entries : c.route_entries)
          .push_back({scope, s.riga, keyword_end, end});
    };
    s.trail = &trail;
    s.observer = [&](const Scenario::Record& r) {
      c.faults.push_back({r.code, std::string(r.cause), s.riga, trail.texts.size() <= 1});
    };
  }
  c.outcome = compile(s, con_planimetria, p, {route_path, train_path, false}, outputs);

  const char* property = "compile";
  const File route = file(p, route_path);
  const File train = file(p, train_path);
  require(route && *route == t.route && train && *train == t.train, property,
          "a source text was changed or deleted");
  for (const std::string& path : c.outcome.files)
    require(p.files.count(path) != 0, property, path + " said written but not there");
  const bool finished = c.outcome.kind == CompileOutcome::Kind::ok ||
                        c.outcome.kind == CompileOutcome::Kind::faults;
  if (finished)
    require(c.outcome.files.size() == (con_planimetria != 0 ? 3u : 2u), property,
            "a compile that ran to its end did not write every file");
  c.plan = take_file(p, outputs.planimetria);
  c.entries = take_file(p, outputs.voci);
  c.cells = take_file(p, outputs.celle);
  c.failures = p.failures;
  if (traced)
    for (const voce& v : s.voci.elements()) c.names.push_back(v.nome);
  c.lunghezza_estesa = s.lunghezza_estesa;
  return c;
}

std::optional<Baseline> baseline(const CompileCase& c, std::int64_t longest_route) {
  Baseline b;
  // The compile without the plan comes first: it tells the route's length cheaply.
  Compiled& first = c.plan == 0 ? b.traced : b.untraced_without_plan;
  first = compile_texts(c.texts, 0, c.plan == 0);
  if (first.lunghezza_estesa > longest_route + 7000) return std::nullopt;
  if (c.plan != 0) b.traced = compile_texts(c.texts, c.plan, true);
  return b;
}

CompileCase compile_case(std::string_view input) {
  const std::size_t nul = input.find('\0');
  Texts t{std::string(input.substr(0, nul)),
          nul == std::string_view::npos ? std::string() : std::string(input.substr(nul + 1))};
  return {std::move(t), static_cast<std::int32_t>(input.size() % 4 == 1), hash_of(input)};
}

std::span<const Property> compile_properties() { return properties; }

namespace {
struct Count {
  std::uint64_t checked = 0, compared = 0;
};
Count counts[std::size(properties)];
}  // namespace

void check_properties(const CompileCase& c, const Baseline& b, bool all) {
  std::size_t in_turn = 0;
  for (const Property& p : properties) in_turn += p.schedule == Schedule::in_turn;
  // The turn comes from the seed's high bits: the low ones choose inside the properties.
  const std::size_t turn = static_cast<std::size_t>((c.seed >> 40) % in_turn);
  std::size_t k = 0;
  for (std::size_t i = 0; i < std::size(properties); ++i) {
    const Property& p = properties[i];
    if (all || p.schedule == Schedule::every_input || k == turn) {
      ++counts[i].checked;
      if (p.check(c, b)) ++counts[i].compared;
    }
    k += p.schedule == Schedule::in_turn;
  }
}

std::string property_counts() {
  std::string out;
  for (std::size_t i = 0; i < std::size(properties); ++i)
    out += std::string(properties[i].name) + ": " + std::to_string(counts[i].compared) + " of " +
           std::to_string(counts[i].checked) + " compared\n";
  return out;
}

}  // namespace tracciato::fuzz
