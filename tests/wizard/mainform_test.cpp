#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "platform/system/codepage.h"
#include "platform/ui/radiobutton.h"
#include "wizard/pagerules.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

using namespace wizard;
using platform::TMsgIcon;
namespace fs = std::filesystem;

namespace {

class WizardWindow : public wizard::testing::BuilderWindowTest {};

}  // namespace

TEST_F(WizardWindow, StartUpSequence) {
  Create();
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(form->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_TRUE(form->DoubleBuffered());
  EXPECT_EQ(form->Parts().cbPhoneModel->Items()->Count(), 507);
  EXPECT_EQ(form->Parts().cbPhoneModel->ItemIndex(), 0);
  EXPECT_EQ(form->Parts().cbKeysConfig->Items()->Count(), 14);
  EXPECT_EQ((*form->Parts().cbKeysConfig->Items())[13], "Custom keys configuration...");
  EXPECT_TRUE(form->FontsPage().ResetPending());
  EXPECT_FALSE(form->Parts().FJarLimitWarned);
  EXPECT_GT(form->Parts().FFontCatalogue.Count, 0);
  EXPECT_NE(form->Parts().FResArchive, nullptr);
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_en.chm");
  // Page 0 after the entry logic: no Help button, Back disabled, Next enabled.
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form->Parts().BitBtn5->Visible());
  EXPECT_FALSE(form->Parts().btnRestart->Visible());
  EXPECT_FALSE(form->Parts().PrevBtn->Enabled());
  EXPECT_TRUE(form->Parts().NextBtn->Enabled());
  EXPECT_TRUE(form->Parts().FPageVisited[0]);
  EXPECT_FALSE(form->Parts().FPageVisited[1]);
  EXPECT_FALSE(form->Parts().FCoreDescs[0].empty());
  EXPECT_FALSE(form->Parts().FKeysConfigDescs[13].empty());
}

// Every row of the page table names the notebook page at its number and the header on it.
TEST_F(WizardWindow, PageTableRowsNameTheNotebookPages) {
  Create();
  ASSERT_EQ(form->Parts().Notebook1->PageCount(), kPageCount);
  for (const TPageRow& row : wizard::Pages) {
    ASSERT_NE(form->Parts().Pages.at(static_cast<size_t>(row.Page)), nullptr) << row.Control;
    EXPECT_EQ(form->Parts().Pages.at(static_cast<size_t>(row.Page))->Name(), row.Control);
    controls::TWizardHeader* header = form->Parts().Headers.at(static_cast<size_t>(row.Page));
    EXPECT_EQ(header != nullptr ? header->Name() : "", row.Header != nullptr ? row.Header : "") << row.Control;
    if (header != nullptr) {
      EXPECT_EQ(header->Parent(), form->Parts().Pages.at(static_cast<size_t>(row.Page)));
    }
  }
}

TEST_F(WizardWindow, MissingArchiveIsReportedOnceAndTheRestOfTheStartUpRuns) {
  fs::remove(dir_ / "bin" / "quirewright.dat");
  Create();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].icon, TMsgIcon::Error);
  EXPECT_NE(services.messages[0].text.find((dir_ / "bin" / "quirewright.dat").string()), std::string::npos);
  EXPECT_EQ(form->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_EQ(form->Parts().cbPhoneModel->Items()->Count(), 507);
  EXPECT_EQ(form->Parts().FResArchive, nullptr);
}

TEST_F(WizardWindow, DeployArgumentIsComparedExactly) {
  const std::string out = (dir_ / "out").string() + "/";
  for (const char* arg : {"-Deploy", "/deploy"}) {
    run.CommandLine = {arg, out};
    Create();
    form->ShowForm();
    EXPECT_TRUE(form->Visible()) << arg;
    form.reset();
  }
  run.CommandLine = {"-deploy", out};
  Create();
  form->ShowForm();
  EXPECT_FALSE(form->Visible());
}

TEST_F(WizardWindow, FullRoadThroughThePageManager) {
  Create();
  std::vector<int> road{Page()};
  for (int i = 0; i < 8; ++i) {
    Next();
    road.push_back(Page());
  }
  EXPECT_EQ(road, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8, 12}));
  EXPECT_TRUE(form->Parts().BitBtn5->Visible());
  Back();
  EXPECT_EQ(Page(), pgFonts);
}

TEST_F(WizardWindow, PhoneListRoadResetsKeysAndLanguage) {
  Create();
  Next();
  Next();
  form->Parts().rbLiteVersion->SetChecked(true);
  Next();
  ASSERT_EQ(Page(), pgPhoneModel);
  form->Parts().cbKeysConfig->SetItemIndex(5);
  form->Parts().rbilGerman->SetChecked(true);
  form->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->Parts().PageManager1->CheckButtons();  // the manager asks for the next page
  EXPECT_EQ(form->Parts().cbKeysConfig->ItemIndex(), 0);
  EXPECT_TRUE(form->Parts().rbilEnglishCE->Checked());
  Next();
  EXPECT_EQ(Page(), pgInterfaceLanguage);
  Back();
  EXPECT_EQ(Page(), pgKeyConfig);
}

