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
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_EQ(form_->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_TRUE(form_->DoubleBuffered());
  EXPECT_EQ(form_->Parts().cbPhoneModel->Items()->Count(), 507);
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), 0);
  EXPECT_EQ(form_->Parts().cbKeysConfig->Items()->Count(), 14);
  EXPECT_EQ((*form_->Parts().cbKeysConfig->Items())[13], "Custom keys configuration...");
  EXPECT_TRUE(form_->FontsPage().ResetPending());
  EXPECT_FALSE(form_->Parts().FJarLimitWarned);
  EXPECT_GT(form_->Parts().FFontCatalogue.Count, 0);
  EXPECT_NE(form_->Parts().FResArchive, nullptr);
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_en.chm");
  // Page 0 after the entry logic: no Help button, Back disabled, Next enabled.
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form_->Parts().BitBtn5->Visible());
  EXPECT_FALSE(form_->Parts().btnRestart->Visible());
  EXPECT_FALSE(form_->Parts().PrevBtn->Enabled());
  EXPECT_TRUE(form_->Parts().NextBtn->Enabled());
  EXPECT_TRUE(form_->Parts().FPageVisited[0]);
  EXPECT_FALSE(form_->Parts().FPageVisited[1]);
  EXPECT_FALSE(form_->Parts().FCoreDescs[0].empty());
  EXPECT_FALSE(form_->Parts().FKeysConfigDescs[13].empty());
}

// Every row of the page table names the notebook page at its number and the header on it.
TEST_F(WizardWindow, PageTableRowsNameTheNotebookPages) {
  Create();
  ASSERT_EQ(form_->Parts().Notebook1->PageCount(), kPageCount);
  for (const TPageRow& row : wizard::Pages) {
    ASSERT_NE(form_->Parts().Pages.at(static_cast<size_t>(row.Page)), nullptr) << row.Control;
    EXPECT_EQ(form_->Parts().Pages.at(static_cast<size_t>(row.Page))->Name(), row.Control);
    controls::TWizardHeader* header = form_->Parts().Headers.at(static_cast<size_t>(row.Page));
    EXPECT_EQ(header != nullptr ? header->Name() : "", row.Header != nullptr ? row.Header : "") << row.Control;
    if (header != nullptr) {
      EXPECT_EQ(header->Parent(), form_->Parts().Pages.at(static_cast<size_t>(row.Page)));
    }
  }
}

TEST_F(WizardWindow, MissingArchiveIsReportedOnceAndTheRestOfTheStartUpRuns) {
  fs::remove(dir_ / "bin" / "quirewright.dat");
  Create();
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
  EXPECT_NE(services_.messages[0].text.find((dir_ / "bin" / "quirewright.dat").string()), std::string::npos);
  EXPECT_EQ(form_->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_EQ(form_->Parts().cbPhoneModel->Items()->Count(), 507);
  EXPECT_EQ(form_->Parts().FResArchive, nullptr);
}

TEST_F(WizardWindow, DeployArgumentIsComparedExactly) {
  const std::string out = (dir_ / "out").string() + "/";
  for (const char* arg : {"-Deploy", "/deploy"}) {
    run_.CommandLine = {arg, out};
    Create();
    form_->ShowForm();
    EXPECT_TRUE(form_->Visible()) << arg;
    form_.reset();
  }
  run_.CommandLine = {"-deploy", out};
  Create();
  form_->ShowForm();
  EXPECT_FALSE(form_->Visible());
}

TEST_F(WizardWindow, FullRoadThroughThePageManager) {
  Create();
  std::vector<int> road{Page()};
  for (int i = 0; i < 8; ++i) {
    Next();
    road.push_back(Page());
  }
  EXPECT_EQ(road, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8, 12}));
  EXPECT_TRUE(form_->Parts().BitBtn5->Visible());
  Back();
  EXPECT_EQ(Page(), pgFonts);
}

