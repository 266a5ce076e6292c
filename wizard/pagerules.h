// The wizard's page numbers, page ids and the rules that do not need the window: which page
// follows or precedes another, the midlet name and book title checks, the help context of a
// page and the small tables of the main window.
#pragma once

#include "qw_version.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wizard {

// Notebook page indexes.
enum : int {
  pgWizardLanguage = 0,
  pgWelcome = 1,
  pgFullOrLite = 2,
  pgPhoneModel = 3,
  pgKeyConfig = 4,
  pgInterfaceLanguage = 5,
  pgZipSupport = 6,
  pgJSR75Storage = 7,
  pgFonts = 8,
  pgEmbed = 9,
  pgMidletName = 10,
  pgImages = 11,
  pgAdvancedOptions = 12,
  pgBuild = 13,
  pgFinish = 14,
};
constexpr int kPageCount = 15;

// Notebook page names and the settings-file sections of the pages ("" where a page stores
// nothing).
extern const std::array<const char*, kPageCount> PageNames;
extern const std::array<const char*, kPageCount> PageIds;

// What the page order depends on.
struct TRoadChoices {
  bool Full = true;        // rbFullVersion checked (else lite or tiny)
  bool ListRow = false;    // the last phone model row is selected
  int Core = 0;            // core of the selected row
  bool HtmlBooks = false;  // some book file name holds ".HTM"
};

// The page after `current`; `proposal` is the page manager's proposal (-1: none). Sets
// *resetListChoices when the phone-list road asks for key layout 0 and the English Central
// Europe interface language.
int NextPage(int current, int proposal, const TRoadChoices& c, bool* resetListChoices = nullptr);
int PriorPage(int current, int proposal, const TRoadChoices& c);

// The book file names, joined and upper-cased, contain ".HTM".
bool IsHtmlBooks(const std::vector<std::string>& files);

// 1..14 characters, each a blank, a digit or a Latin letter.
bool IsValidMidletName(std::string_view text);
// 1..16 characters of any kind.
bool IsValidBookTitle(std::string_view text);

// The help context of a page for the full edition or for lite and tiny.
int PageHelpContext(int page, bool full);

// ZIP support may be chosen: the all-versions batch, or a JAR limit above 98 KB.
bool ZipSupportAllowed(bool listRow, bool full, int jarLimitKb);
// The JAR limit a phone row puts into the spin edit (64 where the row gives none).
int DefaultJarLimitKB(int row);

// Language identifiers of the wizard-language buttons RadioButton4, RadioButton5,
// RadioButton2, RadioButton3, RadioButton1.
constexpr uint16_t kLangEnglish = 1033, kLangRussian = 1049, kLangSlovak = 1051, kLangUkrainian = 1058,
                   kLangPolish = 1045;

// Help context of the finish page's note for file-system kind k (1..7): 49 + k.
int FinalNoteHelpContext(int kind);

// The version the caption and the second title line carry.
inline constexpr const char* kVersion = QW_VERSION;
// The default vendor of the midlets (edVendor when the settings file has none).
inline constexpr const char* kDefaultVendor = "Quirewright";

}  // namespace wizard
