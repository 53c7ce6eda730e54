#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "platform/runtime_failure.h"

namespace tracciato {

// num / den rounded to the nearest whole number, a half going to the even one.
// Exact for every 64-bit numerator; den must not be 0.
std::int64_t round_half_even(std::int64_t num, std::int64_t den);

// `value` as a T, or a run-time failure naming `what` when it does not fit.
template <class T>
T fit(std::int64_t value, const char* what) {
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
    RuntimeFailure f(std::string(what) + ": " + std::to_string(value) +
                         " does not fit its field (" +
                         std::to_string(std::numeric_limits<T>::min()) + " .. " +
                         std::to_string(std::numeric_limits<T>::max()) + ")",
                     RuntimeFailure::Kind::too_wide);
    f.table = what;
    f.index = value;
    throw f;
  }
  return static_cast<T>(value);
}

// The fraction num / den, rounded half to even, converted to T (run-time failure when
// it does not fit). Every fractional conversion of the compiler goes through here.
template <class T>
T round_to(std::int64_t num, std::int64_t den, const char* what) {
  return fit<T>(round_half_even(num, den), what);
}

// Whole-number results stored into a narrower field keep their low bits.
inline std::int16_t low16(std::int64_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF)); }
inline std::uint8_t low8(std::int64_t v) { return static_cast<std::uint8_t>(v & 0xFF); }
inline std::int32_t low32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v & 0xFFFFFFFF)); }

}  // namespace tracciato