TEST_F(WizardWindow, PhoneListRoadResetsKeysAndLanguage) {
  Create();
  Next();
  Next();
  form_->Parts().rbLiteVersion->SetChecked(true);
  Next();
  ASSERT_EQ(Page(), pgPhoneModel);
  form_->Parts().cbKeysConfig->SetItemIndex(5);
  form_->Parts().rbilGerman->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->Parts().PageManager1->CheckButtons();  // the manager asks for the next page
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 0);
  EXPECT_TRUE(form_->Parts().rbilEnglishCE->Checked());
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
  form_->Parts().cbPhoneModel->SetItemIndex(row);
  Next();
  EXPECT_EQ(Page(), pgPhoneModel);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text, "Unfortunatelly, this phone is not supported by Tomefalcon.");
  EXPECT_EQ(services_.messages[0].caption, "Not supported!");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Warning);
}

TEST_F(WizardWindow, PhonePageLimitAndListRowText) {
  int noLimit = FindRow([](const assembly::TPhoneListItem& r) { return r.JarLimitKB == 0; });
  ASSERT_GE(noLimit, 0);
  Create();
  form_->ShowPage(pgPhoneModel);
  form_->Parts().cbPhoneModel->SetItemIndex(noLimit);
  form_->UpdateControls();
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 64);
  EXPECT_TRUE(form_->Parts().spJARLimit->Enabled());
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->UpdateControls();
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 16384);
  EXPECT_FALSE(form_->Parts().spJARLimit->Enabled());
  EXPECT_EQ(form_->Parts().lbCoreDesc->Caption(), "Build multiple versions of midlet.");

  form_->ShowPage(pgPhoneModel);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ((*form_->Parts().cbPhoneModel->Items())[506], "Build all versions");
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), 0);  // restored from the (missing) settings
  form_->Parts().rbTinyVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(7);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ((*form_->Parts().cbPhoneModel->Items())[506], "Build for custom list of phones...");
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), 7);
}

TEST_F(WizardWindow, ZipSupportFollowsTheJarLimit) {
  Create();
  form_->ShowPage(pgZipSupport);
  form_->Parts().cbPhoneModel->SetItemIndex(0);
  struct Case {
    int kb;
    bool allowed;
  } cases[] = {{98, false}, {99, true}};
  for (const Case& k : cases) {
    form_->Parts().rbWithZIPSupport->SetChecked(true);
    form_->Parts().spJARLimit->SetValue(k.kb);
    form_->UpdateControls();
    EXPECT_EQ(form_->Parts().rbWithZIPSupport->Enabled(), k.allowed) << k.kb;
    EXPECT_EQ(form_->Parts().rbWithoutZIPSupport->Checked(), !k.allowed) << k.kb;
    EXPECT_EQ(form_->Parts().lbCantZIP->Visible(), !k.allowed) << k.kb;
  }
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->Parts().spJARLimit->SetValue(64);
  form_->UpdateControls();
  EXPECT_TRUE(form_->Parts().rbWithZIPSupport->Enabled());
}

TEST_F(WizardWindow, PictureSizeControlsFollowTheColourChoiceAndScaling) {
  Create();
  form_->ShowPage(pgImages);
  form_->Parts().rbDontIncludeImages->SetChecked(true);
  EXPECT_FALSE(form_->Parts().cbScaleDown->Enabled());
  EXPECT_FALSE(form_->Parts().spMaxImageWidth->Enabled());
  form_->Parts().rb16ColorsImages->SetChecked(true);
  EXPECT_TRUE(form_->Parts().cbScaleDown->Enabled());
  EXPECT_TRUE(form_->Parts().spMaxImageHeight->Enabled());
  form_->Parts().cbScaleDown->SetChecked(false);
  form_->UpdateControls();
  EXPECT_FALSE(form_->Parts().spMaxImageHeight->Enabled());
  EXPECT_FALSE(form_->Parts().lbMaxImageWidth->Enabled());
}

