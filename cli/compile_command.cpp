#include "cli/compile_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

#include "model/compile_names.h"
#include "cli/compile_report.h"
#include "cli/diagnostics.h"
#include "cli/source_line.h"
#include "compiler/compilazione.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::cli {

namespace {

namespace fs = std::filesystem;

struct UsageError {
  std::string message;
};

std::string route_name(const CompileOptions& o) {
  if (o.route_name) return *o.route_name;
  if (auto name = route_name_from(o.route_txt)) return *name;
  throw UsageError{"cannot take the route name from " + quoted(o.route_txt) +
                   ": its file name does not end in \"_linea.txt\"; pass --route NAME"};
}

std::string train_name(const CompileOptions& o, const std::string& route) {
  if (o.train_name) return *o.train_name;
  if (auto name = train_name_from(o.train_txt, route)) return *name;
  throw UsageError{"cannot take the train name from " + quoted(o.train_txt) +
                   ": its file name does not start with " + quoted(route + "_") +
                   " and end in \"-.txt\"; pass --train NAME"};
}

std::string out_dir(const CompileOptions& o) {
  if (o.out_dir) {
    if (o.out_dir->empty()) throw UsageError{"OUTDIR is empty"};
    return *o.out_dir;
  }
  const std::string parent = fs::path(o.route_txt).parent_path().string();
  return parent.empty() ? "." : parent;
}

// Two paths that name one file: the same existing file, or the same path once made
// absolute and normal.
bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  const fs::path na = fs::absolute(a, ec).lexically_normal();
  if (ec) return false;
  const fs::path nb = fs::absolute(b, ec).lexically_normal();
  return !ec && na == nb;
}

// Nothing the compile writes may replace a source text, nor the report a binary file.
void check_outputs(const CompileOptions& o, const std::vector<std::string>& binaries) {
  std::vector<std::string> outputs = binaries;
  if (o.report) outputs.push_back(*o.report);
  for (const std::string& out : outputs)
    for (const std::string* source : {&o.route_txt, &o.train_txt})
      if (same_file(out, *source))
        throw UsageError{quoted(out) + " would overwrite the source text " + quoted(*source)};
  if (o.report)
    for (const std::string& binary : binaries)
      if (same_file(*o.report, binary))
        throw UsageError{"the report " + quoted(*o.report) + " would overwrite the binary file " +
                         quoted(binary)};
}

}  // namespace

void add_source_options(CLI::App& cmd, CompileOptions& options, const std::string& no_plan_help,
                        const std::string& report_help) {
  cmd.add_option("ROUTE_TXT", options.route_txt, "Route source text")->required();
  cmd.add_option("TRAIN_TXT", options.train_txt, "Train source text")->required();
  cmd.add_option_function<std::string>(
      "--route", [&options](const std::string& v) { options.route_name = v; },
      "Route name (default: ROUTE_TXT's file name without \"_linea.txt\")");
  cmd.add_option_function<std::string>(
      "--train", [&options](const std::string& v) { options.train_name = v; },
      "Train name (default: TRAIN_TXT's file name without \"<route>_\" and \"-.txt\")");
  cmd.add_flag("--no-plan", options.no_plan, no_plan_help);
  cmd.add_option_function<std::string>(
      "--report", [&options](const std::string& v) { options.report = v; }, report_help);
  cmd.add_flag("--strict", options.strict,
               "Count every warning as a fault: exit status 1 and outcome \"faults\"");
}

CLI::App* add_compile_command(CLI::App& app, CompileOptions& options) {
  auto* cmd = app.add_subcommand("compile", "Compile ROUTE_TXT and TRAIN_TXT into the three binary scenario files");
  add_source_options(*cmd, options, "Build and write no plan file",
                     "Write a JSON report of the outcome to FILE");
  cmd->add_option_function<std::string>(
      "-o", [&options](const std::string& v) { options.out_dir = v; },
      "Output directory (default: the directory of ROUTE_TXT)");
  cmd->footer(
      "The source texts are read, never deleted or changed. Faults and warnings are printed on\n"
      "standard error as FILE:LINE: error CODE: MESSAGE or FILE:LINE: warning: MESSAGE, with\n"
      "the source line and a caret under the field at fault, then a summary line.\n"
      "Exit status: 0 ok, 1 faults (files written all the same), 2 errore, 3 run-time failure,\n"
      "64 usage error.\n"
      "The texts' format, entry by entry: docs/format.md. What a code means, with an\n"
      "example and what to do: tracciato explain CODE. --strict counts warnings as faults.\n\n"
      "Examples:\n"
      "  tracciato compile ROVELDA-MARNE_linea.txt \"ROVELDA-MARNE_K 517-.txt\"\n"
      "  tracciato compile my_linea.txt my_R1-.txt -o out --report out/report.json\n"
      "  tracciato compile lines/A_linea.txt trains/T-.txt --route A --train T --no-plan");
  return cmd;
}

