#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "platform/ui/combobox.h"
#include "wizard/settingsvalues.h"

#include <functional>
#include <map>
#include <set>

using namespace wizard;
using platform::TComboBox;
using wizard::testing::BuilderWindowTest;

namespace {

constexpr int kSiemens55 = 385;  // core 0, no forced height

class SettingsWindow : public BuilderWindowTest {
protected:
  // A built-in font of the sample archive written as a custom font file.
  std::string CustomFont() {
    return WriteFile("fonts/mine.fnt",
                     assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\7x5we.fnt"));
  }

  void ChooseOnEveryPage(const std::string& font, const std::string& keys, const std::string& help, std::string& font5);
  void ExpectFirstPagesRestored(const std::string& font, const std::string& keys, const std::string& font5);
  void ExpectLaterPagesRestored(const std::string& help);
  void EnterPagesUpToTheAdvancedOptions(const std::string& book);
  void BuildWithinTheRanges(std::size_t warnings);
};

}  // namespace

TEST(SettingKeys, MemoTextOnOneLine) {
  EXPECT_EQ(MemoToSetting("A\r\nB"), "A|B");
  EXPECT_EQ(SettingToMemo("A|B"), "A\r\nB");
  EXPECT_EQ(SettingToMemo(MemoToSetting("x | y")), "x \r\n y");  // a typed bar comes back as a break
}

TEST_F(SettingsWindow, EveryKeyNamesAControlOfTheWindow) {
  Create();
  for (const SettingKey& k : SettingKeys()) {
    if (k.Source == SettingSource::Control) {
      EXPECT_NE(form_->FindComponent(k.Control), nullptr) << k.Section << " " << k.Key;
    }
  }
}

namespace {

// One key of the settings file: a value that differs from what the window shows without it,
// the page that reads it back and what the window then shows, in the file's form.
struct RoundTripCase {
  const char* section;
  std::string key;
  std::string value;
  int page;
  std::function<std::string(TForm1&)> shown;
};

std::string Check(bool checked) { return checked ? "1" : "0"; }
template <class C>
std::function<std::string(TForm1&)> Checked(C* TForm1Parts::*control) {
  return [control](TForm1& f) { return Check((f.Parts().*control)->Checked()); };
}
std::function<std::string(TForm1&)> Negative(std::size_t slot) {
  return [slot](TForm1& f) { return Check(f.Parts().NegativeBoxes[slot]->Checked()); };
}
template <class C>
std::function<std::string(TForm1&)> Index(C* TForm1Parts::*control) {
  return [control](TForm1& f) { return std::to_string((f.Parts().*control)->ItemIndex()); };
}
template <class C>
std::function<std::string(TForm1&)> Value(C* TForm1Parts::*control) {
  return [control](TForm1& f) { return std::to_string((f.Parts().*control)->Value()); };
}
template <class C>
std::function<std::string(TForm1&)> TextOf(C* TForm1Parts::*control) {
  return [control](TForm1& f) { return MemoToSetting((f.Parts().*control)->Text()); };
}

// The cases of the advanced options page; `row` is the saved phone model.
std::vector<RoundTripCase> AdvancedRoundTripCases(const assembly::TPhoneListItem& row, const std::string& helpFile) {
  return {
      {"PI_ADVANCEDOPTIONSPAGE", "rbHideAdvancedOptions", "0", pgAdvancedOptions,
       [](TForm1& f) {
         return Check(f.Parts().rbHideAdvancedOptions->Checked() && !f.Parts().rbShowAdvancedOptions->Checked());
       }},
      {"PI_ADVANCEDOPTIONSPAGE", "cbCustomHelpFile", "1", pgAdvancedOptions, Checked(&TForm1Parts::cbCustomHelpFile)},
      {"PI_ADVANCEDOPTIONSPAGE", "edCustomHelpFile", helpFile, pgAdvancedOptions,
       TextOf(&TForm1Parts::edCustomHelpFile)},
      {"PI_ADVANCEDOPTIONSPAGE", "edTitleLine1", "Title", pgAdvancedOptions, TextOf(&TForm1Parts::edTitleLine1)},
      {"PI_ADVANCEDOPTIONSPAGE", "edTitleLine22.5.2", "Second", pgAdvancedOptions, TextOf(&TForm1Parts::edTitleLine2)},
      {"PI_ADVANCEDOPTIONSPAGE", "edVendor", "Me", pgAdvancedOptions, TextOf(&TForm1Parts::edVendor)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbDisableCrashRecover", "1", pgAdvancedOptions,
       Checked(&TForm1Parts::cbDisableCrashRecover)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbAlternativeRotation", Check(row.AlternativeRotation == 0), pgAdvancedOptions,
       Checked(&TForm1Parts::cbAlternativeRotation)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbForceHeight", Check(row.ForceHeight == 0), pgAdvancedOptions,
       Checked(&TForm1Parts::cbForceHeight)},
      {"PI_ADVANCEDOPTIONSPAGE", "spForceHeight", "200", pgAdvancedOptions, Value(&TForm1Parts::spForceHeight)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbMidletDataSize", Check(row.MidletDataSize == 0), pgAdvancedOptions,
       Checked(&TForm1Parts::cbMidletDataSize)},
      {"PI_ADVANCEDOPTIONSPAGE", "spMidletDataSize", "40960", pgAdvancedOptions, Value(&TForm1Parts::spMidletDataSize)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbStoragePath", "1", pgAdvancedOptions, Checked(&TForm1Parts::cbStoragePath)},
      {"PI_ADVANCEDOPTIONSPAGE", "edStoragePath", "c:\\st\\", pgAdvancedOptions, TextOf(&TForm1Parts::edStoragePath)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbFontPath", "1", pgAdvancedOptions, Checked(&TForm1Parts::cbFontPath)},
      {"PI_ADVANCEDOPTIONSPAGE", "edFontPath", "x:\\f\\", pgAdvancedOptions, TextOf(&TForm1Parts::edFontPath)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbCustomAttributes", "1", pgAdvancedOptions,
       Checked(&TForm1Parts::cbCustomAttributes)},
      {"PI_ADVANCEDOPTIONSPAGE", "mmCustomAttributes", "A: 1|B: 2", pgAdvancedOptions,
       TextOf(&TForm1Parts::mmCustomAttributes)},
      {"PI_ADVANCEDOPTIONSPAGE", "rgColorConversion", "0", pgAdvancedOptions, Index(&TForm1Parts::rgColorConversion)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbIgnoreImagesWithNames", "0", pgAdvancedOptions,
       Checked(&TForm1Parts::cbIgnoreImagesWithNames)},
      {"PI_ADVANCEDOPTIONSPAGE", "edIgnoreImagesWithNames", "ads", pgAdvancedOptions,
       TextOf(&TForm1Parts::edIgnoreImagesWithNames)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbIgnoreEmptyImages", "0", pgAdvancedOptions,
       Checked(&TForm1Parts::cbIgnoreEmptyImages)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbIgnoreSmallImages", "0", pgAdvancedOptions,
       Checked(&TForm1Parts::cbIgnoreSmallImages)},
      {"PI_ADVANCEDOPTIONSPAGE", "spMinImageWidth", "12", pgAdvancedOptions, Value(&TForm1Parts::spMinImageWidth)},
      {"PI_ADVANCEDOPTIONSPAGE", "spMinImageHeight", "13", pgAdvancedOptions, Value(&TForm1Parts::spMinImageHeight)},
      {"PI_ADVANCEDOPTIONSPAGE", "cbBacklightControlMethod", Check(row.LightControlMethod == -1), pgAdvancedOptions,
       Checked(&TForm1Parts::cbBacklightControlMethod)},
      {"PI_ADVANCEDOPTIONSPAGE", "cboxBacklightControlMethod", row.LightControlMethod == 3 ? "4" : "3",
       pgAdvancedOptions, Index(&TForm1Parts::cboxBacklightControlMethod)},
  };
}

// One case per key; `row` is the phone model at table row `model`, the files are the custom
// font, key layout and help file the cases name.
std::vector<RoundTripCase> RoundTripCases(int model, const assembly::TPhoneListItem& row, const std::string& fontFile,
                                          const std::string& keysFile, const std::string& helpFile) {
  // A slot shows its custom font file: the slot's item index, or the file.
  auto fontSlot = [](int slot, bool file) {
    return [slot, file](TForm1& f) {
      TComboBox* box = f.Parts().FontBoxes[static_cast<std::size_t>(slot)];
      const std::string custom = box->ItemIndex() == 1 ? f.FontsPage().CustomFontFile(box->Tag) : "";
      return file ? custom : std::to_string(box->ItemIndex()) + (custom.empty() ? " without a file" : "");
    };
  };
  std::vector<RoundTripCase> cases{
      {"PI_WIZARDLANGUAGEPAGE", "radiobutton5", "1", pgWizardLanguage, Checked(&TForm1Parts::RadioButton5)},
      {"PI_WIZARDLANGUAGEPAGE", "radiobutton2", "1", pgWizardLanguage, Checked(&TForm1Parts::RadioButton2)},
      {"PI_WIZARDLANGUAGEPAGE", "radiobutton3", "1", pgWizardLanguage, Checked(&TForm1Parts::RadioButton3)},
      {"PI_WIZARDLANGUAGEPAGE", "radiobutton1", "1", pgWizardLanguage, Checked(&TForm1Parts::RadioButton1)},
      {"PI_FULLORLITEPAGE", "rbLiteVersion", "1", pgFullOrLite, Checked(&TForm1Parts::rbLiteVersion)},
      {"PI_FULLORLITEPAGE", "rbTinyVersion", "1", pgFullOrLite, Checked(&TForm1Parts::rbTinyVersion)},
      {"PI_PHONEMODELPAGE", "cbPhoneModel", std::to_string(model + 1), pgPhoneModel, Index(&TForm1Parts::cbPhoneModel)},
      {"PI_PHONEMODELPAGE", "spJARLimit", "150", pgPhoneModel, Value(&TForm1Parts::spJARLimit)},
      {"PI_PHONEMODELPAGE", "CustomListOfPhones", "/lists/phones.txt", pgPhoneModel,
       [](TForm1& f) { return f.SettingsStore().PhonesListFile(); }},
      {"PI_INTERFACELANGUAGEPAGE", "rbilEnglishWE", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilEnglishWE)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilEnglishCyr", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilEnglishCyr)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilEnglishHeb", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilHerbew)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilRussian", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilRussian)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilUkrainian", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilUkrainian)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilGerman", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilGerman)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilCzech", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilCzech)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilSlovak", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilSlovak)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilArabic", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilArabic)},
      {"PI_INTERFACELANGUAGEPAGE", "rbilGreek", "1", pgInterfaceLanguage, Checked(&TForm1Parts::rbilGreek)},
      {"PI_ZIPSUPPORTPAGE", "rbWithoutZIPSupport", "1", pgZipSupport, Checked(&TForm1Parts::rbWithoutZIPSupport)},
      {"PI_JSR75STORAGEPAGE", "edJSR75Storage", "e:/books/", pgJSR75Storage, TextOf(&TForm1Parts::edJSR75Storage)},
      {"PI_FONTSPAGE", "cbFont2", "1", pgFonts, fontSlot(2, false)},
      {"PI_FONTSPAGE", "cbFont4", "1", pgFonts, fontSlot(4, false)},
      {"PI_FONTSPAGE", "cbFont5", "1", pgFonts, fontSlot(5, false)},
      {"PI_FONTSPAGE", "cbNegative1", "0", pgFonts, Negative(1)},
      {"PI_FONTSPAGE", "cbNegative2", "0", pgFonts, Negative(2)},
      {"PI_FONTSPAGE", "cbNegative3", "0", pgFonts, Negative(3)},
      {"PI_FONTSPAGE", "cbNegative4", "0", pgFonts, Negative(4)},
      {"PI_FONTSPAGE", "cbNegative5", "0", pgFonts, Negative(5)},
      {"PI_FONTSPAGE", "fontName2", fontFile, pgFonts, fontSlot(2, true)},
      {"PI_FONTSPAGE", "fontName4", fontFile, pgFonts, fontSlot(4, true)},
      {"PI_FONTSPAGE", "fontName5", fontFile, pgFonts, fontSlot(5, true)},
      {"PI_KEYCONFIGPAGE", "kcid", "9", pgKeyConfig, Index(&TForm1Parts::cbKeysConfig)},
      {"PI_KEYCONFIGPAGE", "CustomKeyConfigName", keysFile, pgKeyConfig,
       [](TForm1& f) { return f.SettingsStore().KeysLayoutFile(); }},
      {"PI_MIDLETNAMEPAGE", "mmIntroText", "First|Second", pgMidletName, TextOf(&TForm1Parts::mmIntroText)},
      {"PI_IMAGESPAGE", "rbDontIncludeImages", "1", pgImages, Checked(&TForm1Parts::rbDontIncludeImages)},
      {"PI_IMAGESPAGE", "rbBlackAndWhiteImages", "1", pgImages, Checked(&TForm1Parts::rbBlackAndWhiteImages)},
      {"PI_IMAGESPAGE", "rb16ColorsImages", "1", pgImages, Checked(&TForm1Parts::rb16ColorsImages)},
      {"PI_IMAGESPAGE", "rb64ColorsImages", "0", pgImages, Checked(&TForm1Parts::rb64ColorsImages)},
      {"PI_IMAGESPAGE", "rb256ColorsImages", "1", pgImages, Checked(&TForm1Parts::rb256ColorsImages)},
      {"PI_IMAGESPAGE", "cbScaleDown", "0", pgImages, Checked(&TForm1Parts::cbScaleDown)},
      {"PI_IMAGESPAGE", "spMaxImageWidth", "120", pgImages, Value(&TForm1Parts::spMaxImageWidth)},
      {"PI_IMAGESPAGE", "spMaxImageHeight", "80", pgImages, Value(&TForm1Parts::spMaxImageHeight)},
  };
  const std::vector<RoundTripCase> advanced = AdvancedRoundTripCases(row, helpFile);
  cases.insert(cases.end(), advanced.begin(), advanced.end());
  cases.push_back({"PI_FINISHPAGE", "cbDirectory", "0", pgFinish, Checked(&TForm1Parts::cbDirectory)});
  return cases;
}

