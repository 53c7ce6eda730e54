#include "platform/platform.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/memory_platform.h"
#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

// Pieces of `testo`, each as long as the room allows.
Platform::Piece pezzi_di(const std::string& testo) {
  return [testo, fatto = std::size_t{0}](std::span<char> spazio) mutable {
    const std::size_t n = testo.copy(spazio.data(), spazio.size(), fatto);
    fatto += n;
    return n;
  };
}

// A layer without a writer of its own gathers the pieces and writes the file once.
TEST(WritingInPieces, ALayerWithoutItsOwnGathersThePiecesInOrder) {
  MemoryPlatform p;
  std::string testo(Platform::piece_room * 2 + 3, 'a');
  testo.back() = 'z';
  testo[Platform::piece_room] = 'm';
  p.write_in_pieces("app/f.dat", pezzi_di(testo));
  EXPECT_EQ(p.files["app/f.dat"], testo);
  p.write_in_pieces("app/f.dat", pezzi_di(""));
  EXPECT_EQ(p.files["app/f.dat"], "");
}

TEST(WritingInPieces, AFailingOrOverrunningPieceLeavesTheOlderFile) {
  MemoryPlatform p;
  p.files["app/f.dat"] = "older";
  int chiamate = 0;
  EXPECT_THROW(p.write_in_pieces("app/f.dat",
                                [&chiamate](std::span<char> spazio) -> std::size_t {
                                  if (++chiamate == 2) throw RuntimeFailure("encoder failed");
                                  return spazio.size();
                                }),
               RuntimeFailure);
  EXPECT_THROW(p.write_in_pieces("app/f.dat",
                                [](std::span<char> spazio) { return spazio.size() + 1; }),
               RuntimeFailure);
  EXPECT_EQ(p.files["app/f.dat"], "older");
}

}  // namespace
}  // namespace tracciato
