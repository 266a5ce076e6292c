#include "assembly/buildinput.h"

#include "assembly/booktext.h"
#include "assembly/fontfile.h"
#include "assembly/midletconfig.h"
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

std::string ReadResourceEntry(const TZipFile& archive, int index) {
  const TCommonFileHeader& common = archive.LocalFile(index).Common;
  const uint64_t size = common.Method == 0 ? common.CompressedSize : common.UncompressedSize;
  if (size > uint64_t{kLargestJarLimitKB} * 1024)
    throw EBuildError("The entry \"" + archive.FileName(index) + "\" of the resource archive quirewright.dat holds " +
                      std::to_string(size) + " bytes, more than any midlet may hold.");
  return archive.ReadEntryData(index);
}

std::string ReadArchiveEntry(const TZipFile& archive, std::string_view name) {
  return ReadResourceEntry(archive, FindArchiveEntry(archive, name));
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

std::string ReadFontInput(const std::string& fileName) {
  try {
    std::string head = platform::ReadWholeFile(fileName, 2);
    if (head.size() < 2 || uint8_t(head[0]) != kFontMagic0 || uint8_t(head[1]) != kFontMagic1) return head;
    return platform::ReadWholeFile(fileName, kFontMaxFileSize + 1);
  } catch (const platform::EFileError&) {
    throw EUnreadableFile(fileName);
  }
}

}  // namespace assembly