// The settings file for one case: its key beside the phone model and shown advanced options.
std::string RoundTripFile(const RoundTripCase& c, int model, const std::string& fontFile, const std::string& helpFile) {
  std::map<std::string, std::map<std::string, std::string>> file;
  file["PI_PHONEMODELPAGE"]["cbPhoneModel"] = std::to_string(model);
  // The later picture button wins: the default 64 colours must not.
  if (c.section == std::string("PI_IMAGESPAGE")) file[c.section]["rb64ColorsImages"] = "0";
  file["PI_ADVANCEDOPTIONSPAGE"]["rbHideAdvancedOptions"] = "0";
  // A slot shows a custom font when both its keys are there.
  for (int slot : {2, 4, 5}) {
    if (c.key == "cbFont" + std::to_string(slot)) file["PI_FONTSPAGE"]["fontName" + std::to_string(slot)] = fontFile;
    if (c.key == "fontName" + std::to_string(slot)) file["PI_FONTSPAGE"]["cbFont" + std::to_string(slot)] = "1";
  }
  // The help file box is checked only with a file that can be read.
  if (c.key == "cbCustomHelpFile") file[c.section]["edCustomHelpFile"] = helpFile;
  file[c.section][c.key] = c.value;
  std::string text;
  for (const auto& [section, keys] : file) {
    text += "[" + section + "]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  }
  return text;
}

}  // namespace

