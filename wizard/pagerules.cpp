#include "wizard/pagerules.h"

#include "assembly/phones.h"
#include "platform/system/codepage.h"

namespace wizard {

const std::array<const char*, kPageCount> PageNames = {
    "WizardLanguagePage", "WelcomePage",      "FullorLite",  "PhoneModelPage",
    "KeyConfigPage",      "InterfaceLanguagePage", "ZipsupportPage", "JSR75StoragePage",
    "FontsPage",          "EmbedPage",        "MidletNamePage", "ImagesConversionOptionsPage",
    "AdvancedOptionsPage", "BuildPage",       "FinishPage"};

const std::array<const char*, kPageCount> PageIds = {
    "PI_WIZARDLANGUAGEPAGE", "", "PI_FULLORLITEPAGE", "PI_PHONEMODELPAGE", "PI_KEYCONFIGPAGE",
    "PI_INTERFACELANGUAGEPAGE", "PI_ZIPSUPPORTPAGE", "PI_JSR75STORAGEPAGE", "PI_FONTSPAGE", "",
    "PI_MIDLETNAMEPAGE", "PI_IMAGESPAGE", "PI_ADVANCEDOPTIONSPAGE", "", "PI_FINISHPAGE"};

namespace {
bool JsrCore(int core) { return core == 6 || core == 8; }
}  // namespace

int NextPage(int current, int proposal, const TRoadChoices& c, bool* resetListChoices) {
  if (resetListChoices != nullptr) *resetListChoices = false;
  if (current == pgFonts && c.Full) return pgAdvancedOptions;
  if (current == pgInterfaceLanguage && !c.Full) return pgFonts;
  if (current == pgPhoneModel && c.ListRow && c.Full) return pgBuild;
  if (current == pgPhoneModel && c.ListRow && !c.Full) {
    if (resetListChoices != nullptr) *resetListChoices = true;
    return pgInterfaceLanguage;
  }
  if (current == pgMidletName) return c.HtmlBooks && !c.ListRow ? pgImages : pgAdvancedOptions;
  if (current == pgZipSupport) return JsrCore(c.Core) ? pgJSR75Storage : pgFonts;
  return proposal;
}

int PriorPage(int current, int proposal, const TRoadChoices& c) {
  if (current == pgFinish && c.ListRow && c.Full) return pgPhoneModel;
  if (current == pgAdvancedOptions && c.Full) return pgFonts;
  if (current == pgAdvancedOptions && !c.Full) {
    if (!c.HtmlBooks || c.ListRow) return pgMidletName;
    return proposal;
  }
  if (current == pgFonts && !c.Full) return pgInterfaceLanguage;
  if (current == pgFonts && c.Full) return JsrCore(c.Core) ? pgJSR75Storage : pgZipSupport;
  return proposal;
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
  static const int kFull[kPageCount] = {1, 1, 17, 3, 4, 5, 6, 20, 7, 1, 21, 1, 8, 1, 1};
  static const int kLite[kPageCount] = {1, 1, 17, 10, 11, 12, 0, 0, 15, 13, 21, 14, 16, 0, 1};
  if (page < 0 || page >= kPageCount) return 0;
  return full ? kFull[page] : kLite[page];
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
