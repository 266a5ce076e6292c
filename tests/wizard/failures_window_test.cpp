// The builder window when things go wrong: a damaged resource archive, a language file that
// cannot be loaded, a build that fails, settings that cannot be saved.
#include "builderwindow_support.h"

#include "assembly/phones.h"
#include "damaged_archive_support.h"
#include "localisation/langmanager.h"
#include "platform/system/exedir.h"
#include "platform/ui/application.h"
#include "platform/ui/radiobutton.h"
#include "support/fakeservices.h"
#include "support/filesizelimit.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <functional>
#include <optional>

using namespace wizard;
using platform::TMsgIcon;
using testing_support::ReadFile;
namespace fs = std::filesystem;

namespace {

class FailingWizard : public wizard::testing::BuilderWindowTest {
protected:
  void SetUp() override {
    BuilderWindowTest::SetUp();
    platform::Application().SetTitle("Tomefalcon Builder Wizard");
  }
  void TearDown() override {
    BuilderWindowTest::TearDown();
    platform::Application().SetTitle("");
  }
  std::string Bin(const std::string& name) const { return Path("bin/" + name); }
  void WriteBin(const std::string& name, const std::string& bytes) const {
    testing_support::WriteFile(Bin(name), bytes);
  }
  // Enters the build page as the page manager does; returns the page shown afterwards.
  int EnterBuildPage() {
    form_->ShowPage(pgBuild);
    form_->PageManager1PageChanged(form_->Parts().PageManager1);
    return Page();
  }
  int CountMessages(const std::string& part) const {
    int n = 0;
    for (const auto& m : services_.messages) n += m.text.find(part) != std::string::npos;
    return n;
  }
};

}  // namespace

TEST_F(FailingWizard, EveryPageCanBeWalkedAfterADamagedArchive) {
  const std::vector<wizard::testing::DamagedArchive> cases =
      wizard::testing::DamagedArchives(ReadFile(Bin("quirewright.dat")));
  ASSERT_FALSE(cases.back().bytes.empty()) << "the sample archive holds no font entry";
  // Every road: full and the two book editions, for a phone and for the list row.
  const struct {
    int edition, row;
  } roads[] = {{0, 0}, {1, 0}, {2, 0}, {0, assembly::kCustomPhoneListRow}, {1, assembly::kCustomPhoneListRow}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Bin("quirewright.dat"));
    if (c.present) WriteBin("quirewright.dat", c.bytes);
    services_.messages.clear();
    Create();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_NE(services_.messages[0].text.find(std::string("\"") + Bin("quirewright.dat") + "\""), std::string::npos)
        << services_.messages[0].text;
    EXPECT_EQ(services_.messages[0].caption, "Tomefalcon Builder Wizard");
    EXPECT_EQ(form_->Parts().cbPhoneModel->Items()->Count(), 507);
    for (const auto& road : roads) {
      SCOPED_TRACE("edition " + std::to_string(road.edition) + ", row " + std::to_string(road.row));
      services_.messages.clear();
      while (form_->Parts().PrevBtn->Enabled() && Page() != pgWizardLanguage) Back();
      int refused = 0;
      for (int step = 0; step < 16; ++step) {
        if (Page() == pgFullOrLite)
          (road.edition == 0   ? form_->Parts().rbFullVersion
           : road.edition == 1 ? form_->Parts().rbLiteVersion
                               : form_->Parts().rbTinyVersion)
              ->SetChecked(true);
        if (Page() == pgPhoneModel) form_->Parts().cbPhoneModel->SetItemIndex(road.row);
        const int before = Page();
        Next();
        EXPECT_LT(Page(), pgFonts);
        refused += Page() == before;
        EXPECT_TRUE(form_->Parts().NextBtn->Enabled());  // the user can always ask why
      }
      EXPECT_GT(refused, 0);
      EXPECT_EQ(services_.messages.size(), static_cast<std::size_t>(refused));
      for (const auto& m : services_.messages)
        EXPECT_EQ(m.text, "Nothing can be built without the resource archive \"" + Bin("quirewright.dat") + "\".");
      for (int step = 0; step < 16; ++step) Back();
      EXPECT_EQ(Page(), pgWizardLanguage);
    }
    EXPECT_FALSE(form_->StartBuild());  // nor from elsewhere
    EXPECT_FALSE(form_->BuildDeployVersions(Path("d/"), ""));
    EXPECT_FALSE(fs::exists(Path("d")));
    form_.reset();
    localisation::FreeLangManager();
  }
}

