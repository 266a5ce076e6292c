// The font creator's shipped language files: each one translates everything the program asks
// for now, and the window in each language shows the file's texts and still lays out.
#include "controls/hintballoon.h"
#include "fontcreator/window/fontform.h"
#include "localisation/langcontroller.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"
#include "platform/imaging/textrender.h"
#include "platform/system/exedir.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "support/fakeservices.h"
#include "support/shippedlanguages.h"
#include "support/tempdir.h"
#include "support/windowlook.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;
using fontcreator::TForm1;
using shippedlanguages::TShippedFile;

namespace {

const TShippedFile kShipped[] = {
    {"russian.lng", 1049, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"},                // Русский
    {"slovak.lng", 1051, "Sloven\xE8ina"},                                // Slovenčina
    {"ukrainian.lng", 1058, "\xD3\xEA\xF0\xE0\xBF\xED\xF1\xFC\xEA\xE0"},  // Українська
    {"polish.lng", 1045, "Polski"},
};

// Kept as in English: the unread help file name and the unread empty texts, the window's
// font, the character set button's letter, the menu separators and the file extension.
const shippedlanguages::TKeptTexts kKept = {
    {"HelpFile"},
    {"Font.Name", "SpeedButton1.Caption", "N1.Caption", "N2.Caption", "SaveDialog1.DefaultExt"},
    {"c2", "c3", "c4", "c5", "c6", "c14"},
};

std::string SourceFile(const char* file) { return shippedlanguages::SourceFile("glyphkiln", file); }

// A program folder with the shipped language files; DejaVu Sans is the one installed font.
class GlyphkilnLanguages : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directories(dir_.Path() / "installed");
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", dir_.Path() / "installed" / "DejaVuSans.ttf");
    for (const TShippedFile& f : kShipped)
      testing_support::WriteFile(dir_.File(std::string("bin/languages/glyphkiln/") + f.File),
                                 testing_support::ReadFile(SourceFile(f.File)));
    ASSERT_TRUE(platform::UsePrivateFontDirs({(dir_.Path() / "installed").string()}));
    platform::SetExecutableDirForTesting(dir_.File("bin") + "/");
    localisation::FreeLangManager();
    localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
    form_ = platform::CreateForm<TForm1>();
  }
  void TearDown() override {
    form_.reset();
    localisation::FreeLangManager();
    platform::Application().ResetTerminated();
    platform::SetInterfaceLanguage(0);
  }

  testing_support::TempDir dir_;
  platform::TFakeServices services_;
  platform::TOwned<TForm1> form_;
};

}  // namespace

