#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "platform/system/codepage.h"
#include "platform/ui/combobox.h"
#include "support/tempdir.h"
#include "wizard/batchnames.h"
#include "wizard/batchplan.h"
#include "wizard/batchrun.h"

#include <filesystem>
#include <map>
#include <random>

#include <QCloseEvent>
#include <QCoreApplication>

using namespace wizard;
using wizard::testing::BuilderWindowTest;
namespace fs = std::filesystem;

namespace {

class Builds : public BuilderWindowTest {
protected:
  // A full edition for one phone, as the wizard leaves it before the build page.
  void FullForPhone(int row) {
    Create();
    form_->Parts().rbFullVersion->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(row);
    form_->Parts().spJARLimit->SetValue(assembly::PhoneTable[static_cast<std::size_t>(row)].JarLimitKB);
    form_->Parts().cbKeysConfig->SetItemIndex(assembly::PhoneTable[static_cast<std::size_t>(row)].DefaultKeys);
    form_->FontsPage().Load(false);
  }
  void LiteWithBook(const std::string& book) {
    Create();
    form_->Parts().rbLiteVersion->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    form_->Parts().spJARLimit->SetValue(128);
    form_->Parts().cbKeysConfig->SetItemIndex(8);
    form_->Parts().lbTextFiles->Items()->Add(book);
    form_->FontsPage().Load(false);
  }
  static void ExpectSoundJar(const std::string& path) {
    ASSERT_TRUE(fs::exists(path)) << path;
    std::string out;
    EXPECT_EQ(testing_support::RunCommand("unzip -tq " + testing_support::ShellQuote(path), &out), 0) << out;
  }
  static std::string JarUrl(const std::string& jad) {
    for (const std::string& line : assembly::SplitLines(testing_support::ReadFile(jad)))
      if (line.rfind("MIDlet-Jar-URL: ", 0) == 0) return line.substr(16);
    return "";
  }
  // The MIDlet-Vendor values of a JAD and of the manifest in its JAR.
  static std::pair<std::string, std::string> Vendors(const std::string& base) {
    auto vendor = [](const std::string& text) {
      for (const std::string& line : assembly::SplitLines(text))
        if (line.rfind("MIDlet-Vendor:", 0) == 0) return line;
      return std::string("(none)");
    };
    assembly::TZipFile jar;
    jar.LoadFromFile(base + ".jar");
    const int manifest = assembly::LookupArchiveEntry(jar, "META-INF/MANIFEST.MF");
    return {vendor(testing_support::ReadFile(base + ".jad")),
            manifest < 0 ? std::string("(no manifest)") : vendor(jar.ReadEntryData(manifest))};
  }
  static std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

}  // namespace

TEST_F(Builds, FullEditionForOnePhone) {
  FullForPhone(kNokia6230);
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/Reader.jad")});
  EXPECT_TRUE(form_->StartBuild());
  ASSERT_EQ(services_.dialogs.size(), 1u);
  EXPECT_TRUE(services_.dialogs[0].Save);
  EXPECT_EQ(services_.dialogs[0].FileName, "Tomefalcon.jad");
  EXPECT_TRUE(services_.dialogs[0].OverwritePrompt);
  EXPECT_EQ(FilesIn(dir_ / "out"), (std::vector<std::string>{"Reader.jad", "Reader.jar"}));
  ExpectSoundJar(Path("out/Reader.jar"));
  EXPECT_EQ(JarUrl(Path("out/Reader.jad")), "Reader.jar");
  EXPECT_TRUE(services_.messages.empty());

  services_.ScriptDialogCancel();
  EXPECT_FALSE(form_->StartBuild());
  EXPECT_EQ(FilesIn(dir_ / "out").size(), 2u);
}

TEST_F(Builds, BookMidletsNamedFromTheChosenFile) {
  LiteWithBook(WriteFile("books/War.txt", "Once upon a time there was a phone.\r\n"));
  form_->Parts().edMidletName->SetTextValue("My Book");
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/x.y.jad")});
  EXPECT_TRUE(form_->StartBuild());
  EXPECT_EQ(services_.dialogs[0].FileName, Path("books/My_Book.jad"));
  EXPECT_EQ(FilesIn(dir_ / "out"), (std::vector<std::string>{"x.jad", "x.jar"}));
  ExpectSoundJar(Path("out/x.jar"));

  services_.ScriptDialog({Path("out/.jad")});
  EXPECT_TRUE(form_->StartBuild());
  EXPECT_TRUE(fs::exists(dir_ / "out" / "midlet.jar"));
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

TEST_F(Builds, UndecodablePngEndsOnlyTheBookBuild) {
  WriteFile("books/pics/bad.png", "\x89PNG\r\n\x1a\n not a picture");
  LiteWithBook(WriteFile("books/War.htm", "<p>Once upon a time<img src=pics/bad.png> there was a phone.</p>"));
  form_->Parts().rb64ColorsImages->SetChecked(true);
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/War.jad")});
  form_->StartBuild();
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_TRUE(services_.messages[0].text.starts_with("Broken PNG picture: ")) << services_.messages[0].text;
  EXPECT_EQ(services_.messages[0].caption, "Error");
  EXPECT_TRUE(FilesIn(dir_ / "out").empty());
  EXPECT_FALSE(platform::Application().Terminated());
  EXPECT_TRUE(form_->Enabled());
  EXPECT_TRUE(form_->Parts().NextBtn->Enabled());
  EXPECT_TRUE(form_->Parts().CancelBtn->Enabled());

  fs::copy_file(QW_SOURCE_DIR "/tests/assembly/data/pictures/rgb.png", Path("books/pics/bad.png"),
                fs::copy_options::overwrite_existing);
  services_.ScriptDialog({Path("out/War.jad")});
  form_->StartBuild();
  EXPECT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(FilesIn(dir_ / "out"), (std::vector<std::string>{"War.jad", "War.jar"}));
  ExpectSoundJar(Path("out/War.jar"));
}

TEST_F(Builds, CustomFilesThatCannotBeReadAreReportedOnce) {
  const std::string gone = Path("gone/custom.fnt");
  for (int kind = 0; kind < 3; ++kind) {
    platform::Application().ResetTerminated();
    services_.messages.clear();
    LiteWithBook(WriteFile("books/War.txt", "Once upon a time there was a phone.\r\n"));
    if (kind == 0) {
      form_->Parts().cbCustomHelpFile->SetChecked(true);
      form_->Parts().edCustomHelpFile->SetTextValue(gone);
    } else if (kind == 1) {
      platform::TComboBox* box = form_->Parts().FontBoxes[2];
      form_->FontsPage().SetCustomFontFile(box->Tag, gone);
      box->SetItemIndex(1);
    } else {
      form_->Parts().cbKeysConfig->SetItemIndex(13);
      form_->SettingsStore().SetKeysLayoutFile(gone);
    }
    fs::create_directories(dir_ / "out");
    services_.ScriptDialog({Path("out/War.jad")});
    form_->StartBuild();
    ASSERT_EQ(services_.messages.size(), 1u) << kind;
    EXPECT_EQ(services_.messages[0].text,
              "Unable to open file. File does not exist or is locked by other application: \"" + gone + "\"");
    EXPECT_EQ(services_.messages[0].caption, "Fatal error");
    EXPECT_EQ(services_.messages[0].icon, platform::TMsgIcon::Error);
    EXPECT_TRUE(platform::Application().Terminated());
    EXPECT_TRUE(form_->Enabled());
    EXPECT_TRUE(FilesIn(dir_ / "out").empty()) << kind;
  }
}

TEST_F(Builds, DeployBuildsOneVariantWhateverItsCase) {
  Create();
  fs::create_directories(dir_ / "d");
  form_->BuildDeployVersions(Path("d/"), "tomefalcon_N_RU");
  EXPECT_EQ(FilesIn(dir_ / "d"), (std::vector<std::string>{"tomefalcon_n_ru.jad", "tomefalcon_n_ru.jar"}));
  ExpectSoundJar(Path("d/tomefalcon_n_ru.jar"));
  EXPECT_EQ(JarUrl(Path("d/tomefalcon_n_ru.jad")), std::string(kDeployDownloadBase) + "tomefalcon_n_ru.jar");
  EXPECT_TRUE(services_.messages.empty());
}

TEST_F(Builds, DeployFromTheCommandLineEndsTheProgram) {
  fs::create_directories(dir_ / "cmd");
  run_.CommandLine = {"-deploy", Path("cmd/x"), "tomefalcon_sx1_gk_zip"};
  Create();
  form_->ShowForm();
  EXPECT_FALSE(form_->Visible());
  EXPECT_EQ(FilesIn(dir_ / "cmd"), (std::vector<std::string>{"xtomefalcon_sx1_gk_zip.jad", "xtomefalcon_sx1_gk_zip.jar"}));
  ExpectSoundJar(Path("cmd/xtomefalcon_sx1_gk_zip.jar"));
  EXPECT_EQ(Vendors(Path("cmd/xtomefalcon_sx1_gk_zip")),
            std::make_pair(std::string("MIDlet-Vendor: Quirewright"), std::string("MIDlet-Vendor: Quirewright")));
  EXPECT_EQ(form_->ExitCode(), 0);
}

// The exit status belongs to the window of the run: a failed deploy run does not leave it to
// the next window.
TEST_F(Builds, DeployOfAnUnknownVariantEndsWithAFailure) {
  fs::create_directories(dir_ / "cmd");
  run_.CommandLine = {"-deploy", Path("cmd/x"), "tomefalcon_sx1"};
  Create();
  form_->ShowForm();
  EXPECT_FALSE(form_->Visible());
  EXPECT_EQ(form_->ExitCode(), 1);
  EXPECT_TRUE(FilesIn(dir_ / "cmd").empty());
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text, UnknownVariantText("tomefalcon_sx1"));
  EXPECT_TRUE(services_.messages[0].text.starts_with("No variant is named \"tomefalcon_sx1\". "));
  form_.reset();
  run_.CommandLine.clear();
  Create();
  form_->ShowForm();
  EXPECT_TRUE(form_->Visible());
  EXPECT_EQ(form_->ExitCode(), 0);
}

TEST_F(Builds, EveryDeployVariant) {
  Create();
  fs::create_directories(dir_ / "all");
  form_->BuildDeployVersions(Path("all/"), "");
  const std::vector<std::string> files = FilesIn(dir_ / "all");
  EXPECT_EQ(files.size(), 2u * 220u + 1u);  // and the core 6 patch file
  EXPECT_TRUE(fs::exists(dir_ / "all" / "j2meX.pat"));
  for (int core = 0; core < 10; ++core)
    for (int zip = 0; zip <= 1; ++zip)
      for (int language = 0; language < 11; ++language) {
        const std::string name = DeployName(core, zip, language);
        ASSERT_TRUE(fs::exists(dir_ / "all" / (name + ".jad"))) << name;
        EXPECT_EQ(Vendors(Path("all/" + name)),
                  std::make_pair(std::string("MIDlet-Vendor: Quirewright"), std::string("MIDlet-Vendor: Quirewright")))
            << name;
      }
  ExpectSoundJar(Path("all/tomefalcon_s55_ce.jar"));
  ExpectSoundJar(Path("all/tomefalcon_midp20_jsr75_gk_zip.jar"));
  EXPECT_TRUE(services_.messages.empty());
}

TEST_F(Builds, AllVersionsIntoFolders) {
  FullForPhone(kNokia6230);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  fs::create_directories(dir_ / "v");
  services_.ScriptDialog({Path("v/whatever.txt")});
  EXPECT_TRUE(form_->StartBuild());
  EXPECT_EQ(services_.dialogs[0].FileName, "Version differences.txt");
  EXPECT_TRUE(fs::exists(dir_ / "v" / "Version differences.txt"));
  int jars = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir_ / "v"))
    if (e.path().extension() == ".jar") ++jars;
  EXPECT_EQ(jars, 220);  // 10 cores x 2 ZIP choices x 11 languages
  ExpectSoundJar(Path("v/Siemens SX1/Full, No ZIP support/English - Greek/Tomefalcon.jar"));
  EXPECT_TRUE(fs::exists(dir_ / "v/Siemens SX1/Full, With ZIP support/English - Greek/Tomefalcon.jad"));
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), assembly::kCustomPhoneListRow);
  // The other controls show the last variant: Siemens SX1 with ZIP support, in Greek.
  EXPECT_TRUE(form_->Parts().rbWithZIPSupport->Checked());
  EXPECT_TRUE(form_->Parts().rbilGreek->Checked());
  EXPECT_EQ(form_->Parts().cbKeysConfig->ItemIndex(), 11);
  EXPECT_EQ(form_->Parts().spJARLimit->Value(), 1024);
  EXPECT_EQ(form_->Parts().FontBoxes[2]->Text(), "Tah12gk BW");
  EXPECT_TRUE(form_->Parts().NegativeBoxes[2]->Checked());
  EXPECT_TRUE(form_->Parts().rbHideAdvancedOptions->Checked());
  EXPECT_FALSE(form_->Parts().cbForceHeight->Checked());
  EXPECT_TRUE(form_->Enabled());
  EXPECT_TRUE(form_->Parts().NextBtn->Enabled());
  // One gauge step per build, and the gauge full at the end.
  EXPECT_EQ(form_->Parts().BuildProgressGauge->Max(), 220);
  EXPECT_EQ(form_->Parts().BuildProgressGauge->Position(), 220);
  EXPECT_TRUE(services_.messages.empty());
}