TEST_F(FailingWizard, ALanguageThatCannotBeLoadedLeavesTheLanguageAsItWas) {
  WriteLanguageFile("ru.lng", "LANGID=1049\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Core three in Russian\r\n");
  // The header registers; the body holds one constant twice.
  WriteLanguageFile("sk.lng", "LANGID=1051\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=a\r\nMIDP10CoreDesc=b\r\n");
  WriteLanguageFile("ua.lng", "LANGID=1058\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Core three in Ukrainian\r\n");
  Create();
  form_->Parts().RadioButton5->SetChecked(true);
  Next();
  ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
  const std::string russian = form_->Parts().FCoreDescs[3];
  ASSERT_EQ(russian, "Core three in Russian");

  fs::remove(LanguagePath("ua.lng"));  // gone since the start
  const struct {
    const char* name;
    platform::TRadioButton* button;
    const char* message;
  } cases[] = {
      {"broken", form_->Parts().RadioButton2, "Duplicate constant name (\"MIDP10CoreDesc\")"},
      {"vanished", form_->Parts().RadioButton3, "ua.lng"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    services_.messages.clear();
    while (Page() != pgWizardLanguage) Back();
    c.button->SetChecked(true);
    Next();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_NE(services_.messages[0].text.find(c.message), std::string::npos) << services_.messages[0].text;
    EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
    EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
    EXPECT_TRUE(form_->Parts().RadioButton5->Checked());
    EXPECT_FALSE(c.button->Checked());
    EXPECT_EQ(form_->Parts().FCoreDescs[3], russian);
    EXPECT_EQ(Page(), pgWelcome);
    Next();  // the wizard goes on
    EXPECT_EQ(Page(), pgFullOrLite);
  }
}

TEST_F(FailingWizard, AFailedBuildNeverReachesTheFinishPage) {
  Create();
  fs::create_directories(Path("out/Reader.jar"));  // where the JAR should go: a folder
  testing_support::WriteFile(Path("books/b.txt"), "Once upon a time there was a phone.\r\n");
  const auto forPhone = [&](bool full) {
    (full ? form_->Parts().rbFullVersion : form_->Parts().rbLiteVersion)->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    form_->Parts().spJARLimit->SetValue(128);
    form_->Parts().cbKeysConfig->SetItemIndex(8);
    form_->Parts().lbTextFiles->Items()->Clear();
    form_->Parts().lbTextFiles->Items()->Add(Path("books/b.txt"));
    form_->Parts().edMidletName->SetTextValue("Reader");
    form_->FontsPage().Load(false);
  };
  for (bool full : {true, false}) {
    SCOPED_TRACE(full ? "full" : "book");
    forPhone(full);
    services_.messages.clear();
    services_.ScriptDialog({Path("out/Reader.jad")});
    EXPECT_EQ(EnterBuildPage(), pgAdvancedOptions);
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "Cannot write file \"" + Path("out/Reader.jar") + "\": Is a directory");
    EXPECT_FALSE(fs::exists(Path("out/Reader.jad")));
    // Another folder, and the build goes through.
    fs::create_directories(Path("good"));
    services_.ScriptDialog({Path("good/Reader.jad")});
    EXPECT_EQ(EnterBuildPage(), pgFinish);
    form_->btnRestartClick(form_->Parts().btnRestart);
  }

  // The batches: a report that cannot be written.
  forPhone(true);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  fs::create_directories(Path("v/Version differences.txt"));
  services_.messages.clear();
  services_.ScriptDialog({Path("v/x.txt")});
  EXPECT_EQ(EnterBuildPage(), pgAdvancedOptions);
  EXPECT_EQ(CountMessages("Version differences.txt"), 1);

  forPhone(false);
  form_->Parts().cbPhoneModel->SetItemIndex(assembly::kCustomPhoneListRow);
  form_->SettingsStore().SetPhonesListFile(Path("phones.txt"));
  testing_support::WriteFile(form_->SettingsStore().PhonesListFile(),
                             "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"96\" \"64\"\r\n");
  fs::create_directories(Path("pl/Versions list.txt"));
  services_.messages.clear();
  services_.ScriptDialog({Path("pl/x.txt")});
  EXPECT_EQ(EnterBuildPage(), pgAdvancedOptions);
  EXPECT_EQ(CountMessages("Versions list.txt"), 1);
}