TEST_F(WizardWindow, UnsupportedModelStaysOnThePhonePage) {
  int row = FindRow([](const assembly::TPhoneListItem& r) { return r.NotSupported != 0; });
  ASSERT_GE(row, 0);
  Create();
  Next();
  Next();
  Next();
  form->Parts().cbPhoneModel->SetItemIndex(row);
  Next();
  EXPECT_EQ(Page(), pgPhoneModel);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Unfortunatelly, this phone is not supported by Tomefalcon.");
  EXPECT_EQ(services.messages[0].caption, "Not supported!");
  EXPECT_EQ(services.messages[0].icon, TMsgIcon::Warning);
}

TEST_F(WizardWindow, PhonePageLimitAndListRowText) {
  int noLimit = FindRow([](const assembly::TPhoneListItem& r) { return r.JarLimitKB == 0; });
  ASSERT_GE(noLimit, 0);
  Create();
  form->ShowPage(pgPhoneModel);
  form->Parts().cbPhoneModel->SetItemIndex(noLimit);
  form->UpdateControls();
  EXPECT_EQ(form->Parts().spJARLimit->Value(), 64);
  EXPECT_TRUE(form->Parts().spJARLimit->Enabled());
  form->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->UpdateControls();
  EXPECT_EQ(form->Parts().spJARLimit->Value(), 16384);
  EXPECT_FALSE(form->Parts().spJARLimit->Enabled());
  EXPECT_EQ(form->Parts().lbCoreDesc->Caption(), "Build multiple versions of midlet.");

  form->ShowPage(pgPhoneModel);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ((*form->Parts().cbPhoneModel->Items())[506], "Build all versions");
  EXPECT_EQ(form->Parts().cbPhoneModel->ItemIndex(), 0);  // restored from the (missing) settings
  form->Parts().rbTinyVersion->SetChecked(true);
  form->Parts().cbPhoneModel->SetItemIndex(7);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ((*form->Parts().cbPhoneModel->Items())[506], "Build for custom list of phones...");
  EXPECT_EQ(form->Parts().cbPhoneModel->ItemIndex(), 7);
}

TEST_F(WizardWindow, ZipSupportFollowsTheJarLimit) {
  Create();
  form->ShowPage(pgZipSupport);
  form->Parts().cbPhoneModel->SetItemIndex(0);
  struct Case {
    int kb;
    bool allowed;
  } cases[] = {{98, false}, {99, true}};
  for (const Case& k : cases) {
    form->Parts().rbWithZIPSupport->SetChecked(true);
    form->Parts().spJARLimit->SetValue(k.kb);
    form->UpdateControls();
    EXPECT_EQ(form->Parts().rbWithZIPSupport->Enabled(), k.allowed) << k.kb;
    EXPECT_EQ(form->Parts().rbWithoutZIPSupport->Checked(), !k.allowed) << k.kb;
    EXPECT_EQ(form->Parts().lbCantZIP->Visible(), !k.allowed) << k.kb;
  }
  form->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->Parts().spJARLimit->SetValue(64);
  form->UpdateControls();
  EXPECT_TRUE(form->Parts().rbWithZIPSupport->Enabled());
}

TEST_F(WizardWindow, PictureSizeControlsFollowTheColourChoiceAndScaling) {
  Create();
  form->ShowPage(pgImages);
  form->Parts().rbDontIncludeImages->SetChecked(true);
  EXPECT_FALSE(form->Parts().cbScaleDown->Enabled());
  EXPECT_FALSE(form->Parts().spMaxImageWidth->Enabled());
  form->Parts().rb16ColorsImages->SetChecked(true);
  EXPECT_TRUE(form->Parts().cbScaleDown->Enabled());
  EXPECT_TRUE(form->Parts().spMaxImageHeight->Enabled());
  form->Parts().cbScaleDown->SetChecked(false);
  form->UpdateControls();
  EXPECT_FALSE(form->Parts().spMaxImageHeight->Enabled());
  EXPECT_FALSE(form->Parts().lbMaxImageWidth->Enabled());
}

