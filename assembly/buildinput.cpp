#include "assembly/buildinput.h"

#include "assembly/booktext.h"
#include "assembly/zipfile.h"
#include "platform/system/wholefile.h"

namespace assembly {

int LookupArchiveEntry(const TZipFile& archive, std::string_view name) {
  const LookupFold fold;
  for (int i = 0; i < archive.Count(); ++i)
    if (fold.Same(archive.FileName(i), name)) return i;
  return -1;
}

int FindArchiveEntry(const TZipFile& archive, std::string_view name) {
  const int index = LookupArchiveEntry(archive, name);
  if (index < 0)
    throw EBuildError("The resource archive quirewright.dat has no entry \"" + std::string(name) +
                      "\".");
  return index;
}

std::string ReadArchiveEntry(const TZipFile& archive, std::string_view name) {
  return archive.ReadEntryData(FindArchiveEntry(archive, name));
}

EUnreadableFile::EUnreadableFile(const std::string& fileName)
    : EBuildError(UnableToOpenFileText(fileName)) {}

std::string ReadBuildInput(const std::string& fileName) {
  try {
    return platform::ReadWholeFile(fileName);
  } catch (const platform::EFileError&) {
    throw EUnreadableFile(fileName);
  }
}

}  // namespace assembly
