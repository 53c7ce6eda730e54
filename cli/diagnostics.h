#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "compiler/compilazione.h"
#include "model/diagnostica.h"
#include "model/register_codes.h"

namespace tracciato {
struct Scenario;
}  // namespace tracciato

namespace tracciato::cli {

// One thing to tell the author: a fault the compile recorded (code > 0), a failure
// or errore that stopped it (code as the register or errore gives it, or 0), or a
// warning (code 0).
struct Diagnostic {
  enum class Severity { error, warning };
  Severity severity = Severity::error;
  int code = 0;
  std::string file;                    // as shown; empty: the run as a whole
  std::size_t line = 0;                // 0: no line
  std::size_t column = 0;              // of the field at fault; 0: none
  std::optional<std::int64_t> metres;  // the register's position, for the codes that have one
  std::string message;
  std::string source_line;             // the line quoted under the message
  bool in_register = false;            // a write to the error register
};

// Listens to one compile and keeps what it has to say, in the order it happened.
class Diagnostics {
 public:
  // `base_names`: show the source texts by their file name only (the embedded run).
  explicit Diagnostics(bool base_names = false) : base_names_(base_names) {}
  Diagnostics(const Diagnostics&) = delete;
  Diagnostics& operator=(const Diagnostics&) = delete;

  // From now on every register write and every reader warning of `s` is collected.
  // `s` must not outlive this object while it is being compiled.
  void attach(Scenario& s);
  // How the compile ended: a run-time failure outside the reader, or errore, is an
  // error too.
  void finish(const CompileOutcome& esito);

  const std::vector<Diagnostic>& all() const { return list_; }
  int errors() const;
  int warnings() const;
  // `outcome` as --strict shows it: a compile with warnings ends with faults.
  CompileOutcome strict(const CompileOutcome& outcome) const;

  // Every diagnostic with its quoted line and caret, then the summary line.
  std::string text() const;
  // "faults" (the register writes) and "warnings", for the JSON report.
  void add_to(nlohmann::ordered_json& report) const;

 private:
  void on_fault(Code code, std::optional<std::int32_t> position, std::string_view cause,
                const RuntimeFailure* failure);
  void on_warning(const Warning& a);
  std::string file_of(int text) const;
  std::string line_of(int text, std::size_t line) const;

  bool base_names_;
  Scenario* s_ = nullptr;
  ReadingTrail d_;
  std::vector<Diagnostic> list_;
  bool no_cells_told_ = false;  // a fault already said that the route length is missing
};


}  // namespace tracciato::cli
