// The builder's messages as the user reads them: paths of Cyrillic and accented folders and
// the C library's reasons under a Russian UTF-8 locale come out whole, with the Cyrillic
// process code page and the English interface.
#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "controls/hintballoon.h"
#include "platform/system/codepage.h"
#include "platform/ui/qtbridge.h"
#include "support/fakeservices.h"
#include "support/russianlocale.h"
#include "support/tempdir.h"

#include <QComboBox>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace wizard;
namespace fs = std::filesystem;

namespace {

class WizardMessages : public wizard::testing::BuilderWindowTest {
protected:
  void SetUp() override {
    BuilderWindowTest::SetUp();
    oldPage_ = platform::AnsiCodePage();
    platform::SetAnsiCodePage(1251);
  }
  void TearDown() override {
    BuilderWindowTest::TearDown();
    platform::SetAnsiCodePage(oldPage_);
  }
  // The text of a message box as the Qt services show it.
  static QString Shown(const platform::TFakeServices::Message& m) {
    return m.utf8 ? QString::fromStdString(m.text) : platform::ToInterfaceQString(m.text);
  }
  int oldPage_ = 1252;
};

const char* const kFolders[] = {"шрифты", "Café"};

}  // namespace

// A JAR whose place is taken by a folder, and a JAR that may not be replaced.
TEST_F(WizardMessages, FailedJarWriteNamesThePathAndTheReason) {
  testing_support::RussianLocale russian(dir_);
  QW_REQUIRE_RUSSIAN_LOCALE(russian);
  Create();
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  form_->FontsPage().Load(false);
  const std::string books[] = {"Книги", "Café"};
  for (const std::string& folder : books) {
    SCOPED_TRACE(folder);
    const std::string at = Path(folder) + "/";
    fs::create_directories(at + "Reader.jar");
    testing_support::WriteFile(at + "Locked.jar", "old");
    fs::permissions(at + "Locked.jar", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const struct {
      std::string jad;
      std::string shown;
    } cases[] = {
        {"Reader.jad", "Cannot write file \"" + at + "Reader.jar\": Это каталог"},
        {"Locked.jad", "Cannot write file \"" + at + "Locked.jar\": Отказано в доступе"},
    };
    for (const auto& c : cases) {
      services_.messages.clear();
      form_->Parts().edMidletName->SetTextValue(c.jad.substr(0, c.jad.size() - 4));
      services_.ScriptDialog({at + c.jad});
      Enter(pgBuild);
      ASSERT_EQ(services_.messages.size(), 1u);
      EXPECT_EQ(Shown(services_.messages[0]), QString::fromUtf8(c.shown)) << services_.messages[0].text;
      EXPECT_EQ(services_.messages[0].caption, "Error");
    }
  }
}

// Files named in the settings that are gone: each warning names its path once, whole.
TEST_F(WizardMessages, WarningsAboutFilesOfTheSettingsNameThemWhole) {
  for (const char* folder : kFolders) {
    SCOPED_TRACE(folder);
    const std::string gone = Path(std::string(folder) + "/dv12ct.fnt");
    const std::string keys = Path(std::string(folder) + "/keys.txt");
    const std::string help = Path(std::string(folder) + "/help.txt");
    WriteIni("[PI_PHONEMODELPAGE]\r\ncbPhoneModel=224\r\n[PI_KEYCONFIGPAGE]\r\nkcid=13\r\nCustomKeyConfigName=" + keys +
             "\r\n[PI_FONTSPAGE]\r\ncbFont2=1\r\nfontName2=" + gone +
             "\r\n[PI_ADVANCEDOPTIONSPAGE]\r\ncbCustomHelpFile=1\r\nedCustomHelpFile=" + help + "\r\n");
    Create();
    form_->Parts().rbLiteVersion->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    services_.messages.clear();
    for (int page : {pgKeyConfig, pgFonts, pgAdvancedOptions}) Enter(page);
    ASSERT_EQ(services_.messages.size(), 3u);
    const std::string expected[] = {
        "The key layout file \"" + keys +
            "\" named in the settings cannot be read; the key layout \"Nokia phones keys config\" is used instead.",
        "The font file \"" + gone +
            "\" of font slot 2 in the settings cannot be used; the slot is set to \"None\". (Unable to open file. "
            "File does not exist or is locked by other application: \"" +
            gone + "\")",
        "The help file \"" + help + "\" named in the settings cannot be read; the built-in help is used instead.",
    };
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(Shown(services_.messages[i]), QString::fromUtf8(expected[i]));
      EXPECT_EQ(services_.messages[i].caption, "Warning");
    }
    form_.reset();
  }
}

// A custom font from a Cyrillic or an accented folder: its slot and the slot's hint show the
// path whole.
TEST_F(WizardMessages, CustomFontSlotShowsItsPathWhole) {
  Create();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  Enter(pgFonts);
  const std::string font = assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\8x5we_Aqua.fnt");
  for (const char* folder : kFolders) {
    SCOPED_TRACE(folder);
    const std::string path = WriteFile(std::string(folder) + "/dv12ct.fnt", font);
    services_.ScriptDialog({path});
    form_->Parts().FontBoxes[2]->UserSelect(1);
    auto* combo = static_cast<QComboBox*>(form_->Parts().FontBoxes[2]->Widget());
    EXPECT_EQ(combo->itemText(1), QString::fromUtf8("Custom... (" + path + ")"));
    EXPECT_EQ(combo->currentText(), QString::fromUtf8("Custom... (" + path + ")"));
    EXPECT_EQ(form_->Parts().FontBoxes[2]->Hint(), path);
  }
}