// Every key of the file comes back into its control on its page and is written again as it
// was. The file holds the case's key beside the phone model and shown advanced options.
TEST_F(SettingsWindow, EveryKeyRoundTrips) {
  // A colour phone whose core leaves the negative boxes free, with room for ZIP support.
  const int model = FindRow([](const assembly::TPhoneListItem& p) {
    return p.Core >= 3 && p.Core <= 6 && p.JarLimitKB >= 128 && p.BlackAndWhite == 0 && p.NotSupported == 0;
  });
  ASSERT_GE(model, 0);
  const assembly::TPhoneListItem& row = assembly::PhoneTable[static_cast<std::size_t>(model)];
  const std::string fontFile = WriteFile("fonts/mine.fnt", "");  // filled once the window is up
  const std::string keysFile = WriteFile("k/keys.txt", "LEFT=-3\r\n");
  const std::string helpFile = WriteFile("h/help.txt", "Help.\r\n");
  const std::vector<RoundTripCase> cases = RoundTripCases(model, row, fontFile, keysFile, helpFile);

  // The table holds every key the window stores, and no other.
  std::set<std::pair<std::string, std::string>> stored, tested;
  for (const SettingKey& k : SettingKeys()) stored.insert({k.Section, k.Key});
  for (const RoundTripCase& c : cases) tested.insert({c.section, c.key});
  EXPECT_EQ(tested, stored);
  ASSERT_EQ(tested.size(), cases.size());

  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.key);
    WriteIni(RoundTripFile(c, model, fontFile, helpFile));
    Create();
    if (c.key.starts_with("fontName") || c.key.starts_with("cbFont")) {
      const std::string font = assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\7x5we.fnt");
      WriteFile("fonts/mine.fnt", font);
    }
    if (c.page != pgPhoneModel) Enter(pgPhoneModel);  // the saved model
    Enter(c.page);
    ASSERT_EQ(form_->CurrentPage(), c.page);
    EXPECT_EQ(c.shown(*form_), c.value);
    ASSERT_TRUE(form_->SaveSettings());
    EXPECT_NE(IniText().find("\n" + c.key + "=" + c.value + "\r\n"), std::string::npos) << IniText();
    for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
    services_.messages.clear();
    form_.reset();
  }
}

