#include "platform/field_input.h"

#include <limits>

#include "platform/runtime_failure.h"

namespace tracciato {

namespace {
bool blank(char c) { return c == ' ' || c == '\t'; }
bool line_end(char c) { return c == '\r' || c == '\n'; }

// A field's text for a message, cut after 40 bytes.
std::string quoted(std::string_view text) {
  std::string q = "\"";
  q.append(text.substr(0, 40));
  if (text.size() > 40) q.append("...");
  q.push_back('"');
  return q;
}
}  // namespace

FieldInput::FieldInput(std::string bytes, std::string name)
    : bytes_(std::move(bytes)), name_(std::move(name)) {}

void FieldInput::fail(const std::string& what) const {
  std::string where = name_.empty() ? std::string("input") : name_;
  RuntimeFailure f(where + ":" + std::to_string(field_line_) + ":" +
                       std::to_string(field_column_) + ": " + what,
                   RuntimeFailure::Kind::field);
  f.line = field_line_;
  f.column = field_column_;
  throw f;
}

void FieldInput::skip_blanks() {
  while (pos_ < bytes_.size() && blank(bytes_[pos_])) ++pos_;
}

bool FieldInput::at_line_end() const { return pos_ < bytes_.size() && line_end(bytes_[pos_]); }

void FieldInput::consume_line_end() {
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  line_start_ = pos_;
}

void FieldInput::begin_field() {
  field_line_ = line_;
  field_column_ = pos_ - line_start_ + 1;
  if (at_end()) fail("read past the end of the file");
  skip_blanks();
  field_column_ = pos_ - line_start_ + 1;
}

std::string FieldInput::read_text() {
  begin_field();
  std::string field;
  if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
    ++pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != '"') {
      // A quoted field may span lines; keep the line count right.
      if (line_end(bytes_[pos_])) {
        const std::size_t start = pos_;
        consume_line_end();
        field.append(bytes_, start, pos_ - start);
      } else {
        field.push_back(bytes_[pos_++]);
      }
    }
    if (pos_ < bytes_.size()) ++pos_;  // closing quote
    skip_blanks();
    if (pos_ < bytes_.size()) {
      if (bytes_[pos_] == ',')
        ++pos_;
      else if (at_line_end())
        consume_line_end();
    }
    return field;
  }
  const std::size_t start = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !line_end(bytes_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && blank(bytes_[end - 1])) --end;
  field.assign(bytes_, start, end - start);
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',')
      ++pos_;
    else
      consume_line_end();
  }
  return field;
}

std::int64_t FieldInput::read_number(std::int64_t min, std::int64_t max, const char* width) {
  begin_field();
  const std::size_t start = pos_;
  while (pos_ < bytes_.size() && !blank(bytes_[pos_]) && bytes_[pos_] != ',' &&
         !line_end(bytes_[pos_]))
    ++pos_;
  const std::string_view text(bytes_.data() + start, pos_ - start);
  std::int64_t value = 0;
  if (!text.empty()) {
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
      negative = text[0] == '-';
      i = 1;
    }
    if (i == text.size()) fail(quoted(text) + " is not a whole number");
    // Accumulate as a negative magnitude so that the most negative value fits too.
    const std::int64_t limit = negative ? min : -max;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (c < '0' || c > '9') fail(quoted(text) + " is not a whole number");
      const int digit = c - '0';
      if (value < (limit + digit) / 10) {
        fail(quoted(text) + " does not fit a " + width + " field");
      }
      value = value * 10 - digit;
    }
    if (!negative) value = -value;
    if (value < min || value > max) fail(quoted(text) + " does not fit a " + width + " field");
  }
  skip_blanks();
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',')
      ++pos_;
    else if (at_line_end())
      consume_line_end();
  }
  return value;
}

std::int32_t FieldInput::read_long() {
  return static_cast<std::int32_t>(read_number(std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max(),
                                               "32-bit"));
}

std::int16_t FieldInput::read_integer() {
  return static_cast<std::int16_t>(read_number(std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max(),
                                               "16-bit"));
}

std::uint8_t FieldInput::read_byte() {
  return static_cast<std::uint8_t>(read_number(0, 255, "8-bit unsigned"));
}

std::string FieldInput::line_text(std::size_t n) const {
  std::size_t line = 1, i = 0;
  while (line < n && i < bytes_.size()) {
    if (line_end(bytes_[i])) {
      if (bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') ++i;
      ++line;
    }
    ++i;
  }
  if (line != n) return {};
  std::size_t end = i;
  while (end < bytes_.size() && !line_end(bytes_[end])) ++end;
  return bytes_.substr(i, end - i);
}

}  // namespace tracciato
