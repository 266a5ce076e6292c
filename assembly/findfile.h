// Looking up a file named without regard to case.
#pragma once

#include <string>

namespace assembly {

// The file that `relative` names inside `folder`, each component matched without regard to
// case ('/' and '\' both separate); empty when there is no such regular file.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative);

}  // namespace assembly