TEST_F(WizardWindow, AdvancedOptionsShowAndTheirSizesFollowTheirChecks) {
  Create();
  form_->ShowPage(pgAdvancedOptions);
  form_->Parts().rbShowAdvancedOptions->SetChecked(true);
  EXPECT_TRUE(form_->Parts().tcAdvancedOptions->Visible());
  form_->Parts().cbIgnoreSmallImages->SetChecked(true);
  form_->Parts().cbForceHeight->SetChecked(true);
  EXPECT_TRUE(form_->Parts().spMinImageWidth->Enabled());
  form_->Parts().cbIgnoreSmallImages->SetChecked(false);
  EXPECT_FALSE(form_->Parts().spMinImageWidth->Enabled());
  EXPECT_FALSE(form_->Parts().spMinImageHeight->Enabled());
  EXPECT_FALSE(form_->Parts().lbMinImageHeight->Enabled());
  EXPECT_TRUE(form_->Parts().spForceHeight->Enabled());
  form_->Parts().rbHideAdvancedOptions->SetChecked(true);
  EXPECT_FALSE(form_->Parts().tcAdvancedOptions->Visible());
}

// The book midlet group follows the edition; the help file editors their check box.
TEST_F(WizardWindow, BookMidletOptionsFollowTheEditionAndTheirChecks) {
  Create();
  form_->ShowPage(pgAdvancedOptions);
  EXPECT_FALSE(form_->Parts().gbBookMidletOptions->Visible());
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->UpdateControls();
  EXPECT_TRUE(form_->Parts().gbBookMidletOptions->Visible());
  EXPECT_FALSE(form_->Parts().btnCustomHelpFile->Enabled());
  form_->Parts().cbCustomHelpFile->SetChecked(true);
  EXPECT_TRUE(form_->Parts().btnCustomHelpFile->Enabled());
  EXPECT_TRUE(form_->Parts().edCustomHelpFile->Enabled());
  form_->Parts().cbBacklightControlMethod->SetChecked(true);
  EXPECT_TRUE(form_->Parts().cboxBacklightControlMethod->Enabled());
}

TEST_F(WizardWindow, CancelledDialogsFallBack) {
  Create();
  form_->ShowPage(pgKeyConfig);
  services_.ScriptDialogCancel();
  form_->Parts().cbKeysConfig->UserSelect(13);
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 0);
  EXPECT_EQ(form_->Parts().lbKeysConfigDesc->Caption(), form_->Parts().FKeysConfigDescs[0]);
  services_.ScriptDialog({"/keys/mine.txt"});
  form_->Parts().cbKeysConfig->UserSelect(13);
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 13);
  EXPECT_EQ(form_->SettingsStore().KeysLayoutFile(), "/keys/mine.txt");
  ASSERT_EQ(services_.dialogs.size(), 2u);
  EXPECT_EQ(services_.dialogs[0].Filter, "Keys configuration|*.txt");
  EXPECT_TRUE(services_.dialogs[0].FileMustExist);

  form_->ShowPage(pgPhoneModel);
  form_->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);  // full edition: no dialog
  EXPECT_EQ(services_.dialogs.size(), 2u);
  form_->Parts().rbLiteVersion->SetChecked(true);
  services_.ScriptDialogCancel();
  form_->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), 0);
  services_.ScriptDialog({"/lists/phones.txt"});
  form_->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);
  EXPECT_EQ(form_->SettingsStore().PhonesListFile(), "/lists/phones.txt");
  EXPECT_EQ(services_.dialogs.back().Filter, "Custom phone models list|*.txt");
}

TEST_F(WizardWindow, InterfaceLanguageIndex) {
  Create();
  EXPECT_EQ(form_->GetInterfaceLanguage(), 0);
  form_->Parts().rbilGreek->SetChecked(true);
  EXPECT_EQ(form_->GetInterfaceLanguage(), 10);
  form_->SetInterfaceLanguage(3);
  for (platform::TRadioButton* b : form_->InterfaceLanguageButtons())
    EXPECT_EQ(b->Checked(), b == form_->Parts().rbilHerbew);
}

