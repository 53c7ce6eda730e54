#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tracciato::fuzz {

// Rewrites of a source text that the field reader must not tell from the text itself,
// each under its own condition (see compile_properties.h).

// Every line end (CR LF, a lone LF, a lone CR) written as `line_end`.
std::string with_line_ends(std::string_view text, std::string_view line_end);

// Blanks before and after every comma and line end, and at both ends of the text, up
// to the first double quote (a quote may open a field that spans commas and lines).
// No blank goes after a comma or line end that ends the text, where it would make a
// field of its own. `seed` picks the blanks.
std::string with_blanks(std::string_view text, std::uint64_t seed);

// The text with bytes [a, b) and [b, c) swapped.
std::string swapped(std::string_view text, std::size_t a, std::size_t b, std::size_t c);

// A small pseudo-random sequence (splitmix64), for the choices a property makes.
class Choices {
 public:
  explicit Choices(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

 private:
  std::uint64_t state_;
};

// FNV-1a of the bytes: the seed of an input's choices.
std::uint64_t hash_of(std::string_view bytes);

}  // namespace tracciato::fuzz
