#include "plot/plot_text.h"

#include <cstdint>

#include "model/text.h"

namespace tracciato::plot {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

void append_words(std::string& out, std::string_view row) {
  std::size_t i = 0;
  while (i < row.size()) {
    while (i < row.size() && blank(row[i])) ++i;
    std::size_t j = i;
    while (j < row.size() && !blank(row[j])) ++j;
    if (j > i) {
      if (!out.empty()) out += ' ';
      out.append(row.substr(i, j - i));
    }
    i = j;
  }
}

}  // namespace

std::string utf8_from_1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<std::uint8_t>(ch);
    char32_t c = assigned_1252(b) ? code_point_1252(b) : char32_t{0xFFFD};
    // Control characters would only garble a label.
    if (c < 0x20 || c == 0x7F) c = ' ';
    append_utf8(out, c);
  }
  return out;
}

std::string signboard_caption(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('(', i);
    append_words(out, text.substr(i, open == std::string_view::npos ? std::string_view::npos
                                                                      : open - i));
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find(')', open + 1);
    append_words(out, text.substr(open + 1, close == std::string_view::npos
                                                ? std::string_view::npos
                                                : close - open - 1));
    if (close == std::string_view::npos) break;
    i = close + 1;
  }
  return out;
}

}  // namespace tracciato::plot