int run_compile(Platform& platform, const CompileOptions& options) {
  return run_compile_on(platform, platform, options, {"compile", compile_usage, true});
}

int run_compile_on(Platform& platform, Platform& out, const CompileOptions& options,
                   const CompileCommand& command) {
  Scenario s;
  ScenarioFiles outputs;
  std::vector<std::pair<std::string, std::string>> names;  // path, file name
  try {
    s.nome_linea = route_name(options);
    if (auto refusal = route_name_refusal(s.nome_linea)) throw UsageError{*refusal};
    s.nome_treno = train_name(options, s.nome_linea);
    if (auto refusal = train_name_refusal(s.nome_treno)) throw UsageError{*refusal};

    const std::string dir = out_dir(options);
    const std::string plan = plan_file_name(s.nome_linea);
    const std::string entries = entry_file_name(s.nome_linea, s.nome_treno);
    const std::string cells = cell_file_name(s.nome_linea, s.nome_treno);
    outputs = {platform.join(dir, plan), platform.join(dir, entries), platform.join(dir, cells)};
    names = {{outputs.planimetria, plan}, {outputs.voci, entries}, {outputs.celle, cells}};

    std::vector<std::string> binaries{outputs.voci, outputs.celle};
    if (!options.no_plan) binaries.push_back(outputs.planimetria);
    check_outputs(options, binaries);
  } catch (const UsageError& e) {
    std::cerr << "tracciato " << command.name << ": " << e.message << "\n" << command.usage << "\n";
    return code_of(ExitStatus::usage);
  }

  // A start that cannot succeed writes nothing but its report, so that the scenario
  // files of an earlier good compile stay as they are.
  auto stopped = [&](const std::string& line) {
    std::cerr << "tracciato: " << line << "\n";
    if (options.report) {
      CompileOutcome none;
      none.kind = CompileOutcome::Kind::runtime;
      try {
        out.write(*options.report, compile_report(none, {}));
      } catch (const RuntimeFailure& f) {
        out.report_failure(std::string("report not written: ") + f.what());
      }
    }
    return code_of(ExitStatus::runtime);
  };
  for (const std::string* text : {&options.route_txt, &options.train_txt})
    if (const std::string why = platform.cannot_read(*text); !why.empty())
      return stopped("cannot read " + *text + ": " + why);
  if (command.writes_files) {
    try {
      platform.make_directories(out_dir(options));
    } catch (const RuntimeFailure& f) {
      return stopped(f.what());
    }
  }

  const SourceTexts sources{options.route_txt, options.train_txt, /*delete_after_reading=*/false};
  Diagnostics diagnostics;
  diagnostics.attach(s);
  const CompileOutcome outcome = compile(s, options.no_plan ? 0 : 1, platform, sources, outputs);
  diagnostics.finish(outcome);
  if (!diagnostics.all().empty()) std::cerr << diagnostics.text();
  const CompileOutcome shown = options.strict ? diagnostics.strict(outcome) : outcome;

  if (options.report) {
    std::vector<std::string> written;
    if (command.writes_files)
      for (const std::string& path : outcome.files)
        for (const auto& [full, name] : names)
          if (path == full) written.push_back(name);
    try {
      out.write(*options.report, compile_report(shown, written, &diagnostics));
    } catch (const RuntimeFailure& f) {
      out.report_failure(std::string("report not written: ") + f.what());
      return code_of(ExitStatus::runtime);
    }
  }
  return code_of(shown.exit_status());
}

}  // namespace tracciato::cli