TEST_F(WizardWindow, AdvancedOptionsShowAndTheirSizesFollowTheirChecks) {
  Create();
  form->ShowPage(pgAdvancedOptions);
  form->Parts().rbShowAdvancedOptions->SetChecked(true);
  EXPECT_TRUE(form->Parts().tcAdvancedOptions->Visible());
  form->Parts().cbIgnoreSmallImages->SetChecked(true);
  form->Parts().cbForceHeight->SetChecked(true);
  EXPECT_TRUE(form->Parts().spMinImageWidth->Enabled());
  form->Parts().cbIgnoreSmallImages->SetChecked(false);
  EXPECT_FALSE(form->Parts().spMinImageWidth->Enabled());
  EXPECT_FALSE(form->Parts().spMinImageHeight->Enabled());
  EXPECT_FALSE(form->Parts().lbMinImageHeight->Enabled());
  EXPECT_TRUE(form->Parts().spForceHeight->Enabled());
  form->Parts().rbHideAdvancedOptions->SetChecked(true);
  EXPECT_FALSE(form->Parts().tcAdvancedOptions->Visible());
}

// The book midlet group follows the edition; the help file editors their check box.
TEST_F(WizardWindow, BookMidletOptionsFollowTheEditionAndTheirChecks) {
  Create();
  form->ShowPage(pgAdvancedOptions);
  EXPECT_FALSE(form->Parts().gbBookMidletOptions->Visible());
  form->Parts().rbLiteVersion->SetChecked(true);
  form->UpdateControls();
  EXPECT_TRUE(form->Parts().gbBookMidletOptions->Visible());
  EXPECT_FALSE(form->Parts().btnCustomHelpFile->Enabled());
  form->Parts().cbCustomHelpFile->SetChecked(true);
  EXPECT_TRUE(form->Parts().btnCustomHelpFile->Enabled());
  EXPECT_TRUE(form->Parts().edCustomHelpFile->Enabled());
  form->Parts().cbBacklightControlMethod->SetChecked(true);
  EXPECT_TRUE(form->Parts().cboxBacklightControlMethod->Enabled());
}

TEST_F(WizardWindow, CancelledDialogsFallBack) {
  Create();
  form->ShowPage(pgKeyConfig);
  services.ScriptDialogCancel();
  form->Parts().cbKeysConfig->UserSelect(13);
  EXPECT_EQ(form->Parts().cbKeysConfig->ItemIndex(), 0);
  EXPECT_EQ(form->Parts().lbKeysConfigDesc->Caption(), form->Parts().FKeysConfigDescs[0]);
  services.ScriptDialog({"/keys/mine.txt"});
  form->Parts().cbKeysConfig->UserSelect(13);
  EXPECT_EQ(form->Parts().cbKeysConfig->ItemIndex(), 13);
  EXPECT_EQ(form->SettingsStore().KeysLayoutFile(), "/keys/mine.txt");
  ASSERT_EQ(services.dialogs.size(), 2u);
  EXPECT_EQ(services.dialogs[0].Filter, "Keys configuration|*.txt");
  EXPECT_TRUE(services.dialogs[0].FileMustExist);

  form->ShowPage(pgPhoneModel);
  form->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);  // full edition: no dialog
  EXPECT_EQ(services.dialogs.size(), 2u);
  form->Parts().rbLiteVersion->SetChecked(true);
  services.ScriptDialogCancel();
  form->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);
  EXPECT_EQ(form->Parts().cbPhoneModel->ItemIndex(), 0);
  services.ScriptDialog({"/lists/phones.txt"});
  form->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);
  EXPECT_EQ(form->SettingsStore().PhonesListFile(), "/lists/phones.txt");
  EXPECT_EQ(services.dialogs.back().Filter, "Custom phone models list|*.txt");
}

TEST_F(WizardWindow, InterfaceLanguageIndex) {
  Create();
  EXPECT_EQ(form->GetInterfaceLanguage(), 0);
  form->Parts().rbilGreek->SetChecked(true);
  EXPECT_EQ(form->GetInterfaceLanguage(), 10);
  form->SetInterfaceLanguage(3);
  for (platform::TRadioButton* b : form->InterfaceLanguageButtons())
    EXPECT_EQ(b->Checked(), b == form->Parts().rbilHerbew);
}

