#pragma once

#include <string>
#include <vector>

// Splitting the lines of an embedded table the way its entries are written: fields
// between commas, blanks trimmed.

namespace tracciato::table_test {

using Fields = std::vector<std::string>;

inline Fields split(const std::string& line) {
  Fields out;
  std::size_t start = 0;
  while (true) {
    const auto comma = line.find(',', start);
    std::string f =
        line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    f.erase(0, f.find_first_not_of(' '));
    f.erase(f.find_last_not_of(' ') + 1);
    out.push_back(f);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

inline long num(const std::string& f) { return f.empty() ? 0 : std::stol(f); }

}  // namespace tracciato::table_test
