#include "decompile/compiled_files.h"

#include <gtest/gtest.h>

#include <functional>

#include "decompile/decompiler.h"
#include "decompile/round_trip.h"
#include "model/scenario_files.h"
#include "platform/field_input.h"
#include "decompile/source_layout.h"

namespace tracciato::decompile {
namespace {

const Names names{"R", "T"};

// A small scenario with a curve, a signboard, a signal and a slow-down.
CompiledFiles compiled(int length = 10000) {
  const std::string route = "[generale]\r\nlunghezza percorso, " + std::to_string(length) +
                            "\r\n[curve]\r\ncurvad4, 4000, 200\r\ncartello_indicatore, 3000, (A)\r\n[fine]\r\n";
  const std::string train =
      "[generale]\r\nsegnale, 2450, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 6000, 60, 500, 1, 0, 0\r\n[fine]\r\n";
  const CompileOutput c = compile_texts(route, train, true, names);
  EXPECT_TRUE(c.written) << c.failure;
  return c.files;
}

void set_byte(std::string& bytes, std::size_t at, std::uint8_t v) { bytes[at] = static_cast<char>(v); }

// The entry file again, with entry 80's text replaced.
std::string with_signboard_text(const std::string& entries, const std::string& text) {
  Scenario s;
  const std::vector<voce> voci = decode_entries(entries);
  for (std::size_t i = 0; i < voci.size(); ++i) s.voci[static_cast<std::int64_t>(i)] = voci[i];
  s.voci[80].nome = text;
  return encode_entries(s);
}

TEST(Refusals, WhatThisCompilerCannotHaveWrittenIsRefusedWithItsPlace) {
  const struct {
    const char* name;
    std::function<void(CompiledFiles&)> change;
    Names names;
    const char* message;
  } cases[] = {
      {"files of other names", [](CompiledFiles&) {}, {"R", "U"},
       "compiled for the route \"R\" and the train \"T\", not for \"R\" and \"U\""},
      {"a competition code changed", [](CompiledFiles& f) { set_byte(f.cells, 18, f.cells[18] + 1); }, names,
       "competition codes"},
      {"no mark in cell 1", [](CompiledFiles& f) { set_byte(f.cells, 16, 0); }, names, "no marks 5121"},
      {"an event this compiler never places", [](CompiledFiles& f) { set_byte(f.cells, 200 * 15, 7); }, names,
       "cell 200 holds event 7"},
      {"values on a free cell", [](CompiledFiles& f) { set_byte(f.cells, 200 * 15 + 5, 1); }, names,
       "cell 200 holds values but no event"},
      {"a cell file cut inside a cell", [](CompiledFiles& f) { f.cells.resize(f.cells.size() - 7); }, names,
       "not a whole number of 15-byte cells"},
      {"a cell file one cell short", [](CompiledFiles& f) { f.cells.resize(f.cells.size() - 15); }, names,
       "340 cells do not make a route of 10000 m"},
      {"an entry file cut short", [](CompiledFiles& f) { f.entries.resize(100); }, names, "entry file ends inside"},
      {"a plan of another compile", [](CompiledFiles& f) { f.plan = compiled(12000).plan; }, names,
       "19001 metres, where a route of 10000 m has 17001"},
      // Metre 3000's x: the seeds take 8 bytes, each Double 10, its bits after the tag.
      {"a point no step gives", [](CompiledFiles& f) { set_byte(*f.plan, 8 + 2998 * 10 + 2, 1); }, names,
       "plan file: metre 3000 is no step of this compiler's plan"},
      {"a text no field of the reader gives back",
       [](CompiledFiles& f) { f.entries = with_signboard_text(f.entries, "\"A\", B"); }, names,
       "the text of signboard 80 holds a double quote together with a comma"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    CompiledFiles f = compiled();
    k.change(f);
    try {
      decompile(f, k.names);
      ADD_FAILURE() << "not refused";
    } catch (const Refusal& r) {
      EXPECT_NE(std::string(r.what()).find(k.message), std::string::npos) << r.what();
    }
  }
}

TEST(Refusals, EveryTextTheReaderGivesComesBackInAFieldItReadsBack) {
  const struct {
    std::string text;
    bool quoted;
  } cases[] = {{"ROVELDA", false},   {"", false},          {"CORNELLO-S. ROCCO", false},
               {"D'ASSERA \"B\"", false}, {"A, B", true}, {"  A", true},
               {"A ", true},         {"A\r\nB", true},     {"\tA", true}};
  for (const auto& k : cases) {
    const auto field = text_field(k.text);
    ASSERT_TRUE(field) << k.text;
    EXPECT_EQ(field->front() == '"', k.quoted) << k.text;
    FieldInput in("x, " + *field + "\r\nnext\r\n");
    in.read_text();
    EXPECT_EQ(in.read_text(), k.text);
    EXPECT_EQ(in.read_text(), "next");
  }
  // A quote with what only quotes keep cannot be written.
  for (const std::string text : {"\"A", "A\", B", " \"A\""}) EXPECT_FALSE(text_field(text)) << text;
}

TEST(Differences, TheFirstDifferenceIsToldInTheAuthorsTerms) {
  const CompiledFiles f = compiled();
  const struct {
    const char* name;
    std::string (*describe)(const std::string&, const std::string&);
    const std::string& original;
    std::size_t at;
    const char* message;
  } cases[] = {
      {"a signal's value", cells_difference, f.cells, 50 * 15 + 1,
       "at byte 751, cell 50 (metres 2450 to 2499), valore1: 40 in the file, 41 from the texts"},
      {"a gradient byte", cells_difference, f.cells, 10 * 15 + 13,
       "at byte 163, cell 10 (metres 500 to 549), pendenza: 100 in the file, 101 from the texts"},
      {"a station field", entries_difference, f.entries, 3 * 34 + 30,
       "at byte 132, entry 3 (a station or a signboard text), orario"},
      // Entries 0 to 84 take 34 bytes each, and entry 80 its text "(A)" besides.
      {"the route header", entries_difference, f.entries, 85 * 34 + 3 + 1,
       "entry 85 (the route header), inizio_area"},
      {"a plan coordinate", plan_difference, *f.plan, 0, "at byte 0, metre 0, x"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    std::string changed = k.original;
    set_byte(changed, k.at, static_cast<std::uint8_t>(changed[k.at] + 1));
    EXPECT_NE(k.describe(k.original, changed).find(k.message), std::string::npos)
        << k.describe(k.original, changed);
    EXPECT_EQ(k.describe(k.original, k.original), "");
  }
  std::string longer = f.cells + std::string(15, '\0');
  EXPECT_EQ(cells_difference(f.cells, longer),
            "in length: the file has 341 cells (5115 bytes), the texts give 342 (5130 bytes)");
}

}  // namespace
}  // namespace tracciato::decompile