TEST_F(WizardWindow, FirstVisitRestoresFromTheSettingsFile) {
  WriteIni(
      "[PI_WIZARDLANGUAGEPAGE]\r\nradiobutton5=1\r\n[PI_MIDLETNAMEPAGE]\r\nmmIntroText=first|second\r\n"
      "[PI_FINISHPAGE]\r\ncbDirectory=0\r\n[PI_ADVANCEDOPTIONSPAGE]\r\nedTitleLine22.4.0=old\r\n");
  Create();
  EXPECT_TRUE(form->Parts().RadioButton5->Checked());
  EXPECT_FALSE(form->Parts().RadioButton4->Checked());
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_en.chm");
  Next();  // page 1 switches the wizard language and its help file
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_ru.chm");

  form->ShowPage(pgMidletName);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().mmIntroText->Text(), "first\r\nsecond");
  form->Parts().mmIntroText->SetTextValue("changed");
  form->PageManager1PageChanged(form->Parts().PageManager1);  // restored only once per run
  EXPECT_EQ(form->Parts().mmIntroText->Text(), "changed");

  form->ShowPage(pgAdvancedOptions);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().edTitleLine1->Text(), "Tomefalcon");
  EXPECT_EQ(form->Parts().edTitleLine2->Text(), "v2.5.2");
  EXPECT_FALSE(form->Parts().edVendor->Text().empty());
  EXPECT_TRUE(form->Parts().rbHideAdvancedOptions->Checked());
  EXPECT_FALSE(form->Parts().rbShowAdvancedOptions->Checked());

  form->ShowPage(pgImages);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_TRUE(form->Parts().rb64ColorsImages->Checked());
  EXPECT_TRUE(form->Parts().cbScaleDown->Checked());
  EXPECT_EQ(form->Parts().spMaxImageWidth->Value(), 96);
  EXPECT_EQ(form->Parts().spMaxImageHeight->Value(), 64);
}

TEST_F(WizardWindow, BlackAndWhiteModelChecksBlackAndWhitePictures) {
  int bw = FindRow([](const assembly::TPhoneListItem& r) { return r.BlackAndWhite != 0; });
  ASSERT_GT(bw, 0);
  // Another model than the saved one: black and white whatever the file says.
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=0\r\n[PI_IMAGESPAGE]\r\nrb256ColorsImages=1\r\n");
  Create();
  form->Parts().cbPhoneModel->SetItemIndex(bw);
  form->ShowPage(pgImages);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_TRUE(form->Parts().rbBlackAndWhiteImages->Checked());
  form.reset();
  // The saved model keeps the saved choice.
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=" + std::to_string(bw) +
           "\r\n[PI_IMAGESPAGE]\r\nrb256ColorsImages=1\r\n");
  Create();
  form->Parts().cbPhoneModel->SetItemIndex(bw);
  form->ShowPage(pgImages);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_TRUE(form->Parts().rb256ColorsImages->Checked());
}

TEST_F(WizardWindow, KeyLayoutAndStorageFollowTheModelOnEveryVisit) {
  int jsr = FindRow([](const assembly::TPhoneListItem& r) { return r.JSR75Storage[0] != 0; });
  ASSERT_GE(jsr, 0);
  const assembly::TPhoneListItem& row = assembly::PhoneTable[static_cast<size_t>(jsr)];
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=" + std::to_string(jsr) +
           "\r\n[PI_KEYCONFIGPAGE]\r\nkcid=9\r\nCustomKeyConfigName=/k.txt\r\n"
           "[PI_JSR75STORAGEPAGE]\r\nedJSR75Storage=e:/mine/\r\n");
  Create();
  form->Parts().cbPhoneModel->SetItemIndex(jsr);
  form->ShowPage(pgKeyConfig);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().cbKeysConfig->ItemIndex(), 9);
  EXPECT_EQ(form->SettingsStore().KeysLayoutFile(), "/k.txt");
  EXPECT_EQ(form->Parts().lbKeysConfigDesc->Caption(), form->Parts().FKeysConfigDescs[9]);
  form->ShowPage(pgJSR75Storage);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().edJSR75Storage->Text(), "e:/mine/");

  form->Parts().cbPhoneModel->SetItemIndex(jsr == 0 ? 1 : 0);  // not the saved model: the row's defaults
  const assembly::TPhoneListItem& other = form->Model();
  form->ShowPage(pgKeyConfig);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().cbKeysConfig->ItemIndex(), other.DefaultKeys);
  form->ShowPage(pgJSR75Storage);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(form->Parts().edJSR75Storage->Text(), other.JSR75Storage);
  (void)row;
}

// The language, ZIP support and storage folder pages change what fits: the fonts page starts
// again from defaults after any of them, and after no other page.
TEST_F(WizardWindow, FontsStartAgainAfterTheLanguageZipAndStoragePages) {
  Create();
  const struct {
    int page;
    bool reset;
  } cases[] = {{pgFullOrLite, false},       {pgPhoneModel, false}, {pgKeyConfig, false},
               {pgInterfaceLanguage, true}, {pgZipSupport, true},  {pgJSR75Storage, true},
               {pgMidletName, false},       {pgImages, false},     {pgFinish, false}};
  for (const auto& c : cases) {
    form->FontsPage().SetResetPending(false);
    form->ShowPage(c.page);
    form->PageManager1PageChanged(form->Parts().PageManager1);
    ASSERT_EQ(Page(), c.page);
    EXPECT_EQ(form->FontsPage().ResetPending(), c.reset) << "page " << c.page;
  }
}

