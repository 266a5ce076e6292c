// What a build reads: entries of the resource archive by name and the files the user chose,
// and the errors of a build that cannot go on.
#pragma once

#include "platform/system/codepage.h"
#include "platform/system/message.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace assembly {

class TZipFile;

// A build that cannot go on: a name missing from the resource archive, a font or key layout
// file that cannot be read or is malformed, an output file that cannot be written. The message
// names the entry or file.
class EBuildError : public platform::EMessageError {
public:
  // A message of the program's own text, in the process code page.
  explicit EBuildError(const std::string& text) : EMessageError(platform::TMessage(text, platform::AnsiCodePage())) {}
  explicit EBuildError(platform::TMessage message) : EMessageError(std::move(message)) {}
};

// A custom help, font or key layout file that cannot be read. The message is the one
// LoadFileToString shows, and ReportBuildError reports it the same way: title "Fatal error",
// then the program is asked to end.
class EUnreadableFile : public EBuildError {
public:
  explicit EUnreadableFile(const std::string& fileName);
};

// Archive names compare upper-cased by the code page, with "\" read as "/".
class LookupFold {
public:
  LookupFold() : cp_(platform::CodePage::Get(platform::AnsiCodePage())) {}
  unsigned char operator()(char c) const { return c == '\\' ? '/' : cp_.Upper(uint8_t(c)); }

  bool StartsWith(std::string_view name, std::string_view prefix) const {
    if (name.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
      if ((*this)(name[i]) != (*this)(prefix[i])) return false;
    return true;
  }
  bool Same(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && StartsWith(a, b);
  }

private:
  const platform::CodePage& cp_;
};

// Index of the first entry whose name matches ("\" read as "/", case ignored); -1 when none.
int LookupArchiveEntry(const TZipFile& archive, std::string_view name);
// The same, but a missing name raises EBuildError.
int FindArchiveEntry(const TZipFile& archive, std::string_view name);
// The uncompressed data of an entry of the resource archive. An entry that declares more bytes
// than the largest JAR size limit is refused (EBuildError naming it) before it is inflated.
std::string ReadResourceEntry(const TZipFile& archive, int index);
// The uncompressed data of a needed entry (FindArchiveEntry, ReadResourceEntry).
std::string ReadArchiveEntry(const TZipFile& archive, std::string_view name);

// A whole file the user chose for the build (platform::ReadWholeFile); EUnreadableFile when it
// cannot be read.
std::string ReadBuildInput(const std::string& fileName);
// A font file the user chose, read only as far as a check needs: a file without the font
// signature yields just its first bytes, a larger one than any font can be just
// kFontMaxFileSize + 1 bytes, so CheckFontBytes refuses either without the whole file read.
std::string ReadFontInput(const std::string& fileName);
}  // namespace assembly
