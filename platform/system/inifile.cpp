#include "platform/system/inifile.h"

#include "platform/system/wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimView(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Trim(const std::string& s) { return std::string(TrimView(s)); }

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return u;
}

// "[name]" -> name (trimmed); false for other lines.
bool SectionOf(std::string_view line, std::string_view& name) {
  const std::string_view t = TrimView(line);
  if (t.size() < 2 || t[0] != '[') return false;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return false;
  name = TrimView(t.substr(1, close - 1));
  return true;
}

// "key=value" -> key (trimmed) and the raw value; false for comments and other lines.
bool EntryOf(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view t = TrimView(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = TrimView(line.substr(0, eq));
  value = line.substr(eq + 1);
  return true;
}

std::vector<std::string> SplitFileLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    lines.push_back(text.substr(i, j - i));
    if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
    i = j + 1;
  }
  return lines;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HasBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

std::string KeyId(std::string_view section, std::string_view key) { return Upper(section) + '\n' + Upper(key); }

}  // namespace

TIniFile::TIniFile(std::string path) : readPath_(path), writePath_(std::move(path)) {}

TIniFile::TIniFile(std::string readPath, std::string writePath)
    : readPath_(std::move(readPath)), writePath_(std::move(writePath)) {}

std::vector<std::string>& TIniFile::Lines() const {
  if (!lines_) {
    const std::string& path = FileExists(writePath_) ? writePath_ : readPath_;
    try {
      lines_ = SplitFileLines(ReadWholeFile(path));
    } catch (const EFileError&) {
      lines_.emplace();
    }
    indexed_ = false;
  }
  return *lines_;
}

// Where every key and section stands; the first section of a name and the first key of a
// name in it count.
void TIniFile::Index() const {
  if (indexed_) return;
  const std::vector<std::string>& lines = Lines();
  keys_.clear();
  sections_.clear();
  std::string current;  // upper-cased; empty outside a section that counts
  bool counts = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view name, k, v;
    if (SectionOf(lines[i], name)) {
      current = Upper(name);
      counts = sections_.emplace(current, SectionPlace{i, i + 1}).second;
      continue;
    }
    if (!counts || !EntryOf(lines[i], k, v)) continue;
    sections_[current].InsertAt = i + 1;
    keys_.emplace(current + '\n' + Upper(k), i);
  }
  indexed_ = true;
}

std::size_t TIniFile::KeyLine(const std::string& section, const std::string& key) const {
  Index();
  const auto it = keys_.find(KeyId(TrimView(section), TrimView(key)));
  return it == keys_.end() ? std::string::npos : it->second;
}

void TIniFile::BeginUpdate() {
  Lines();
  updating_ = true;
}

bool TIniFile::EndUpdate() {
  if (!updating_) return true;
  updating_ = false;
  return Save();
}

bool TIniFile::Save() {
  if (updating_) return true;
  std::string text;
  for (const std::string& l : Lines()) {
    text += l;
    text += "\r\n";
  }
  std::string dir = writePath_.substr(0, writePath_.rfind('/') + 1);
  if (!dir.empty()) {
    // Make the folder (and its parents) when the per-user place does not exist yet.
    for (size_t i = 1; i < dir.size(); ++i)
      if (dir[i] == '/') ::mkdir(dir.substr(0, i).c_str(), 0755);
  }
  try {
    WriteWholeFile(writePath_, text);
    error_.clear();
    return true;
  } catch (const EFileError& e) {
    error_ = e.Reason;
    lines_.reset();  // the file keeps what it had; so do later reads
    indexed_ = false;
    return false;
  }
}

bool TIniFile::KeyExists(const std::string& section, const std::string& key) const {
  return KeyLine(section, key) != std::string::npos;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  const std::size_t line = KeyLine(section, key);
  if (line == std::string::npos) {
    size_t e = def.size();
    while (e > 0 && IsBlank(def[e - 1])) --e;
    return def.substr(0, e);
  }
  std::string_view k, v;
  EntryOf((*lines_)[line], k, v);
  v = TrimView(v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return std::string(v);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  if (!KeyExists(section, key)) return def;
  std::string v = ReadString(section, key, "");
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) neg = v[i++] == '-';
  uint32_t n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9') n = n * 10u + static_cast<uint32_t>(v[i++] - '0');
  if (neg) n = 0u - n;
  return static_cast<int>(n);
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (HasBreak(section) || HasBreak(key) || HasBreak(value)) return false;
  if (section.find(']') != std::string::npos || key.find('=') != std::string::npos) return false;
  std::string k = Trim(key), s = Trim(section);
  if (k.empty() || k[0] == ';' || k[0] == '[') return false;
  std::vector<std::string>& lines = Lines();
  const std::size_t keyLine = KeyLine(s, k);
  if (keyLine != std::string::npos) {
    // In place, the key's spelling kept: nothing moves.
    std::string_view oldKey, oldValue;
    EntryOf(lines[keyLine], oldKey, oldValue);
    lines[keyLine] = std::string(oldKey) + "=" + value;
  } else if (const auto it = sections_.find(Upper(s)); it != sections_.end()) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(it->second.InsertAt), k + "=" + value);
    indexed_ = false;
  } else {
    lines.push_back("[" + s + "]");
    lines.push_back(k + "=" + value);
    indexed_ = false;
  }
  return Save();
}

TIniFile ProgramSettingsFor(const std::string& dir, bool writable, const std::string& fileName) {
  if (writable) return TIniFile(dir + fileName);
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') base = xdg;
  else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return TIniFile(dir + fileName, base + "/quirewright/" + fileName);
}

}  // namespace platform
