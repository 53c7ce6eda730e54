#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {

// The allocation functions of the POSIX build (large_blocks.cpp).
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST(LargeBlocks, AMegabyteOrMoreStartsOnAHugePageAndKeepsWhatIsWritten) {
  for (std::size_t n : {std::size_t{1} << 20, (std::size_t{5} << 20) + 3}) {
    std::vector<char> block(n, 'a');
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % (std::size_t{2} << 20), 0u) << n;
    block.back() = 'z';
    EXPECT_EQ(block.front(), 'a');
    EXPECT_EQ(block.back(), 'z');
  }
}

TEST(LargeBlocks, ARequestThatCannotBeMetThrowsOrGivesNull) {
  volatile std::size_t big = std::numeric_limits<std::size_t>::max() - 4096;  // not folded
  const std::size_t absurd = big;
  EXPECT_THROW(static_cast<void>(::operator new(absurd)), std::bad_alloc);
  EXPECT_EQ(::operator new(absurd, std::nothrow), nullptr);
  EXPECT_THROW(std::string().reserve(std::size_t{1} << 50), std::bad_alloc);
}

TEST(LargeBlocks, EmptyRequestsGiveDistinctBlocks) {
  void* a = ::operator new(0);
  void* b = ::operator new(0);
  EXPECT_NE(a, nullptr);
  EXPECT_NE(a, b);
  ::operator delete(a);
  ::operator delete(b);
}
#endif  // the sanitizers keep their own allocation functions

}  // namespace