// Sets a value other than the default on every page; font5 is the text slot 5 then shows.
void SettingsWindow::ChooseOnEveryPage(const std::string& font, const std::string& keys, const std::string& help,
                                       std::string& font5) {
  form_->Parts().RadioButton5->SetChecked(true);
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  form_->Parts().spJARLimit->SetValue(150);
  form_->SettingsStore().SetPhonesListFile("/lists/phones.txt");
  form_->Parts().rbilGerman->SetChecked(true);
  form_->Parts().rbWithoutZIPSupport->SetChecked(true);
  form_->Parts().edJSR75Storage->SetTextValue("e:/books/");
  Enter(pgFonts);
  ASSERT_GT(form_->Parts().FontBoxes[5]->Items()->Count(), 6);
  form_->Parts().FontBoxes[2]->SetItemIndex(0);
  form_->FontsPage().SetCustomFontFile(4, font);
  form_->Parts().FontBoxes[4]->SetItemIndex(1);
  form_->Parts().FontBoxes[5]->SetItemIndex(6);
  font5 = form_->Parts().FontBoxes[5]->Text();
  form_->Parts().NegativeBoxes[1]->SetChecked(false);
  form_->Parts().NegativeBoxes[5]->SetChecked(true);
  // Off the fonts page: every refresh of the controls rebuilds it while it is shown.
  form_->ShowPage(pgAdvancedOptions);
  form_->Parts().cbKeysConfig->SetItemIndex(13);
  form_->SettingsStore().SetKeysLayoutFile(keys);
  form_->Parts().mmIntroText->SetTextValue("First line\r\nSecond line");
  form_->Parts().rb16ColorsImages->SetChecked(true);
  form_->Parts().cbScaleDown->SetChecked(false);
  form_->Parts().spMaxImageWidth->SetValue(120);
  form_->Parts().spMaxImageHeight->SetValue(80);
  form_->Parts().rbShowAdvancedOptions->SetChecked(true);
  form_->Parts().cbCustomHelpFile->SetChecked(true);
  form_->Parts().edCustomHelpFile->SetTextValue(help);
  form_->Parts().edTitleLine1->SetTextValue("Title");
  form_->Parts().edTitleLine2->SetTextValue("Second");
  form_->Parts().edVendor->SetTextValue("Me");
  form_->Parts().cbForceHeight->SetChecked(true);
  form_->Parts().spForceHeight->SetValue(200);
  form_->Parts().cbStoragePath->SetChecked(true);
  form_->Parts().edStoragePath->SetTextValue("c:\\st\\");
  form_->Parts().rgColorConversion->SetItemIndex(0);
  form_->Parts().cbIgnoreSmallImages->SetChecked(false);
  form_->Parts().spMinImageWidth->SetValue(12);
  form_->Parts().cbBacklightControlMethod->SetChecked(true);
  form_->Parts().cboxBacklightControlMethod->SetItemIndex(3);
  form_->Parts().cbCustomAttributes->SetChecked(true);
  form_->Parts().mmCustomAttributes->SetTextValue("A: 1\r\nB: 2");
  form_->Parts().cbDirectory->SetChecked(false);
}

