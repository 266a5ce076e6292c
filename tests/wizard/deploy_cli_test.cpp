// The builder run headless with -deploy, as a publishing script runs it: every failure ends
// the program with a message on standard error and a non-zero exit status, never waits, and
// never destroys a good midlet already at the target.
#include "assembly/zipfile.h"
#include "damaged_archive_support.h"
#include "support/russianlocale.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

constexpr const char* kVariant = "tomefalcon_s55_ce";

struct Outcome {
  int status = -1;  // exit status, -1 when it did not exit by itself
  std::string errors;
};

// A program folder of its own: the builder (linked, not copied) beside a resource archive.
class DeployRun : public ::testing::Test {
protected:
  void SetUp() override {
    fs::permissions(dir_.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory(Bin());
    std::error_code linked;
    fs::create_hard_link(fs::path(QW_BIN_DIR) / "quirewright", Bin() / "quirewright", linked);
    if (linked) fs::copy_file(fs::path(QW_BIN_DIR) / "quirewright", Bin() / "quirewright");  // another file system
    fs::copy_file(fs::path(QW_BIN_DIR) / "quirewright.dat", Bin() / "quirewright.dat");
    fs::create_directory(Out());
  }
  fs::path Bin() const { return dir_.Path() / "bin"; }
  fs::path Out() const { return dir_.Path() / "out"; }
  std::string Archive() const { return (Bin() / "quirewright.dat").string(); }

  // Runs "quirewright -deploy <prefix> <variant>"; `fileLimit` limits the size of every file
  // it writes (a disk that is nearly full), `asNobody` drops the super-user's rights.
  Outcome Deploy(const std::string& prefix, rlim_t fileLimit = RLIM_INFINITY, bool asNobody = false) {
    const std::string errors = (dir_.Path() / "stderr.txt").string();
    const std::string exe = (Bin() / "quirewright").string();
    const pid_t pid = fork();
    if (pid == 0) {
      const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      dup2(fd, 2);
      dup2(fd, 1);
      if (fileLimit != RLIM_INFINITY) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(125);
      execl(exe.c_str(), exe.c_str(), "-deploy", prefix.c_str(), kVariant, static_cast<char*>(nullptr));
      _exit(126);
    }
    Outcome run;
    int status = 0;
    // A run that hangs on a dialog nobody can close is ended here.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (wait4(pid, &status, WNOHANG, &usage_) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        run.errors = ReadFile(errors);
        ADD_FAILURE() << "deploy did not end: " << run.errors;
        return run;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = ReadFile(errors);
    return run;
  }

  std::vector<std::string> OutFiles() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Out())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
  struct rusage usage_ {};  // of the last run
};

// The raw deflate stream of `size` zero bytes, made in pieces, with their CRC-32.
assembly::TPackedData DeflatedZeros(uint64_t size) {
  assembly::TPackedData packed;
  z_stream zs{};
  deflateInit2(&zs, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  const std::string zeros(1 << 20, '\0');
  std::string out(1 << 16, '\0');
  uLong crc = crc32(0L, Z_NULL, 0);
  for (uint64_t done = 0; done <= size;) {
    const std::size_t take = static_cast<std::size_t>(std::min<uint64_t>(zeros.size(), size - done));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uInt>(take));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    zs.avail_in = static_cast<uInt>(take);
    done += take;
    const int flush = done == size ? Z_FINISH : Z_NO_FLUSH;
    int rc = Z_OK;
    do {
      zs.next_out = reinterpret_cast<Bytef*>(out.data());
      zs.avail_out = static_cast<uInt>(out.size());
      rc = deflate(&zs, flush);
      packed.CompressedData.append(out.data(), out.size() - zs.avail_out);
    } while (zs.avail_out == 0);
    if (rc == Z_STREAM_END) break;
  }
  deflateEnd(&zs);
  packed.CRC32 = static_cast<uint32_t>(crc);
  packed.UncompressedSize = static_cast<uint32_t>(size);
  return packed;
}

}  // namespace

TEST_F(DeployRun, WritesTheRequestedPairAndEndsWithZero) {
  const Outcome run = Deploy(Out().string() + "/");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"tomefalcon_s55_ce.jad", "tomefalcon_s55_ce.jar"}));
}

