#include "wizard/pagerules.h"

#include "assembly/phones.h"
#include "platform/system/codepage.h"

namespace wizard {

namespace {

bool JsrCore(int core) { return core == 6 || core == 8; }

// Leaving a page: the page to go to instead of the proposal.
int NextFromPhoneModel(const TRoadChoices& c, int proposal) {
  if (!c.ListRow) return proposal;
  return c.Full ? pgBuild : pgInterfaceLanguage;
}
bool LeavePhoneModel(const TRoadChoices& c) { return c.ListRow && !c.Full; }
int NextFromInterfaceLanguage(const TRoadChoices& c, int proposal) { return c.Full ? proposal : pgFonts; }
int NextFromZipSupport(const TRoadChoices& c, int /*proposal*/) { return JsrCore(c.Core) ? pgJSR75Storage : pgFonts; }
int NextFromFonts(const TRoadChoices& c, int proposal) { return c.Full ? pgAdvancedOptions : proposal; }
int NextFromMidletName(const TRoadChoices& c, int /*proposal*/) {
  return c.HtmlBooks && !c.ListRow ? pgImages : pgAdvancedOptions;
}

// Going back from a page.
int PriorFromFonts(const TRoadChoices& c, int /*proposal*/) {
  if (!c.Full) return pgInterfaceLanguage;
  return JsrCore(c.Core) ? pgJSR75Storage : pgZipSupport;
}
int PriorFromAdvancedOptions(const TRoadChoices& c, int proposal) {
  if (c.Full) return pgFonts;
  return !c.HtmlBooks || c.ListRow ? pgMidletName : proposal;
}
int PriorFromFinish(const TRoadChoices& c, int proposal) { return c.ListRow && c.Full ? pgPhoneModel : proposal; }

using enum TPageStep;

}  // namespace

const std::array<TPageRow, kPageCount> Pages = {{
    {pgWizardLanguage, "WizardLanguagePage", "PI_WIZARDLANGUAGEPAGE", 1, 1, nullptr, 0 | NoHelpButton},
    {pgWelcome, "WelcomePage", "", 1, 1, nullptr, 0 | WizardLanguage},
    {pgFullOrLite, "FullorLite", "PI_FULLORLITEPAGE", 17, 17, "WizardHeader2"},
    {pgPhoneModel, "PhoneModelPage", "PI_PHONEMODELPAGE", 3, 10, "WizardHeader3", PhoneModelControls | PhoneModelPage,
     NextFromPhoneModel, nullptr, LeavePhoneModel},
    {pgKeyConfig, "KeyConfigPage", "PI_KEYCONFIGPAGE", 4, 11, "WizardHeader4",
     RefuseUnsupportedModel | KeyLayoutFromModel},
    {pgInterfaceLanguage, "InterfaceLanguagePage", "PI_INTERFACELANGUAGEPAGE", 5, 12, "WizardHeader5",
     ResetFonts | EditionLanguages, NextFromInterfaceLanguage},
    {pgZipSupport, "ZipsupportPage", "PI_ZIPSUPPORTPAGE", 6, 0, "WizardHeader6", ResetFonts | ZipSupportControls,
     NextFromZipSupport},
    {pgJSR75Storage, "JSR75StoragePage", "PI_JSR75STORAGEPAGE", 20, 0, "WizardHeader7",
     ResetFonts | StorageFolderFromModel},
    {pgFonts, "FontsPage", "PI_FONTSPAGE", 7, 15, "WizardHeader8",
     NeedsArchive | RefuseMissingPhonesList | FontsPageControls | JarSize, NextFromFonts, PriorFromFonts},
    {pgEmbed, "EmbedPage", "", 1, 13, "WizardHeader9", NeedsArchive | RefuseFontsOverJarLimit},
    {pgMidletName, "MidletNamePage", "PI_MIDLETNAMEPAGE", 21, 21, "WizardHeader10",
     NeedsArchive | RefuseUnreadableBookFiles, NextFromMidletName},
    {pgImages, "ImagesConversionOptionsPage", "PI_IMAGESPAGE", 1, 14, "WizardHeader11",
     NeedsArchive | BlackAndWhiteImages | ImagesControls | RefuseInvalidNameOrTitle},
    {pgAdvancedOptions, "AdvancedOptionsPage", "PI_ADVANCEDOPTIONSPAGE", 8, 16, "WizardHeader12",
     NeedsArchive | AdvancedOptions | RefuseFontsOverJarLimit | AdvancedOptionsControls | RefuseInvalidNameOrTitle,
     nullptr, PriorFromAdvancedOptions},
    {pgBuild, "BuildPage", "", 1, 0, "WizardHeader13", NeedsArchive | Build},
    {pgFinish, "FinishPage", "PI_FINISHPAGE", 1, 1, "WizardHeader14",
     NeedsArchive | RestartButton | DressFinish | SaveSettings, nullptr, PriorFromFinish},
}};

const TPageRow& PageRow(int page) {
  static const TPageRow kNoPage;
  return page >= 0 && page < kPageCount ? Pages[static_cast<size_t>(page)] : kNoPage;
}

bool PageTakes(int page, TPageStep step) { return (PageRow(page).Steps & static_cast<uint32_t>(step)) != 0; }

int NextPage(int current, int proposal, const TRoadChoices& c, bool* resetListChoices) {
  const TPageRow& row = PageRow(current);
  if (resetListChoices != nullptr) *resetListChoices = row.Leave != nullptr && row.Leave(c);
  return row.Next != nullptr ? row.Next(c, proposal) : proposal;
}

int PriorPage(int current, int proposal, const TRoadChoices& c) {
  const TPageRow& row = PageRow(current);
  return row.Prior != nullptr ? row.Prior(c, proposal) : proposal;
}

bool IsHtmlBooks(const std::vector<std::string>& files) {
  std::string text;
  for (const std::string& f : files) text += f + "\r\n";
  return platform::UpperCase(text).find(".HTM") != std::string::npos;
}

bool IsValidMidletName(std::string_view text) {
  if (text.empty() || text.size() > 14) return false;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool ok = c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!ok) return false;
  }
  return true;
}

bool IsValidBookTitle(std::string_view text) { return !text.empty() && text.size() <= 16; }

int PageHelpContext(int page, bool full) {
  const TPageRow& row = PageRow(page);
  return full ? row.HelpFull : row.HelpLite;
}

bool ZipSupportAllowed(bool listRow, bool full, int jarLimitKb) {
  return (listRow && full) || jarLimitKb > 98;
}

int DefaultJarLimitKB(int row) {
  if (row < 0 || row >= assembly::kPhoneModelCount) return 64;
  int kb = assembly::PhoneTable[static_cast<size_t>(row)].JarLimitKB;
  return kb != 0 ? kb : 64;
}

int FinalNoteHelpContext(int kind) { return 49 + kind; }

}  // namespace wizard
