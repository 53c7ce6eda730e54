#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tracciato {

// Comma-delimited sequential input over a whole source text held in memory.
// Blanks are spaces and tabs; a line ends at CR LF, a lone LF or a lone CR.
// Reading any field when no byte is left, a number field that is not a number, and a
// number that does not fit its destination are run-time failures.
class FieldInput {
 public:
  explicit FieldInput(std::string bytes, std::string name = {});

  // No byte left.
  bool at_end() const { return pos_ == bytes_.size(); }
  // The bytes read so far: the offset of the next byte to read.
  std::size_t offset() const { return pos_; }

  // A text or keyword field: leading blanks skipped; a field opening with a double
  // quote runs to the next quote; otherwise to the next comma or line end (consumed),
  // trailing blanks not included.
  std::string read_text();

  std::int32_t read_long();     // 32-bit signed destination
  std::int16_t read_integer();  // 16-bit signed destination
  std::uint8_t read_byte();     // 8-bit unsigned destination

  // Where the last field read began: 1-based line and column.
  std::size_t field_line() const { return field_line_; }
  std::size_t field_column() const { return field_column_; }
  // The text of line `n` (1-based), without its line end; empty past the end.
  std::string line_text(std::size_t n) const;
  const std::string& name() const { return name_; }

 private:
  std::int64_t read_number(std::int64_t min, std::int64_t max, const char* width);
  void begin_field();
  void skip_blanks();
  bool at_line_end() const;
  void consume_line_end();
  [[noreturn]] void fail(const std::string& what) const;

  std::string bytes_;
  std::string name_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;        // line of pos_
  std::size_t line_start_ = 0;  // offset where line_ begins
  std::size_t field_line_ = 0;
  std::size_t field_column_ = 0;
};

}  // namespace tracciato
