#include "fuzz/text_variants.h"

namespace tracciato::fuzz {

namespace {

// Length of the line end at `i` (2 for CR LF), 0 when there is none.
std::size_t line_end_at(std::string_view text, std::size_t i) {
  if (text[i] == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  return text[i] == '\n' ? 1 : 0;
}

}  // namespace

std::string with_line_ends(std::string_view text, std::string_view line_end) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t n = line_end_at(text, i)) {
      out += line_end;
      i += n;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string with_blanks(std::string_view text, std::uint64_t seed) {
  static constexpr std::string_view blanks[] = {" ", "\t", "  ", " \t ", "\t\t"};
  Choices choose(seed);
  auto blank = [&] { return blanks[choose.below(std::size(blanks))]; };
  const std::size_t quote = std::min(text.find('"'), text.size());
  std::string out;
  out.reserve(text.size() * 2);
  if (text.empty()) return out;
  out += blank();  // before the first field
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t n = text[i] == ',' ? 1 : line_end_at(text, i);
    if (n == 0 || i >= quote) {
      out += text[i++];
      continue;
    }
    out += blank();
    out.append(text, i, n);
    i += n;
    if (i < text.size() && i <= quote) out += blank();
  }
  // After the last field, when the text ends inside it.
  if (quote == text.size() && text.back() != ',' && line_end_at(text, text.size() - 1) == 0)
    out += blank();
  return out;
}

std::string swapped(std::string_view text, std::size_t a, std::size_t b, std::size_t c) {
  std::string out(text.substr(0, a));
  out += text.substr(b, c - b);
  out += text.substr(a, b - a);
  out += text.substr(c);
  return out;
}

std::uint64_t Choices::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t hash_of(std::string_view bytes) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return h;
}

}  // namespace tracciato::fuzz