TEST_F(WizardWindow, BookFilesMustExistBeforeTheNamePage) {
  Create();
  form->Parts().rbLiteVersion->SetChecked(true);
  form->ShowPage(pgMidletName);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgEmbed);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].caption, "Error");
  EXPECT_EQ(services.messages[0].icon, TMsgIcon::Error);

  form->Parts().lbTextFiles->Items()->Add(BookFile("a.txt"));
  form->Parts().lbTextFiles->Items()->Add((dir_ / "gone.txt").string());
  form->ShowPage(pgMidletName);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgEmbed);
  form->Parts().lbTextFiles->Items()->Delete(1);
  form->ShowPage(pgMidletName);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgMidletName);
  EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(WizardWindow, NameAndTitleChecksOnLeavingTheNamePage) {
  Create();
  form->Parts().rbTinyVersion->SetChecked(true);
  form->Parts().edMidletName->SetTextValue("  My Book 2  ");
  form->Parts().edBookTitle->SetTextValue(" War and Peace ");
  form->ShowPage(pgAdvancedOptions);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgAdvancedOptions);
  EXPECT_EQ(form->Parts().edMidletName->Text(), "My Book 2");
  EXPECT_EQ(form->Parts().edBookTitle->Text(), "War and Peace");
  EXPECT_TRUE(services.messages.empty());

  form->Parts().edMidletName->SetTextValue("my_book");
  form->Parts().edBookTitle->SetTextValue("   ");
  form->ShowPage(pgImages);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgMidletName);
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text, form->Text("InvalidMidletName"));
  EXPECT_EQ(services.messages[1].text, "Invalid or empty book title. Maximum length is 16.");
  EXPECT_EQ(services.messages[1].icon, TMsgIcon::Warning);

  // The full edition does not check.
  form->Parts().rbFullVersion->SetChecked(true);
  form->ShowPage(pgAdvancedOptions);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgAdvancedOptions);
}

TEST_F(WizardWindow, TinyEditionRefusesRightToLeftLanguages) {
  WriteIni("[PI_INTERFACELANGUAGEPAGE]\r\nrbilArabic=1\r\n");
  Create();
  form->Parts().rbTinyVersion->SetChecked(true);
  form->ShowPage(pgInterfaceLanguage);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_FALSE(form->Parts().rbilArabic->Enabled());
  EXPECT_FALSE(form->Parts().rbilHerbew->Enabled());
  EXPECT_TRUE(form->Parts().rbilEnglishCE->Checked());
  form->Parts().rbLiteVersion->SetChecked(true);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_TRUE(form->Parts().rbilArabic->Enabled());
}

TEST_F(WizardWindow, MissingPhoneListSendsBackToThePhonePage) {
  Create();
  form->Parts().rbLiteVersion->SetChecked(true);
  form->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->SettingsStore().SetPhonesListFile((dir_ / "nolist.txt").string());
  form->ShowPage(pgFonts);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgPhoneModel);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text,
            "Unable to open file with list of phones: \"" + form->SettingsStore().PhonesListFile() + "\"");

  std::ofstream((dir_ / "list.txt").string()) << "\"Nokia 6230\" \"8\" \"128\" \"3\" \"96\" \"64\"\n";
  form->SettingsStore().SetPhonesListFile((dir_ / "list.txt").string());
  form->ShowPage(pgFonts);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_EQ(Page(), pgFonts);
  EXPECT_EQ(form->Parts().spJARLimit->Value(), 64);
}

TEST_F(WizardWindow, FinishSavesAndOpensTheFolderRestartGoesBack) {
  int fsRow = FindRow([](const assembly::TPhoneListItem& r) { return r.FileSystem == 2; });
  ASSERT_GE(fsRow, 0);
  Create();
  form->Parts().cbPhoneModel->SetItemIndex(fsRow);
  form->ShowPage(pgFinish);
  form->PageManager1PageChanged(form->Parts().PageManager1);
  EXPECT_FALSE(form->Parts().NextBtn->Visible());
  EXPECT_FALSE(form->Parts().PrevBtn->Visible());
  EXPECT_TRUE(form->Parts().btnRestart->Visible());
  EXPECT_EQ(form->Parts().CancelBtn->Caption(), "Finish");
  EXPECT_TRUE(form->Parts().pnFinalNote->Visible());
  EXPECT_EQ(form->Parts().lbFinalNote->Caption(), form->Text("FSSIEMENS55_1"));
  EXPECT_EQ(form->Parts().ulFinalNote->HelpContext(), 51);
  form->Parts().ulFinalNote->Click();
  ASSERT_FALSE(help.empty());
  EXPECT_EQ(help.back().first, 51);

  form->btnRestartClick(form->Parts().btnRestart);
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form->Parts().btnRestart->Visible());
  EXPECT_TRUE(form->Parts().NextBtn->Visible());
  EXPECT_EQ(form->Parts().CancelBtn->Caption(), "Cancel");

  form->ShowPage(pgFinish);
  form->Parts().SaveDialog->SetFileName("/out/books/Reader.jad");
  form->Parts().cbDirectory->SetChecked(true);
  form->Parts().CancelBtn->Click();
  EXPECT_EQ(services.folders, (std::vector<std::string>{"/out/books"}));
  EXPECT_FALSE(form->Visible());
}

