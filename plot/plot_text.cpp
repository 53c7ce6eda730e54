#include "plot/plot_text.h"

#include <cstdint>

namespace tracciato::plot {

namespace {

// Code points of the bytes 0x80 .. 0x9F; 0 where the code page defines none.
constexpr char32_t high_controls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

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
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = high_controls[b - 0x80] ? high_controls[b - 0x80] : 0xFFFD;
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
