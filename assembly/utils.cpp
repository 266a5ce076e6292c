#include "assembly/utils.h"

#include "platform/system/codepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace assembly {

std::string ExtractNameOnly(const std::string& path) {
  constexpr size_t kKeep = 1000;
  std::string s = path;
  for (char sep : {'\\', '/'}) {
    size_t p;
    while ((p = s.find(sep)) != std::string::npos) s = s.substr(p + 1, kKeep);
  }
  return s;
}

std::string ExtractNameNoExt(const std::string& path) {
  std::string s = ExtractNameOnly(path);
  size_t dot = s.find('.');
  return dot == std::string::npos ? s : s.substr(0, dot);
}

std::string ParentDir(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  // The folder part keeps its separator; then one trailing separator goes.
  return path.substr(0, slash);
}

bool ForceDirs(const std::string& path) {
  // Each '/' ends a component: the path before it must exist as a folder.
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '/' || i == 0 || path[i - 1] == '/') continue;
    std::string sofar = path.substr(0, i);
    struct stat st{};
    if (stat(sofar.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return false;
      continue;
    }
    if (mkdir(sofar.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (stat(sofar.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  }
  return true;
}

void ReplaceChar(std::string& s, char oldChar, char newChar) {
  for (char& c : s)
    if (c == oldChar) c = newChar;
}

std::string IntToStr2(int value) {
  std::string s = std::to_string(value);
  return value <= 9 ? "0" + s : s;
}

std::string TransliterateCyrillic(const std::string& s) {
  // Windows-1251 letters in keyboard order, lower case then upper case, and their Latin forms.
  static const std::string kCyrillic =
      "\xE9\xF6\xF3\xEA\xE5\xED\xE3\xF8\xF9\xE7\xF5\xF4\xFB\xE2\xE0\xEF\xF0\xEE\xEB\xE4\xE6\xFD\xFF\xF7\xF1\xEC\xE8\xF2\xE1\xFE"
      "\xC9\xD6\xD3\xCA\xC5\xCD\xC3\xD8\xD9\xC7\xD5\xD4\xDB\xC2\xC0\xCF\xD0\xCE\xCB\xC4\xC6\xDD\xDF\xD7\xD1\xCC\xC8\xD2\xC1\xDE";
  static const std::string kLatin = "ycukengsszhfyvaproldzeacsmitbuYCUKENGSSZHFYVAPROLDZEACSMITBU";
  std::string out = s;
  for (char& c : out) {
    if (static_cast<unsigned char>(c) <= 127) continue;
    size_t p = kCyrillic.find(c);
    c = p == std::string::npos ? 'x' : kLatin[p];
  }
  return out;
}

void RemoveEmptyLines(std::vector<std::string>& lines) {
  std::erase_if(lines, [](const std::string& l) { return l.empty(); });
}

std::string EncodeLetterHex(const std::string& s) {
  std::u16string units = platform::ToUtf16(s, platform::AnsiCodePage());
  if (units.size() > 254) units.resize(254);
  std::string out;
  out.reserve(units.size() * 4);
  for (char16_t u : units)
    for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char>('A' + ((u >> shift) & 0xF));
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

}  // namespace assembly
