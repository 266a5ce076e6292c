// Binary (RCDATA) resources of the program's modules: named or numbered byte blocks that the
// localisation code reads in place of resources linked into an executable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace localisation {

using HModule = std::uintptr_t;
// The running program's own module. Its "LANG_CONSTS" resource is the built-in table of
// named texts (Quirewright's unless a program chooses otherwise, see langmanager.h).
constexpr HModule kMainModule = 1;

// Resource names are matched without regard to case. Setting replaces an earlier block.
void SetRcData(HModule module, std::string_view name, std::string bytes);
void SetRcData(HModule module, int id, std::string bytes);
// None when the module has no such resource.
const std::string* FindRcData(HModule module, std::string_view name);
const std::string* FindRcData(HModule module, int id);

}  // namespace localisation
