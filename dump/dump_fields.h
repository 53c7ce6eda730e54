#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/record_layout.h"
#include "model/scenario.h"

namespace tracciato::dump {

// The fields of the records in file order with their widths in bytes, so that every
// format of the dump walks them alike: f(name, width, value).
template <class F>
void for_each_field(const cella& c, F&& f) {
  tracciato::for_each_field(c, [&f](const char* name, const auto& field) {
    f(name, sizeof field, std::int64_t{field});
  });
}

// An entry's numbers go to number(name, width, value); its `nome` to text(name, bytes),
// which in the file follows its own 16-bit length.
template <class N, class T>
void for_each_field(const voce& v, N&& number, T&& text) {
  tracciato::for_each_field(v, [&](const char* name, const auto& field) {
    if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::string>)
      text(name, field);
    else
      number(name, sizeof field, std::int64_t{field});
  });
}

}  // namespace tracciato::dump
