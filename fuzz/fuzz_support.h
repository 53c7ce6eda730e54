#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/memorizza_dati.h"
#include "model/scenario.h"
#include "test_support/memory_platform.h"

namespace tracciato::fuzz {

// A harness's own check failed: abort, so that the fuzzer keeps the input.
[[noreturn]] inline void harness_fault() { std::abort(); }
inline void require(bool holds) {
  if (!holds) harness_fault();
}

inline std::string text_of(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A small route that reaches every part of the body, for the train harness.
inline constexpr const char* small_route =
    "[generale]\r\n"
    "lunghezza percorso,    20000\r\n"
    "progressiva chilometrica uno,    0,    0,    0\r\n"
    "ripetizione segnali 4 codici,    0    ,0\r\n"
    "[curve]\r\n"
    "curvas4,  1000,  300\r\n"
    "pendenza,  0,   2\r\n"
    "pendenza,  4000,   -3\r\n"
    "montagna,   6000,  6500,  2\r\n"
    "indicatori_vmax,  8000,  90,  95,  95,  0,  ,  ,  ,  0\r\n"
    "cartello_indicatore,  9000,   (GALLERIA       )\r\n"
    "[fine]\r\n";

// Both texts staged in a memory platform, as the embedded run names them.
struct Bench {
  MemoryPlatform p;
  Scenario s;
  SourceTexts sources{"app/R_linea.txt", "app/R_T-.txt", false};

  Bench(std::int32_t con_planimetria, bool remove) {
    s.nome_linea = "R";
    s.nome_treno = "T";
    s.con_planimetria = con_planimetria;
    sources.delete_after_reading = remove;
  }
  bool has(const std::string& path) const { return p.files.count(path) != 0; }
};

}  // namespace tracciato::fuzz