TEST_F(FailingWizard, FinishWritesTheSettingsFileOnce) {
  Create();
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  // Every write of the file puts a new one in its place.
  ASSERT_GE(inotify_add_watch(watch, (dir_ / "bin").c_str(), IN_MOVED_TO | IN_CREATE | IN_CLOSE_WRITE), 0);
  form_->ShowPage(pgFinish);
  form_->CancelBtnClick(form_->Parts().CancelBtn);
  int replaced = 0;
  alignas(inotify_event) char buffer[16384];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
    for (char* p = buffer; p < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(p);
      // Renamed into place, or linked there at once when there was no file yet.
      if ((e->mask & (IN_MOVED_TO | IN_CREATE)) != 0 && e->len > 0 && std::string(e->name) == "Quirewright.ini")
        ++replaced;
      p += sizeof(inotify_event) + e->len;
    }
  close(watch);
  EXPECT_EQ(replaced, 1);
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_NE(ReadFile(Bin("Quirewright.ini")).find("[PI_FINISHPAGE]"), std::string::npos);
}

TEST_F(FailingWizard, SettingsThatCannotBeSavedAreToldOnFinish) {
  const std::string file = Bin("Quirewright.ini");
  const std::string kept = "[PI_FINISHPAGE]\r\ncbDirectory=0\r\n";
  const struct {
    const char* what;
    std::function<void()> arrange;
    std::string reason;
  } cases[] = {
      {"a folder in its place", [&] { fs::create_directory(file); }, "Is a directory"},
      {"a read-only file",
       [&] {
         WriteBin("Quirewright.ini", kept);
         fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       "Permission denied"},
      {"a full disk", [&] { WriteBin("Quirewright.ini", kept); }, "File too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(file);
    c.arrange();
    Create();
    services_.messages.clear();
    form_->ShowPage(pgFinish);
    {
      std::optional<testing_support::FileSizeLimit> full;
      if (c.reason == "File too large") full.emplace(100);
      form_->CancelBtnClick(form_->Parts().CancelBtn);
    }
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "Unable to save the settings to \"" + file + "\": " + c.reason);
    EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(testing_support::ReadFile(file), kept);
    }
  }
}

TEST_F(FailingWizard, LanguageRegistrationSkipsWhatIsNotARegularFile) {
  fs::create_directories(LanguagePath(""));
  ASSERT_EQ(mkfifo(LanguagePath("fifo.lng").c_str(), 0600), 0);  // would wait for a writer
  fs::create_symlink("/dev/zero", LanguagePath("zero.lng"));     // would never end
  WriteLanguageFile("ru.lng", "LANGID=1049\r\n[$CONSTANTS]\r\n");
  Create();  // returns: start-up completes
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_EQ(form_->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  form_->Parts().RadioButton5->SetChecked(true);
  Next();
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
}

// A damaged core entry fails every trial build of the fonts page the same way: the page says
// so once, and each refused Next says it once more, never as fonts that do not fit.
TEST_F(FailingWizard, ADamagedCoreEntryIsReportedOncePerStep) {
  const std::string damaged = wizard::testing::WithBrokenEntry(ReadFile(Bin("quirewright.dat")), "core/midp20_LITE/");
  ASSERT_FALSE(damaged.empty());
  WriteBin("quirewright.dat", damaged);
  Create();
  ASSERT_TRUE(services_.messages.empty());  // the archive itself loads
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);  // core 7
  form_->Parts().spJARLimit->SetValue(128);
  Enter(pgFonts);
  ASSERT_EQ(Page(), pgFonts);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_NE(services_.messages[0].text.find("midp20_LITE"), std::string::npos) << services_.messages[0].text;
  EXPECT_EQ(CountMessages("Midlet size"), 0);

  Next();
  EXPECT_EQ(Page(), pgFonts);
  ASSERT_EQ(services_.messages.size(), 2u);
  EXPECT_EQ(services_.messages[1].text, services_.messages[0].text);
  EXPECT_TRUE(form_->Parts().NextBtn->Enabled());
  EXPECT_FALSE(platform::Application().Terminated());
}
