#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/scenario.h"

namespace tracciato::dump {

// The fields of the records in file order with their widths in bytes, so that every
// format of the dump walks them alike: f(name, width, value).
template <class F>
void for_each_field(const cella& c, F&& f) {
  f("evento", std::size_t{1}, std::int64_t{c.evento});
  f("valore1", std::size_t{2}, std::int64_t{c.valore1});
  f("valore2", std::size_t{2}, std::int64_t{c.valore2});
  f("valore3", std::size_t{2}, std::int64_t{c.valore3});
  f("valore4", std::size_t{2}, std::int64_t{c.valore4});
  f("tempo", std::size_t{1}, std::int64_t{c.tempo});
  f("avviso", std::size_t{1}, std::int64_t{c.avviso});
  f("montagna", std::size_t{1}, std::int64_t{c.montagna});
  f("velocita", std::size_t{1}, std::int64_t{c.velocita});
  f("pendenza", std::size_t{1}, std::int64_t{c.pendenza});
  f("aderenza", std::size_t{1}, std::int64_t{c.aderenza});
}

// An entry's numbers go to number(name, width, value); its `nome` to text(name, bytes),
// which in the file follows its own 16-bit length.
template <class N, class T>
void for_each_field(const voce& v, N&& number, T&& text) {
  number("genere", std::size_t{1}, std::int64_t{v.genere});
  number("inizio_area", std::size_t{4}, std::int64_t{v.inizio_area});
  number("fine_area", std::size_t{4}, std::int64_t{v.fine_area});
  number("posizione", std::size_t{4}, std::int64_t{v.posizione});
  number("opz1", std::size_t{1}, std::int64_t{v.opz1});
  text("nome", v.nome);
  number("par1", std::size_t{2}, std::int64_t{v.par1});
  number("par2", std::size_t{2}, std::int64_t{v.par2});
  number("par3", std::size_t{2}, std::int64_t{v.par3});
  number("par4", std::size_t{2}, std::int64_t{v.par4});
  number("par5", std::size_t{2}, std::int64_t{v.par5});
  number("opz2", std::size_t{1}, std::int64_t{v.opz2});
  number("opz3", std::size_t{1}, std::int64_t{v.opz3});
  number("opz4", std::size_t{1}, std::int64_t{v.opz4});
  number("opz5", std::size_t{1}, std::int64_t{v.opz5});
  number("orario", std::size_t{4}, std::int64_t{v.orario});
}

}  // namespace tracciato::dump
