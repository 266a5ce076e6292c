// A full disk for this process while the object lives: writing a file past `bytes` bytes fails
// (EFBIG) instead of ending the process with SIGXFSZ. Pipes and terminals are not limited.
#pragma once

#include <sys/resource.h>
#include <csignal>

namespace testing_support {

class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace testing_support
