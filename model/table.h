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
class Table {
 public:
  explicit Table(const char* name) : name_(name) {}
  Table(const char* name, std::int64_t upper) : name_(name) { allocate(upper); }

  // Makes the table anew with indices 0 .. upper, every element zero. A negative
  // bound is a run-time failure that leaves the table as it was.
  void allocate(std::int64_t upper) {
    if (upper < 0)
      throw RuntimeFailure(std::string(name_) + " cannot be made with upper bound " +
                           std::to_string(upper));
    std::vector<T> fresh(static_cast<std::size_t>(upper) + 1);
    elements_.swap(fresh);
    allocated_ = true;
  }

  bool allocated() const { return allocated_; }
  std::int64_t upper() const {
    require();
    return static_cast<std::int64_t>(elements_.size()) - 1;
  }
  const char* name() const { return name_; }

  T& operator[](std::int64_t i) { return elements_[index_of(i)]; }
  const T& operator[](std::int64_t i) const { return elements_[index_of(i)]; }

  std::span<const T> elements() const {
    require();
    return elements_;
  }

  // Fails, as any use would, when the table has not been allocated yet.
  void require() const {
    if (!allocated_)
      fail(std::string(name_) + " used before the route length has allocated it",
           RuntimeFailure::Kind::table_unallocated, 0);
  }

 private:
  std::size_t index_of(std::int64_t i) const {
    require();
    if (i < 0 || i >= static_cast<std::int64_t>(elements_.size()))
      fail(std::string(name_) + "(" + std::to_string(i) + "): index outside 0 .. " +
               std::to_string(elements_.size() - 1),
           RuntimeFailure::Kind::table_index, i);
    return static_cast<std::size_t>(i);
  }

  [[noreturn]] void fail(const std::string& what, RuntimeFailure::Kind kind,
                         std::int64_t index) const {
    RuntimeFailure f(what, kind);
    f.table = name_;
    f.index = index;
    throw f;
  }

  const char* name_;
  std::vector<T> elements_;
  bool allocated_ = false;
};

}  // namespace tracciato
