#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "assembly/tables.h"
#include "wizard/settingsvalues.h"

using namespace wizard;
using wizard::testing::BuilderWindowTest;

namespace {

constexpr int kNokia6230 = 224;  // core 7, 128 KB
constexpr int kSiemens55 = 385;  // core 0, no forced height

class SettingsWindow : public BuilderWindowTest {
protected:
  // A built-in font of the sample archive written as a custom font file.
  std::string CustomFont() {
    return WriteFile("fonts/mine.fnt", assembly::ReadArchiveEntry(*form->FResArchive, "fonts\\EnglishWE\\7x5we.fnt"));
  }
};

}  // namespace

TEST(SettingKeys, MemoTextOnOneLine) {
  EXPECT_EQ(MemoToSetting("A\r\nB"), "A|B");
  EXPECT_EQ(SettingToMemo("A|B"), "A\r\nB");
  EXPECT_EQ(SettingToMemo(MemoToSetting("x | y")), "x \r\n y");  // a typed bar comes back as a break
}

TEST_F(SettingsWindow, EveryKeyNamesAControlOfTheWindow) {
  Create();
  for (const std::string& section : SettingSections())
    for (const SettingKey& k : PageSettingKeys(section))
      EXPECT_NE(form->FindComponent(k.control), nullptr) << section << " " << k.key;
  for (const SettingKey& k : AdvancedSettingKeys()) EXPECT_NE(form->FindComponent(k.control), nullptr) << k.key;
}

