#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/entry_kinds.h"

namespace tracciato::cli {

// What a register code, or a number `errore` shows, means to an author: the rule
// behind it, a minimal example that breaks the rule, and how to put it right. The one
// source of these texts: `tracciato explain` prints them and docs/format.md lists them.
struct CodeExplanation {
  std::int32_t number;        // a register code, or 1250 / 1251
  std::string_view meaning;   // one line
  std::string_view rule;
  TextPart part;              // where the example's lines stand
  std::string_view example;   // lines of a text, "\n" between them
  bool whole_text;            // the example is a whole route text, not lines of one
  std::string_view fix;
};

std::span<const CodeExplanation> code_explanations();
const CodeExplanation* explanation_of(std::int64_t number);

// What `tracciato explain CODE` prints.
std::string explanation_text(const CodeExplanation& e);

// The table of docs/format.md: code, meaning, what to do.
std::string explanations_markdown();

}  // namespace tracciato::cli
