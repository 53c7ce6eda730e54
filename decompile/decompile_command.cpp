#include "decompile/decompile_command.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "model/compile_names.h"
#include "decompile/decompiler.h"
#include "decompile/round_trip.h"
#include "model/file_names.h"
#include "platform/output_folder.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::decompile {

namespace {

constexpr const char* prefix = "tracciato decompile: ";

constexpr const char* footer =
    "DIR holds the files of one compile: <route>_<train>.sim, <route>_<train>.dat and, unless\n"
    "it ran with --no-plan, <route>_linea.dat. The texts <route>_linea.txt and\n"
    "<route>_<train>-.txt go to OUTDIR (default DIR, created when missing); texts already\n"
    "there are kept unless --force is given. Then the texts are compiled in memory, with the\n"
    "same names and the plan exactly when DIR has a plan file, and each file is compared\n"
    "byte for byte: \"identical\", or where the first difference lies (cell and metres,\n"
    "entry and field, metre of the plan).\n"
    "\n"
    "The texts come back in the sections of the shipped texts, one entry wherever the files\n"
    "change, positions in metres. They cannot give back comments, the order and splitting of\n"
    "the original entries, values beyond what the files store (a speed of 102 km/h comes\n"
    "back as 100), nor the faults the compile recorded.\n"
    "\n"
    "Exit status: 0 texts written and every file identical, 1 texts written but a file\n"
    "differs, 3 nothing written (a file missing or corrupt, files this compiler cannot have\n"
    "written for these names, texts already in OUTDIR without --force, a text no field of\n"
    "the reader gives back), 64 usage error.\n"
    "\n"
    "Examples:\n"
    "  tracciato decompile scenari --route ROVELDA-MARNE --train \"K 517\" -o recovered\n"
    "      writes recovered/ROVELDA-MARNE_linea.txt and \"recovered/ROVELDA-MARNE_K 517-.txt\",\n"
    "      then prints, for the three files, \"identical\"\n"
    "  tracciato compile recovered/ROVELDA-MARNE_linea.txt \"recovered/ROVELDA-MARNE_K 517-.txt\" -o again\n"
    "      compiles them as an author would, to the same bytes\n"
    "  tracciato decompile old --route A --train B --no-plan\n"
    "      disregards a plan file left in old/ by an earlier compile";

struct Stop {
  int status;
  std::string message;
};

std::string read(Platform& platform, const std::string& path) {
  if (!platform.exists(path)) throw Stop{decompile_refused, "cannot read " + path + ": no such file"};
  try {
    return platform.read(path);
  } catch (const RuntimeFailure& f) {
    throw Stop{decompile_refused, f.what()};
  }
}

}  // namespace

CLI::App* add_decompile_command(CLI::App& app, DecompileOptions& options) {
  auto* cmd = app.add_subcommand(
      "decompile", "Write the source texts back from compiled scenario files, and prove them");
  cmd->add_option("DIR", options.dir, "Folder of the compiled files")->required();
  cmd->add_option("--route", options.route, "Route name the files were compiled for")->required();
  cmd->add_option("--train", options.train, "Train name the files were compiled for")->required();
  cmd->add_option_function<std::string>(
      "-o", [&options](const std::string& v) { options.out_dir = v; },
      "Folder for the texts (default: DIR)");
  cmd->add_flag("--force", options.force, "Overwrite texts already in OUTDIR");
  cmd->add_flag("--no-plan", options.no_plan, "Disregard a plan file in DIR");
  cmd->footer(footer);
  return cmd;
}

int run_decompile(Platform& platform, const DecompileOptions& o, std::ostream& out,
                  std::ostream& err) {
  const Names names{o.route, o.train};
  {
    std::string usage;
    if (auto refusal = names_refusal(o.route, o.train))
      usage = *refusal;
    else if (o.dir.empty())
      usage = "DIR is empty";
    else if (o.out_dir && o.out_dir->empty())
      usage = "OUTDIR is empty";
    if (!usage.empty()) {
      err << prefix << usage << "\n" << decompile_usage << "\n";
      return decompile_usage_error;
    }
  }
  const std::string out_dir = o.out_dir ? *o.out_dir : o.dir;
  const std::string route_txt = platform.join(out_dir, route_source_name(o.route));
  const std::string train_txt = platform.join(out_dir, train_source_name(o.route, o.train));

  try {
    CompiledFiles files;
    files.entries = read(platform, platform.join(o.dir, entry_file_name(o.route, o.train)));
    files.cells = read(platform, platform.join(o.dir, cell_file_name(o.route, o.train)));
    const std::string plan = platform.join(o.dir, plan_file_name(o.route));
    if (!o.no_plan && platform.exists(plan)) files.plan = read(platform, plan);

    DecompiledTexts texts;
    try {
      texts = decompile(files, names);
    } catch (const Refusal& r) {
      throw Stop{decompile_refused, r.what()};
    }

    try {
      const std::string refused = prepare_folder(
          platform, out_dir,
          {route_source_name(o.route), train_source_name(o.route, o.train)}, o.force);
      if (!refused.empty()) throw Stop{decompile_refused, refused};
    } catch (const RuntimeFailure& f) {
      throw Stop{decompile_refused, f.what()};
    }
    try {
      platform.write(route_txt, texts.route_text);
      platform.write(train_txt, texts.train_text);
    } catch (const RuntimeFailure& f) {
      throw Stop{decompile_refused, f.what()};
    }

    if (!files.plan)
      out << (o.no_plan ? "the plan file disregarded" : "no plan file")
          << ": the texts are for a compile with --no-plan\n";
    for (const std::string& n : texts.notes) out << "note: " << n << "\n";
    out << "wrote " << route_txt << "\n" << "wrote " << train_txt << "\n";
    const RoundTrip trip = round_trip(texts.route_text, texts.train_text, files, names);
    if (!trip.compiled.written) out << "the texts do not compile to files: " << trip.compiled.failure << "\n";
    for (const FileComparison& f : trip.files)
      out << f.name << ": " << (f.identical ? "identical" : "differs " + f.difference) << "\n";
    if (trip.compiled.codice_errore != 0)
      out << "the texts compile with fault " << trip.compiled.codice_errore << " (position "
          << trip.compiled.posizione_errore
          << ") in the register; the files do not say which fault their own compile recorded\n";
    if (trip.identical()) return decompile_identical;
    err << prefix << "the texts do not give back every file\n";
    return decompile_different;
  } catch (const Stop& s) {
    err << prefix << s.message << "\n";
    return s.status;
  }
}

}  // namespace tracciato::decompile