TEST_F(Builds, PhoneListIntoNumberedFolders) {
  LiteWithBook(WriteFile("books/Long Story.txt", "Once upon a time there was a phone.\r\n"));
  form_->SettingsStore().SetPhonesListFile(
      WriteFile("phones.txt",
                "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"
                "\"Siemens SX1\" \"Siemens SX1 phone keys config\" \"256\" \"IC_BW\" \"120\" \"80\"\r\n"
                "\"Nokia 6230\" \"Nokia phones keys config\" \"64\" \"IC_NONE\" \"64\" \"32\"\r\n"));
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  fs::create_directories(dir_ / "pl");
  services_.ScriptDialog({Path("pl/report.txt")});
  EXPECT_TRUE(form_->StartBuild());
  EXPECT_EQ(services_.dialogs[0].FileName, "Versions list.txt");
  for (const char* sub : {"1", "2", "3"}) {
    EXPECT_EQ(FilesIn(dir_ / "pl" / sub), (std::vector<std::string>{"LongStory.jad", "LongStory.jar"})) << sub;
    ExpectSoundJar(Path(std::string("pl/") + sub + "/LongStory.jar"));
  }
  EXPECT_EQ(testing_support::ReadFile(Path("pl/Versions list.txt")),
            "1 : Nokia 6230, English - Central Europe, Nokia phones keys config, JAR size limit: 128K\r\n"
            "2 : Siemens SX1, English - Central Europe, Siemens SX1 phone keys config, JAR size limit: 256K\r\n"
            "3 : Nokia 6230, English - Central Europe, Nokia phones keys config, JAR size limit: 64K\r\n");
  // The controls keep the last entry's values, apart from the model box.
  EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), assembly::kCustomPhoneListRow);
  EXPECT_TRUE(form_->Parts().rbDontIncludeImages->Checked());
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 32);
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

