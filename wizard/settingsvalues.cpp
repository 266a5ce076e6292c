#include "wizard/settingsvalues.h"

#include "assembly/tables.h"

#include <map>

namespace wizard {

namespace {

std::vector<SettingKey> Same(std::initializer_list<const char*> names) {
  std::vector<SettingKey> keys;
  for (const char* n : names) keys.push_back({n, n});
  return keys;
}

}  // namespace

const std::vector<std::string>& SettingSections() {
  static const std::vector<std::string> sections = {
      "PI_WIZARDLANGUAGEPAGE", "PI_FULLORLITEPAGE", "PI_PHONEMODELPAGE", "PI_INTERFACELANGUAGEPAGE",
      "PI_ZIPSUPPORTPAGE",     "PI_JSR75STORAGEPAGE", "PI_FONTSPAGE",    "PI_KEYCONFIGPAGE",
      "PI_MIDLETNAMEPAGE",     "PI_IMAGESPAGE",     "PI_ADVANCEDOPTIONSPAGE", "PI_FINISHPAGE",
  };
  return sections;
}

const std::vector<SettingKey>& PageSettingKeys(const std::string& section) {
  static const std::map<std::string, std::vector<SettingKey>> keys = [] {
    std::map<std::string, std::vector<SettingKey>> k;
    k["PI_WIZARDLANGUAGEPAGE"] = {{"radiobutton5", "RadioButton5"},
                                  {"radiobutton2", "RadioButton2"},
                                  {"radiobutton3", "RadioButton3"},
                                  {"radiobutton1", "RadioButton1"}};
    k["PI_FULLORLITEPAGE"] = Same({"rbLiteVersion", "rbTinyVersion"});
    k["PI_PHONEMODELPAGE"] = Same({"cbPhoneModel", "spJARLimit"});
    k["PI_INTERFACELANGUAGEPAGE"] = Same({"rbilEnglishWE", "rbilEnglishCyr", "rbilEnglishHeb", "rbilRussian",
                                          "rbilUkrainian", "rbilGerman", "rbilCzech", "rbilSlovak", "rbilArabic",
                                          "rbilGreek"});
    k["PI_INTERFACELANGUAGEPAGE"][2].control = "rbilHerbew";
    k["PI_ZIPSUPPORTPAGE"] = Same({"rbWithoutZIPSupport"});
    k["PI_JSR75STORAGEPAGE"] = Same({"edJSR75Storage"});
    k["PI_FONTSPAGE"] = Same({"cbFont2", "cbFont4", "cbFont5", "cbNegative1", "cbNegative2", "cbNegative3",
                              "cbNegative4", "cbNegative5"});
    k["PI_KEYCONFIGPAGE"] = {{"kcid", "cbKeysConfig"}};
    k["PI_MIDLETNAMEPAGE"] = Same({"mmIntroText"});
    k["PI_IMAGESPAGE"] = Same({"rbDontIncludeImages", "rbBlackAndWhiteImages", "rb16ColorsImages",
                               "rb64ColorsImages", "rb256ColorsImages", "cbScaleDown", "spMaxImageWidth",
                               "spMaxImageHeight"});
    k["PI_ADVANCEDOPTIONSPAGE"] = Same({"rbHideAdvancedOptions", "cbCustomHelpFile", "edCustomHelpFile",
                                        "edTitleLine1", "edTitleLine2", "edVendor"});
    // Each program version starts with its own default second title line.
    k["PI_ADVANCEDOPTIONSPAGE"][4].key = std::string("edTitleLine2") + assembly::ProductVersion;
    k["PI_FINISHPAGE"] = Same({"cbDirectory"});
    return k;
  }();
  static const std::vector<SettingKey> none;
  auto it = keys.find(section);
  return it == keys.end() ? none : it->second;
}

const std::vector<SettingKey>& AdvancedSettingKeys() {
  static const std::vector<SettingKey> keys = Same({
      "cbDisableCrashRecover", "cbAlternativeRotation", "cbForceHeight", "spForceHeight", "cbMidletDataSize",
      "spMidletDataSize", "cbStoragePath", "edStoragePath", "cbFontPath", "edFontPath", "cbCustomAttributes",
      "mmCustomAttributes", "rgColorConversion", "cbIgnoreImagesWithNames", "edIgnoreImagesWithNames",
      "cbIgnoreEmptyImages", "cbIgnoreSmallImages", "spMinImageWidth", "spMinImageHeight",
      "cbBacklightControlMethod", "cboxBacklightControlMethod",
  });
  return keys;
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