TEST_F(WizardWindow, FirstVisitRestoresFromTheSettingsFile) {
  WriteIni(
      "[PI_WIZARDLANGUAGEPAGE]\r\nradiobutton5=1\r\n[PI_MIDLETNAMEPAGE]\r\nmmIntroText=first|second\r\n"
      "[PI_FINISHPAGE]\r\ncbDirectory=0\r\n[PI_ADVANCEDOPTIONSPAGE]\r\nedTitleLine22.4.0=old\r\n");
  Create();
  EXPECT_TRUE(form_->Parts().RadioButton5->Checked());
  EXPECT_FALSE(form_->Parts().RadioButton4->Checked());
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_en.chm");
  Next();  // page 1 switches the wizard language and its help file
  EXPECT_EQ(platform::Application().HelpFile(), dir_.string() + "/manual/tomefalcon_ru.chm");

  form_->ShowPage(pgMidletName);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().mmIntroText->Text(), "first\r\nsecond");
  form_->Parts().mmIntroText->SetTextValue("changed");
  form_->PageManager1PageChanged(form_->Parts().PageManager1);  // restored only once per run
  EXPECT_EQ(form_->Parts().mmIntroText->Text(), "changed");

  form_->ShowPage(pgAdvancedOptions);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().edTitleLine1->Text(), "Tomefalcon");
  EXPECT_EQ(form_->Parts().edTitleLine2->Text(), "v2.5.2");
  EXPECT_FALSE(form_->Parts().edVendor->Text().empty());
  EXPECT_TRUE(form_->Parts().rbHideAdvancedOptions->Checked());
  EXPECT_FALSE(form_->Parts().rbShowAdvancedOptions->Checked());

  form_->ShowPage(pgImages);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_TRUE(form_->Parts().rb64ColorsImages->Checked());
  EXPECT_TRUE(form_->Parts().cbScaleDown->Checked());
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Value(), 96);
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 64);
}

TEST_F(WizardWindow, BlackAndWhiteModelChecksBlackAndWhitePictures) {
  int bw = FindRow([](const assembly::TPhoneListItem& r) { return r.BlackAndWhite != 0; });
  ASSERT_GT(bw, 0);
  // Another model than the saved one: black and white whatever the file says.
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=0\r\n[PI_IMAGESPAGE]\r\nrb256ColorsImages=1\r\n");
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(bw);
  form_->ShowPage(pgImages);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_TRUE(form_->Parts().rbBlackAndWhiteImages->Checked());
  form_.reset();
  // The saved model keeps the saved choice.
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=" + std::to_string(bw) +
           "\r\n[PI_IMAGESPAGE]\r\nrb256ColorsImages=1\r\n");
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(bw);
  form_->ShowPage(pgImages);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_TRUE(form_->Parts().rb256ColorsImages->Checked());
}

TEST_F(WizardWindow, KeyLayoutAndStorageFollowTheModelOnEveryVisit) {
  int jsr = FindRow([](const assembly::TPhoneListItem& r) { return r.JSR75Storage[0] != 0; });
  ASSERT_GE(jsr, 0);
  const assembly::TPhoneListItem& row = assembly::PhoneTable[static_cast<size_t>(jsr)];
  WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=" + std::to_string(jsr) +
           "\r\n[PI_KEYCONFIGPAGE]\r\nkcid=9\r\nCustomKeyConfigName=/k.txt\r\n"
           "[PI_JSR75STORAGEPAGE]\r\nedJSR75Storage=e:/mine/\r\n");
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(jsr);
  form_->ShowPage(pgKeyConfig);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 9);
  EXPECT_EQ(form_->SettingsStore().KeysLayoutFile(), "/k.txt");
  EXPECT_EQ(form_->Parts().lbKeysConfigDesc->Caption(), form_->Parts().FKeysConfigDescs[9]);
  form_->ShowPage(pgJSR75Storage);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().edJSR75Storage->Text(), "e:/mine/");

  form_->Parts().cbPhoneModel->SetItemIndex(jsr == 0 ? 1 : 0);  // not the saved model: the row's defaults
  const assembly::TPhoneListItem& other = form_->Model();
  form_->ShowPage(pgKeyConfig);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), other.DefaultKeys);
  form_->ShowPage(pgJSR75Storage);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(form_->Parts().edJSR75Storage->Text(), other.JSR75Storage);
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
    form_->FontsPage().SetResetPending(false);
    form_->ShowPage(c.page);
    form_->PageManager1PageChanged(form_->Parts().PageManager1);
    ASSERT_EQ(Page(), c.page);
    EXPECT_EQ(form_->FontsPage().ResetPending(), c.reset) << "page " << c.page;
  }
}