TEST_F(Builds, AFailedPhoneListBatchLeavesTheLastReport) {
  LiteWithBook(WriteFile("books/Tale.txt", "Once upon a time there was a phone.\r\n"));
  const std::string nokia = "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n";
  form_->SettingsStore().SetPhonesListFile(WriteFile("two.txt", nokia + nokia));
  fs::create_directories(dir_ / "pl");
  ASSERT_TRUE(form_->BuildFromPhonesList(Path("pl/")));
  const std::string report =
      "1 : Nokia 6230, English - Central Europe, Nokia phones keys config, JAR size limit: 128K\r\n"
      "2 : Nokia 6230, English - Central Europe, Nokia phones keys config, JAR size limit: 128K\r\n";
  ASSERT_EQ(testing_support::ReadFile(Path("pl/Versions list.txt")), report);
  ASSERT_TRUE(services_.messages.empty());

  // A second batch of three whose second build cannot save its JAR.
  form_->SettingsStore().SetPhonesListFile(WriteFile("three.txt", nokia + nokia + nokia));
  fs::remove(Path("pl/2/Tale.jar"));
  fs::create_directory(Path("pl/2/Tale.jar"));
  EXPECT_FALSE(form_->BuildFromPhonesList(Path("pl/")));
  EXPECT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(testing_support::ReadFile(Path("pl/Versions list.txt")), report);
  EXPECT_FALSE(fs::exists(dir_ / "pl" / "3"));  // the batch stopped at the failure
}

