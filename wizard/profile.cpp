#include "wizard/profile.h"

#include "platform/component.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace wizard {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// "[name]" -> name; false for other lines.
bool SectionOf(const std::string& line, std::string& name) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  name = Trim(t.substr(1, close - 1));
  return true;
}

bool KeyOf(const std::string& line, std::string& key, std::string& value) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(line.substr(0, eq));
  value = line.substr(eq + 1);
  return !key.empty();
}

}  // namespace

std::vector<std::string> TProfile::ReadLines() const {
  std::vector<std::string> lines;
  std::ifstream in(path_, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool TProfile::Find(const std::string& section, const std::string& key, std::string& value) const {
  bool in_section = false;
  for (const std::string& line : ReadLines()) {
    std::string name, k, v;
    if (SectionOf(line, name)) {
      in_section = platform::SameName(name, section);
    } else if (in_section && KeyOf(line, k, v) && platform::SameName(k, key)) {
      value = Trim(v);
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
      return true;
    }
  }
  return false;
}

int TProfile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  std::string v;
  if (!Find(section, key, v)) return def;
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  long long n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9') {
    n = n * 10 + (v[i++] - '0');
    if (n > 0x7fffffffLL) n = 0x7fffffffLL;
  }
  return static_cast<int>(negative ? -n : n);
}

std::string TProfile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  std::string v;
  return Find(section, key, v) ? v : def;
}

bool TProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  std::string clean = value;
  for (char& c : clean)
    if (c == '\r' || c == '\n') c = ' ';
  std::vector<std::string> lines = ReadLines();
  int section_line = -1, last_in_section = -1;
  bool in_section = false, done = false;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, k, v;
    if (SectionOf(lines[i], name)) {
      in_section = platform::SameName(name, section);
      if (in_section && section_line < 0) {
        section_line = static_cast<int>(i);
        last_in_section = static_cast<int>(i);
      }
    } else if (in_section) {
      if (KeyOf(lines[i], k, v) && platform::SameName(k, key)) {
        lines[i] = k + "=" + clean;
        done = true;
      } else if (!Trim(lines[i]).empty()) {
        last_in_section = static_cast<int>(i);
      }
    }
  }
  if (!done) {
    if (section_line < 0) {
      lines.push_back("[" + section + "]");
      lines.push_back(key + "=" + clean);
    } else {
      lines.insert(lines.begin() + last_in_section + 1, key + "=" + clean);
    }
  }
  std::string tmp = path_ + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& l : lines) out << l << "\r\n";
    if (!out) return false;
  }
  return std::rename(tmp.c_str(), path_.c_str()) == 0;
}

}  // namespace wizard
