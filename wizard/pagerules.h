// The wizard's pages as one table (each page's notebook page, settings section, help contexts,
// header, the window's steps on entering it and the rules for leaving it) and the rules that
// do not need the window: which page follows or precedes another, the midlet name and book
// title checks and the small tables of the main window. A new page is a row of the table, its
// page number, and the window's functions for the steps it names.
#pragma once

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

// What the page order depends on.
struct TRoadChoices {
  bool Full = true;        // rbFullVersion checked (else lite or tiny)
  bool ListRow = false;    // the last phone model row is selected
  int Core = 0;            // core of the selected row
  bool HtmlBooks = false;  // some book file name holds ".HTM"
};

// The window's steps that concern only some pages, in the order the page entry and the
// control update take them. A page's row names the steps it takes.
enum class TPageStep : uint32_t {
  NoHelpButton = 1U << 0,   // Help is hidden
  RestartButton = 1U << 1,  // Restart is shown
  NeedsArchive = 1U << 2,   // without the resource archive the wizard goes back
  RefuseUnsupportedModel = 1U << 3,
  BlackAndWhiteImages = 1U << 4,  // first visit: a black-and-white model's pictures
  AdvancedOptions = 1U << 5,      // first visit: defaults or the saved advanced options
  ResetFonts = 1U << 6,           // the fonts page starts again from defaults
  RefuseFontsOverJarLimit = 1U << 7,
  RefuseUnreadableBookFiles = 1U << 8,
  KeyLayoutFromModel = 1U << 9,
  StorageFolderFromModel = 1U << 10,
  RefuseMissingPhonesList = 1U << 11,
  PhoneModelControls = 1U << 12,  // control update: JAR limit and core description
  WizardLanguage = 1U << 13,      // control update: the chosen wizard language
  ZipSupportControls = 1U << 14,
  FontsPageControls = 1U << 15,
  AdvancedOptionsControls = 1U << 16,
  ImagesControls = 1U << 17,
  PhoneModelPage = 1U << 18,  // saved JAR limit, the list row's text
  JarSize = 1U << 19,         // the estimated JAR size
  Build = 1U << 20,           // the build runs on entry
  DressFinish = 1U << 21,
  RefuseInvalidNameOrTitle = 1U << 22,
  EditionLanguages = 1U << 23,  // the interface languages of the edition
  SaveSettings = 1U << 24,      // leaving with Finish saves the settings
};
constexpr uint32_t operator|(TPageStep a, TPageStep b) { return static_cast<uint32_t>(a) | static_cast<uint32_t>(b); }
constexpr uint32_t operator|(uint32_t a, TPageStep b) { return a | static_cast<uint32_t>(b); }

// One wizard page: everything the page manager, the settings and the help links know of it.
// Next and Prior correct the page manager's proposal when the page is left (nullptr: the
// proposal stays); Leave names the choices leaving forward resets (key layout 0 and the
// English Central Europe interface language).
struct TPageRow {
  int Page = -1;                 // notebook page index
  const char* Control = "";      // notebook page name
  const char* Section = "";      // settings-file section ("": the page stores nothing)
  int HelpFull = 0;              // help context for the full edition
  int HelpLite = 0;              // help context for lite and tiny
  const char* Header = nullptr;  // the page's header with its title and comment
  uint32_t Steps = 0;            // TPageStep bits
  int (*Next)(const TRoadChoices& c, int proposal) = nullptr;
  int (*Prior)(const TRoadChoices& c, int proposal) = nullptr;
  bool (*Leave)(const TRoadChoices& c) = nullptr;
};

// Every page, in notebook order (row i is page i).
extern const std::array<TPageRow, kPageCount> Pages;

// The row of a page; an empty row for a number that is no page.
const TPageRow& PageRow(int page);
// The page takes the step.
bool PageTakes(int page, TPageStep step);

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

// The help context of a page for the full edition or for lite and tiny (0 for no page).
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

// The default vendor of the midlets (edVendor when the settings file has none).
inline constexpr const char* kDefaultVendor = "Quirewright";

}  // namespace wizard