// The pages up to the fonts show the choices of ChooseOnEveryPage again.
void SettingsWindow::ExpectFirstPagesRestored(const std::string& font, const std::string& keys,
                                              const std::string& font5) {
  Enter(pgWizardLanguage);
  EXPECT_TRUE(form_->Parts().RadioButton5->Checked());
  Enter(pgFullOrLite);
  EXPECT_TRUE(form_->Parts().rbLiteVersion->Checked());
  Enter(pgPhoneModel);
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), kNokia6230);
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 150);
  EXPECT_EQ(form_->SettingsStore().PhonesListFile(), "/lists/phones.txt");
  Enter(pgKeyConfig);
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 13);
  EXPECT_EQ(form_->SettingsStore().KeysLayoutFile(), keys);
  Enter(pgInterfaceLanguage);
  EXPECT_TRUE(form_->Parts().rbilGerman->Checked());
  Enter(pgZipSupport);
  EXPECT_TRUE(form_->Parts().rbWithoutZIPSupport->Checked());
  Enter(pgJSR75Storage);
  EXPECT_EQ(form_->Parts().edJSR75Storage->Text(), "e:/books/");
  Enter(pgFonts);
  EXPECT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), 0);
  EXPECT_EQ(form_->Parts().FontBoxes[4]->ItemIndex(), 1);
  EXPECT_EQ(form_->Parts().FontBoxes[4]->Text(), "Custom... (" + font + ")");
  EXPECT_EQ(form_->FontsPage().CustomFontFile(4), font);
  EXPECT_EQ(form_->Parts().FontBoxes[5]->Text(), font5);
  EXPECT_FALSE(form_->Parts().NegativeBoxes[2]->Enabled());  // "None"
  EXPECT_TRUE(form_->Parts().NegativeBoxes[5]->Checked());
}

// The pages from the midlet name on show the choices of ChooseOnEveryPage again.
void SettingsWindow::ExpectLaterPagesRestored(const std::string& help) {
  Enter(pgMidletName);
  EXPECT_EQ(form_->Parts().mmIntroText->Text(), "First line\r\nSecond line");
  Enter(pgImages);
  EXPECT_TRUE(form_->Parts().rb16ColorsImages->Checked());
  EXPECT_FALSE(form_->Parts().rb64ColorsImages->Checked());
  EXPECT_FALSE(form_->Parts().cbScaleDown->Checked());
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Value(), 120);
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 80);
  Enter(pgAdvancedOptions);
  EXPECT_TRUE(form_->Parts().rbShowAdvancedOptions->Checked());
  EXPECT_TRUE(form_->Parts().cbCustomHelpFile->Checked());
  EXPECT_EQ(form_->Parts().edCustomHelpFile->Text(), help);
  EXPECT_EQ(form_->Parts().edTitleLine1->Text(), "Title");
  EXPECT_EQ(form_->Parts().edTitleLine2->Text(), "Second");
  EXPECT_EQ(form_->Parts().edVendor->Text(), "Me");
  EXPECT_TRUE(form_->Parts().cbForceHeight->Checked());
  EXPECT_EQ(form_->Parts().spForceHeight->Value(), 200);
  EXPECT_TRUE(form_->Parts().cbStoragePath->Checked());
  EXPECT_EQ(form_->Parts().edStoragePath->Text(), "c:\\st\\");
  EXPECT_EQ(form_->Parts().rgColorConversion->ItemIndex(), 0);
  EXPECT_FALSE(form_->Parts().cbIgnoreSmallImages->Checked());
  EXPECT_EQ(form_->Parts().spMinImageWidth->Value(), 12);
  EXPECT_TRUE(form_->Parts().cbBacklightControlMethod->Checked());
  EXPECT_EQ(form_->Parts().cboxBacklightControlMethod->ItemIndex(), 3);
  EXPECT_EQ(form_->Parts().mmCustomAttributes->Text(), "A: 1\r\nB: 2");
  Enter(pgFinish);
  EXPECT_FALSE(form_->Parts().cbDirectory->Checked());
}

