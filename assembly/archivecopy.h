// Copying prebuilt pieces from the resource archive into a midlet JAR, and the fonts.
#pragma once

#include "assembly/buildinput.h"
#include "assembly/midletconfig.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace assembly {

// Refuses a record whose small numbers lie outside the product tables, an error of the
// program that filled it (std::logic_error).
void CheckBuildRecord(const TMIDLETCONFIG& config);

// Appends an entry (attributes 0, deflated) to a JAR.
void AddJarEntry(TZipFile& jar, const std::string& name, std::string_view data);

// Every entry under the folder prefix goes to the destination prefix + the rest of its name.
// An empty prefix copies nothing; an entry whose new name would be empty is not written.
void CopyArchiveFolder(const TZipFile& archive, std::string_view folder,
                       std::string_view destination, TZipFile& jar);
// The entry goes to destination folder + its name after the last separator; nothing happens
// when the archive has no such entry.
void CopyArchiveFile(const TZipFile& archive, std::string_view name,
                     std::string_view destination, TZipFile& jar);
// Writes the entry's data to a file; nothing happens when there is no such entry. A file that
// cannot be written raises platform::EFileError.
void SaveArchiveEntry(const TZipFile& archive, std::string_view name, const std::string& fileName);

// The font of every used slot as "res/<name>.fnt", its negative sheet cut unless the slot keeps
// it and the core cannot invert that font kind itself.
void AddFonts(const TZipFile& archive, const TMIDLETCONFIG& config, TZipFile& jar);
// The whole file as res/tfhelp.txt; a file that cannot be read raises EUnreadableFile.
void AddCustomHelp(const std::string& fileName, TZipFile& jar);

// Saves a midlet: the JAR and the JAD made for its size (`jadText` of the size in bytes). Both
// are written beside their targets first, so a good pair already there stays when either
// cannot be written; a JAD that cannot be put in place after its new JAR is removed rather than
// left naming the old size. platform::EFileError naming the file and the reason on failure.
void SaveMidlet(TZipFile& jar, const std::string& jarPath, const std::string& jadPath,
                const std::function<std::string(int64_t jarSize)>& jadText);

// Shows a failed build's message through the host (error icon, title "Error"; for
// EUnreadableFile "Fatal error" and the program is asked to end).
void ReportBuildError(BuildHost& host, const std::exception& error);

}  // namespace assembly
