#include "platform/wholefile.h"

#include "assembly/fulldisk_support.h"
#include "assembly/tempdir_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using namespace platform;
using testing_support::ReadFile;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.Path())) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(WholeFile, ReadsRegularFilesWholeOrUpToALimit) {
  TempDir dir;
  const std::string bytes("a\0b\r\n\xFF", 6);
  testing_support::WriteFile(dir.File("x.bin"), bytes);
  EXPECT_EQ(ReadWholeFile(dir.File("x.bin")), bytes);
  EXPECT_EQ(ReadWholeFile(dir.File("x.bin"), 3), bytes.substr(0, 3));
  testing_support::WriteFile(dir.File("empty"), "");
  EXPECT_EQ(ReadWholeFile(dir.File("empty")), "");
}

TEST(WholeFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir.File("zero"));
  fs::create_directory(dir.File("folder"));
  const struct {
    std::string path, reason;
  } cases[] = {
      {dir.File("missing"), "No such file or directory"},
      {dir.File("pipe"), "It is not a regular file."},  // would block for a writer
      {dir.File("zero"), "It is not a regular file."},  // would never end
      {dir.File("folder"), "Is a directory"},
  };
  for (const auto& c : cases) {
    try {
      ReadWholeFile(c.path);
      ADD_FAILURE() << c.path;
    } catch (const EFileError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + c.path + "\". " + c.reason);
      EXPECT_EQ(e.Path, c.path);
    }
  }
}

TEST(WholeFile, WriteReplacesTheFileAndLeavesNothingBeside) {
  TempDir dir;
  testing_support::WriteFile(dir.File("a.jar"), "old bytes, longer than the new ones");
  WriteWholeFile(dir.File("a.jar"), "new");
  EXPECT_EQ(ReadFile(dir.File("a.jar")), "new");
  WriteWholeFile(dir.File("b.jad"), "");
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.jar", "b.jad"}));
  struct stat st{};
  ASSERT_EQ(stat(dir.File("b.jad").c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IRUSR, 0u);
}

TEST(WholeFile, AFailedWriteKeepsTheGoodFile) {
  TempDir dir;
  const std::string good(3000, 'g');
  testing_support::WriteFile(dir.File("a.jar"), good);
  {
    testing_support::FileSizeLimit full(1000);  // the disk fills after 1000 bytes
    try {
      WriteWholeFile(dir.File("a.jar"), std::string(5000, 'n'));
      ADD_FAILURE() << "written on a full disk";
    } catch (const EFileError& e) {
      EXPECT_EQ(e.Error, EFBIG);
      EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + dir.File("a.jar") + "\": File too large");
    }
  }
  EXPECT_EQ(ReadFile(dir.File("a.jar")), good);
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jar"});

  EXPECT_THROW(WriteWholeFile(dir.File("missing/a.jar"), "x"), EFileError);
  fs::create_directory(dir.File("folder"));
  EXPECT_THROW(WriteWholeFile(dir.File("folder"), "x"), EFileError);
  EXPECT_TRUE(fs::is_directory(dir.File("folder")));
  if (fs::exists("/dev/full")) {
    // A device is never replaced by a file, whoever runs the test.
    EXPECT_THROW(WriteWholeFile("/dev/full", "x"), EFileError);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
  }
}

TEST(WholeFile, APendingFileTouchesTheTargetOnlyWhenCommitted) {
  TempDir dir;
  testing_support::WriteFile(dir.File("a.jad"), "old");
  {
    TPendingFile pending(dir.File("a.jad"), "new");
    EXPECT_EQ(ReadFile(dir.File("a.jad")), "old");
    EXPECT_EQ(Names(dir).size(), 2u);
  }
  EXPECT_EQ(ReadFile(dir.File("a.jad")), "old");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jad"});
  TPendingFile pending(dir.File("a.jad"), "new");
  pending.Commit();
  EXPECT_EQ(ReadFile(dir.File("a.jad")), "new");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jad"});
}
