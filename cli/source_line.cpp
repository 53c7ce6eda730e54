#include "cli/source_line.h"

#include <algorithm>
#include <charconv>

namespace tracciato::cli {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<LineField> fields_from(const std::string& line, std::size_t column) {
  std::vector<LineField> out;
  if (column == 0 || column > line.size() + 1) return out;
  std::size_t i = column - 1;
  const std::size_t n = line.size();
  if (i < n && line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    out.push_back({column, line.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                            : close - i - 1)});
    i = close == std::string::npos ? n : close + 1;
    while (i < n && blank(line[i])) ++i;
    if (i < n && line[i] == ',') ++i;
  } else {
    const std::size_t comma = line.find(',', i);
    std::string text = line.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
    while (!text.empty() && blank(text.back())) text.pop_back();
    out.push_back({column, text});
    i = comma == std::string::npos ? n : comma + 1;
  }
  while (i < n) {
    while (i < n && blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < n && !blank(line[i]) && line[i] != ',') ++i;
    out.push_back({start + 1, line.substr(start, i - start)});
    while (i < n && blank(line[i])) ++i;
    if (i < n && line[i] == ',') ++i;
  }
  return out;
}

std::optional<std::int64_t> whole_number(const std::string& text) {
  std::string_view t = text;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty()) return 0;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc{} || end != t.data() + t.size()) return std::nullopt;
  return v;
}

bool looks_like_number(std::string_view t) {
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.remove_prefix(1);
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string line_at(const std::string& b, std::size_t line) {
  if (line == 0) return {};
  std::size_t start = 0;
  for (std::size_t n = 1; n < line; ++n) {
    const std::size_t end = b.find_first_of("\r\n", start);
    if (end == std::string::npos) return {};
    start = end + (b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n' ? 2 : 1);
  }
  const std::size_t end = b.find_first_of("\r\n", start);
  return b.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace tracciato::cli