TEST_F(WizardWindow, BookFilesMustExistBeforeTheNamePage) {
  Create();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->ShowPage(pgMidletName);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgEmbed);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].caption, "Error");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);

  form_->Parts().lbTextFiles->Items()->Add(BookFile("a.txt"));
  form_->Parts().lbTextFiles->Items()->Add((dir_ / "gone.txt").string());
  form_->ShowPage(pgMidletName);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgEmbed);
  form_->Parts().lbTextFiles->Items()->Delete(1);
  form_->ShowPage(pgMidletName);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgMidletName);
  EXPECT_EQ(services_.messages.size(), 2u);
}

TEST_F(WizardWindow, NameAndTitleChecksOnLeavingTheNamePage) {
  Create();
  form_->Parts().rbTinyVersion->SetChecked(true);
  form_->Parts().edMidletName->SetTextValue("  My Book 2  ");
  form_->Parts().edBookTitle->SetTextValue(" War and Peace ");
  form_->ShowPage(pgAdvancedOptions);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgAdvancedOptions);
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "My Book 2");
  EXPECT_EQ(form_->Parts().edBookTitle->Text(), "War and Peace");
  EXPECT_TRUE(services_.messages.empty());

  form_->Parts().edMidletName->SetTextValue("my_book");
  form_->Parts().edBookTitle->SetTextValue("   ");
  form_->ShowPage(pgImages);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgMidletName);
  ASSERT_EQ(services_.messages.size(), 2u);
  EXPECT_EQ(services_.messages[0].text, form_->Text("InvalidMidletName"));
  EXPECT_EQ(services_.messages[1].text, "Invalid or empty book title. Maximum length is 16.");
  EXPECT_EQ(services_.messages[1].icon, TMsgIcon::Warning);

  // The full edition does not check.
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->ShowPage(pgAdvancedOptions);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgAdvancedOptions);
}

TEST_F(WizardWindow, TinyEditionRefusesRightToLeftLanguages) {
  WriteIni("[PI_INTERFACELANGUAGEPAGE]\r\nrbilArabic=1\r\n");
  Create();
  form_->Parts().rbTinyVersion->SetChecked(true);
  form_->ShowPage(pgInterfaceLanguage);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_FALSE(form_->Parts().rbilArabic->Enabled());
  EXPECT_FALSE(form_->Parts().rbilHerbew->Enabled());
  EXPECT_TRUE(form_->Parts().rbilEnglishCE->Checked());
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_TRUE(form_->Parts().rbilArabic->Enabled());
}

TEST_F(WizardWindow, MissingPhoneListSendsBackToThePhonePage) {
  Create();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->SettingsStore().SetPhonesListFile((dir_ / "nolist.txt").string());
  form_->ShowPage(pgFonts);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgPhoneModel);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text,
            "Unable to open file with list of phones: \"" + form_->SettingsStore().PhonesListFile() + "\"");

  std::ofstream((dir_ / "list.txt").string()) << "\"Nokia 6230\" \"8\" \"128\" \"3\" \"96\" \"64\"\n";
  form_->SettingsStore().SetPhonesListFile((dir_ / "list.txt").string());
  form_->ShowPage(pgFonts);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgFonts);
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 64);
}

TEST_F(WizardWindow, FinishSavesAndOpensTheFolderRestartGoesBack) {
  int fsRow = FindRow([](const assembly::TPhoneListItem& r) { return r.FileSystem == 2; });
  ASSERT_GE(fsRow, 0);
  Create();
  form_->Parts().cbPhoneModel->SetItemIndex(fsRow);
  form_->ShowPage(pgFinish);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_FALSE(form_->Parts().NextBtn->Visible());
  EXPECT_FALSE(form_->Parts().PrevBtn->Visible());
  EXPECT_TRUE(form_->Parts().btnRestart->Visible());
  EXPECT_EQ(form_->Parts().CancelBtn->Caption(), "Finish");
  EXPECT_TRUE(form_->Parts().pnFinalNote->Visible());
  EXPECT_EQ(form_->Parts().lbFinalNote->Caption(), form_->Text("FSSIEMENS55_1"));
  EXPECT_EQ(form_->Parts().ulFinalNote->HelpContext(), 51);
  form_->Parts().ulFinalNote->Click();
  ASSERT_FALSE(help_.empty());
  EXPECT_EQ(help_.back().first, 51);

  form_->btnRestartClick(form_->Parts().btnRestart);
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form_->Parts().btnRestart->Visible());
  EXPECT_TRUE(form_->Parts().NextBtn->Visible());
  EXPECT_EQ(form_->Parts().CancelBtn->Caption(), "Cancel");

  form_->ShowPage(pgFinish);
  form_->Parts().SaveDialog->SetFileName("/out/books/Reader.jad");
  form_->Parts().cbDirectory->SetChecked(true);
  form_->Parts().CancelBtn->Click();
  EXPECT_EQ(services_.folders, (std::vector<std::string>{"/out/books"}));
  EXPECT_FALSE(form_->Visible());
}

