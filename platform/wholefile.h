// Whole files: the one reader and the one writer of every file the programs read whole or
// keep for the user (midlets, reports, fonts, the settings file). A write never destroys a
// good file: the bytes go to a temporary file in the same folder, are flushed, and only then
// renamed over the target; on any failure the temporary file is removed and the target
// stays as it was.
#pragma once

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A file that cannot be read or written: the path, the errno value and a message naming both.
class EFileError : public std::runtime_error {
public:
  EFileError(const std::string& message, std::string path, int error)
      : std::runtime_error(message), Path(std::move(path)), Error(error) {}
  std::string Path;
  int Error;
};

// The bytes of a regular file, at most `limit` of them. Anything else (a missing file, a
// folder, a FIFO, a device) raises EFileError "Cannot open file "<path>". <reason>" at once,
// without waiting on the file.
std::string ReadWholeFile(const std::string& path,
                          std::size_t limit = std::numeric_limits<std::size_t>::max());

// A file written beside its target and put in place by Commit. Until then the target is
// untouched; a file never committed is removed when the object goes.
class TPendingFile {
public:
  // Writes and flushes the bytes; EFileError "Cannot write file "<path>": <reason>".
  TPendingFile(const std::string& path, std::string_view data);
  ~TPendingFile();
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;

  // Renames the written file over the target; EFileError when that fails.
  void Commit();
  const std::string& Target() const { return target_; }

private:
  std::string target_;
  std::string temp_;
};

// Replaces (or creates) the file with the bytes: TPendingFile, then Commit.
void WriteWholeFile(const std::string& path, std::string_view data);

}  // namespace platform
