#include "dump/dump_command.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump_csv.h"
#include "dump/dump_file.h"
#include "dump/dump_hex.h"
#include "dump/dump_json.h"
#include "dump/dump_text.h"
#include "model/exit_status.h"
#include "platform/platform.h"
#include "platform/runtime_failure.h"

namespace tracciato::dump {

namespace {

constexpr const char* examples =
    "Examples:\n"
    "  tracciato dump \"ROVELDA-MARNE_K 517.dat\"\n"
    "      every cell on one line: metres covered, evento and its meaning, the packed\n"
    "      values of signals and speed-indicator boards unpacked, cell 1's marks named\n"
    "  tracciato dump \"ROVELDA-MARNE_K 517.sim\" --format csv > entries.csv\n"
    "      the 87 entries with their roles (station K, signboard, progressive, run data,\n"
    "      route header, train header), for a spreadsheet\n"
    "  tracciato dump ROVELDA-MARNE_linea.dat --format json > plan.json\n"
    "      every metre's x and y with its kind (Empty, Integer, Double)\n"
    "  tracciato dump old.dat --format hex > old.hex\n"
    "  tracciato dump new.dat --format hex > new.hex\n"
    "  diff old.hex new.hex\n"
    "      the fields in which two cell files differ, with their offsets\n"
    "  tracciato dump copy.bin --kind entries\n"
    "      a file whose name does not tell its kind\n"
    "\n"
    "The kind comes from the name unless --kind is given: *_linea.dat is a plan file,\n"
    "*.sim an entry file, any other *.dat a cell file.\n"
    "Texts (station names, signboards, route and train names) are Windows-1252 bytes in\n"
    "the files: text, csv and json show them in UTF-8, each byte as its own character\n"
    "(the unassigned bytes 81, 8D, 8F, 90, 9D as U+0081 .. U+009D). text, csv and hex\n"
    "write control bytes and the unassigned ones as \\xHH and a backslash as \\\\, so that\n"
    "a record stays on one line; hex also shows the bytes themselves. Doubles are\n"
    "printed as the shortest decimal that reads back exactly; json also gives their bits.\n"
    "The json output carries every byte of the file.\n"
    "Exit status: 0 dumped, 3 the file cannot be read or cannot be a file of its kind,\n"
    "64 usage error.";

// The output formats, by the name --format takes.
struct Format {
  const char* name;
  void (*write)(std::ostream&, const DumpedFile&);
};
constexpr Format formats[] = {
    {"text", write_text}, {"json", write_json}, {"csv", write_csv}, {"hex", write_hex}};

std::vector<std::string> format_names() {
  std::vector<std::string> names;
  for (const Format& f : formats) names.emplace_back(f.name);
  return names;
}

const Format* format_named(const std::string& name) {
  for (const Format& f : formats)
    if (name == f.name) return &f;
  return nullptr;
}

int usage_error(std::ostream& err, const std::string& message) {
  err << "tracciato dump: " << message << "\n" << dump_usage << "\n";
  return code_of(ExitStatus::usage);
}

}  // namespace

CLI::App* add_dump_command(CLI::App& app, DumpOptions& options) {
  auto* cmd = app.add_subcommand("dump", "Decode a plan, entry or cell file for reading, diff or scripts");
  cmd->add_option("FILE", options.file, "Plan (*_linea.dat), entry (*.sim) or cell (*.dat) file")
      ->required();
  cmd->add_option_function<std::string>(
         "--kind", [&options](const std::string& v) { options.kind = v; },
         "What the file is (default: from its name)")
      ->check(CLI::IsMember({"plan", "entries", "cells"}));
  cmd->add_option("--format", options.format, "Output format (default: text)")
      ->check(CLI::IsMember(format_names()));
  cmd->footer(examples);
  return cmd;
}

int run_dump(Platform& platform, const DumpOptions& options, std::ostream& out, std::ostream& err) {
  const Format* format = format_named(options.format);
  if (!format) return usage_error(err, "unknown format \"" + options.format + "\"");
  std::optional<DumpKind> kind;
  if (options.kind) {
    kind = kind_named(*options.kind);
    if (!kind) return usage_error(err, "unknown kind \"" + *options.kind + "\"");
  } else {
    kind = kind_from_name(options.file);
    if (!kind)
      return usage_error(err, "cannot tell the kind of \"" + options.file +
                                  "\" from its name (*_linea.dat plan, *.sim entries, other "
                                  "*.dat cells); pass --kind plan|entries|cells");
  }

  DumpedFile file;
  try {
    file = decode_file(*kind, platform.read(options.file));
  } catch (const RuntimeFailure& f) {
    err << "tracciato: dump: " << f.what() << "\n";
    return code_of(ExitStatus::runtime);
  } catch (const DecodeError& e) {
    err << "tracciato: dump: " << options.file << ": " << e.what() << "\n";
    return code_of(ExitStatus::runtime);
  }

  // The whole dump is made first, so that a failure never leaves half of it behind.
  std::ostringstream dump;
  format->write(dump, file);
  out << dump.view();
  out.flush();
  if (!out) {
    err << "tracciato: dump: " << options.file << ": the dump could not be written\n";
    return code_of(ExitStatus::runtime);
  }
  return code_of(ExitStatus::ok);
}

}  // namespace tracciato::dump