TEST_F(WizardWindow, FinishSaysWhereTheMidletIsWhenTheFolderCannotBeOpened) {
  Create();
  form_->ShowForm();
  form_->ShowPage(pgFinish);
  form_->Parts().SaveDialog->SetFileName("/out/books/Reader.jad");
  form_->Parts().cbDirectory->SetChecked(true);
  services_.foldersOpen = false;
  form_->Parts().CancelBtn->Click();
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text, "Unable to open the folder \"/out/books\".");
  EXPECT_FALSE(form_->Visible());
}

TEST_F(WizardWindow, CancelElsewhereClosesWithoutSaving) {
  Create();
  form_->ShowForm();
  form_->Parts().SaveDialog->SetFileName("/out/x.jad");
  form_->Parts().CancelBtn->Click();
  EXPECT_TRUE(services_.folders.empty());
  EXPECT_FALSE(form_->Visible());
  EXPECT_FALSE(fs::exists(dir_ / "bin" / "Quirewright.ini"));
}

TEST_F(WizardWindow, HelpButtonUsesThePageContext) {
  Create();
  form_->ShowPage(pgPhoneModel);
  form_->Parts().BitBtn5->Click();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().BitBtn5->Click();
  form_->Parts().UrlLabels[22]->Click();
  ASSERT_EQ(help_.size(), 3u);
  EXPECT_EQ(help_[0].first, 3);
  EXPECT_EQ(help_[1].first, 10);
  EXPECT_EQ(help_[2].first, 20);
}

// Under the C locale's code page a Cyrillic file name still proposes a midlet name that the
// name check accepts (it used to propose an empty one).
TEST_F(WizardWindow, ACyrillicBookFileProposesALatinMidletNameUnderTheCLocale) {
  const int saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(platform::CodePageForLanguage("C"));
  Create();
  services_.ScriptDialog({BookFile("\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt")});
  form_->Parts().BitBtn4->Click();
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "Voynaimir");
  EXPECT_TRUE(wizard::IsValidMidletName(form_->Parts().edMidletName->Text()));
  platform::SetAnsiCodePage(saved);
}

