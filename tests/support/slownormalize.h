// The book text normalisation done literally, for comparison with the fast one in tests and
// fuzzing: collapse blanks, then sweeps of single deletions until a whole sweep finds nothing,
// then the block walk with insertions. Quadratic.
#pragma once

#include <cstddef>
#include <string>

namespace testing_support {

inline std::string SlowNormalize(const std::string& text) {
  std::string s;
  for (char c : text)
    if (c != ' ' || (!s.empty() && s.back() != ' ' && s.back() != '\n')) s += c;

  struct Rule {
    const char* pattern;
    int deleted;
  };
  static const Rule rules[] = {{" \x01", 0},  {"\n\x01", 0}, {"\r\x01", 0}, {"\t\x01", 0},   {"\x02 ", 1},
                               {"\x02\n", 1}, {"\x02\r", 1}, {"\x02\t", 1}, {"\n\n\n\n", 0}, {" \n", 0}};
  for (bool found = true; found;) {
    found = false;
    for (const Rule& r : rules) {
      const std::size_t p = s.find(r.pattern);
      if (p != std::string::npos) {
        s.erase(p + r.deleted, 1);
        found = true;
      }
    }
  }

  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\x01') continue;
    std::size_t j = s.find('\x02', i + 1);
    if (j == std::string::npos) j = s.size();
    const std::size_t b = (i + 127) / 128 * 128;
    if (i < b && j >= b) s.insert(i, b - i, ' ');
  }
  return s;
}

}  // namespace testing_support
