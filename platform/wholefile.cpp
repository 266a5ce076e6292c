#include "platform/wholefile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void ReadFailed(const std::string& path, int error, const char* reason = nullptr) {
  throw EFileError("Cannot open file \"" + path + "\". " + (reason != nullptr ? reason : std::strerror(error)), path,
                   error);
}

[[noreturn]] void WriteFailed(const std::string& path, int error, const char* reason = nullptr) {
  throw EFileError("Cannot write file \"" + path + "\": " + (reason != nullptr ? reason : std::strerror(error)), path,
                   error);
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

TPendingFile::TPendingFile(const std::string& path, std::string_view data) : target_(path) {
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // Only a regular file is replaced (a folder or a device keeps its place).
  struct stat st{};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) WriteFailed(path, EISDIR);
    WriteFailed(path, EINVAL, "It is not a regular file.");
  }
  std::string temp = dir + "." + name.substr(0, 200) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) WriteFailed(path, errno);
  temp_ = temp;
  ::fchmod(fd, NewFileMode());
  std::size_t done = 0;
  int error = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(temp_.c_str());
    temp_.clear();
    WriteFailed(path, error);
  }
}

TPendingFile::~TPendingFile() {
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TPendingFile::Commit() {
  if (temp_.empty()) WriteFailed(target_, EINVAL);
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    temp_.clear();
    WriteFailed(target_, error);
  }
  temp_.clear();
}

void WriteWholeFile(const std::string& path, std::string_view data) {
  TPendingFile file(path, data);
  file.Commit();
}

}  // namespace platform
