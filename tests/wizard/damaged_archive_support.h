// Damaged copies of a resource archive, for the start-up failure tests.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace wizard::testing {

inline std::string RandomBytes(std::size_t n) {
  std::mt19937 random(12);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(random());
  return s;
}

// The archive with the deflate stream of the first entry whose name starts with `prefix`
// broken ("" when it has none).
inline std::string WithBrokenEntry(const std::string& archive, const std::string& prefix) {
  const std::size_t name = archive.find(prefix);
  if (name == std::string::npos || name < 4) return "";
  // The local header's name and extra field lengths stand in the 4 bytes before the name.
  const auto u16 = [&](std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(archive[at]) |
                                    (static_cast<unsigned char>(archive[at + 1]) << 8));
  };
  const std::size_t data = name + u16(name - 4) + u16(name - 2);
  if (data + 16 > archive.size()) return "";
  std::string broken = archive;
  for (std::size_t i = 0; i < 16; ++i) broken[data + i] = '\xFF';
  return broken;
}

inline std::string WithBrokenFontEntry(const std::string& archive) { return WithBrokenEntry(archive, "fonts/"); }

struct DamagedArchive {
  const char* name;
  std::string bytes;
  bool present;  // false: no archive at all
};

// A table of unusable archives made from a good one: missing, empty, truncated, random, and
// one with a single damaged entry.
inline std::vector<DamagedArchive> DamagedArchives(const std::string& good) {
  return {{"missing", "", false},
          {"zero bytes", "", true},
          {"truncated", good.substr(0, good.size() / 2), true},
          {"random", RandomBytes(4096), true},
          {"one entry corrupted", WithBrokenFontEntry(good), true}};
}

}  // namespace wizard::testing