TEST_F(WizardWindow, FinishSaysWhereTheMidletIsWhenTheFolderCannotBeOpened) {
  Create();
  form->ShowForm();
  form->ShowPage(pgFinish);
  form->Parts().SaveDialog->SetFileName("/out/books/Reader.jad");
  form->Parts().cbDirectory->SetChecked(true);
  services.foldersOpen = false;
  form->Parts().CancelBtn->Click();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Unable to open the folder \"/out/books\".");
  EXPECT_FALSE(form->Visible());
}

TEST_F(WizardWindow, CancelElsewhereClosesWithoutSaving) {
  Create();
  form->ShowForm();
  form->Parts().SaveDialog->SetFileName("/out/x.jad");
  form->Parts().CancelBtn->Click();
  EXPECT_TRUE(services.folders.empty());
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(fs::exists(dir_ / "bin" / "Quirewright.ini"));
}

TEST_F(WizardWindow, HelpButtonUsesThePageContext) {
  Create();
  form->ShowPage(pgPhoneModel);
  form->Parts().BitBtn5->Click();
  form->Parts().rbLiteVersion->SetChecked(true);
  form->Parts().BitBtn5->Click();
  form->Parts().UrlLabels[22]->Click();
  ASSERT_EQ(help.size(), 3u);
  EXPECT_EQ(help[0].first, 3);
  EXPECT_EQ(help[1].first, 10);
  EXPECT_EQ(help[2].first, 20);
}

// Under the C locale's code page a Cyrillic file name still proposes a midlet name that the
// name check accepts (it used to propose an empty one).
TEST_F(WizardWindow, ACyrillicBookFileProposesALatinMidletNameUnderTheCLocale) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(platform::CodePageForLanguage("C"));
  Create();
  services.ScriptDialog({BookFile("\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt")});
  form->Parts().BitBtn4->Click();
  EXPECT_EQ(form->Parts().edMidletName->Text(), "Voynaimir");
  EXPECT_TRUE(wizard::IsValidMidletName(form->Parts().edMidletName->Text()));
  platform::SetAnsiCodePage(saved);
}

TEST_F(WizardWindow, BookFilesPage) {
  Create();
  std::string war = BookFile("War and Peace.txt");
  services.ScriptDialog({war});
  form->Parts().BitBtn4->Click();
  EXPECT_EQ(form->Parts().edMidletName->Text(), "WarandPeace");
  EXPECT_EQ(form->Parts().edBookTitle->Text(), "War and Peace");
  std::string second = BookFile("Second.htm");
  services.ScriptDialog({second, war});
  form->Parts().BitBtn4->Click();
  EXPECT_EQ(form->BookFiles(), (std::vector<std::string>{war, second, war}));
  EXPECT_EQ(form->Parts().edMidletName->Text(), "WarandPeace");
  EXPECT_TRUE(services.dialogs[0].AllowMultiSelect);
  EXPECT_EQ(services.dialogs[0].Filter, "Text and HTML files|*.txt;*.htm;*.html|All files|*.*");

  form->Parts().lbTextFiles->SetItemIndex(0);
  form->Parts().SpeedButton1->Click();  // first line: nothing
  EXPECT_EQ(form->BookFiles()[0], war);
  form->Parts().SpeedButton2->Click();
  EXPECT_EQ(form->BookFiles(), (std::vector<std::string>{second, war, war}));
  EXPECT_EQ(form->Parts().lbTextFiles->ItemIndex(), 1);
  form->Parts().lbTextFiles->SetItemIndex(2);
  form->Parts().SpeedButton2->Click();  // last line: nothing
  form->Parts().SpeedButton1->Click();
  EXPECT_EQ(form->Parts().lbTextFiles->ItemIndex(), 1);
  form->Parts().BitBtn2->Click();
  EXPECT_EQ(form->BookFiles(), (std::vector<std::string>{second, war}));
  form->Parts().lbTextFiles->SetItemIndex(-1);
  form->Parts().BitBtn2->Click();  // no selection: nothing
  EXPECT_EQ(form->BookFiles().size(), 2u);

  form->Parts().edMidletName->SetTextValue("Mine");
  services.ScriptDialogCancel();
  form->Parts().BitBtn4->Click();
  EXPECT_EQ(form->BookFiles().size(), 2u);
  form->Parts().BitBtn3->Click();
  EXPECT_TRUE(form->BookFiles().empty());
  EXPECT_EQ(form->Parts().edMidletName->Text(), "MyMidlet");
  EXPECT_EQ(form->Parts().edBookTitle->Text(), "MyBook");
  services.ScriptDialog({second});
  form->Parts().BitBtn4->Click();
  EXPECT_EQ(form->Parts().edMidletName->Text(), "Second");
}

