// Pieces shared by the book build benchmarks: texts by name, a generated book, JARs counted.
#pragma once

#include "assembly/midletconfig.h"

#include <cstddef>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace bookbench {

// Every named text is its own name.
class NameTexts : public assembly::NamedTexts {
public:
  std::string TextByName(std::string_view name) const override { return std::string(name); }
};

// Random words of 2..9 letters with a paragraph break now and then, at least length bytes.
inline std::string Words(std::mt19937& rng, std::size_t length) {
  std::string s;
  s.reserve(length + 16);
  while (s.size() < length) {
    if (!s.empty()) s += rng() % 40 == 0 ? "\r\n\r\n" : " ";
    const int n = 2 + int(rng() % 8);
    for (int i = 0; i < n; ++i) s += char('a' + rng() % 26);
  }
  return s;
}

inline int CountJars(const std::filesystem::path& folder) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.path().extension() == ".jar";
  return n;
}

}  // namespace bookbench
