// Reading back the "Key: value" lines of a written JAD or manifest.
#pragma once

#include "assembly/utils.h"

#include <map>
#include <string>

namespace assembly::testing {

inline std::map<std::string, std::string> Attributes(const std::string& text) {
  std::map<std::string, std::string> a;
  for (const std::string& line : SplitLines(text)) {
    const auto colon = line.find(": ");
    if (colon != std::string::npos) a.emplace(line.substr(0, colon), line.substr(colon + 2));
  }
  return a;
}

}  // namespace assembly::testing