TEST_F(WizardWindow, HelpLinksShowBalloons) {
  Create();
  form->ShowForm();
  controls::TUrlLabel* label = form->Parts().UrlLabels[9];
  label->Click();
  controls::THintBalloon* b = form->Parts().HintBalloonControl1->LastBalloon();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Title(), "[?]");
  EXPECT_EQ(b->Text(), "The reader normally reopens the book at the last place after a crash; this switches that off.");
  EXPECT_EQ(b->IconName(), "INFO");
}

TEST_F(WizardWindow, WizardLanguageSwitchesOnTheWelcomePage) {
  std::ofstream(WriteLanguageFile("ru.lng", ""), std::ios::binary)
      << "LANGID=1049\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Core three in Russian\r\n"
         "MIDP10KeysConfigDesc=Keys zero in Russian\r\n[Form1]\r\n00000016=Full in Russian\r\n"
         "00000159=Next in Russian\r\n";
  WriteLanguageFile("notes.txt", "LANGID=1051\r\n");  // not *.lng: ignored
  WriteIni("[PI_WIZARDLANGUAGEPAGE]\r\nradiobutton5=1\r\n");
  Create();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);  // page 0 stays in English
  EXPECT_NE(form->Parts().FCoreDescs[3], "Core three in Russian");
  Next();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
  EXPECT_EQ(form->Parts().FCoreDescs[3], "Core three in Russian");
  EXPECT_EQ(form->Parts().FKeysConfigDescs[0], "Keys zero in Russian");
  EXPECT_EQ(form->Parts().rbFullVersion->Caption(), "Full in Russian");
  EXPECT_EQ(form->Parts().NextBtn->Caption(), "Next in Russian");
  Next();
  Next();
  ASSERT_EQ(Page(), pgPhoneModel);
  EXPECT_EQ(form->Parts().lbCoreDesc->Caption(), "Core three in Russian");  // row 0 has core 3

  form->btnRestartClick(form->Parts().btnRestart);
  form->Parts().RadioButton4->SetChecked(true);
  Next();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);
  EXPECT_NE(form->Parts().FCoreDescs[3], "Core three in Russian");
}