TEST_F(Builds, PhoneListWithErrorsBuildsNothing) {
  LiteWithBook(WriteFile("books/b.txt", "Text.\r\n"));
  form_->SettingsStore().SetPhonesListFile(
      WriteFile("bad.txt", "\"No such phone\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"));
  fs::create_directories(dir_ / "pl");
  form_->BuildFromPhonesList(Path("pl/"));
  EXPECT_FALSE(services_.messages.empty());
  EXPECT_TRUE(FilesIn(dir_ / "pl").empty());
}

TEST_F(Builds, BatchesStopAtTheFirstFailingBuild) {
  Create();
  // Deploy creates no folders: every save into a missing folder fails, the first one ends it.
  form_->BuildDeployVersions(Path("missing/"), "");
  EXPECT_EQ(services_.messages.size(), 1u);
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

// A book that needs more than 99 midlets is not a whole build: midlets 01..99 are written, the
// user is told, and the wizard goes back to the options page instead of the finish page.
TEST_F(Builds, ABookCutAfterMidlet99NeverReachesTheFinishPage) {
  std::mt19937 rng(21);
  std::string noise(600000, ' ');
  for (char& ch : noise) ch = static_cast<char>('!' + rng() % 94);
  LiteWithBook(WriteFile("books/Huge.txt", noise));
  form_->Nofonts1Click(nullptr);
  const int trial = form_->EstimateJarSize().value_or(-1);
  ASSERT_GT(trial, 0);
  // Room for about 3 KB of book in every midlet.
  form_->Parts().spJARLimit->SetMinValue(1);
  form_->Parts().spJARLimit->SetValue((trial + 512 + 3 * 1024) / 1024 + 1);
  form_->Parts().edMidletName->SetTextValue("Huge");
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/Huge.jad")});
  form_->ShowPage(pgBuild);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  EXPECT_EQ(Page(), pgAdvancedOptions);
  EXPECT_NE(Page(), pgFinish);
  const std::vector<std::string> files = FilesIn(dir_ / "out");
  EXPECT_EQ(files.size(), 198u);
  EXPECT_EQ(files.back(), "Huge99.jar");
  int tooMany = 0;
  for (const auto& m : services_.messages)
    tooMany += m.text == "Too many midlets. Please embed less fonts or divide text file into parts.";
  EXPECT_EQ(tooMany, 1);
  EXPECT_TRUE(form_->Enabled());
}

// The title bar's close box while a phone list batch runs: refused (the window is disabled),
// so no hidden program goes on writing; every model and the report are written, the window
// stays on screen, and once the batch is over the close box works again.
TEST_F(Builds, CloseRequestDuringAPhoneListBatchIsRefused) {
  LiteWithBook(WriteFile("books/Story.txt", "Once upon a time there was a phone.\r\n"));
  form_->SettingsStore().SetPhonesListFile(
      WriteFile("phones.txt",
                "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"
                "\"Nokia 6230\" \"Nokia phones keys config\" \"100\" \"IC_64\" \"96\" \"64\"\r\n"
                "\"Nokia 6230\" \"Nokia phones keys config\" \"64\" \"IC_64\" \"96\" \"64\"\r\n"));
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->ShowForm();
  fs::create_directories(dir_ / "pl");
  // The batch lets pending window events through between its steps, as the desktop does.
  struct PumpingServices : platform::TFakeServices {
    void ProcessMessages() override {
      ++processed;
      QCoreApplication::processEvents();
    }
  } pumping;
  QCoreApplication::postEvent(form_->Widget(), new QCloseEvent());  // handled inside the batch
  EXPECT_TRUE(form_->BuildFromPhonesList(Path("pl/")));
  EXPECT_GT(pumping.processed, 0);
  EXPECT_TRUE(form_->Visible());
  EXPECT_FALSE(platform::Application().Terminated());
  for (const char* sub : {"1", "2", "3"})
    EXPECT_EQ(FilesIn(dir_ / "pl" / sub), (std::vector<std::string>{"Story.jad", "Story.jar"})) << sub;
  EXPECT_TRUE(fs::exists(dir_ / "pl" / "Versions list.txt"));
  EXPECT_TRUE(form_->Enabled());

  QCoreApplication::postEvent(form_->Widget(), new QCloseEvent());
  QCoreApplication::processEvents();
  EXPECT_FALSE(form_->Visible());
}

// A phone list batch names its midlets from the first book file, under Windows-1252 a Cyrillic
// one too; a name without any letter or digit gives "midlet", never the hidden files ".jad" and
// ".jar".
TEST_F(Builds, PhoneListMidletsAreNamedFromTheFirstBookFile) {
  const struct {
    std::string book, name;
  } cases[] = {
      {"\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt", "Voynaimir"},
      {"--- !!!.txt", "midlet"},
  };
  const int saved = platform::AnsiCodePage();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::SetAnsiCodePage(1252);
    LiteWithBook(WriteFile("books/" + c.book, "Once upon a time there was a phone.\r\n"));
    form_->SettingsStore().SetPhonesListFile(
        WriteFile("phones.txt", "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n"));
    const std::string folder = "pl-" + c.name + "/";
    fs::create_directories(dir_ / folder);
    EXPECT_TRUE(form_->BuildFromPhonesList(Path(folder)));
    platform::SetAnsiCodePage(saved);
    EXPECT_EQ(FilesIn(dir_ / folder / "1"), (std::vector<std::string>{c.name + ".jad", c.name + ".jar"}));
    EXPECT_EQ(JarUrl(Path(folder + "1/" + c.name + ".jad")), c.name + ".jar");
    for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
    services_.messages.clear();
  }
}

