#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/runtime_failure.h"

namespace tracciato {

// A table indexed 0 .. upper bound, as the model declares its tables. Every access is
// checked: an index outside the table, or any use before the table is allocated, is a
// run-time failure. Nothing is ever written outside a table.
template <class T>
class Tabella {
 public:
  explicit Tabella(const char* nome) : nome_(nome) {}
  Tabella(const char* nome, std::int64_t superiore) : nome_(nome) { dimensiona(superiore); }

  // Makes the table anew with indices 0 .. superiore, every element zero. A negative
  // bound is a run-time failure that leaves the table as it was.
  void dimensiona(std::int64_t superiore) {
    if (superiore < 0)
      throw RuntimeFailure(std::string(nome_) + " cannot be made with upper bound " +
                           std::to_string(superiore));
    std::vector<T> nuovi(static_cast<std::size_t>(superiore) + 1);
    dati_.swap(nuovi);
    allocata_ = true;
  }

  bool allocata() const { return allocata_; }
  std::int64_t superiore() const {
    richiedi();
    return static_cast<std::int64_t>(dati_.size()) - 1;
  }
  const char* nome() const { return nome_; }

  T& operator[](std::int64_t i) { return dati_[posto(i)]; }
  const T& operator[](std::int64_t i) const { return dati_[posto(i)]; }

  std::span<const T> elementi() const {
    richiedi();
    return dati_;
  }

 private:
  void richiedi() const {
    if (!allocata_)
      throw RuntimeFailure(std::string(nome_) +
                           " used before the route length has allocated it");
  }
  std::size_t posto(std::int64_t i) const {
    richiedi();
    if (i < 0 || i >= static_cast<std::int64_t>(dati_.size()))
      throw RuntimeFailure(std::string(nome_) + "(" + std::to_string(i) +
                           "): index outside 0 .. " + std::to_string(dati_.size() - 1));
    return static_cast<std::size_t>(i);
  }

  const char* nome_;
  std::vector<T> dati_;
  bool allocata_ = false;
};

}  // namespace tracciato