TEST_F(SettingsWindow, SavedChoicesComeBackPageByPage) {
  Create();
  const std::string font = CustomFont();
  const std::string keys = WriteFile("k/keys.txt", "LEFT=-3\r\n");
  const std::string help = WriteFile("h/help.txt", "Help.\r\n");
  std::string font5;
  ASSERT_NO_FATAL_FAILURE(ChooseOnEveryPage(font, keys, help, font5));
  form_->SaveSettings();

  const std::string ini = IniText();
  for (const char* line : {"radiobutton5=1", "rbLiteVersion=1", "cbPhoneModel=224", "spJARLimit=150",
                           "CustomListOfPhones=/lists/phones.txt", "rbilGerman=1", "rbilEnglishHeb=0",
                           "rbWithoutZIPSupport=1", "edJSR75Storage=e:/books/", "cbFont2=0", "cbFont4=1",
                           "cbNegative1=0", "kcid=13",
                           "mmIntroText=First line|Second line", "rb16ColorsImages=1", "rb64ColorsImages=0",
                           "cbScaleDown=0", "rbHideAdvancedOptions=0", "edTitleLine22.5.2=Second",
                           "mmCustomAttributes=A: 1|B: 2", "rgColorConversion=0", "cbDirectory=0"})
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  EXPECT_NE(ini.find("fontName4=" + font), std::string::npos);
  EXPECT_NE(ini.find("CustomKeyConfigName=" + keys), std::string::npos);

  // A new run restores each page on its first entry.
  form_.reset();
  Create();
  ExpectFirstPagesRestored(font, keys, font5);
  form_->Parts().lbTextFiles->Items()->Add(WriteFile("book.txt", "Once upon a time.\n"));
  ExpectLaterPagesRestored(help);
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

TEST_F(SettingsWindow, AllVersionsWritesOnlyTheFolderBox) {
  const std::string before = "[PI_FULLORLITEPAGE]\r\nrbLiteVersion=1\r\n[PI_PHONEMODELPAGE]\r\ncbPhoneModel=7\r\n";
  WriteIni(before);
  Create();
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->Parts().cbDirectory->SetChecked(false);
  form_->SaveSettings();
  const std::string after = IniText();
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_NE(after.find("cbDirectory=0"), std::string::npos);
  EXPECT_EQ(after.find("rbTinyVersion"), std::string::npos);
  EXPECT_EQ(after.find("spJARLimit"), std::string::npos);
}

TEST_F(SettingsWindow, HiddenAdvancedOptionsAreRebuiltFromTheModel) {
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=385\r\n"
           "[PI_ADVANCEDOPTIONSPAGE]\r\nrbHideAdvancedOptions=1\r\ncbForceHeight=1\r\nspForceHeight=300\r\n"
           "edStoragePath=zzz\r\ncbFontPath=0\r\nedTitleLine22.4.0=old\r\n");
  Create();
  Enter(pgPhoneModel);
  ASSERT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), kSiemens55);
  Enter(pgAdvancedOptions);
  EXPECT_TRUE(form_->Parts().rbHideAdvancedOptions->Checked());
  EXPECT_FALSE(form_->Parts().cbForceHeight->Checked());
  EXPECT_TRUE(form_->Parts().cbStoragePath->Checked());
  EXPECT_EQ(form_->Parts().edStoragePath->Text(), "a:\\java\\jam\\Tomefalcon\\storage\\");
  EXPECT_TRUE(form_->Parts().cbFontPath->Checked());
  EXPECT_EQ(form_->Parts().edFontPath->Text(), ".");
  EXPECT_EQ(form_->Parts().edTitleLine2->Text(), "v2.5.2");
  EXPECT_EQ(form_->Parts().rgColorConversion->ItemIndex(), 1);
  EXPECT_EQ(form_->Parts().edIgnoreImagesWithNames->Text(), "145x67;banner;counter;top100");

  // Shown options read the stored values over the defaults; unstored ones keep the defaults.
  form_->Parts().rbShowAdvancedOptions->SetChecked(true);
  form_->LoadAdvancedOptions();
  EXPECT_TRUE(form_->Parts().cbForceHeight->Checked());
  EXPECT_EQ(form_->Parts().spForceHeight->Value(), 300);
  EXPECT_EQ(form_->Parts().edStoragePath->Text(), "zzz");
  EXPECT_FALSE(form_->Parts().cbFontPath->Checked());
  EXPECT_TRUE(form_->Parts().cbIgnoreEmptyImages->Checked());
}

TEST_F(SettingsWindow, ResetFollowsTheModelRowAndEdition) {
  const int moto = FindRow([](const auto& p) { return p.MidletDataSize != 0 && p.LightControlMethod == -1; });
  const int light = FindRow([](const auto& p) { return p.LightControlMethod != -1; });
  ASSERT_GE(moto, 0);
  ASSERT_GE(light, 0);
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(moto);
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->ResetAdvancedOptions();
  const auto& row = assembly::PhoneTable[static_cast<std::size_t>(moto)];
  const bool dataSize = assembly::DataSizeByCore[row.Core] == 1;
  EXPECT_EQ(form_->Parts().cbMidletDataSize->Checked(), dataSize);
  if (dataSize) {
    EXPECT_EQ(form_->Parts().spMidletDataSize->Value(), row.MidletDataSize);
  }
  EXPECT_FALSE(form_->Parts().cbBacklightControlMethod->Checked());
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->ResetAdvancedOptions();
  EXPECT_FALSE(form_->Parts().cbMidletDataSize->Checked());  // only the full edition writes the data size

  form_->Parts().cbPhoneModel->SetItemIndex(light);
  form_->ResetAdvancedOptions();
  EXPECT_TRUE(form_->Parts().cbBacklightControlMethod->Checked());
  EXPECT_EQ(form_->Parts().cboxBacklightControlMethod->ItemIndex(),
            assembly::PhoneTable[static_cast<std::size_t>(light)].LightControlMethod);
}