// Custom attributes that name the midlet's name, vendor and version leave them as the build
// makes them, in the JAD and in the manifest alike; other attributes reach the JAD.
TEST_F(Builds, CustomAttributesKeepJadAndManifestInAgreement) {
  FullForPhone(kNokia6230);
  form_->Parts().rbShowAdvancedOptions->SetChecked(true);
  form_->Parts().rbHideAdvancedOptions->SetChecked(false);
  form_->Parts().cbCustomAttributes->SetChecked(true);
  form_->Parts().mmCustomAttributes->SetTextValue(
      "MIDlet-Name: Other\r\nMIDlet-Vendor: Someone\r\nMIDlet-Version: 9.9.9\r\nX-Shelf: Novels");
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/Reader.jad")});
  ASSERT_TRUE(form_->StartBuild());
  const std::string jad = testing_support::ReadFile(Path("out/Reader.jad"));
  assembly::TZipFile jar;
  jar.LoadFromFile(Path("out/Reader.jar"));
  const std::string manifest = jar.ReadEntryData(assembly::LookupArchiveEntry(jar, "META-INF/MANIFEST.MF"));
  auto value = [](const std::string& text, const std::string& key) {
    for (const std::string& line : assembly::SplitLines(text))
      if (line.rfind(key + ": ", 0) == 0) return line.substr(key.size() + 2);
    return std::string("(none)");
  };
  const std::pair<const char*, const char*> expected[] = {
      {"MIDlet-Name", "Tomefalcon"}, {"MIDlet-Vendor", "Quirewright"}, {"MIDlet-Version", "2.5.2"}};
  for (const auto& [key, want] : expected) {
    EXPECT_EQ(value(jad, key), want) << key;
    EXPECT_EQ(value(manifest, key), want) << key;
  }
  EXPECT_EQ(value(jad, "X-Shelf"), "Novels");
}

// The batches clamp the values they put into the spin edits as the spin edits do.
TEST_F(Builds, BatchRangesAreThoseOfTheSpinEdits) {
  Create();
  const std::pair<controls::TMySpinEdit*, SpinRange> spins[] = {
      {form_->Parts().spJARLimit, kJarLimitRange},        {form_->Parts().spForceHeight, kForceHeightRange},
      {form_->Parts().spMidletDataSize, kDataSizeRange},  {form_->Parts().spMaxImageWidth, kImageSizeRange},
      {form_->Parts().spMaxImageHeight, kImageSizeRange},
  };
  for (const auto& [spin, range] : spins) {
    EXPECT_EQ(spin->MinValue(), range.Min) << spin->Name();
    EXPECT_EQ(spin->MaxValue(), range.Max) << spin->Name();
  }
  EXPECT_EQ(form_->Parts().cboxBacklightControlMethod->Items()->Count(), kBacklightMethodCount);
}
