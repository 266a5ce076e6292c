#include "platform/system/wholefile.h"

#include "support/filesizelimit.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>

#include "platform/system/codepage.h"

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
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jad"});  // the pending file has no name
  }
  EXPECT_EQ(ReadFile(dir.File("a.jad")), "old");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jad"});
  TPendingFile pending(dir.File("a.jad"), "new");
  pending.Commit();
  EXPECT_EQ(ReadFile(dir.File("a.jad")), "new");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.jad"});
}

TEST(WholeFile, AKilledWriterLeavesNothingBesideTheTarget) {
  TempDir dir;
  const struct {
    const char* name;
    bool exists;
  } cases[] = {{"tomefalcon_n_ru.jar", true}, {"Quirewright.ini", true}, {"new.fnt", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = dir.File(c.name);
    if (c.exists) testing_support::WriteFile(target, "good");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The bytes are written and flushed; the process dies before the rename.
      TPendingFile pending(target, std::string(1 << 20, 'n'));
      const char byte = 1;
      if (write(ready[1], &byte, 1) != 1) _exit(2);
      for (;;) pause();
    }
    close(ready[1]);
    char byte = 0;
    EXPECT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    if (c.exists) {
      EXPECT_EQ(ReadFile(target), "good");
    } else {
      EXPECT_FALSE(fs::exists(target));
    }
    for (const std::string& name : Names(dir)) EXPECT_EQ(name[0] == '.', false) << name;
  }
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"Quirewright.ini", "tomefalcon_n_ru.jar"}));
}

TEST(WholeFile, LinksAreWrittenThroughAndModesKept) {
  TempDir dir;
  fs::create_directory(dir.File("real"));
  testing_support::WriteFile(dir.File("real/book.jar"), "old jar");
  testing_support::WriteFile(dir.File("real/Quirewright.ini"), "old settings");
  ASSERT_EQ(chmod(dir.File("real/Quirewright.ini").c_str(), 0600), 0);
  testing_support::WriteFile(dir.File("real/wide.fnt"), "old font");
  ASSERT_EQ(chmod(dir.File("real/wide.fnt").c_str(), 0664), 0);
  fs::create_symlink("real/book.jar", dir.File("book.jar"));                          // relative
  fs::create_symlink(dir.File("real/Quirewright.ini"), dir.File("Quirewright.ini"));  // absolute
  fs::create_symlink("book.jar", dir.File("chain.jar"));                              // a link to a link
  fs::create_symlink("real/made.jad", dir.File("dangling.jad"));                      // names a file not there yet
  const struct {
    std::string written, link, target;
    mode_t mode;
  } cases[] = {
      {"book.jar", "book.jar", "real/book.jar", 0644},
      {"Quirewright.ini", "Quirewright.ini", "real/Quirewright.ini", 0600},
      {"chain.jar", "book.jar", "real/book.jar", 0644},
      {"dangling.jad", "dangling.jad", "real/made.jad", 0644},
      {"real/wide.fnt", "", "real/wide.fnt", 0664},
  };
  const mode_t oldMask = umask(022);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    WriteWholeFile(dir.File(c.written), "new " + c.written);
    EXPECT_EQ(ReadFile(dir.File(c.target)), "new " + c.written);
    if (!c.link.empty()) {
      EXPECT_TRUE(fs::is_symlink(dir.File(c.link)));
    }
    struct stat st {};
    ASSERT_EQ(stat(dir.File(c.target).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
  }
  umask(oldMask);
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"Quirewright.ini", "book.jar", "chain.jar", "dangling.jad", "real"}));
}

TEST(WholeFile, AReadOnlyFileIsNotReplaced) {
  TempDir dir;
  const char* names[] = {"glyphs.fnt", "book.jar", "book.jad", "Quirewright.ini"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    testing_support::WriteFile(path, "kept");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    try {
      WriteWholeFile(path, "replaced");
      ADD_FAILURE() << "a read-only file was replaced";
    } catch (const EFileError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + path + "\": Permission denied");
      EXPECT_EQ(e.Reason, "Permission denied");
    }
    EXPECT_EQ(ReadFile(path), "kept");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
  }
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"Quirewright.ini", "book.jad", "book.jar", "glyphs.fnt"}));
}

TEST(WholeFile, PathsInMessagesAreInTheProcessCodePage) {
  TempDir dir;
  const int oldPage = AnsiCodePage();
  const struct {
    int page;
    std::string folder;  // UTF-8 on disk
    std::string shown;   // the folder's bytes in the code page
  } cases[] = {
      {1251, "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8", "\xCA\xED\xE8\xE3\xE8"},  // Книги
      {1252, "Caf\xC3\xA9", "Caf\xE9"},                                            // Café
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    SetAnsiCodePage(c.page);
    fs::create_directory(dir.File(c.folder));
    fs::create_directory(dir.File(c.folder + "/sub.jar"));
    const std::string prefix = dir.Path().string() + "/";
    const struct {
      std::function<void()> call;
      std::string message;
    } calls[] = {
        {[&] { ReadWholeFile(prefix + c.folder + "/missing.txt"); },
         "Cannot open file \"" + prefix + c.shown + "/missing.txt\". No such file or directory"},
        {[&] { WriteWholeFile(prefix + c.folder + "/sub.jar", "x"); },
         "Cannot write file \"" + prefix + c.shown + "/sub.jar\": Is a directory"},
        {[&] { WriteWholeFile(prefix + c.folder + "/none/a.fnt", "x"); },
         "Cannot write file \"" + prefix + c.shown + "/none/a.fnt\": No such file or directory"},
    };
    for (const auto& call : calls) {
      try {
        call.call();
        ADD_FAILURE() << call.message;
      } catch (const EFileError& e) {
        EXPECT_EQ(std::string(e.what()), call.message);
        EXPECT_EQ(e.Path.find(c.folder), prefix.size());  // the path itself stays as on disk
      }
    }
  }
  SetAnsiCodePage(oldPage);
}
