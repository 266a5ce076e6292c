#include "platform/system/exedir.h"

#include <mutex>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {
std::mutex g_mu;
std::string g_override;
}  // namespace

std::string ExecutablePath() {
  std::vector<char> buf(4096);
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
    buf.resize(buf.size() * 2);
  }
}

std::string ExecutableDir() {
  {
    std::lock_guard<std::mutex> lock(g_mu);
    if (!g_override.empty()) return g_override;
  }
  std::string p = ExecutablePath();
  size_t slash = p.rfind('/');
  return slash == std::string::npos ? std::string("./") : p.substr(0, slash + 1);
}

void SetExecutableDirForTesting(const std::string& dir) {
  std::lock_guard<std::mutex> lock(g_mu);
  g_override = dir;
  if (!g_override.empty() && g_override.back() != '/') g_override += '/';
}

}  // namespace platform