struct StaleCase {
  const char* name;
  std::string ini;                        // after the saved model (Nokia 6230)
  std::vector<std::string> messageFiles;  // one warning naming each
  std::function<void(TForm1&)> check;     // what the boxes show
  std::vector<std::string> saved;         // lines the next Finish writes
  std::string model = "224";              // the saved phone model row
};

// Settings files that name files that are gone, after the saved phone model.
std::vector<StaleCase> GoneFileCases(const std::string& goneFont, const std::string& goneHelp,
                                     const std::string& goneKeys) {
  return {
      {"font slot file gone",
       "[PI_FONTSPAGE]\r\ncbFont2=1\r\nfontName2=" + goneFont + "\r\n",
       {goneFont},
       [](TForm1& f) { EXPECT_EQ(f.Parts().FontBoxes[2]->ItemIndex(), 0); },
       {"cbFont2=0", "fontName2=\r\n"}},
      {"font slot without a file name",
       "[PI_FONTSPAGE]\r\ncbFont2=1\r\n",
       {"font slot 2"},
       [](TForm1& f) { EXPECT_EQ(f.Parts().FontBoxes[2]->ItemIndex(), 0); },
       {"cbFont2=0"}},
      {"help file gone",
       "[PI_ADVANCEDOPTIONSPAGE]\r\ncbCustomHelpFile=1\r\nedCustomHelpFile=" + goneHelp + "\r\n",
       {goneHelp},
       [](TForm1& f) { EXPECT_FALSE(f.Parts().cbCustomHelpFile->Checked()); },
       {"cbCustomHelpFile=0"}},
      {"key layout file gone",
       "[PI_KEYCONFIGPAGE]\r\nkcid=13\r\nCustomKeyConfigName=" + goneKeys + "\r\n",
       {goneKeys},
       [](TForm1& f) { EXPECT_EQ(f.Parts().cbKeysConfig->Text(), "Nokia phones keys config"); },
       {"kcid=8"}},
      {"all three gone",
       "[PI_FONTSPAGE]\r\ncbFont4=1\r\nfontName4=" + goneFont +
           "\r\n[PI_KEYCONFIGPAGE]\r\nkcid=13\r\n"
           "CustomKeyConfigName=" +
           goneKeys + "\r\n[PI_ADVANCEDOPTIONSPAGE]\r\ncbCustomHelpFile=1\r\nedCustomHelpFile=" + goneHelp + "\r\n",
       {goneKeys, goneFont, goneHelp},
       [](TForm1& f) {
         EXPECT_EQ(f.Parts().FontBoxes[4]->ItemIndex(), 0);
         EXPECT_EQ(f.Parts().cbKeysConfig->ItemIndex(), 8);
         EXPECT_FALSE(f.Parts().cbCustomHelpFile->Checked());
       },
       {"cbFont4=0", "kcid=8", "cbCustomHelpFile=0"}},
  };
}

// Settings files that hold values out of range; `light` is the backlight method a reset picks
// for the saved phone model.
std::vector<StaleCase> OutOfRangeCases(const std::string& light) {
  const std::string huge(10 * 1024 * 1024, 'V');
  const std::string shown = "[PI_ADVANCEDOPTIONSPAGE]\r\nrbHideAdvancedOptions=0\r\ncbBacklightControlMethod=1\r\n";
  return {
      {"key layout out of range",
       "[PI_KEYCONFIGPAGE]\r\nkcid=77\r\n",
       {},
       [](TForm1& f) { EXPECT_EQ(f.Parts().cbKeysConfig->ItemIndex(), 8); },
       {"kcid=8"}},
      {"negative key layout",
       "[PI_KEYCONFIGPAGE]\r\nkcid=-1\r\n",
       {},
       [](TForm1& f) { EXPECT_EQ(f.Parts().cbKeysConfig->ItemIndex(), 8); },
       {"kcid=8"}},
      {"backlight method 20",
       shown + "cboxBacklightControlMethod=20\r\n",
       {},
       [light](TForm1& f) { EXPECT_EQ(std::to_string(f.Parts().cboxBacklightControlMethod->ItemIndex()), light); },
       {"cboxBacklightControlMethod=" + light}},
      {"backlight method -1",
       shown + "cboxBacklightControlMethod=-1\r\n",
       {},
       [light](TForm1& f) { EXPECT_EQ(std::to_string(f.Parts().cboxBacklightControlMethod->ItemIndex()), light); },
       {"cboxBacklightControlMethod=" + light}},
      {"negative and zero picture sizes",
       "[PI_IMAGESPAGE]\r\nspMaxImageWidth=-5\r\nspMaxImageHeight=0\r\n",
       {},
       [](TForm1& f) {
         EXPECT_EQ(f.Parts().spMaxImageWidth->Text(), "1");
         EXPECT_EQ(f.Parts().spMaxImageHeight->Text(), "1");
       },
       {"spMaxImageWidth=1", "spMaxImageHeight=1"}},
      {"phone model out of range",
       "",
       {},
       [](TForm1& f) {
         EXPECT_EQ(f.Parts().cbPhoneModel->ItemIndex(), 0);
         EXPECT_EQ(f.Parts().cbPhoneModel->Text(), "Generic MIDP1.0 phone");
       },
       {"cbPhoneModel=0\r\n"},
       "9999"},
      {"10 MB vendor",
       "[PI_ADVANCEDOPTIONSPAGE]\r\nedVendor=" + huge + "\r\n",
       {},
       [](TForm1& f) { EXPECT_EQ(f.Parts().edVendor->Text(), std::string(1023, 'V')); },
       {"edVendor=" + std::string(1023, 'V') + "\r\n"}},
  };
}

