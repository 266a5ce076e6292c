// Whole files: the one reader and the one writer of every file the programs read whole or
// keep for the user (midlets, reports, fonts, the settings file). A write never destroys a
// good file: the bytes go to a temporary file in the same folder, are flushed, and only then
// renamed over the target; on any failure the temporary file is removed and the target
// stays as it was. The temporary file is unnamed where the file system allows it (so a
// killed process leaves nothing behind); a symbolic link is written through to its target,
// an existing file keeps its mode, and a file that nobody may write is not replaced.
// The messages keep each part in its own encoding (platform/system/message.h); what() gives
// them in the process code page.
#pragma once

#include "platform/system/message.h"

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A file that cannot be read or written: the path, the errno value, the reason (as the C
// library gives it, and as a message part) and a message naming the path and the reason.
class EFileError : public EMessageError {
public:
  EFileError(TMessage message, std::string path, int error, TMessage reason)
      : EMessageError(std::move(message)),
        Path(std::move(path)),
        Error(error),
        Reason(reason.Utf8()),
        ReasonText(std::move(reason)) {}
  std::string Path;
  int Error;
  std::string Reason;  // UTF-8
  TMessage ReasonText;
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
  // A target that is not a regular file, or that cannot be written (for root: one without
  // any write permission bit), is refused here.
  TPendingFile(const std::string& path, std::string_view data);
  ~TPendingFile();
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;

  // Renames the written file over the target; EFileError when that fails.
  void Commit();

private:
  std::string path_;    // as given, for messages
  std::string target_;  // links followed
  std::string temp_;    // the named temporary file, when it has a name
  int fd_ = -1;         // the unnamed temporary file, until it is linked
};

// Replaces (or creates) the file with the bytes: TPendingFile, then Commit.
void WriteWholeFile(const std::string& path, std::string_view data);

}  // namespace platform
