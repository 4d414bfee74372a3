#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("orvane-atomic-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t EntriesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, NewFileGetsTheBytesAndTheUsualPermissions) {
  const mode_t mask = ::umask(022);
  const fs::path path = dir_ / "out.fdt";
  std::string big(200000, 'x');  // more than the buffer holds
  big += "\r\nend";
  {
    AtomicFile file(path);
    file.Write("first\r\n");
    file.Write(big);
    EXPECT_FALSE(fs::exists(path)) << "visible before Commit";
    file.Commit();
  }
  ::umask(mask);
  EXPECT_EQ(Contents(path), "first\r\n" + big);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(AtomicFileTest, ReplacingKeepsThePermissionsOfTheOldFile) {
  const fs::path path = dir_ / "out.fdt";
  Put(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically(path, "new");
  EXPECT_EQ(Contents(path), "new");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinks) {
  fs::create_directory(dir_ / "real");
  const fs::path target = dir_ / "real" / "data.fdt";
  Put(target, "old");
  fs::create_symlink("real/data.fdt", dir_ / "first");  // relative, and a chain of two
  fs::create_symlink(dir_ / "first", dir_ / "second");
  WriteFileAtomically(dir_ / "second", "new");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "second")));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "first")));
  EXPECT_EQ(Contents(target), "new");

  // A link to a file that does not exist yet creates that file.
  fs::create_symlink("real/fresh.fdt", dir_ / "dangling");
  WriteFileAtomically(dir_ / "dangling", "made");
  EXPECT_EQ(Contents(dir_ / "real" / "fresh.fdt"), "made");
}

TEST_F(AtomicFileTest, AbandonedWriteLeavesTheOldFile) {
  const fs::path path = dir_ / "out.fdt";
  Put(path, "old");
  {
    AtomicFile file(path);
    file.Write("half of it");
  }
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(EntriesInDir(), 1u);

  AtomicFile file(path);
  file.Write("more");
  file.Discard();
  file.Discard();
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndLeaveNoTrace) {
  const fs::path nowhere = dir_ / "no folder" / "out.fdt";
  try {
    AtomicFile file(nowhere);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot write '" + nowhere.string() + "': No such file or directory");
    EXPECT_EQ(e.Path(), nowhere);
  }

  // Renaming onto a folder fails even for root.
  const fs::path folder = dir_ / "taken";
  fs::create_directory(folder);
  AtomicFile file(folder);
  file.Write("x");
  try {
    file.Commit();
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("cannot write '" + folder.string() + "': ", 0), 0u)
        << e.what();
  }
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(EntriesInDir(), 1u);
  EXPECT_THROW(file.Commit(), FileError);  // nothing left to commit
}

TEST_F(AtomicFileTest, SignalCleanupRemovesOpenTemporaryFiles) {
  const fs::path path = dir_ / "out.fdt";
  Put(path, "old");
  AtomicFile open(path);
  open.Write("partial");
  AtomicFile other(dir_ / "net.svg");
  EXPECT_EQ(EntriesInDir(), 3u);
  RemoveTemporaryFiles();
  EXPECT_EQ(EntriesInDir(), 1u);
  EXPECT_EQ(Contents(path), "old");
}

}  // namespace
}  // namespace orvane
