// The running program's own folder ("the program folder").
#pragma once

#include <string>

namespace platform {

// Full path of the running executable (from /proc/self/exe).
std::string ExecutablePath();
// Folder of the executable, with a trailing '/'. Tests may point it elsewhere.
std::string ExecutableDir();
void SetExecutableDirForTesting(const std::string& dir);

}  // namespace platform