TEST_F(WizardWindow, BookFilesPage) {
  Create();
  std::string war = BookFile("War and Peace.txt");
  services_.ScriptDialog({war});
  form_->Parts().BitBtn4->Click();
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "WarandPeace");
  EXPECT_EQ(form_->Parts().edBookTitle->Text(), "War and Peace");
  std::string second = BookFile("Second.htm");
  services_.ScriptDialog({second, war});
  form_->Parts().BitBtn4->Click();
  EXPECT_EQ(form_->BookFiles(), (std::vector<std::string>{war, second, war}));
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "WarandPeace");
  EXPECT_TRUE(services_.dialogs[0].AllowMultiSelect);
  EXPECT_EQ(services_.dialogs[0].Filter, "Text and HTML files|*.txt;*.htm;*.html|All files|*.*");

  form_->Parts().lbTextFiles->SetItemIndex(0);
  form_->Parts().SpeedButton1->Click();  // first line: nothing
  EXPECT_EQ(form_->BookFiles()[0], war);
  form_->Parts().SpeedButton2->Click();
  EXPECT_EQ(form_->BookFiles(), (std::vector<std::string>{second, war, war}));
  EXPECT_EQ(form_->Parts().lbTextFiles->ItemIndex(), 1);
  form_->Parts().lbTextFiles->SetItemIndex(2);
  form_->Parts().SpeedButton2->Click();  // last line: nothing
  form_->Parts().SpeedButton1->Click();
  EXPECT_EQ(form_->Parts().lbTextFiles->ItemIndex(), 1);
  form_->Parts().BitBtn2->Click();
  EXPECT_EQ(form_->BookFiles(), (std::vector<std::string>{second, war}));
  form_->Parts().lbTextFiles->SetItemIndex(-1);
  form_->Parts().BitBtn2->Click();  // no selection: nothing
  EXPECT_EQ(form_->BookFiles().size(), 2u);

  form_->Parts().edMidletName->SetTextValue("Mine");
  services_.ScriptDialogCancel();
  form_->Parts().BitBtn4->Click();
  EXPECT_EQ(form_->BookFiles().size(), 2u);
  form_->Parts().BitBtn3->Click();
  EXPECT_TRUE(form_->BookFiles().empty());
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "MyMidlet");
  EXPECT_EQ(form_->Parts().edBookTitle->Text(), "MyBook");
  services_.ScriptDialog({second});
  form_->Parts().BitBtn4->Click();
  EXPECT_EQ(form_->Parts().edMidletName->Text(), "Second");
}

TEST_F(WizardWindow, HelpLinksShowBalloons) {
  Create();
  form_->ShowForm();
  controls::TUrlLabel* label = form_->Parts().UrlLabels[9];
  label->Click();
  controls::THintBalloon* b = form_->Parts().HintBalloonControl1->LastBalloon();
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
  EXPECT_NE(form_->Parts().FCoreDescs[3], "Core three in Russian");
  Next();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
  EXPECT_EQ(form_->Parts().FCoreDescs[3], "Core three in Russian");
  EXPECT_EQ(form_->Parts().FKeysConfigDescs[0], "Keys zero in Russian");
  EXPECT_EQ(form_->Parts().rbFullVersion->Caption(), "Full in Russian");
  EXPECT_EQ(form_->Parts().NextBtn->Caption(), "Next in Russian");
  Next();
  Next();
  ASSERT_EQ(Page(), pgPhoneModel);
  EXPECT_EQ(form_->Parts().lbCoreDesc->Caption(), "Core three in Russian");  // row 0 has core 3

  form_->btnRestartClick(form_->Parts().btnRestart);
  form_->Parts().RadioButton4->SetChecked(true);
  Next();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);
  EXPECT_NE(form_->Parts().FCoreDescs[3], "Core three in Russian");
}

// Lite edition for a list of phones with a large custom font from the settings: the fonts page
// is set up and fitted for the list's 64 KB, says so, and lets the user go on.
TEST_F(WizardWindow, PhoneListRoadSetsUpTheFontsPageForTheListsLimit) {
  Create();
  // A font whose glyph sheet alone is larger than 64 KB (random bytes do not pack).
  std::string font =
      assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\7x5we.fnt").substr(0, 244);
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
  form_.reset();
  WriteIni("[PI_FULLORLITEPAGE]\r\nrbLiteVersion=1\r\n[PI_PHONEMODELPAGE]\r\ncbPhoneModel=506\r\nCustomListOfPhones=" +
           list + "\r\n[PI_FONTSPAGE]\r\ncbFont2=1\r\nfontName2=" + big + "\r\n");
  Create();
  std::vector<int> road{Page()};
  for (int i = 0; i < 5; ++i) {
    Next();
    road.push_back(Page());
  }
  ASSERT_EQ(road, (std::vector<int>{0, 1, 2, 3, 5, 8}));
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 64);
  EXPECT_EQ(form_->Parts().JarLimitLabel->Caption(), "Selected phone has JAR size limit 65536 bytes.");
  EXPECT_FALSE(form_->FontsPage().ResetPending());  // the fit ran
  const int estimate = form_->EstimateJarSize().value_or(-1);
  ASSERT_GT(estimate, 0);
  EXPECT_LE(estimate + 2048, 65536);
  EXPECT_EQ(form_->Parts().JarSizeLabel->Caption(),
            "Midlet JAR Size with selected fonts is " + std::to_string(estimate) + " bytes.");
  Next();
  EXPECT_EQ(Page(), pgEmbed);
  Back();
  EXPECT_EQ(Page(), pgFonts);
  EXPECT_EQ(form_->Parts().JarLimitLabel->Caption(), "Selected phone has JAR size limit 65536 bytes.");
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

