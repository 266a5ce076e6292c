#include "wizard/settingsvalues.h"

#include "assembly/tables.h"
#include "wizard/pagerules.h"

#include <stdexcept>

namespace wizard {

namespace {

// The settings-file section of a page.
const char* Section(int page) { return PageRow(page).Section; }

// The pages whose sections the Finish button writes, in writing order.
constexpr int kSectionOrder[] = {pgWizardLanguage, pgFullOrLite,   pgPhoneModel,      pgInterfaceLanguage,
                                 pgZipSupport,     pgJSR75Storage, pgFonts,           pgKeyConfig,
                                 pgMidletName,     pgImages,       pgAdvancedOptions, pgFinish};

// The rows of one section; a key spelled like its control unless given as "key=control".
struct Row {
  const char* Key;
  std::optional<std::string> Fallback;
  SettingRestore Restore = SettingRestore::FirstVisit;
};

void Add(std::vector<SettingKey>& keys, const char* section, std::initializer_list<Row> rows) {
  for (const Row& r : rows) {
    SettingKey k;
    k.Section = section;
    const std::string spec = r.Key;
    const std::size_t eq = spec.find('=');
    k.Key = spec.substr(0, eq);
    k.Control = eq == std::string::npos ? k.Key : spec.substr(eq + 1);
    k.Fallback = r.Fallback;
    k.Restore = r.Restore;
    keys.push_back(std::move(k));
  }
}

void AddFile(std::vector<SettingKey>& keys, const char* section, const std::string& key, SettingSource source,
             SettingRestore restore, int slot = 0) {
  SettingKey k;
  k.Section = section;
  k.Key = key;
  k.Fallback = "";
  k.Restore = restore;
  k.Source = source;
  k.Slot = slot;
  keys.push_back(std::move(k));
}

// The advanced options page: whether the options are shown, the help file, title lines and
// vendor, and the options themselves.
void AddAdvancedOptionsKeys(std::vector<SettingKey>& k) {
  using enum SettingRestore;
  const std::optional<std::string> present;  // the control's present value
  Add(k, Section(pgAdvancedOptions), {{"rbHideAdvancedOptions", "1"}});
  k.back().Opposite = "rbShowAdvancedOptions";
  // Each program version starts with its own default second title line.
  const std::string title2 = std::string("edTitleLine2") + assembly::ProductVersion + "=edTitleLine2";
  Add(k, Section(pgAdvancedOptions),
      {{"cbCustomHelpFile", "0"},
       {"edCustomHelpFile", ""},
       {"edTitleLine1", "Tomefalcon"},
       {title2.c_str(), std::string("v") + assembly::ProductVersion},
       {"edVendor", kDefaultVendor}});
  // The advanced options fall back to the values ResetAdvancedOptions has just put in.
  Add(k, Section(pgAdvancedOptions),
      {{"cbDisableCrashRecover", present, Advanced},
       {"cbAlternativeRotation", present, Advanced},
       {"cbForceHeight", present, Advanced},
       {"spForceHeight", present, Advanced},
       {"cbMidletDataSize", present, Advanced},
       {"spMidletDataSize", present, Advanced},
       {"cbStoragePath", present, Advanced},
       {"edStoragePath", present, Advanced},
       {"cbFontPath", present, Advanced},
       {"edFontPath", present, Advanced},
       {"cbCustomAttributes", present, Advanced},
       {"mmCustomAttributes", present, Advanced},
       {"rgColorConversion", present, Advanced},
       {"cbIgnoreImagesWithNames", present, Advanced},
       {"edIgnoreImagesWithNames", present, Advanced},
       {"cbIgnoreEmptyImages", present, Advanced},
       {"cbIgnoreSmallImages", present, Advanced},
       {"spMinImageWidth", present, Advanced},
       {"spMinImageHeight", present, Advanced},
       {"cbBacklightControlMethod", present, Advanced},
       {"cboxBacklightControlMethod", present, Advanced}});
}

std::vector<SettingKey> MakeSettingKeys() {
  using enum SettingRestore;
  const std::optional<std::string> present;  // the control's present value
  std::vector<SettingKey> k;
  Add(k, Section(pgWizardLanguage),
      {{"radiobutton5=RadioButton5", "0"},
       {"radiobutton2=RadioButton2", "0"},
       {"radiobutton3=RadioButton3", "0"},
       {"radiobutton1=RadioButton1", "0"}});
  Add(k, Section(pgFullOrLite), {{"rbLiteVersion", "0"}, {"rbTinyVersion", "0"}});
  Add(k, Section(pgPhoneModel), {{"cbPhoneModel", "0"}, {"spJARLimit", "0", PageStep}});
  AddFile(k, Section(pgPhoneModel), "CustomListOfPhones", SettingSource::PhonesListFile, FirstVisit);
  Add(k, Section(pgInterfaceLanguage),
      {{"rbilEnglishWE", "0"},
       {"rbilEnglishCyr", "0"},
       {"rbilEnglishHeb=rbilHerbew", "0"},
       {"rbilRussian", "0"},
       {"rbilUkrainian", "0"},
       {"rbilGerman", "0"},
       {"rbilCzech", "0"},
       {"rbilSlovak", "0"},
       {"rbilArabic", "0"},
       {"rbilGreek", "0"}});
  Add(k, Section(pgZipSupport), {{"rbWithoutZIPSupport", "0"}});
  Add(k, Section(pgJSR75Storage), {{"edJSR75Storage", present, PageStep}});
  Add(k, Section(pgFonts),
      {{"cbFont2", "-1", PageStep},
       {"cbFont4", "-1", PageStep},
       {"cbFont5", "-1", PageStep},
       {"cbNegative1", "-1", PageStep},
       {"cbNegative2", "-1", PageStep},
       {"cbNegative3", "-1", PageStep},
       {"cbNegative4", "-1", PageStep},
       {"cbNegative5", "-1", PageStep}});
  for (int slot : {2, 4, 5})
    AddFile(k, Section(pgFonts), "fontName" + std::to_string(slot), SettingSource::FontSlotFile, PageStep, slot);
  Add(k, Section(pgKeyConfig), {{"kcid=cbKeysConfig", present, PageStep}});
  AddFile(k, Section(pgKeyConfig), "CustomKeyConfigName", SettingSource::KeysLayoutFile, PageStep);
  Add(k, Section(pgMidletName), {{"mmIntroText", present}});
  Add(k, Section(pgImages),
      {{"rbDontIncludeImages", "0"},
       {"rbBlackAndWhiteImages", "0"},
       {"rb16ColorsImages", "0"},
       {"rb64ColorsImages", "1"},
       {"rb256ColorsImages", "0"},
       {"cbScaleDown", "1"},
       {"spMaxImageWidth", "96"},
       {"spMaxImageHeight", "64"}});
  AddAdvancedOptionsKeys(k);
  Add(k, Section(pgFinish), {{"cbDirectory", "1"}});
  return k;
}

}  // namespace

const std::vector<std::string>& SettingSections() {
  static const std::vector<std::string> sections = [] {
    std::vector<std::string> out;
    for (int page : kSectionOrder) out.emplace_back(Section(page));
    return out;
  }();
  return sections;
}

const std::vector<SettingKey>& SettingKeys() {
  static const std::vector<SettingKey> keys = MakeSettingKeys();
  return keys;
}

std::vector<const SettingKey*> SectionSettingKeys(const std::string& section) {
  std::vector<const SettingKey*> out;
  for (const SettingKey& k : SettingKeys())
    if (k.Section == section) out.push_back(&k);
  return out;
}

const SettingKey& SettingKeyOf(const std::string& control) {
  for (const SettingKey& k : SettingKeys())
    if (k.Source == SettingSource::Control && k.Control == control) return k;
  throw std::logic_error("SettingKeyOf: no key stores " + control);
}

std::string LimitSettingString(std::string value) {
  if (value.size() > kSettingStringLimit) value.resize(kSettingStringLimit);
  return value;
}

std::string MemoToSetting(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += '|';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string SettingToMemo(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '|') out += "\r\n";
    else out += c;
  }
  return out;
}

}  // namespace wizard
