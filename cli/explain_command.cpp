#include "cli/explain_command.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <ostream>

#include "cli/code_explanations.h"
#include "model/exit_status.h"

namespace tracciato::cli {

CLI::App* add_explain_command(CLI::App& app, ExplainOptions& options) {
  auto* cmd = app.add_subcommand(
      "explain", "Say what an error code means, the rule behind it, an example and what to do");
  cmd->add_option_function<std::string>(
      "CODE", [&options](const std::string& v) { options.code = v; },
      "A register code (1 to 103) or an errore number (1250, 1251); none: list them all");
  cmd->add_flag("--markdown", options.markdown,
                "Every code as a table in Markdown, as docs/format.md lists them");
  cmd->footer(
      "The codes are those of the diagnostics (\"error 16: ...\") and of the report's\n"
      "\"codice_errore\". The source format is described in docs/format.md.\n\n"
      "Examples:\n"
      "  tracciato explain 16\n"
      "  tracciato explain 1250\n"
      "  tracciato explain");
  return cmd;
}

int run_explain(const ExplainOptions& options, std::ostream& out, std::ostream& err) {
  if (options.markdown) {
    out << explanations_markdown();
    return code_of(ExitStatus::ok);
  }
  if (!options.code) {
    for (const CodeExplanation& e : code_explanations())
      out << e.number << "  " << e.meaning << "\n";
    out << "\ntracciato explain CODE says more of one.\n";
    return code_of(ExitStatus::ok);
  }
  const std::string& text = *options.code;
  std::int64_t number = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  const CodeExplanation* e =
      ec == std::errc{} && end == text.data() + text.size() ? explanation_of(number) : nullptr;
  if (!e) {
    err << "tracciato explain: " << text
        << " is no code: the codes are 1 to 13, 15 to 22, 24, 25, 101 to 103, 1250 and 1251\n"
        << explain_usage << "\n";
    return code_of(ExitStatus::usage);
  }
  out << explanation_text(*e);
  return code_of(ExitStatus::ok);
}

}  // namespace tracciato::cli
