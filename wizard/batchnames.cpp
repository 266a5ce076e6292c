#include "wizard/batchnames.h"

#include "assembly/phones.h"
#include "assembly/sanitisers.h"
#include "assembly/tables.h"
#include "assembly/utils.h"

#include <algorithm>

namespace wizard {

using namespace assembly;

std::string BookJadProposal(const std::string& firstBookFile, const std::string& midletName) {
  std::string name = midletName;
  ReplaceChar(name, ' ', '_');
  return ParentDir(firstBookFile) + "/" + name + ".jad";
}

std::string BatchMidletName(const std::string& firstBookFile) {
  std::string name = MakeMidletNameFromPath(firstBookFile);
  ReplaceChar(name, ' ', '_');
  return name.empty() ? std::string(kFallbackMidletName) : name;
}

std::string FolderOfChosenFile(const std::string& chosenFile) { return ParentDir(chosenFile) + "/"; }

std::string BaseFromChosenFile(const std::string& chosenFile, const std::string& emptyName) {
  std::string name = ExtractNameNoExt(chosenFile);
  if (name.empty()) name = emptyName;
  return FolderOfChosenFile(chosenFile) + name;
}

ModelChoice FindModelByCore(int core, bool smallest) {
  ModelChoice best;
  for (int row = 0; row < kPhoneModelCount; ++row) {
    const TPhoneListItem& item = PhoneTable[static_cast<std::size_t>(row)];
    if (item.Core != core || item.JarLimitKB == 0) continue;
    const bool take = best.Row < 0 || (smallest ? item.JarLimitKB <= best.JarLimitKB
                                                : item.JarLimitKB > best.JarLimitKB);
    if (take) best = {row, item.JarLimitKB};
  }
  return best;
}

std::string DeployName(int core, int zip, int language) {
  return std::string("tomefalcon") + CoreSuffixes[static_cast<std::size_t>(core)] +
         LanguageSuffixes[static_cast<std::size_t>(language)] + ZipSuffixes[static_cast<std::size_t>(zip)];
}

std::string AllVersionsFolder(const std::string& folder, int core, int zip, int language) {
  return folder + CoreNames[static_cast<std::size_t>(core)] + "/" + EditionNames[static_cast<std::size_t>(zip)] +
         "/" + LanguageNames[static_cast<std::size_t>(language)] + "/";
}

std::string VersionsListLine(int index, const TPhonesListEntry& entry, int interfaceLanguage) {
  return std::to_string(index + 1) + " : " + PhoneTable.at(static_cast<std::size_t>(entry.Row)).Name + ", " +
         LanguageNames.at(static_cast<std::size_t>(interfaceLanguage)) + ", " +
         KeysConfigNames.at(entry.KeysConfig) + ", JAR size limit: " + std::to_string(entry.JarLimitKB) +
         "K\r\n";
}

int PhonesListJarLimitKB(const TPHONESLIST& list) {
  int limit = 64;
  for (const TPhonesListEntry& e : list) limit = std::min(limit, e.JarLimitKB);
  return limit;
}

}  // namespace wizard
