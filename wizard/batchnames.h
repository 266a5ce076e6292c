// The names and choices of the builds that the build page starts: the file names offered and
// taken from the save dialog, the model chosen per core by the batches, the folders and names
// of the all-versions and deploy variants and the lines of the phone list report.
#pragma once

#include "assembly/phonelist.h"

#include <string>

namespace wizard {

// Where the deploy builds point the JAD's MIDlet-Jar-URL (followed by the JAR's file name).
inline constexpr const char* kDeployDownloadBase = "http://tomefalcon.example.org/download/";

// The name a book build takes when the chosen file's name is empty, and a phone list batch
// when the first book file's name gives none.
inline constexpr const char* kFallbackMidletName = "midlet";

// The JAD file the save dialog proposes for a book build: the folder of the first book file
// (first line of the book list) and the midlet name with "_" for each blank.
std::string BookJadProposal(const std::string& firstBookFile, const std::string& midletName);

// The midlets' name of a phone list batch: the midlet name made from the first book file's
// name, or the fallback name when that gives none.
std::string BatchMidletName(const std::string& firstBookFile);

// Base path (without extension) of a build from the file chosen in the save dialog: its
// folder and its name cut at the first "."; an empty name becomes `emptyName`.
std::string BaseFromChosenFile(const std::string& chosenFile, const std::string& emptyName = "");

// The folder of a chosen file, with a trailing "/".
std::string FolderOfChosenFile(const std::string& chosenFile);

struct ModelChoice {
  int Row = -1;       // -1 when no row of the core has a known JAR limit
  int JarLimitKB = 0;
};

// The phone table row of the core with the smallest (the last of equal ones) or the largest
// (the first of equal ones) known JAR limit.
ModelChoice FindModelByCore(int core, bool smallest);

// "tomefalcon" followed by the core, language and ZIP suffixes: tomefalcon_s55_ce_zip.
std::string DeployName(int core, int zip, int language);

// folder + core name + "/" + edition name + "/" + language name + "/".
std::string AllVersionsFolder(const std::string& folder, int core, int zip, int language);

// One line of "Versions list.txt" for entry `index` (0-based), ended by CR LF:
// "3 : Nokia 6230, English - Western Europe, Nokia phones keys config, JAR size limit: 128K".
std::string VersionsListLine(int index, const assembly::TPhonesListEntry& entry, int interfaceLanguage);

// The smallest of 64 and the JAR limits (KB) of the list's entries: the fonts page of the
// phone list batch works with it.
int PhonesListJarLimitKB(const assembly::TPHONESLIST& list);

}  // namespace wizard