// Lite edition for a list of phones with a large custom font from the settings: the fonts page
// is set up and fitted for the list's 64 KB, says so, and lets the user go on.
TEST_F(WizardWindow, PhoneListRoadSetsUpTheFontsPageForTheListsLimit) {
  Create();
  // A font whose glyph sheet alone is larger than 64 KB (random bytes do not pack).
  std::string font =
      assembly::ReadArchiveEntry(*form->Parts().FResArchive, "fonts\\EnglishWE\\7x5we.fnt").substr(0, 244);
  std::mt19937 rng(5);
  const uint32_t sheet = 70000;
  for (uint32_t i = 0; i < sheet; ++i) font += static_cast<char>(rng());
  auto putU32 = [&](std::size_t at, uint32_t v) {
    for (int b = 0; b < 4; ++b) font[at + static_cast<std::size_t>(b)] = static_cast<char>(v >> (8 * b));
  };
  putU32(2, 244 + sheet);
  putU32(240, sheet);
  const std::string big = WriteFile("fonts/big.fnt", font);
  const std::string list = WriteFile("phones.txt",
                                     "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"
                                     "\"Nokia 6230\" \"Nokia phones keys config\" \"100\" \"IC_64\" \"96\" \"64\"\r\n");
  form.reset();
  WriteIni("[PI_FULLORLITEPAGE]\r\nrbLiteVersion=1\r\n[PI_PHONEMODELPAGE]\r\ncbPhoneModel=506\r\nCustomListOfPhones=" +
           list + "\r\n[PI_FONTSPAGE]\r\ncbFont2=1\r\nfontName2=" + big + "\r\n");
  Create();
  std::vector<int> road{Page()};
  for (int i = 0; i < 5; ++i) {
    Next();
    road.push_back(Page());
  }
  ASSERT_EQ(road, (std::vector<int>{0, 1, 2, 3, 5, 8}));
  EXPECT_EQ(form->Parts().spJARLimit->Value(), 64);
  EXPECT_EQ(form->Parts().JarLimitLabel->Caption(), "Selected phone has JAR size limit 65536 bytes.");
  EXPECT_FALSE(form->FontsPage().ResetPending());  // the fit ran
  const int estimate = form->EstimateJarSize().value_or(-1);
  ASSERT_GT(estimate, 0);
  EXPECT_LE(estimate + 2048, 65536);
  EXPECT_EQ(form->Parts().JarSizeLabel->Caption(),
            "Midlet JAR Size with selected fonts is " + std::to_string(estimate) + " bytes.");
  Next();
  EXPECT_EQ(Page(), pgEmbed);
  Back();
  EXPECT_EQ(Page(), pgFonts);
  EXPECT_EQ(form->Parts().JarLimitLabel->Caption(), "Selected phone has JAR size limit 65536 bytes.");
  for (const auto& m : services.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

// One bad model can bring several messages: every one is shown, then the program ends.
TEST_F(WizardWindow, EveryMessageOfABadPhoneListIsShown) {
  Create();
  form->Parts().rbLiteVersion->SetChecked(true);
  form->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form->SettingsStore().SetPhonesListFile(
      WriteFile("list.txt", "\"Nokia 6230\" \"8\" \"128\" \"3\" \"96\" \"64\"\r\n"));
  Enter(pgFonts);
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text, "Unrecognized token in list file: \"8\"");
  EXPECT_EQ(services.messages[1].text, "Invalid images quality specified for model: \"Nokia 6230\"");
  for (const auto& m : services.messages) EXPECT_EQ(m.icon, TMsgIcon::Error);
  EXPECT_TRUE(platform::Application().Terminated());
}

// A comma in the book's folder is part of the path: name, title and the JAD's folder come out
// as for a folder without one.
TEST_F(WizardWindow, BookInAFolderWithACommaInItsName) {
  for (const char* folder : {"books/Tolstoy, Leo", "books/Tolstoy Leo"}) {
    SCOPED_TRACE(folder);
    Create();
    const std::string war = BookFile(std::string(folder) + "/War.txt");
    services.ScriptDialog({war});
    form->Parts().BitBtn4->Click();
    EXPECT_EQ(form->Parts().edMidletName->Text(), "War");
    EXPECT_EQ(form->Parts().edBookTitle->Text(), "War");
    form->Parts().rbLiteVersion->SetChecked(true);
    form->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    services.ScriptDialogCancel();
    EXPECT_FALSE(form->StartBuild());
    EXPECT_EQ(services.dialogs.back().FileName, Path(std::string(folder) + "/War.jad"));
    form.reset();
    services.dialogs.clear();
  }
}

// Restart: page 0 as at start (no Help, no Back), and a later build's finish page shows no
// note of an earlier one.
TEST_F(WizardWindow, RestartLeavesNothingOfThePreviousRoad) {
  const int jsr75 = FindRow([](const assembly::TPhoneListItem& r) { return r.FileSystem == 5 && r.JarLimitKB >= 128; });
  ASSERT_GE(jsr75, 0);
  Create();
  form->ShowForm();
  form->Parts().rbFullVersion->SetChecked(true);
  form->Parts().cbPhoneModel->SetItemIndex(jsr75);
  form->Parts().spJARLimit->SetValue(assembly::PhoneTable[static_cast<std::size_t>(jsr75)].JarLimitKB);
  form->FontsPage().Load(false);
  fs::create_directories(Path("out"));
  services.ScriptDialog({Path("out/Tomefalcon.jad")});
  Enter(pgBuild);
  ASSERT_EQ(Page(), pgFinish);
  EXPECT_TRUE(form->Parts().pnFinalNote->Visible());
  EXPECT_EQ(form->Parts().lbFinalNote->Caption(), form->Text("FSJSR75_1"));

  form->Parts().btnRestart->Click();
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form->Parts().BitBtn5->Visible());
  EXPECT_TRUE(form->Parts().PrevBtn->Visible());
  EXPECT_FALSE(form->Parts().PrevBtn->Enabled());
  EXPECT_TRUE(form->Parts().NextBtn->Enabled());
  EXPECT_FALSE(form->Parts().pnFinalNote->Visible());

  form->Parts().rbLiteVersion->SetChecked(true);
  form->Parts().lbTextFiles->Items()->Add(BookFile("books/Reader.txt"));
  form->Parts().edMidletName->SetTextValue("Reader");
  form->FontsPage().Load(false);
  services.ScriptDialog({Path("out/Reader.jad")});
  Enter(pgBuild);
  ASSERT_EQ(Page(), pgFinish);
  EXPECT_FALSE(form->Parts().pnFinalNote->Visible());
  for (const auto& m : services.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}
