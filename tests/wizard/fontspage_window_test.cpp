#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "platform/ui/menuitem.h"

#include <vector>

using namespace wizard;
using wizard::testing::BuilderWindowTest;

namespace {

constexpr int kSiemens55 = 385;  // core 0: inverts black-and-white fonts itself
constexpr int kArabic = 9;

class FontsPage : public BuilderWindowTest {
protected:
  void SetUpPage(int row, int language) {
    Create();
    form_->Parts().cbPhoneModel->SetItemIndex(row);
    form_->SetInterfaceLanguage(static_cast<uint8_t>(language));
    form_->FontsPage().SetResetPending(false);
    form_->FontsPage().Load(false);
  }
  static int Core3Row() { return FindRow([](const auto& p) { return p.Core == 3 && p.BlackAndWhite == 0; }); }
  std::vector<std::string> Slots() const {
    std::vector<std::string> s;
    for (int k = 1; k <= 5; ++k) s.push_back(form_->Parts().FontBoxes[static_cast<std::size_t>(k)]->Text());
    return s;
  }
};

}  // namespace

TEST_F(FontsPage, BlackAndWhiteDisplayListsOnlyBlackAndWhiteFonts) {
  const int bw = FindRow([](const auto& p) { return p.BlackAndWhite != 0; });
  ASSERT_GE(bw, 0);
  SetUpPage(bw, kEnglishWE);
  const platform::TStrings& items = *form_->Parts().FontBoxes[4]->Items();
  const int bwCount = items.Count();
  ASSERT_GT(items.Count(), 2);
  EXPECT_EQ(items[0], "None");
  EXPECT_EQ(items[1], "Custom...");
  for (int i = 2; i < items.Count(); ++i) EXPECT_NE(items[i].find(" BW"), std::string::npos) << items[i];
  EXPECT_TRUE(form_->Parts().BlackandWhitefontspack1->Enabled());
  EXPECT_TRUE(form_->Parts().Nofonts1->Enabled());
  for (platform::TMenuItem* item : {form_->Parts().Bluefonstpack1, form_->Parts().Yellowfontspacks1,
                                    form_->Parts().ClearTypeFontsPack1, form_->Parts().Anitaliazedfontspack1})
    EXPECT_FALSE(item->Enabled()) << item->Caption();

  // A colour display offers the colour fonts and presets.
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  form_->FontsPage().Load(false);
  EXPECT_GT(form_->Parts().FontBoxes[4]->Items()->Count(), bwCount);
  EXPECT_TRUE(form_->Parts().Bluefonstpack1->Enabled());
}

TEST_F(FontsPage, PresetsBySchemeAndFace) {
  SetUpPage(kNokia6230, kEnglishWE);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "6x3we BW", "6x4we BW", "7x5we BW", "8x5we BW"}));
  form_->Parts().Bluefonstpack1->Click();
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "6x3we Aqua", "6x4we BW", "7x5we Aqua", "8x5we Aqua"}));
  form_->Parts().ClearTypeFontsPack1->Click();
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "Tah12we ClearType", "6x4we BW", "Verd13we ClearType",
                                               "Arial15we ClearType"}));
  form_->Nofonts1Click(nullptr);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "None", "6x4we BW", "None", "None"}));

  // English - Arabic has no fifth scheme font.
  form_->SetInterfaceLanguage(kArabic);
  form_->FontsPage().Load(false);
  form_->Parts().Yellowfontspacks1->Click();
  EXPECT_EQ(form_->Parts().FontBoxes[5]->ItemIndex(), 0);
  EXPECT_NE(form_->Parts().FontBoxes[2]->Text().find("Arial16"), std::string::npos)
      << form_->Parts().FontBoxes[2]->Text();
  EXPECT_NE(form_->Parts().FontBoxes[2]->Text().find("Yellow"), std::string::npos);
}

