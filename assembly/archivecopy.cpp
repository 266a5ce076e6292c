#include "assembly/archivecopy.h"

#include "assembly/buildinput.h"
#include "assembly/booktext.h"
#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "platform/system/codepage.h"
#include "platform/system/wholefile.h"

#include <cstdio>

namespace assembly {

namespace {

std::string Slashes(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

std::string NameAfterLastSeparator(std::string_view name) {
  const std::size_t at = name.find_last_of("\\/");
  return std::string(at == std::string_view::npos ? name : name.substr(at + 1));
}

}  // namespace

void CheckBuildRecord(const TMIDLETCONFIG& c) {
  if (c.Core >= kCoreCount || c.Edition >= kEditionCount || c.KeysConfig >= kKeysConfigCount ||
      c.Icon >= kIconCount || c.InterfaceLanguage >= kLanguageCount)
    throw std::logic_error("Build record out of range: core " + std::to_string(c.Core) +
                           ", edition " + std::to_string(c.Edition) + ", keys " +
                           std::to_string(c.KeysConfig) + ", icon " + std::to_string(c.Icon) +
                           ", language " + std::to_string(c.InterfaceLanguage));
}

void AddJarEntry(TZipFile& jar, const std::string& name, std::string_view data) {
  jar.AddFile(name, 0);
  jar.WriteEntryData(jar.Count() - 1, data);
}

void CopyArchiveFolder(const TZipFile& archive, std::string_view folder,
                       std::string_view destination, TZipFile& jar) {
  if (folder.empty()) return;
  const LookupFold fold;
  const std::string target = Slashes(destination);
  for (int i = 0; i < archive.Count(); ++i) {
    const std::string& name = archive.FileName(i);
    if (!fold.StartsWith(name, folder)) continue;
    const std::string newName = target + name.substr(folder.size(), 1000);
    if (newName.empty()) continue;  // the folder's own entry copied to the root
    AddJarEntry(jar, newName, ReadResourceEntry(archive, i));
  }
}

void CopyArchiveFile(const TZipFile& archive, std::string_view name,
                     std::string_view destination, TZipFile& jar) {
  const int index = LookupArchiveEntry(archive, name);
  if (index < 0) return;
  AddJarEntry(jar, Slashes(destination) + NameAfterLastSeparator(archive.FileName(index)),
              ReadResourceEntry(archive, index));
}

void SaveArchiveEntry(const TZipFile& archive, std::string_view name, const std::string& fileName) {
  const int index = LookupArchiveEntry(archive, name);
  if (index < 0) return;
  platform::WriteWholeFile(fileName, ReadResourceEntry(archive, index));
}

void AddFonts(const TZipFile& archive, const TMIDLETCONFIG& config, TZipFile& jar) {
  for (int slot = 1; slot <= 5; ++slot) {
    std::string font = GetFontData(archive, config, slot);
    if (font.empty()) continue;
    const int type = GetFontTypeByte(font) & 0x7F;  // 0..2 in checked bytes
    if (!config.NegativeFlags[slot - 1] || NegativeSetDropTable.at(type * 10 + config.Core) != 0)
      CutNegativeSheet(font);
    AddJarEntry(jar, "res/" + NameAfterLastSeparator(config.FontNames[slot - 1]) + ".fnt", font);
  }
}

void AddCustomHelp(const std::string& fileName, TZipFile& jar) {
  AddJarEntry(jar, "res/tfhelp.txt", ReadBuildInput(fileName));
}


void SaveMidlet(TZipFile& jar, const std::string& jarPath, const std::string& jadPath,
                const std::function<std::string(int64_t jarSize)>& jadText) {
  const std::string bytes = jar.SaveToBytes();
  platform::TPendingFile jarFile(jarPath, bytes);
  platform::TPendingFile jadFile(jadPath, jadText(static_cast<int64_t>(bytes.size())));
  jarFile.Commit();
  try {
    jadFile.Commit();
  } catch (const platform::EFileError&) {
    // The old JAD names the old JAR's size: no descriptor is better than a wrong one.
    std::remove(jadPath.c_str());
    throw;
  }
}

void ReportBuildError(BuildHost& host, const std::exception& error) {
  if (dynamic_cast<const EUnreadableFile*>(&error) != nullptr) {
    host.ShowComposedMessage(platform::MessageOf(error), "Fatal error", MessageIcon::Error);
    host.RequestTerminate();
    return;
  }
  host.ShowComposedMessage(platform::MessageOf(error), "Error", MessageIcon::Error);
}

}  // namespace assembly
