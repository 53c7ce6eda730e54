#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/runtime_failure.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

class PosixLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tracciato-posix-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string dir;
  PosixPlatform p;
};

TEST_F(PosixLayer, JoinAddsExactlyOneSeparatorWithoutLooking) {
  EXPECT_EQ(p.join("/a/b", "c.txt"), "/a/b/c.txt");
  EXPECT_EQ(p.join("/a/b/", "c.txt"), "/a/b//c.txt");
}

TEST_F(PosixLayer, ApplicationDirectoryHoldsTheExecutable) {
  const std::string app = p.application_directory();
  EXPECT_TRUE(fs::is_directory(app));
  EXPECT_TRUE(fs::exists(fs::read_symlink("/proc/self/exe")));
  EXPECT_EQ(fs::path(app), fs::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(PosixLayer, WriteReplacesALongerFileWithoutTrailingBytes) {
  const std::string path = p.join(dir, "x.dat");
  p.write(path, std::string(1000, 'a'));
  p.write(path, "bc");
  EXPECT_EQ(p.read(path), "bc");
  EXPECT_EQ(fs::file_size(path), 2u);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PosixLayer, WriteInPiecesLeavesTheWholeFileOrTheOlderOne) {
  const std::string path = p.join(dir, "x.dat");
  std::string bytes(Platform::piece_room * 3 + 17, 'a');
  bytes[Platform::piece_room] = 'b';
  std::size_t fatto = 0;
  p.write_in_pieces(path, [&](std::span<char> spazio) {
    const std::size_t n = bytes.copy(spazio.data(), spazio.size(), fatto);
    fatto += n;
    return n;
  });
  EXPECT_EQ(p.read(path), bytes);

  // An encoder that fails halfway: the older file stays whole, no temporary is left.
  int pezzi = 0;
  EXPECT_THROW(p.write_in_pieces(path,
                                [&pezzi](std::span<char> spazio) -> std::size_t {
                                  if (++pezzi == 3) throw RuntimeFailure("encoder failed");
                                  return spazio.size();
                                }),
               RuntimeFailure);
  EXPECT_THROW(p.write_in_pieces(path, [](std::span<char> spazio) { return spazio.size() + 1; }),
               RuntimeFailure);
  EXPECT_EQ(p.read(path), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PosixLayer, WriteReplacesALinkInsteadOfWritingThroughIt) {
  const std::string other = p.join(dir, "other.txt");
  const std::string link = p.join(dir, "link.txt");
  p.write(other, "keep");
  fs::create_symlink(other, link);
  p.write(link, "new");
  EXPECT_EQ(p.read(other), "keep");
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(p.read(link), "new");
}

TEST_F(PosixLayer, FailuresNameThePath) {
  const std::string missing = p.join(dir, "missing.txt");
  EXPECT_FALSE(p.exists(missing));
  try {
    p.read(missing);
    FAIL();
  } catch (const RuntimeFailure& f) {
    EXPECT_NE(std::string(f.what()).find(missing), std::string::npos);
  }
  EXPECT_THROW(p.remove(missing), RuntimeFailure);
  EXPECT_THROW(p.write(p.join(dir, "no/such/dir.txt"), "x"), RuntimeFailure);
}

TEST_F(PosixLayer, APathWithANulByteIsRefusedNotCutShort) {
  const std::string path = p.join(dir, std::string("a\0b", 3));
  EXPECT_THROW(p.write(path, "x"), RuntimeFailure);
  EXPECT_THROW(p.exists(path), RuntimeFailure);
  EXPECT_THROW(p.read(path), RuntimeFailure);
  EXPECT_FALSE(fs::exists(p.join(dir, "a")));
}

TEST_F(PosixLayer, DeleteRemovesTheFile) {
  const std::string path = p.join(dir, "x.txt");
  p.write(path, "x");
  EXPECT_TRUE(p.exists(path));
  p.remove(path);
  EXPECT_FALSE(p.exists(path));
}

}  // namespace
}  // namespace tracciato