TEST_F(DeployRun, AnUnusableArchiveIsNamedAndNothingIsBuilt) {
  const std::vector<wizard::testing::DamagedArchive> cases = wizard::testing::DamagedArchives(ReadFile(Archive()));
  ASSERT_FALSE(cases.back().bytes.empty()) << "the sample archive holds no font entry";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Archive());
    if (c.present) WriteFile(Archive(), c.bytes);
    const Outcome run = Deploy(Out().string() + "/");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("quirewright.dat"), std::string::npos) << run.errors;
    EXPECT_TRUE(OutFiles().empty());
  }
}

TEST_F(DeployRun, AnEntryInflatingToAGigabyteIsRefusedByName) {
  assembly::TZipFile archive;
  archive.LoadFromFile(Archive());
  int jad = -1;
  for (int i = 0; i < archive.Count(); ++i)
    if (archive.FileName(i) == "core/Tomefalcon.jad") jad = i;
  ASSERT_GE(jad, 0);
  archive.WritePackedData(jad, DeflatedZeros(uint64_t{1} << 30));
  archive.SaveToFile(Archive());
  EXPECT_LT(fs::file_size(Archive()), 8u << 20);

  const Outcome run = Deploy(Out().string() + "/");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.errors.find("\"core/Tomefalcon.jad\" of the resource archive quirewright.dat"), std::string::npos)
      << run.errors;
  std::printf("peak memory of -deploy: %ld MB\n", usage_.ru_maxrss / 1024);
  EXPECT_LT(usage_.ru_maxrss, 1024L * 1024L);  // KB
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(DeployRun, AVariantNameThatMatchesNothingFails) {
  const std::string exe = (Bin() / "quirewright").string();
  std::string out;
  const int status = testing_support::RunCommand(
      testing_support::ShellQuote(exe) + " -deploy " + testing_support::ShellQuote(Out().string() + "/") +
          " tomefalcon_nothing",
      &out);
  EXPECT_NE(status, 0);
  EXPECT_NE(out.find("No variant is named \"tomefalcon_nothing\"."), std::string::npos) << out;
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(DeployRun, AFailedWriteKeepsTheGoodPairThere) {
  ASSERT_EQ(Deploy(Out().string() + "/").status, 0);
  const std::vector<std::string> pair = OutFiles();
  ASSERT_EQ(pair.size(), 2u);
  const std::string jar = ReadFile((Out() / pair[1]).string());
  const std::string jad = ReadFile((Out() / pair[0]).string());

  {
    SCOPED_TRACE("nearly full disk");
    const Outcome run = Deploy(Out().string() + "/", jar.size() / 2);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("File too large"), std::string::npos) << run.errors;
  }
  {
    SCOPED_TRACE("read-only folder");
    fs::permissions(Out(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Outcome run = Deploy(Out().string() + "/", RLIM_INFINITY, true);
    fs::permissions(Out(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("Permission denied"), std::string::npos) << run.errors;
  }
  {
    SCOPED_TRACE("missing folder");
    const Outcome run = Deploy((Out() / "missing").string() + "/");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("No such file or directory"), std::string::npos) << run.errors;
  }
  EXPECT_EQ(OutFiles(), pair);  // nothing truncated, nothing half-written left beside
  EXPECT_EQ(ReadFile((Out() / pair[1]).string()), jar);
  EXPECT_EQ(ReadFile((Out() / pair[0]).string()), jad);
}

// Under a Russian UTF-8 locale the message on standard error names a Cyrillic or an accented
// folder as it is written, with the C library's Russian reason, all in UTF-8.
TEST_F(DeployRun, FailuresOnStandardErrorAreInTheLocalesEncoding) {
  testing_support::RussianLocale russian(dir_.Path());
  QW_REQUIRE_RUSSIAN_LOCALE(russian);
  for (const std::string folder : {"Книги", "Café"}) {
    SCOPED_TRACE(folder);
    const fs::path at = dir_.Path() / folder;
    fs::create_directories(at / (std::string(kVariant) + ".jar"));  // a folder in the JAR's place
    const Outcome run = Deploy(at.string() + "/");
    EXPECT_NE(run.status, 0);
    const std::string line = "Error: Cannot write file \"" + at.string() + "/" + kVariant + ".jar\": Это каталог\n";
    EXPECT_NE(run.errors.find(line), std::string::npos) << run.errors;
  }
}