TEST_F(FontsPage, NegativeBoxesFollowTheFontKindAndCore) {
  SetUpPage(kSiemens55, kEnglishWE);
  form_->Parts().Bluefonstpack1->Click();
  // Black-and-white fonts on core 0: checked and locked; colour fonts: free, check kept.
  EXPECT_TRUE(form_->Parts().NegativeBoxes[1]->Checked());
  EXPECT_FALSE(form_->Parts().NegativeBoxes[1]->Enabled());
  EXPECT_TRUE(form_->Parts().NegativeBoxes[2]->Checked());
  EXPECT_TRUE(form_->Parts().NegativeBoxes[2]->Enabled());
  form_->Parts().NegativeBoxes[2]->SetChecked(false);
  form_->Nofonts1Click(nullptr);
  EXPECT_FALSE(form_->Parts().NegativeBoxes[2]->Checked());
  EXPECT_FALSE(form_->Parts().NegativeBoxes[2]->Enabled());

  // Core 3 keeps the negative sheet of black-and-white fonts.
  form_->Parts().cbPhoneModel->SetItemIndex(Core3Row());
  form_->FontsPage().Load(false);
  EXPECT_TRUE(form_->Parts().NegativeBoxes[1]->Enabled());
  EXPECT_TRUE(form_->Parts().NegativeBoxes[1]->Checked());
}

TEST_F(FontsPage, SizeLabelsShowTheLimitAndTheTrialBuild) {
  SetUpPage(Core3Row(), kEnglishWE);
  form_->Parts().spJARLimit->SetValue(64);
  form_->FontsPage().Load(false);
  EXPECT_EQ(form_->Parts().JarLimitLabel->Caption(), "Selected phone has JAR size limit 65536 bytes.");
  const int size = form_->EstimateJarSize().value_or(-1);
  EXPECT_GT(size, 0);
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption(),
            "Midlet JAR Size with selected fonts is " + std::to_string(size) + " bytes.");
  form_->Parts().NegativeBoxes[4]->SetChecked(false);  // a click outside the set-up measures again
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption(),
            "Midlet JAR Size with selected fonts is " + std::to_string(form_->EstimateJarSize().value()) + " bytes.");
  EXPECT_LT(form_->EstimateJarSize().value(), size);
}

TEST_F(FontsPage, CustomFontFileChosenOrCancelled) {
  SetUpPage(kNokia6230, kEnglishWE);
  const std::string path =
      WriteFile("my fonts/Big.old.fnt",
                assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.ScriptDialog({path});
  form_->Parts().FontBoxes[2]->UserSelect(1);
  ASSERT_EQ(services_.dialogs.size(), 1u);
  EXPECT_EQ(services_.dialogs[0].Filter, "Tomefalcon fonts|*.fnt");
  EXPECT_TRUE(services_.dialogs[0].FileMustExist);
  EXPECT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), 1);
  EXPECT_EQ(form_->Parts().FontBoxes[2]->Text(), "Custom... (" + path + ")");
  EXPECT_EQ(form_->Parts().FontBoxes[2]->Hint(), path);
  EXPECT_EQ(form_->FontsPage().CustomFontFile(2), path);
  assembly::TMIDLETCONFIG config;
  form_->CollectMidletConfig(config);
  EXPECT_EQ(config.FontNames[1], "Big");
  EXPECT_EQ(config.FontSources[1], path);
  EXPECT_TRUE(form_->Parts().NegativeBoxes[2]->Enabled());  // a colour font

  services_.ScriptDialogCancel();
  form_->Parts().FontBoxes[4]->UserSelect(1);
  EXPECT_EQ(form_->Parts().FontBoxes[4]->ItemIndex(), 0);
  EXPECT_FALSE(form_->Parts().NegativeBoxes[4]->Enabled());
  EXPECT_TRUE(services_.messages.empty());
}