TEST_F(SettingsWindow, SavedChoicesComeBackPageByPage) {
  Create();
  const std::string font = CustomFont();
  const std::string keys = WriteFile("k/keys.txt", "LEFT=-3\r\n");
  const std::string help = WriteFile("h/help.txt", "Help.\r\n");
  form->RadioButton5->SetChecked(true);
  form->rbLiteVersion->SetChecked(true);
  form->cbPhoneModel->SetItemIndex(kNokia6230);
  form->spJARLimit->SetValue(150);
  form->FPhonesListFile = "/lists/phones.txt";
  form->rbilGerman->SetChecked(true);
  form->rbWithoutZIPSupport->SetChecked(true);
  form->edJSR75Storage->SetTextValue("e:/books/");
  Enter(pgFonts);
  ASSERT_GT(form->cbFont5->Items()->Count(), 6);
  form->cbFont2->SetItemIndex(0);
  form->FCustomFontFiles[4] = font;
  form->cbFont4->SetItemIndex(1);
  form->cbFont5->SetItemIndex(6);
  const std::string font5 = form->cbFont5->Text();
  form->cbNegative1->SetChecked(false);
  form->cbNegative5->SetChecked(true);
  // Off the fonts page: every refresh of the controls rebuilds it while it is shown.
  form->ShowPage(pgAdvancedOptions);
  form->cbKeysConfig->SetItemIndex(13);
  form->FCustomKeysFile = keys;
  form->mmIntroText->SetTextValue("First line\r\nSecond line");
  form->rb16ColorsImages->SetChecked(true);
  form->cbScaleDown->SetChecked(false);
  form->spMaxImageWidth->SetValue(120);
  form->spMaxImageHeight->SetValue(80);
  form->rbShowAdvancedOptions->SetChecked(true);
  form->cbCustomHelpFile->SetChecked(true);
  form->edCustomHelpFile->SetTextValue(help);
  form->edTitleLine1->SetTextValue("Title");
  form->edTitleLine2->SetTextValue("Second");
  form->edVendor->SetTextValue("Me");
  form->cbForceHeight->SetChecked(true);
  form->spForceHeight->SetValue(200);
  form->cbStoragePath->SetChecked(true);
  form->edStoragePath->SetTextValue("c:\\st\\");
  form->rgColorConversion->SetItemIndex(0);
  form->cbIgnoreSmallImages->SetChecked(false);
  form->spMinImageWidth->SetValue(12);
  form->cbBacklightControlMethod->SetChecked(true);
  form->cboxBacklightControlMethod->SetItemIndex(3);
  form->cbCustomAttributes->SetChecked(true);
  form->mmCustomAttributes->SetTextValue("A: 1\r\nB: 2");
  form->cbDirectory->SetChecked(false);
  form->SaveSettings();

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
  form.reset();
  Create();
  Enter(pgWizardLanguage);
  EXPECT_TRUE(form->RadioButton5->Checked());
  Enter(pgFullOrLite);
  EXPECT_TRUE(form->rbLiteVersion->Checked());
  Enter(pgPhoneModel);
  EXPECT_EQ(form->cbPhoneModel->ItemIndex(), kNokia6230);
  EXPECT_EQ(form->spJARLimit->Value(), 150);
  EXPECT_EQ(form->FPhonesListFile, "/lists/phones.txt");
  Enter(pgKeyConfig);
  EXPECT_EQ(form->cbKeysConfig->ItemIndex(), 13);
  EXPECT_EQ(form->FCustomKeysFile, keys);
  Enter(pgInterfaceLanguage);
  EXPECT_TRUE(form->rbilGerman->Checked());
  Enter(pgZipSupport);
  EXPECT_TRUE(form->rbWithoutZIPSupport->Checked());
  Enter(pgJSR75Storage);
  EXPECT_EQ(form->edJSR75Storage->Text(), "e:/books/");
  Enter(pgFonts);
  EXPECT_EQ(form->cbFont2->ItemIndex(), 0);
  EXPECT_EQ(form->cbFont4->ItemIndex(), 1);
  EXPECT_EQ(form->cbFont4->Text(), "Custom... (" + font + ")");
  EXPECT_EQ(form->FCustomFontFiles[4], font);
  EXPECT_EQ(form->cbFont5->Text(), font5);
  EXPECT_FALSE(form->cbNegative2->Enabled());  // "None"
  EXPECT_TRUE(form->cbNegative5->Checked());
  form->lbTextFiles->Items()->Add(WriteFile("book.txt", "Once upon a time.\n"));
  Enter(pgMidletName);
  EXPECT_EQ(form->mmIntroText->Text(), "First line\r\nSecond line");
  Enter(pgImages);
  EXPECT_TRUE(form->rb16ColorsImages->Checked());
  EXPECT_FALSE(form->rb64ColorsImages->Checked());
  EXPECT_FALSE(form->cbScaleDown->Checked());
  EXPECT_EQ(form->spMaxImageWidth->Value(), 120);
  EXPECT_EQ(form->spMaxImageHeight->Value(), 80);
  Enter(pgAdvancedOptions);
  EXPECT_TRUE(form->rbShowAdvancedOptions->Checked());
  EXPECT_TRUE(form->cbCustomHelpFile->Checked());
  EXPECT_EQ(form->edCustomHelpFile->Text(), help);
  EXPECT_EQ(form->edTitleLine1->Text(), "Title");
  EXPECT_EQ(form->edTitleLine2->Text(), "Second");
  EXPECT_EQ(form->edVendor->Text(), "Me");
  EXPECT_TRUE(form->cbForceHeight->Checked());
  EXPECT_EQ(form->spForceHeight->Value(), 200);
  EXPECT_TRUE(form->cbStoragePath->Checked());
  EXPECT_EQ(form->edStoragePath->Text(), "c:\\st\\");
  EXPECT_EQ(form->rgColorConversion->ItemIndex(), 0);
  EXPECT_FALSE(form->cbIgnoreSmallImages->Checked());
  EXPECT_EQ(form->spMinImageWidth->Value(), 12);
  EXPECT_TRUE(form->cbBacklightControlMethod->Checked());
  EXPECT_EQ(form->cboxBacklightControlMethod->ItemIndex(), 3);
  EXPECT_EQ(form->mmCustomAttributes->Text(), "A: 1\r\nB: 2");
  Enter(pgFinish);
  EXPECT_FALSE(form->cbDirectory->Checked());
  for (const auto& m : services.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

TEST_F(SettingsWindow, AllVersionsWritesOnlyTheFolderBox) {
  const std::string before = "[PI_FULLORLITEPAGE]\r\nrbLiteVersion=1\r\n[PI_PHONEMODELPAGE]\r\ncbPhoneModel=7\r\n";
  WriteIni(before);
  Create();
  form->rbFullVersion->SetChecked(true);
  form->cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->cbDirectory->SetChecked(false);
  form->SaveSettings();
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
  ASSERT_EQ(form->cbPhoneModel->ItemIndex(), kSiemens55);
  Enter(pgAdvancedOptions);
  EXPECT_TRUE(form->rbHideAdvancedOptions->Checked());
  EXPECT_FALSE(form->cbForceHeight->Checked());
  EXPECT_TRUE(form->cbStoragePath->Checked());
  EXPECT_EQ(form->edStoragePath->Text(), "a:\\java\\jam\\Tomefalcon\\storage\\");
  EXPECT_TRUE(form->cbFontPath->Checked());
  EXPECT_EQ(form->edFontPath->Text(), ".");
  EXPECT_EQ(form->edTitleLine2->Text(), "v2.5.2");
  EXPECT_EQ(form->rgColorConversion->ItemIndex(), 1);
  EXPECT_EQ(form->edIgnoreImagesWithNames->Text(), "145x67;banner;counter;top100");

  // Shown options read the stored values over the defaults; unstored ones keep the defaults.
  form->rbShowAdvancedOptions->SetChecked(true);
  form->LoadAdvancedOptions();
  EXPECT_TRUE(form->cbForceHeight->Checked());
  EXPECT_EQ(form->spForceHeight->Value(), 300);
  EXPECT_EQ(form->edStoragePath->Text(), "zzz");
  EXPECT_FALSE(form->cbFontPath->Checked());
  EXPECT_TRUE(form->cbIgnoreEmptyImages->Checked());
}

TEST_F(SettingsWindow, ResetFollowsTheModelRowAndEdition) {
  const int moto = FindRow([](const auto& p) { return p.MidletDataSize != 0 && p.LightControlMethod == -1; });
  const int light = FindRow([](const auto& p) { return p.LightControlMethod != -1; });
  ASSERT_GE(moto, 0);
  ASSERT_GE(light, 0);
  Create();
  form->cbPhoneModel->SetItemIndex(moto);
  form->rbFullVersion->SetChecked(true);
  form->ResetAdvancedOptions();
  const auto& row = assembly::PhoneTable[static_cast<std::size_t>(moto)];
  const bool dataSize = assembly::DataSizeByCore[row.Core] == 1;
  EXPECT_EQ(form->cbMidletDataSize->Checked(), dataSize);
  if (dataSize) {
    EXPECT_EQ(form->spMidletDataSize->Value(), row.MidletDataSize);
  }
  EXPECT_FALSE(form->cbBacklightControlMethod->Checked());
  form->rbLiteVersion->SetChecked(true);
  form->ResetAdvancedOptions();
  EXPECT_FALSE(form->cbMidletDataSize->Checked());  // only the full edition writes the data size

  form->cbPhoneModel->SetItemIndex(light);
  form->ResetAdvancedOptions();
  EXPECT_TRUE(form->cbBacklightControlMethod->Checked());
  EXPECT_EQ(form->cboxBacklightControlMethod->ItemIndex(),
            assembly::PhoneTable[static_cast<std::size_t>(light)].LightControlMethod);
}