// Each shipped file parses, registers under its language id, is copied beside the built
// program and translates every entry of the program's current template.
TEST_F(GlyphkilnLanguages, ShippedFilesTranslateTheWholeTemplate) {
  const localisation::TLang_Constants& builtIn = localisation::LangManager().Constants();
  const std::vector<shippedlanguages::TTemplateEntry> window =
      shippedlanguages::WindowTemplate(form_->Parts().LangController1->TemplateLines());
  ASSERT_GT(builtIn.Count(), 10);
  ASSERT_GT(window.size(), 40u);
  std::vector<std::string> faults;
  for (const TShippedFile& f : kShipped) {
    const std::vector<std::string> found =
        shippedlanguages::ShippedFileFaults("glyphkiln", f, builtIn, "Form1", window, kKept);
    faults.insert(faults.end(), found.begin(), found.end());

    const localisation::TLang_LangResource* source = localisation::LangManager().Sources().Find(f.LangId);
    if (source == nullptr) faults.push_back(std::string(f.File) + ": registered under no language id");
    else if (fs::path(source->Name).filename() != f.File)
      faults.push_back(std::string(f.File) + ": language " + std::to_string(f.LangId) + " is read from " +
                       source->Name);
  }
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

namespace {

// A language of the language list and its Create button as the screen must show it.
struct TChoice {
  int index;
  const char* file;
  int langId;
  const char* createUtf8;
};
const TChoice kChoices[] = {
    {1, "russian.lng", 1049, "\xD0\xA1\xD0\xBE\xD0\xB7\xD0\xB4\xD0\xB0\xD1\x82\xD1\x8C"},            // Создать
    {2, "slovak.lng", 1051, "Vytvori\xC5\xA5"},                                                      // Vytvoriť
    {3, "ukrainian.lng", 1058, "\xD0\xA1\xD1\x82\xD0\xB2\xD0\xBE\xD1\x80\xD0\xB8\xD1\x82\xD0\xB8"},  // Створити
    {4, "polish.lng", 1045, "Utw\xC3\xB3rz"},                                                        // Utwórz
};

}  // namespace

// Chosen in the language list, each language shows its file's texts in the code page of the
// language, keeps the font type, lays out for every font type, and its hints wrap in balloons.
TEST_F(GlyphkilnLanguages, EachLanguageShowsItsTextsAndLaysOut) {
  TForm1& f = *form_;
  f.ShowForm();
  std::map<std::string, int> ids;
  for (const auto& e : shippedlanguages::WindowTemplate(f.Parts().LangController1->TemplateLines())) ids[e.Path] = e.Id;
  for (const TChoice& choice : kChoices) {
    SCOPED_TRACE(choice.file);
    localisation::TLang_CompTranslations tr;
    tr.LoadFromFile(SourceFile(choice.file), false);
    const localisation::TLang_CompTranslation& section = tr.Sections().at(0);
    auto text = [&](const std::string& path) { return *section.TextOf(ids.at(path)); };
    f.Parts().FontTypeCBox->UserSelect(1);
    f.Parts().ComboBox2->UserSelect(choice.index);
    ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), choice.langId);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 1);
    EXPECT_EQ(f.Parts().ComboBox2->ItemIndex(), choice.index);
    EXPECT_EQ(static_cast<QPushButton*>(f.Parts().BitBtn3->Widget())->text().toStdString(), choice.createUtf8);

    EXPECT_EQ(f.Caption(), text("Caption"));
    EXPECT_EQ(f.Parts().FontTypeCBox->Items()->Text(), text("FontTypeCBox.Items"));
    EXPECT_EQ(f.Parts().ComboBox2->Items()->Text(), text("ComboBox2.Items"));
    EXPECT_EQ(f.Parts().Label4->Caption(), tr.Constants()[tr.Constants().IndexOf("FontHeightLabel")].Text + " " +
                                               std::to_string(f.Preview().Height));
    int compared = 0;
    for (platform::TControl* c : windowlook::Controls(&f)) {
      const auto id = ids.find(c->Name() + ".Caption");
      if (id == ids.end() || c == f.Parts().Label4) continue;
      EXPECT_EQ(c->GetText(), *section.TextOf(id->second)) << c->Name();
      ++compared;
    }
    EXPECT_GT(compared, 15);

    f.Parts().SizeSpin->SetValue(10);  // a height of two digits after the label's text
    for (int type : {0, 1, 2}) {
      f.Parts().FontTypeCBox->UserSelect(type);
      ASSERT_EQ(f.Parts().Label4->Caption().substr(f.Parts().Label4->Caption().size() - 3), " 10");
      for (const std::string& fault : windowlook::LayoutFaults(&f)) ADD_FAILURE() << type << ": " << fault;
    }

    f.Parts().FontTypeCBox->UserSelect(1);  // Color: every option enabled
    for (const char* name : {"ComboBox1", "CheckBox3", "cbAntialiazed", "BitBtn3"}) {
      SCOPED_TRACE(name);
      platform::Application().ActivateHint(dynamic_cast<platform::TControl*>(f.FindComponent(name)), {100, 100});
      const controls::THintBalloon* b = f.Parts().HintBalloonControl1->LastBalloon();
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->Text(), text(std::string(name) + ".Hint"));
      const controls::TBalloonLayout& l = b->Layout();
      EXPECT_FALSE(l.Scrolled);
      EXPECT_LE(l.PanelWidth, 480);
      EXPECT_LE(l.Text.Right, l.PanelWidth);
    }
  }
  f.Parts().ComboBox2->UserSelect(0);
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);
  EXPECT_EQ(f.Parts().BitBtn3->Caption(), "Create");
}
