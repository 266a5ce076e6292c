// A scratch folder that lives as long as the object, whole files, and running shell commands
// in tests.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Full path of a file in the folder, as a string.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

// Writes the bytes, making the parent folders.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// Runs a shell command; returns its exit status and puts stdout and stderr into `output`.
int RunCommand(const std::string& command, std::string* output = nullptr);
bool HaveTool(const std::string& name);
std::string ShellQuote(const std::string& s);

}  // namespace testing_support

// Skips the running test when an outside program it checks against is not installed.
#define QW_REQUIRE_TOOL(tool)                                                            \
  do {                                                                                   \
    if (!::testing_support::HaveTool(tool)) GTEST_SKIP() << tool << " is not installed"; \
  } while (0)