TEST_F(FontsPage, StoredChoicesOverThePreset) {
  SetUpPage(kNokia6230, kEnglishWE);
  const int aqua = form_->Parts().FontBoxes[5]->Items()->IndexOf("8x5we Aqua");
  ASSERT_GT(aqua, 1);
  WriteIni("[PI_FONTSPAGE]\r\ncbFont2=999\r\ncbFont4=0\r\ncbFont5=" + std::to_string(aqua) +
           "\r\ncbNegative3=0\r\ncbNegative5=0\r\n");
  form_->FontsPage().Load(true);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "6x3we BW", "6x4we BW", "None", "8x5we Aqua"}));
  EXPECT_FALSE(form_->Parts().NegativeBoxes[3]->Checked());
  EXPECT_FALSE(form_->Parts().NegativeBoxes[5]->Checked());
  EXPECT_TRUE(form_->Parts().NegativeBoxes[1]->Checked());
}

TEST_F(FontsPage, FitEmptiesNegativesThenFontsUntilTheJarFits) {
  SetUpPage(kNokia6230, kEnglishWE);
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->Parts().spJARLimit->SetMinValue(1);
  // ClearType fonts in slots 2, 4 and 5 from the settings file, then a fit to 30 KB.
  WriteIni("[PI_FONTSPAGE]\r\ncbFont2=" +
           std::to_string(form_->Parts().FontBoxes[2]->Items()->IndexOf("Tah12we ClearType")) +
           "\r\ncbFont4=" + std::to_string(form_->Parts().FontBoxes[4]->Items()->IndexOf("Verd13we ClearType")) +
           "\r\ncbFont5=" + std::to_string(form_->Parts().FontBoxes[5]->Items()->IndexOf("Arial15we ClearType")) +
           "\r\n");
  form_->Parts().spJARLimit->SetValue(30);
  form_->FontsPage().Load(true);
  ASSERT_GT(form_->EstimateJarSize().value_or(-1), 0);  // unchanged by this step
  form_->FontsPage().MarkForReset();
  form_->FontsPage().Load(true);
  EXPECT_FALSE(form_->FontsPage().ResetPending());
  EXPECT_TRUE(form_->FontsPage().FitsJarLimit());
  EXPECT_LE(form_->EstimateJarSize().value() + 256, 30 * 1024);
  EXPECT_EQ(form_->Parts().FontBoxes[1]->Text(), "5x3we BW");
  EXPECT_EQ(form_->Parts().FontBoxes[3]->Text(), "6x4we BW");
  // Fonts go only after every negative.
  if (form_->Parts().FontBoxes[5]->ItemIndex() == 0) {
    for (int k : {2, 4, 5}) EXPECT_FALSE(form_->Parts().NegativeBoxes[static_cast<std::size_t>(k)]->Checked()) << k;
  }

  // A core that alone exceeds the limit: every step, slots 1 and 3 stay.
  form_->Parts().spJARLimit->SetValue(4);
  form_->FontsPage().MarkForReset();
  form_->FontsPage().Load(true);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"5x3we BW", "None", "6x4we BW", "None", "None"}));
  EXPECT_FALSE(form_->FontsPage().FitsJarLimit());
  EXPECT_EQ(form_->FontsPage().MaxMidletSize(), 4 * 1024 - 256);

  // Leaving the fonts page forward is refused with the largest size that fits.
  form_->ShowPage(pgFonts);
  Enter(pgAdvancedOptions);
  EXPECT_EQ(form_->CurrentPage(), pgFonts);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].caption, "JAR limit exceeded");
  EXPECT_NE(services_.messages[0].text.find(" 3840 bytes."), std::string::npos);
}

TEST_F(FontsPage, LockedNegativesAreCheckedAgainAfterTheFit) {
  SetUpPage(kSiemens55, kEnglishWE);
  form_->Parts().spJARLimit->SetMinValue(1);
  form_->Parts().spJARLimit->SetValue(2);
  form_->FontsPage().MarkForReset();
  form_->FontsPage().Load(false);
  EXPECT_TRUE(form_->Parts().NegativeBoxes[1]->Checked());
  EXPECT_FALSE(form_->Parts().NegativeBoxes[1]->Enabled());
  EXPECT_TRUE(form_->Parts().NegativeBoxes[3]->Checked());
  EXPECT_FALSE(form_->Parts().NegativeBoxes[2]->Checked());
}

