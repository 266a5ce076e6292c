#include "assembly/findfile.h"

#include "assembly/textpaths.h"
#include "platform/system/codepage.h"

#include <filesystem>
#include <vector>

namespace assembly {

std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative) {
  namespace fs = std::filesystem;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size(); ++i) {
    if (i == relative.size() || relative[i] == '/' || relative[i] == '\\') {
      std::string part = relative.substr(start, i - start);
      if (!part.empty() && part != ".") parts.push_back(std::move(part));
      start = i + 1;
    }
  }
  if (parts.empty()) return std::string();
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  std::error_code error;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::string& part = parts[k];
    std::string found;
    if (part == ".." || fs::exists(path + part, error)) {
      found = part;
    } else {
      for (fs::directory_iterator it(path.empty() ? "." : path, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if ((platform::SameText(name, part) || platform::SameText(PathText(name), part) ||
             platform::SameTextUtf8(name, part)) &&
            (found.empty() || name < found))
          found = name;
      }
      if (found.empty()) return std::string();
    }
    path += found;
    if (k + 1 < parts.size()) path += '/';
  }
  return fs::is_regular_file(path, error) ? path : std::string();
}

}  // namespace assembly
