#include "assembly/utils.h"

#include "platform/system/codepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cctype>
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

char TransliterateChar(char32_t c) {
  // The Latin letters of А..Я (U+0410..U+042F); а..я take their lower case. Ъ and Ь have none.
  static constexpr std::string_view kLatin = "ABVGDEZZIYKLMNOPRSTUFHCCSSxYxEUA";
  if (c <= 127) return static_cast<char>(c);
  if (c >= 0x410 && c < 0x430) return kLatin[c - 0x410];
  if (c >= 0x430 && c < 0x450) return static_cast<char>(std::tolower(static_cast<unsigned char>(kLatin[c - 0x430])));
  return 'x';
}

std::string TransliterateCyrillic(const std::string& s) {
  const platform::CodePage& page = platform::CodePage::Get(platform::AnsiCodePage());
  std::string out = s;
  for (char& c : out) c = TransliterateChar(page.ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string TransliterateCyrillic(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) out += TransliterateChar(c);
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
