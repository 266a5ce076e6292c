#include "assembly/textpaths.h"

#include "platform/system/codepage.h"

namespace assembly {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::size_t p = text.find(from);
  if (p == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (; p != std::string::npos; p = text.find(from, done)) {
    out.append(text, done, p - done);
    out += to;
    done = p + from.size();
  }
  out.append(text, done, std::string::npos);
  text = std::move(out);
}

// Host paths are UTF-8; texts are in the process code page.
std::string PathText(const std::string& path) { return platform::FromUtf8(path); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsHtmlFile(const std::string& path) {
  const std::string upper = platform::UpperCase(path);
  return upper.ends_with(".HTM") || upper.ends_with(".HTML");
}

}  // namespace assembly
