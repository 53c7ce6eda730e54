// Micro-benchmarks of the compiler's hot paths on the generated maximum-size scenario
// (1000000 m): the field input, the plan, the post-processing walk, the three writers
// and the whole compile in memory.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "bench/scenario_generator.h"
#include "compiler/compilazione.h"
#include "compiler/memorizza_dati.h"
#include "model/post_elaborazione.h"
#include "model/scenario.h"
#include "model/scenario_files.h"
#include "platform/field_input.h"
#include "test_support/memory_platform.h"
#include "route_reader/gradients_and_curves.h"

namespace tracciato::bench {
namespace {

const GeneratedTexts& texts() {
  static const GeneratedTexts t = *generate_scenario(max_length);
  return t;
}

// The two texts compiled in memory, as the command line would; `plan` is the plan flag.
struct Compile {
  MemoryPlatform platform;
  Scenario s;
  SourceTexts sources{"b/BENCH_linea.txt", "b/BENCH_MAX-.txt", false};
  ScenarioFiles outputs{"b/BENCH_linea.dat", "b/BENCH_MAX.sim", "b/BENCH_MAX.dat"};
  CompileOutcome outcome;

  explicit Compile(std::int32_t plan) {
    platform.files[sources.route] = texts().route;
    platform.files[sources.train] = texts().train;
    s.nome_linea = "BENCH";
    s.nome_treno = "MAX";
    outcome = compile(s, plan, platform, sources, outputs);
    if (outcome.kind != CompileOutcome::Kind::ok) {
      std::cerr << "the generated scenario does not compile clean: " << outcome.name() << " "
                << outcome.codice_errore << " " << outcome.failure << "\n";
      std::abort();
    }
  }
};

const Compile& compiled() {
  static const Compile c(1);
  return c;
}

// Every field of the route text read as a keyword field.
void FieldInputText(benchmark::State& state) {
  const std::string& text = texts().route;
  for (auto _ : state) {
    FieldInput in(text);
    std::size_t fields = 0;
    while (!in.at_end()) {
      benchmark::DoNotOptimize(in.read_text());
      ++fields;
    }
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(FieldInputText)->Unit(benchmark::kMillisecond);

// The route text read as the reader reads it: a keyword, then its value fields.
void FieldInputEntries(benchmark::State& state) {
  std::string text;
  for (std::int64_t p = 100; p <= max_length; p += 200)
    text += "pendenza,  " + std::to_string(p) + ",   " + std::to_string(p % 61 - 30) + "\r\n" +
            "indicatori_vmax,  " + std::to_string(p) + ",  90,  95,  95,  0,  ,  ,  ,  0\r\n";
  for (auto _ : state) {
    FieldInput in(text);
    std::int64_t sum = 0;
    while (!in.at_end()) {
      const std::string keyword = in.read_text();
      const int values = keyword[0] == 'p' ? 2 : 9;
      for (int i = 0; i < values; ++i) sum += in.read_long();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(FieldInputEntries)->Unit(benchmark::kMillisecond);

// The plan of the maximum route: a curve every 200 m, then straight to the end.
void Plan(benchmark::State& state) {
  Scenario s;
  s.con_planimetria = 1;
  s.lunghezza_estesa = static_cast<std::int32_t>(max_length + 7000);
  s.planimetria.allocate(s.lunghezza_estesa);
  for (auto _ : state) {
    BodyCursors c;
    seed_plan(s);
    for (std::int64_t a = 50; a + 100 < max_length; a += 200)
      apply_curve(s, c, a % 400 == 250 ? "curvas3" : "curvad5", a, 100);
    complete_plan(s, c);
    benchmark::ClobberMemory();
  }
  state.counters["metres/s"] = benchmark::Counter(static_cast<double>(s.lunghezza_estesa - 3),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Plan)->Unit(benchmark::kMillisecond);

// The post-processing walk over the cells as the readers left them.
void PostProcessing(benchmark::State& state) {
  static const Scenario letto = [] {
    MemoryPlatform p;
    const SourceTexts sources{"b/BENCH_linea.txt", "b/BENCH_MAX-.txt", false};
    p.files[sources.route] = texts().route;
    p.files[sources.train] = texts().train;
    Scenario s;
    s.nome_linea = "BENCH";
    s.nome_treno = "MAX";
    memorizza_dati(s, p, sources);
    return s;
  }();
  for (auto _ : state) {
    state.PauseTiming();
    Scenario s = letto;
    state.ResumeTiming();
    post_process(s);
    benchmark::DoNotOptimize(s.codice_errore);
  }
  state.counters["cells/s"] = benchmark::Counter(static_cast<double>(letto.n_celle),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(PostProcessing)->Unit(benchmark::kMicrosecond);

template <std::string (*encode)(const Scenario&)>
void Writer(benchmark::State& state) {
  const Scenario& s = compiled().s;
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string out = encode(s);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(Writer<encode_plan>)->Name("WriterPlan")->Unit(benchmark::kMillisecond);

// The plan file as the run writes it: encoded a piece at a time into one room.
void WriterPlanPieces(benchmark::State& state) {
  const Scenario& s = compiled().s;
  std::vector<char> spazio(Platform::piece_room);
  std::size_t bytes = 0;
  for (auto _ : state) {
    PlanPieces pezzi(s);
    bytes = 0;
    while (const std::size_t n = pezzi(spazio)) bytes += n;
    benchmark::DoNotOptimize(spazio.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(WriterPlanPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(Writer<encode_entries>)->Name("WriterEntries")->Unit(benchmark::kMicrosecond);
BENCHMARK(Writer<encode_cells>)->Name("WriterCells")->Unit(benchmark::kMicrosecond);

// The whole compile of the generated texts, files kept in memory.
void CompileInMemory(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    Compile c(1);
    bytes = 0;
    for (const std::string& path : c.outcome.files) bytes += c.platform.files[path].size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(CompileInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracciato::bench

BENCHMARK_MAIN();
