// The allocation functions of the POSIX build. The model's plan (16 bytes a metre and
// coordinate) and the plan file's bytes are the only large blocks of a run, and most of
// their cost is the first touch of each 4 KiB page. Blocks of 1 MiB and more are
// therefore placed on 2 MiB boundaries and offered to the kernel for transparent huge
// pages, which it uses when it can. Every block still comes from malloc and goes back
// through free, so a block freed by any other path is freed the same way.
//
// Sanitizer builds keep their own allocation functions and checks.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;
constexpr std::size_t large_block = std::size_t{1} << 20;

void* allocate(std::size_t n) {
  if (n == 0) n = 1;
  for (;;) {
    void* p = nullptr;
    if (n >= large_block && n <= SIZE_MAX - huge_page) {
      const std::size_t rounded = (n + huge_page - 1) / huge_page * huge_page;
      p = std::aligned_alloc(huge_page, rounded);
      if (p != nullptr) ::madvise(p, rounded, MADV_HUGEPAGE);  // a hint: failure is harmless
    } else {
      p = std::malloc(n);
    }
    if (p != nullptr) return p;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return allocate(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return allocate(n);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#endif
