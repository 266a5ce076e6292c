#include "platform/system/wholefile.h"

#include "platform/system/codepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

TMessage ReasonOf(int error, const char* reason) {
  return reason != nullptr ? TMessage(reason, AnsiCodePage()) : TMessage().Reason(error);
}

[[noreturn]] void ReadFailed(const std::string& path, int error, const char* reason = nullptr) {
  const TMessage why = ReasonOf(error, reason);
  TMessage text("Cannot open file \"", AnsiCodePage());
  throw EFileError(text.Path(path).Own("\". ", AnsiCodePage()).Append(why), path, error, why);
}

[[noreturn]] void WriteFailed(const std::string& path, int error, const char* reason = nullptr) {
  const TMessage why = ReasonOf(error, reason);
  TMessage text("Cannot write file \"", AnsiCodePage());
  throw EFileError(text.Path(path).Own("\": ", AnsiCodePage()).Append(why), path, error, why);
}

// The permissions of a newly created file (mkstemp makes it private).
mode_t NewFileMode() {
  static const mode_t mask = [] {
    const mode_t m = umask(0);
    umask(m);
    return m;
  }();
  return 0666 & ~mask;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path with the symbolic links of its last part followed; a dangling link gives the
// file it names.
std::string FollowLinks(const std::string& path) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
    const ssize_t n = ::readlink(at.c_str(), link.data(), link.size());
    if (n < 0) return at;
    link.resize(static_cast<std::size_t>(n));
    at = !link.empty() && link[0] == '/' ? link : FolderOf(at) + link;
  }
  WriteFailed(path, ELOOP);
}

// "<folder>.<name>.XXXXXX": the name of a temporary file beside the target.
std::string TempPattern(const std::string& target) {
  const std::string dir = FolderOf(target);
  return dir + "." + target.substr(dir.size()).substr(0, 200) + ".XXXXXX";
}

// A fresh name for a temporary file beside the target (nothing is created).
std::string TempName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string name = TempPattern(target);
  unsigned long long seed =
      (static_cast<unsigned long long>(::getpid()) << 32) ^
      static_cast<unsigned long long>(counter.fetch_add(1) * 2654435761u) ^
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (std::size_t i = name.size() - 6; i < name.size(); ++i) {
    name[i] = kDigits[seed % 62];
    seed = seed / 62 * 6364136223846793005ull + 1442695040888963407ull;
  }
  return name;
}

int WriteAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::fsync(fd) != 0 ? errno : 0;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::size_t limit) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ReadFailed(path, errno);
  struct stat st{};
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    ReadFailed(path, error);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) ReadFailed(path, EISDIR);
    ReadFailed(path, EINVAL, "It is not a regular file.");
  }
  std::string data;
  data.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size)));
  char buffer[65536];
  while (data.size() < limit) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - data.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ReadFailed(path, error);
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

TPendingFile::TPendingFile(const std::string& path, std::string_view data) : path_(path) {
  target_ = FollowLinks(path);
  mode_t mode = NewFileMode();
  struct stat st{};
  if (::stat(target_.c_str(), &st) == 0) {
    // Only a regular file is replaced (a folder or a device keeps its place).
    if (S_ISDIR(st.st_mode)) WriteFailed(path, EISDIR);
    if (!S_ISREG(st.st_mode)) WriteFailed(path, EINVAL, "It is not a regular file.");
    // A read-only file stays as it is, also for root (who may write anything).
    if ((st.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0) WriteFailed(path, EACCES);
    mode = st.st_mode & 07777;
  }
  const std::string dir = FolderOf(target_);
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0) {
    // A file system without unnamed files: a named one, removed on every failure.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) WriteFailed(path, errno);
    std::string temp = TempPattern(target_);
    fd = ::mkstemp(temp.data());
    if (fd < 0) WriteFailed(path, errno);
    temp_ = temp;
  }
  ::fchmod(fd, mode);
  int error = WriteAll(fd, data);
  if (!temp_.empty()) {
    if (::close(fd) != 0 && error == 0) error = errno;
    fd = -1;
  }
  if (error != 0) {
    if (fd >= 0) ::close(fd);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    WriteFailed(path, error);
  }
  fd_ = fd;
}

TPendingFile::~TPendingFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TPendingFile::Commit() {
  if (fd_ >= 0) {
    // Give the unnamed file a name: the target itself when there is none yet, else a
    // temporary one that is renamed over it at once.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    int error = 0;
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
    if (errno == EEXIST) {
      for (int tries = 0; tries < 100; ++tries) {
        std::string temp = TempName(target_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          temp_ = temp;
          break;
        }
        if (errno != EEXIST) break;
      }
    }
    if (temp_.empty()) error = errno;
    if (::close(fd_) != 0 && error == 0) error = errno;
    fd_ = -1;
    if (error != 0) WriteFailed(path_, error);
  }
  if (temp_.empty()) WriteFailed(path_, EINVAL);
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    temp_.clear();
    WriteFailed(path_, error);
  }
  temp_.clear();
}

void WriteWholeFile(const std::string& path, std::string_view data) {
  TPendingFile file(path, data);
  file.Commit();
}

}  // namespace platform
