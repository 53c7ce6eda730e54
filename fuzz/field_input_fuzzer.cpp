// The field input on any bytes, every read kind in an order the input chooses. The
// same reads over the text with its line ends rewritten, and with blanks beside its
// commas and line ends, must read the same fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/text_variants.h"
#include "platform/field_input.h"
#include "platform/runtime_failure.h"

using namespace tracciato;

namespace {

// One read: the field as text, the number, or the failure, and the line it began on.
struct Read {
  enum class Kind { text, number, failure } kind;
  std::string text;
  std::int64_t number = 0;
  std::size_t line = 0;
};

// Every read of `text` until no byte is left, the kinds taken in turn from `kinds`
// (low two bits: text, 32-bit, 16-bit, 8-bit); a failure ends the reading.
std::vector<Read> reads_of(const std::string& text, std::string_view kinds) {
  FieldInput in(text, "fuzz.txt");
  std::vector<Read> out;
  try {
    while (!in.at_end()) {
      // Every read that does not fail takes at least one byte, so the text runs out
      // after at most as many reads as it has bytes.
      fuzz::require(out.size() <= text.size());
      Read r{Read::Kind::number, {}, 0, 0};
      switch (kinds[out.size() % kinds.size()] & 3) {
        case 0:
          r.kind = Read::Kind::text;
          r.text = in.read_text();
          fuzz::require(r.text.size() <= text.size());
          break;
        case 1: r.number = in.read_long(); break;
        case 2: r.number = in.read_integer(); break;
        case 3: r.number = in.read_byte(); break;
      }
      r.line = in.field_line();
      fuzz::require(r.line >= 1);
      in.line_text(r.line);
      out.push_back(std::move(r));
    }
    in.read_text();  // no byte left: always a failure
    fuzz::harness_fault();
  } catch (const RuntimeFailure& f) {
    out.push_back({Read::Kind::failure, f.what(), 0, in.field_line()});
  }
  return out;
}

// Line ends: CR LF, LF and CR end a line alike, so the rewritten text gives the same
// reads, lines and failures; a quoted field that spans lines keeps its line ends, so
// its text is the original's with the same rewrite.
void same_reads_for_each_line_end(const std::string& text, std::string_view kinds,
                                  const std::vector<Read>& original) {
  for (const std::string_view line_end : {"\r\n", "\n", "\r"}) {
    const std::vector<Read> other = reads_of(fuzz::with_line_ends(text, line_end), kinds);
    fuzz::require(other.size() == original.size());
    for (std::size_t i = 0; i < other.size(); ++i) {
      const Read& a = original[i];
      const Read& b = other[i];
      fuzz::require(a.kind == b.kind && a.number == b.number && a.line == b.line);
      if (a.kind == Read::Kind::text) fuzz::require(fuzz::with_line_ends(a.text, line_end) == b.text);
      if (a.kind == Read::Kind::failure) fuzz::require(a.text == b.text);
    }
  }
}

// Blanks beside commas and line ends (up to the first quote) are no part of any field:
// the same reads, lines and values; a failure at the same read (its column moves).
void same_reads_with_blanks(const std::string& text, std::string_view kinds,
                            const std::vector<Read>& original) {
  const std::vector<Read> other = reads_of(fuzz::with_blanks(text, fuzz::hash_of(text)), kinds);
  fuzz::require(other.size() == original.size());
  for (std::size_t i = 0; i < other.size(); ++i) {
    const Read& a = original[i];
    const Read& b = other[i];
    fuzz::require(a.kind == b.kind && a.number == b.number && a.line == b.line);
    if (a.kind == Read::Kind::text) fuzz::require(a.text == b.text);
  }
}

}  // namespace

// Input: one byte n, then n + 1 bytes naming the reads, used in turn; the rest is the
// text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t n = static_cast<std::size_t>(data[0] % 16) + 1;
  if (size < 1 + n) return 0;
  const std::string kinds = fuzz::text_of(data + 1, n);
  const std::string text = fuzz::text_of(data + 1 + n, size - 1 - n);
  const std::vector<Read> original = reads_of(text, kinds);
  same_reads_for_each_line_end(text, kinds, original);
  same_reads_with_blanks(text, kinds, original);
  return 0;
}
