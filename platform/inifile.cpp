#include "platform/inifile.h"

#include "platform/wholefile.h"

#include "platform/exedir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// "[name]" -> name (trimmed); false for other lines.
bool SectionOf(const std::string& line, std::string& name) {
  std::string t = Trim(line);
  if (t.size() < 2 || t[0] != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  name = Trim(t.substr(1, close - 1));
  return true;
}

// "key=value" -> key (trimmed) and the raw value; false for comments and other lines.
bool EntryOf(const std::string& line, std::string& key, std::string& value) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(line.substr(0, eq));
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

// Where in `lines` the key stands: its line, or the end of its section, or npos.
struct Place {
  size_t section_line = std::string::npos;  // the section header
  size_t insert_at = std::string::npos;     // after the section's last entry
  size_t key_line = std::string::npos;
};

Place Find(const std::vector<std::string>& lines, const std::string& section, const std::string& key) {
  Place p;
  bool in = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name, k, v;
    if (SectionOf(lines[i], name)) {
      if (in) break;  // the first section of that name counts
      in = SameAscii(name, section);
      if (in) {
        p.section_line = i;
        p.insert_at = i + 1;
      }
      continue;
    }
    if (!in) continue;
    if (EntryOf(lines[i], k, v)) {
      p.insert_at = i + 1;
      if (p.key_line == std::string::npos && SameAscii(k, key)) p.key_line = i;
    }
  }
  return p;
}

}  // namespace

TIniFile::TIniFile(std::string path) : read_path_(path), write_path_(std::move(path)) {}

TIniFile::TIniFile(std::string read_path, std::string write_path)
    : read_path_(std::move(read_path)), write_path_(std::move(write_path)) {}

std::vector<std::string> TIniFile::Load() const {
  if (pending_) return *pending_;
  const std::string& path = FileExists(write_path_) ? write_path_ : read_path_;
  try {
    return SplitFileLines(ReadWholeFile(path));
  } catch (const EFileError&) {
    return {};
  }
}

void TIniFile::BeginUpdate() {
  if (!pending_) pending_ = Load();
}

bool TIniFile::EndUpdate() {
  if (!pending_) return true;
  std::vector<std::string> lines = std::move(*pending_);
  pending_.reset();
  return Save(lines);
}

bool TIniFile::Save(const std::vector<std::string>& lines) {
  if (pending_) {
    *pending_ = lines;
    return true;
  }
  std::string text;
  for (const std::string& l : lines) {
    text += l;
    text += "\r\n";
  }
  std::string dir = write_path_.substr(0, write_path_.rfind('/') + 1);
  if (!dir.empty()) {
    // Make the folder (and its parents) when the per-user place does not exist yet.
    for (size_t i = 1; i < dir.size(); ++i)
      if (dir[i] == '/') ::mkdir(dir.substr(0, i).c_str(), 0755);
  }
  try {
    WriteWholeFile(write_path_, text);
    return true;
  } catch (const EFileError&) {
    return false;
  }
}

bool TIniFile::KeyExists(const std::string& section, const std::string& key) const {
  std::vector<std::string> lines = Load();
  return Find(lines, section, key).key_line != std::string::npos;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  std::vector<std::string> lines = Load();
  Place p = Find(lines, section, key);
  if (p.key_line == std::string::npos) {
    size_t e = def.size();
    while (e > 0 && IsBlank(def[e - 1])) --e;
    return def.substr(0, e);
  }
  std::string k, v;
  EntryOf(lines[p.key_line], k, v);
  v = Trim(v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
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
  std::vector<std::string> lines = Load();
  Place p = Find(lines, s, k);
  if (p.key_line != std::string::npos) {
    std::string oldKey, oldValue;
    EntryOf(lines[p.key_line], oldKey, oldValue);
    lines[p.key_line] = oldKey + "=" + value;
  } else if (p.section_line != std::string::npos) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(p.insert_at), k + "=" + value);
  } else {
    lines.push_back("[" + s + "]");
    lines.push_back(k + "=" + value);
  }
  return Save(lines);
}

TIniFile ProgramSettings(const std::string& file_name) {
  std::string dir = ExecutableDir();
  return ProgramSettingsFor(dir, ::access(dir.c_str(), W_OK) == 0, file_name);
}

TIniFile ProgramSettingsFor(const std::string& dir, bool writable, const std::string& file_name) {
  if (writable) return TIniFile(dir + file_name);
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') base = xdg;
  else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return TIniFile(dir + file_name, base + "/quirewright/" + file_name);
}

}  // namespace platform