std::vector<StaleCase> StaleCases(const std::string& goneFont, const std::string& goneHelp, const std::string& goneKeys,
                                  const std::string& light) {
  std::vector<StaleCase> cases = GoneFileCases(goneFont, goneHelp, goneKeys);
  for (StaleCase& c : OutOfRangeCases(light)) cases.push_back(std::move(c));
  return cases;
}

// Opens every page up to the advanced options with `book` to build; each page opens.
void SettingsWindow::EnterPagesUpToTheAdvancedOptions(const std::string& book) {
  for (int page : {pgFullOrLite, pgPhoneModel, pgKeyConfig, pgInterfaceLanguage, pgFonts}) {
    Enter(page);
    ASSERT_EQ(Page(), page);
  }
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption().find("-1"), std::string::npos);
  form_->Parts().lbTextFiles->Items()->Add(book);
  for (int page : {pgEmbed, pgMidletName, pgImages, pgAdvancedOptions}) {
    Enter(page);
    ASSERT_EQ(Page(), page);
  }
}

// Builds the book into out/: no further warning than `warnings`, and the build keeps to its ranges.
void SettingsWindow::BuildWithinTheRanges(std::size_t warnings) {
  std::filesystem::create_directories(Path("out"));
  services_.ScriptDialog({Path("out/War.jad")});
  Enter(pgBuild);
  ASSERT_EQ(Page(), pgFinish);
  EXPECT_EQ(services_.messages.size(), warnings);
  assembly::TZipFile jar;
  jar.LoadFromFile(Path("out/War.jar"));
  const int entry = assembly::LookupArchiveEntry(jar, "res/config.txt");
  ASSERT_GE(entry, 0);
  for (const std::string& line : assembly::SplitLines(jar.ReadEntryData(entry))) {
    if (line.starts_with("LIGHTCONTROL: ")) {
      const int method = std::stoi(line.substr(14));
      EXPECT_TRUE(method >= 0 && method <= 7) << line;
    }
  }
  EXPECT_LE(testing_support::ReadFile(Path("out/War.jad")).size(), 4096u);
}

// A settings file that names files that are gone or holds values out of range: the wizard
// stays up on every page, each box shows what is used, one warning names each missing file,
// the build's res/config.txt keeps to its ranges, and the next Finish stores the values in use.
TEST_F(SettingsWindow, StaleAndOutOfRangeSettingsFallBack) {
  const std::string goneFont = Path("moved/big.fnt");
  const std::string goneHelp = Path("moved/help.txt");
  const std::string goneKeys = Path("moved/keys.txt");
  const std::string book = WriteFile("books/War.txt", "Once upon a time there was a phone.\r\n");
  const int nokiaLight = assembly::PhoneTable[kNokia6230].LightControlMethod;
  const std::string light = std::to_string(nokiaLight != -1 ? nokiaLight : 0);  // the reset value
  for (const StaleCase& c : StaleCases(goneFont, goneHelp, goneKeys, light)) {
    SCOPED_TRACE(c.name);
    services_.messages.clear();
    WriteIni("[PI_FULLORLITEPAGE]\r\nrbLiteVersion=1\r\n[PI_PHONEMODELPAGE]\r\ncbPhoneModel=" + c.model + "\r\n" +
             c.ini);
    Create();
    ASSERT_NO_FATAL_FAILURE(EnterPagesUpToTheAdvancedOptions(book));
    EXPECT_FALSE(platform::Application().Terminated());
    c.check(*form_);
    ASSERT_EQ(services_.messages.size(), c.messageFiles.size());
    for (std::size_t i = 0; i < c.messageFiles.size(); ++i) {
      EXPECT_NE(services_.messages[i].text.find(c.messageFiles[i]), std::string::npos) << services_.messages[i].text;
      EXPECT_EQ(services_.messages[i].icon, platform::TMsgIcon::Warning);
    }

    ASSERT_NO_FATAL_FAILURE(BuildWithinTheRanges(c.messageFiles.size()));
    form_->Parts().CancelBtn->Click();  // Finish
    const std::string ini = IniText();
    for (const std::string& line : c.saved) EXPECT_NE(ini.find(line), std::string::npos) << line;
    form_.reset();
    std::filesystem::remove_all(Path("out"));
    platform::Application().ResetTerminated();
  }
}
