#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "model/scenario.h"

namespace tracciato {

// The layouts of the records of the entry file and the cell file, written once: each
// field in file order, by its name, as a reference into the record. The width in the
// file is the width of the field's type (Byte 1, Integer 2, Long 4); `nome` is its
// 16-bit length followed by its bytes. The writers, the decoder and dump all walk the
// records through here. `f(name, field)` is called for every field, in order.

template <class Cell, class F>
  requires std::same_as<std::remove_const_t<Cell>, cella>
void for_each_field(Cell& c, F&& f) {
  f("evento", c.evento);
  f("valore1", c.valore1);
  f("valore2", c.valore2);
  f("valore3", c.valore3);
  f("valore4", c.valore4);
  f("tempo", c.tempo);
  f("avviso", c.avviso);
  f("montagna", c.montagna);
  f("velocita", c.velocita);
  f("pendenza", c.pendenza);
  f("aderenza", c.aderenza);
}

template <class Entry, class F>
  requires std::same_as<std::remove_const_t<Entry>, voce>
void for_each_field(Entry& v, F&& f) {
  f("genere", v.genere);
  f("inizio_area", v.inizio_area);
  f("fine_area", v.fine_area);
  f("posizione", v.posizione);
  f("opz1", v.opz1);
  f("nome", v.nome);
  f("par1", v.par1);
  f("par2", v.par2);
  f("par3", v.par3);
  f("par4", v.par4);
  f("par5", v.par5);
  f("opz2", v.opz2);
  f("opz3", v.opz3);
  f("opz4", v.opz4);
  f("opz5", v.opz5);
  f("orario", v.orario);
}

// Bytes of a field in the file: its width, or for `nome` the length field and the text.
template <class T>
constexpr std::size_t bytes_of(const T&) {
  return sizeof(T);
}
inline std::size_t bytes_of(const std::string& text) { return 2 + text.size(); }

// A record's size in the file: 15 bytes a cell, 34 bytes plus the name an entry.
template <class R>
std::size_t record_bytes(const R& record) {
  std::size_t n = 0;
  for_each_field(record, [&n](const char*, const auto& field) { n += bytes_of(field); });
  return n;
}

inline constexpr std::size_t cell_bytes = 15;
inline constexpr std::size_t entry_bytes_without_name = 34;

}  // namespace tracciato
