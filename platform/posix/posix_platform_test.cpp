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

class PosixPlatformTest : public ::testing::Test {
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

TEST_F(PosixPlatformTest, JoinAddsExactlyOneSeparatorWithoutLooking) {
  EXPECT_EQ(p.unisci("/a/b", "c.txt"), "/a/b/c.txt");
  EXPECT_EQ(p.unisci("/a/b/", "c.txt"), "/a/b//c.txt");
}

TEST_F(PosixPlatformTest, ApplicationDirectoryHoldsTheExecutable) {
  const std::string app = p.cartella_applicazione();
  EXPECT_TRUE(fs::is_directory(app));
  EXPECT_TRUE(fs::exists(fs::read_symlink("/proc/self/exe")));
  EXPECT_EQ(fs::path(app), fs::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(PosixPlatformTest, WriteReplacesALongerFileWithoutTrailingBytes) {
  const std::string path = p.unisci(dir, "x.dat");
  p.scrivi(path, std::string(1000, 'a'));
  p.scrivi(path, "bc");
  EXPECT_EQ(p.leggi(path), "bc");
  EXPECT_EQ(fs::file_size(path), 2u);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, WriteInPiecesLeavesTheWholeFileOrTheOlderOne) {
  const std::string path = p.unisci(dir, "x.dat");
  std::string bytes(Platform::spazio_pezzo * 3 + 17, 'a');
  bytes[Platform::spazio_pezzo] = 'b';
  std::size_t fatto = 0;
  p.scrivi_a_pezzi(path, [&](std::span<char> spazio) {
    const std::size_t n = bytes.copy(spazio.data(), spazio.size(), fatto);
    fatto += n;
    return n;
  });
  EXPECT_EQ(p.leggi(path), bytes);

  // An encoder that fails halfway: the older file stays whole, no temporary is left.
  int pezzi = 0;
  EXPECT_THROW(p.scrivi_a_pezzi(path,
                                [&pezzi](std::span<char> spazio) -> std::size_t {
                                  if (++pezzi == 3) throw RuntimeFailure("encoder failed");
                                  return spazio.size();
                                }),
               RuntimeFailure);
  EXPECT_THROW(p.scrivi_a_pezzi(path, [](std::span<char> spazio) { return spazio.size() + 1; }),
               RuntimeFailure);
  EXPECT_EQ(p.leggi(path), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, WriteReplacesALinkInsteadOfWritingThroughIt) {
  const std::string other = p.unisci(dir, "other.txt");
  const std::string link = p.unisci(dir, "link.txt");
  p.scrivi(other, "keep");
  fs::create_symlink(other, link);
  p.scrivi(link, "new");
  EXPECT_EQ(p.leggi(other), "keep");
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(p.leggi(link), "new");
}

TEST_F(PosixPlatformTest, FailuresNameThePath) {
  const std::string missing = p.unisci(dir, "missing.txt");
  EXPECT_FALSE(p.esiste(missing));
  try {
    p.leggi(missing);
    FAIL();
  } catch (const RuntimeFailure& f) {
    EXPECT_NE(std::string(f.what()).find(missing), std::string::npos);
  }
  EXPECT_THROW(p.elimina(missing), RuntimeFailure);
  EXPECT_THROW(p.scrivi(p.unisci(dir, "no/such/dir.txt"), "x"), RuntimeFailure);
}

TEST_F(PosixPlatformTest, APathWithANulByteIsRefusedNotCutShort) {
  const std::string path = p.unisci(dir, std::string("a\0b", 3));
  EXPECT_THROW(p.scrivi(path, "x"), RuntimeFailure);
  EXPECT_THROW(p.esiste(path), RuntimeFailure);
  EXPECT_THROW(p.leggi(path), RuntimeFailure);
  EXPECT_FALSE(fs::exists(p.unisci(dir, "a")));
}

TEST_F(PosixPlatformTest, DeleteRemovesTheFile) {
  const std::string path = p.unisci(dir, "x.txt");
  p.scrivi(path, "x");
  EXPECT_TRUE(p.esiste(path));
  p.elimina(path);
  EXPECT_FALSE(p.esiste(path));
}

}  // namespace
}  // namespace tracciato