// One bad model can bring several messages: every one is shown, then the program ends.
TEST_F(WizardWindow, EveryMessageOfABadPhoneListIsShown) {
  Create();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->SettingsStore().SetPhonesListFile(
      WriteFile("list.txt", "\"Nokia 6230\" \"8\" \"128\" \"3\" \"96\" \"64\"\r\n"));
  Enter(pgFonts);
  ASSERT_EQ(services_.messages.size(), 2u);
  EXPECT_EQ(services_.messages[0].text, "Unrecognized token in list file: \"8\"");
  EXPECT_EQ(services_.messages[1].text, "Invalid images quality specified for model: \"Nokia 6230\"");
  for (const auto& m : services_.messages) EXPECT_EQ(m.icon, TMsgIcon::Error);
  EXPECT_TRUE(platform::Application().Terminated());
}

// A comma in the book's folder is part of the path: name, title and the JAD's folder come out
// as for a folder without one.
TEST_F(WizardWindow, BookInAFolderWithACommaInItsName) {
  for (const char* folder : {"books/Tolstoy, Leo", "books/Tolstoy Leo"}) {
    SCOPED_TRACE(folder);
    Create();
    const std::string war = BookFile(std::string(folder) + "/War.txt");
    services_.ScriptDialog({war});
    form_->Parts().BitBtn4->Click();
    EXPECT_EQ(form_->Parts().edMidletName->Text(), "War");
    EXPECT_EQ(form_->Parts().edBookTitle->Text(), "War");
    form_->Parts().rbLiteVersion->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    services_.ScriptDialogCancel();
    EXPECT_FALSE(form_->StartBuild());
    EXPECT_EQ(services_.dialogs.back().FileName, Path(std::string(folder) + "/War.jad"));
    form_.reset();
    services_.dialogs.clear();
  }
}

// Restart: page 0 as at start (no Help, no Back), and a later build's finish page shows no
// note of an earlier one.
TEST_F(WizardWindow, RestartLeavesNothingOfThePreviousRoad) {
  const int jsr75 = FindRow([](const assembly::TPhoneListItem& r) { return r.FileSystem == 5 && r.JarLimitKB >= 128; });
  ASSERT_GE(jsr75, 0);
  Create();
  form_->ShowForm();
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(jsr75);
  form_->Parts().spJARLimit->SetValue(assembly::PhoneTable[static_cast<std::size_t>(jsr75)].JarLimitKB);
  form_->FontsPage().Load(false);
  fs::create_directories(Path("out"));
  services_.ScriptDialog({Path("out/Tomefalcon.jad")});
  Enter(pgBuild);
  ASSERT_EQ(Page(), pgFinish);
  EXPECT_TRUE(form_->Parts().pnFinalNote->Visible());
  EXPECT_EQ(form_->Parts().lbFinalNote->Caption(), form_->Text("FSJSR75_1"));

  form_->Parts().btnRestart->Click();
  EXPECT_EQ(Page(), pgWizardLanguage);
  EXPECT_FALSE(form_->Parts().BitBtn5->Visible());
  EXPECT_TRUE(form_->Parts().PrevBtn->Visible());
  EXPECT_FALSE(form_->Parts().PrevBtn->Enabled());
  EXPECT_TRUE(form_->Parts().NextBtn->Enabled());
  EXPECT_FALSE(form_->Parts().pnFinalNote->Visible());

  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().lbTextFiles->Items()->Add(BookFile("books/Reader.txt"));
  form_->Parts().edMidletName->SetTextValue("Reader");
  form_->FontsPage().Load(false);
  services_.ScriptDialog({Path("out/Reader.jad")});
  Enter(pgBuild);
  ASSERT_EQ(Page(), pgFinish);
  EXPECT_FALSE(form_->Parts().pnFinalNote->Visible());
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}
