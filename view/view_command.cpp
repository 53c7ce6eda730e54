#include "view/view_command.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <utility>
#include <vector>

#include "model/compile_names.h"
#include "model/exit_status.h"
#include "model/compiled_input.h"
#include "model/file_names.h"
#include "model/scenario_decoder.h"
#include "model/text.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"
#include "view/page_data.h"
#include "view/page_html.h"

namespace tracciato::view {

namespace {

constexpr const char* prefix = "tracciato view: ";

constexpr const char* footer =
    "The page shows what the simulator will load: it is made from the three binary files\n"
    "in DIR, not from the source texts. It is one HTML file that any current browser opens\n"
    "as it is, with no network, server or other file: the profile and the map (wheel to\n"
    "zoom, drag to pan, double-click to see it all), the cell under the pointer with its\n"
    "fields decoded as dump decodes them, and the tables of stations, signals, slow-downs,\n"
    "speed-indicator boards, signboards and tunnels (a click on a row goes there). With\n"
    "--report, the faults and warnings of that check or compile are listed and marked.\n"
    "Without a plan file (a --no-plan compile) the page has no map. The page is written to\n"
    "DIR/<route>_<train>.html unless -o names another .html file.\n"
    "Exit status: 0 written, 3 an input file missing or corrupt or the page not written,\n"
    "64 usage error.\n\n"
    "Examples:\n"
    "  tracciato view . --route ROVELDA-MARNE --train \"K 517\"\n"
    "      the page of the embedded run, ROVELDA-MARNE_K 517.html beside its files\n"
    "  tracciato check my_linea.txt \"my_R 1-.txt\" --report report.json\n"
    "  tracciato compile my_linea.txt \"my_R 1-.txt\" -o out --report report.json\n"
    "  tracciato view out --route my --train \"R 1\" --report report.json -o my.html\n"
    "      the compiled scenario with the faults and warnings of the report marked";

struct UsageError {
  std::string message;
};

bool ends_in(const std::string& path, const std::string& ending) {
  const std::string p = lowercase(path);
  return p.size() > ending.size() && p.compare(p.size() - ending.size(), ending.size(), ending) == 0;
}

std::string out_path(Platform& platform, const ViewOptions& o) {
  if (auto refusal = names_refusal(o.route, o.train)) throw UsageError{*refusal};
  if (o.dir.empty()) throw UsageError{"DIR is empty"};
  if (!o.out) return platform.join(o.dir, o.route + "_" + o.train + ".html");
  if (!ends_in(*o.out, ".html") && !ends_in(*o.out, ".htm"))
    throw UsageError{"-o \"" + *o.out + "\": the page's file name must end in .html"};
  if (o.report && *o.report == *o.out)
    throw UsageError{"-o and --report name the same file \"" + *o.out + "\""};
  return *o.out;
}

}  // namespace

CLI::App* add_view_command(CLI::App& app, ViewOptions& options) {
  auto* cmd = app.add_subcommand(
      "view", "Write an interactive page of the scenario compiled into DIR (one HTML file)");
  cmd->add_option("DIR", options.dir, "Directory holding the binary scenario files")->required();
  cmd->add_option("--route", options.route, "Route name")->required();
  cmd->add_option("--train", options.train, "Train name")->required();
  cmd->add_option_function<std::string>(
      "-o", [&options](const std::string& v) { options.out = v; },
      "Write the page to FILE.html (default: DIR/<route>_<train>.html)");
  cmd->add_option_function<std::string>(
      "--report", [&options](const std::string& v) { options.report = v; },
      "List and mark the faults and warnings of this report of check or compile");
  cmd->footer(footer);
  return cmd;
}

int run_view(Platform& platform, const ViewOptions& o, std::ostream& out, std::ostream& err) {
  std::string page;
  try {
    page = out_path(platform, o);
  } catch (const UsageError& e) {
    err << prefix << e.message << "\n" << view_usage << "\n";
    return code_of(ExitStatus::usage);
  }

  std::string no_map;  // said only once the page is written: a failure is one line
  try {
    const std::string entries = platform.join(o.dir, entry_file_name(o.route, o.train));
    const std::string cells = platform.join(o.dir, cell_file_name(o.route, o.train));
    const std::string plan_path = platform.join(o.dir, plan_file_name(o.route));
    const std::vector<voce> voci = read_decoded(platform, entries, decode_entries);
    const std::vector<cella> celle = read_decoded(platform, cells, decode_cells);
    std::optional<DecodedPlan> plan;
    if (platform.exists(plan_path))
      plan = read_decoded(platform, plan_path, decode_plan);
    else
      no_map = "no plan file " + plan_path + " (a compile with --no-plan writes none): the page has no map";
    std::optional<Json> report;
    if (o.report) {
      const std::string text = read_input(platform, *o.report);
      try {
        report = report_summary(text);
      } catch (const ReportError& e) {
        throw FileFailure{*o.report + ": not a report of check or compile: " + e.what()};
      }
    }

    Json data;
    try {
      data = page_data(voci, celle, plan ? &*plan : nullptr, report ? &*report : nullptr);
    } catch (const RuntimeFailure& f) {
      throw FileFailure{plan_path + ": " + f.what()};
    }
    try {
      platform.write(page, page_html(data));
    } catch (const RuntimeFailure& f) {
      throw FileFailure{f.what()};
    }
  } catch (const FileFailure& f) {
    err << prefix << f.message << "\n";
    return code_of(ExitStatus::runtime);
  }
  if (!no_map.empty()) err << prefix << no_map << "\n";
  out << "page: " << page << "\n";
  return code_of(ExitStatus::ok);
}

}  // namespace tracciato::view
