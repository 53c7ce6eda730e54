// The field input on any bytes, every read kind in an order the input chooses.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/field_input.h"
#include "platform/runtime_failure.h"

using namespace tracciato;

// Input: one byte n, then n + 1 bytes naming the reads (low two bits: text, 32-bit,
// 16-bit, 8-bit), used in turn; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t n = static_cast<std::size_t>(data[0] % 16) + 1;
  if (size < 1 + n) return 0;
  const std::uint8_t* letture = data + 1;
  FieldInput in(fuzz::testo_di(data + 1 + n, size - 1 - n), "fuzz.txt");
  const std::size_t byte_testo = size - 1 - n;
  // Every read that does not fail takes at least one byte, so the text runs out after
  // at most as many reads as it has bytes.
  std::size_t letture_fatte = 0;
  try {
    while (!in.at_end()) {
      fuzz::verifica(letture_fatte <= byte_testo);
      switch (letture[letture_fatte % n] & 3) {
        case 0: {
          const std::string campo = in.read_text();
          fuzz::verifica(campo.size() <= byte_testo);
          break;
        }
        case 1: in.read_long(); break;
        case 2: in.read_integer(); break;
        case 3: in.read_byte(); break;
      }
      ++letture_fatte;
      fuzz::verifica(in.field_line() >= 1);
      in.line_text(in.field_line());
    }
    in.read_text();  // no byte left: always a failure
    fuzz::guasto_del_harness();
  } catch (const RuntimeFailure&) {
  }
  return 0;
}