TEST_F(FontsPage, PresetButtonPopsUpTheMenu) {
  SetUpPage(kNokia6230, kEnglishWE);
  EXPECT_EQ(form_->Parts().PopupMenu1->LastMenu(), nullptr);
  form_->Parts().BitBtn1->Click();
  EXPECT_NE(form_->Parts().PopupMenu1->LastMenu(), nullptr);
}

TEST_F(FontsPage, VanishedCustomFontEndsTheProgram) {
  SetUpPage(kNokia6230, kEnglishWE);
  const std::string path = WriteFile(
      "gone.fnt", assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.ScriptDialog({path});
  form_->Parts().FontBoxes[5]->UserSelect(1);
  ASSERT_TRUE(services_.messages.empty());
  std::filesystem::remove(path);
  form_->FontsPage().UpdateNegativeBoxes();
  ASSERT_FALSE(services_.messages.empty());
  EXPECT_NE(services_.messages[0].text.find(path), std::string::npos) << services_.messages[0].text;
  EXPECT_TRUE(platform::Application().Terminated());
}

// A custom font of the settings file that is gone no longer locks the user out: the slot is
// "None", one warning names the file, and the page measures and fits as usual.
TEST_F(FontsPage, CustomFontOfTheSettingsFileThatIsGoneFallsBackToNone) {
  const std::string gone = Path("gone/mine.fnt");
  WriteIni("[PI_FONTSPAGE]\r\ncbFont2=1\r\nfontName2=" + gone + "\r\n");
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  Enter(8);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text,
            "The font file \"" + gone +
                "\" of font slot 2 in the settings cannot be used; the slot is set to "
                "\"None\". (Unable to open file. File does not exist or is locked by other application: \"" +
                gone + "\")");
  EXPECT_EQ(services_.messages[0].caption, "Warning");
  EXPECT_FALSE(platform::Application().Terminated());
  EXPECT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), 0);
  EXPECT_TRUE(form_->FontsPage().CustomFontFile(2).empty());
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption().find("-1"), std::string::npos)
      << form_->Parts().JarSizeLabel->Caption();
  // Entering the page again in this run does not repeat the warning.
  Enter(pgInterfaceLanguage);
  Enter(pgFonts);
  EXPECT_EQ(services_.messages.size(), 1u);
}

// Going back to the fonts page keeps what the user chose there in this run; only after the
// interface language, ZIP or storage pages do the slots start again from defaults, fitted.
TEST_F(FontsPage, ChoicesStayUntilTheFontsStartAgain) {
  Create();
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  form_->SetInterfaceLanguage(kEnglishWE);
  Enter(pgFonts);
  const std::vector<std::string> defaults = {"5x3we BW", "6x3we BW", "6x4we BW", "7x5we BW", "8x5we BW"};
  ASSERT_EQ(Slots(), defaults);
  form_->Parts().Bluefonstpack1->Click();
  form_->Parts().NegativeBoxes[4]->SetChecked(false);
  const std::vector<std::string> aqua = {"5x3we BW", "6x3we Aqua", "6x4we BW", "7x5we Aqua", "8x5we Aqua"};
  ASSERT_EQ(Slots(), aqua);
  const std::string size = form_->Parts().JarSizeLabel->Caption();

  Next();  // full edition: the advanced options
  ASSERT_EQ(Page(), pgAdvancedOptions);
  Back();
  ASSERT_EQ(Page(), pgFonts);
  EXPECT_EQ(Slots(), aqua);
  EXPECT_FALSE(form_->Parts().NegativeBoxes[4]->Checked());
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption(), size);

  Back();  // Nokia 6230, core 7: the ZIP support page
  ASSERT_EQ(Page(), pgZipSupport);
  Next();
  ASSERT_EQ(Page(), pgFonts);
  EXPECT_EQ(Slots(), defaults);
  EXPECT_TRUE(form_->Parts().NegativeBoxes[4]->Checked());
  EXPECT_FALSE(form_->FontsPage().ResetPending());
  EXPECT_TRUE(services_.messages.empty());
}
