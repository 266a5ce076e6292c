// The builder's shipped language files: each one translates everything the program asks for
// now, and the window in each language shows the file's texts and still lays out.
#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "controls/hintballoon.h"
#include "controls/urllabel.h"
#include "controls/wizardheader.h"
#include "localisation/langcontroller.h"
#include "localisation/langfile.h"
#include "platform/ui/application.h"
#include "platform/ui/combobox.h"
#include "platform/ui/notebook.h"
#include "platform/ui/page.h"
#include "support/shippedlanguages.h"
#include "support/tempdir.h"
#include "support/windowlook.h"

#include "platform/ui/qtbridge.h"

#include <QAbstractButton>
#include <QWidget>

#include <filesystem>
#include <map>

using shippedlanguages::TShippedFile;
using wizard::testing::BuilderWindowTest;
namespace fs = std::filesystem;

namespace {

// The builder ships no Polish file: its Polish button stays hidden.
const TShippedFile kShipped[] = {
    {"russian.lng", 1049, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"},                // Русский
    {"ukrainian.lng", 1058, "\xD3\xEA\xF0\xE0\xBF\xED\xF1\xFC\xEA\xE0"},  // Українська
    {"slovak.lng", 1051, "Sloven\xE8ina"},                                // Slovenčina
};

// Kept as in English in every language: the languages that name themselves, the default midlet
// name (English letters only), the question marks, a JAD attribute, a tab named after the
// file, file patterns and the web address.
const shippedlanguages::TKeptTexts kKept = {
    {},
    {"RadioButton4.Caption",
     "RadioButton5.Caption",
     "RadioButton3.Caption",
     "edMidletName.Text",
     "UrlLabel7.Caption",
     "UrlLabel9.Caption",
     "UrlLabel10.Caption",
     "UrlLabel11.Caption",
     "UrlLabel12.Caption",
     "UrlLabel13.Caption",
     "UrlLabel14.Caption",
     "UrlLabel15.Caption",
     "UrlLabel16.Caption",
     "UrlLabel17.Caption",
     "UrlLabel18.Caption",
     "UrlLabel19.Caption",
     "UrlLabel20.Caption",
     "UrlLabel21.Caption",
     "UrlLabel23.Caption",
     "UrlLabel24.Caption",
     "UrlLabel25.Caption",
     "UrlLabel26.Caption",
     "cbMidletDataSize.Caption",
     "TabSheet3.Caption",
     "SaveDialog.Filter",
     "TextFileOpenDialog.DefaultExt",
     "UrlLabel2.URL"},
    {},
};

// Every control placed on `parent`, further down too.
void ShownControls(platform::TWinControl* parent, std::vector<platform::TControl*>& out) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    platform::TControl* c = parent->Controls(i);
    out.push_back(c);
    if (auto* w = dynamic_cast<platform::TWinControl*>(c)) ShownControls(w, out);
  }
}

std::string SourceFile(const char* file) { return shippedlanguages::SourceFile("quirewright", file); }

class BuilderLanguages : public BuilderWindowTest {
protected:
  // The shipped files in the scratch program's language folder.
  void Ship() {
    for (const TShippedFile& f : kShipped) WriteLanguageFile(f.File, testing_support::ReadFile(SourceFile(f.File)));
  }
};

}  // namespace

// Each shipped file parses, registers under its language id, is copied beside the built
// program and translates every entry of the program's current template.
TEST_F(BuilderLanguages, ShippedFilesTranslateTheWholeTemplate) {
  Create();
  const localisation::TLang_Constants& builtIn = localisation::LangManager().Constants();
  const std::vector<shippedlanguages::TTemplateEntry> window =
      shippedlanguages::WindowTemplate(form_->Parts().lcMain->TemplateLines());
  ASSERT_GT(builtIn.Count(), 60);
  ASSERT_GT(window.size(), 150u);
  std::vector<std::string> faults;
  for (const TShippedFile& f : kShipped) {
    const std::vector<std::string> found =
        shippedlanguages::ShippedFileFaults("quirewright", f, builtIn, "Form1", window, kKept);
    faults.insert(faults.end(), found.begin(), found.end());
  }
  for (const std::string& fault : faults) ADD_FAILURE() << fault;

  // Registered by the window from its own folder, each under its id.
  form_.reset();
  localisation::FreeLangManager();
  Ship();
  Create();
  for (const TShippedFile& f : kShipped) {
    const localisation::TLang_LangResource* source = localisation::LangManager().Sources().Find(f.LangId);
    ASSERT_NE(source, nullptr) << f.File;
    EXPECT_EQ(fs::path(source->Name).filename(), f.File);
  }
  EXPECT_EQ(localisation::LangManager().Sources().Find(1045), nullptr);
  EXPECT_FALSE(form_->Parts().RadioButton1->Visible());
}

namespace {

// What the user does to get each language, and a text of it as the screen must show it.
struct TChoice {
  const char* file;
  int langId;
  platform::TRadioButton* wizard::TForm1Parts::*button;
  const char* nextUtf8;  // the Next button's caption
};
const TChoice kChoices[] = {
    {"russian.lng", 1049, &wizard::TForm1Parts::RadioButton5, "\xD0\x94\xD0\xB0\xD0\xBB\xD0\xB5\xD0\xB5 >"},
    {"ukrainian.lng", 1058, &wizard::TForm1Parts::RadioButton3, "\xD0\x94\xD0\xB0\xD0\xBB\xD1\x96 >"},
    {"slovak.lng", 1051, &wizard::TForm1Parts::RadioButton2,
     "\xC4\x8E"
     "alej >"},
};

// The longest of the named texts whose names begin with `prefix` and end with `suffix`.
std::string Longest(const std::string& prefix, const std::string& suffix) {
  std::string longest;
  const localisation::TLang_Constants& texts = localisation::LangManager().Constants();
  for (int i = 0; i < texts.Count(); ++i)
    if (texts[i].Name.starts_with(prefix) && texts[i].Name.ends_with(suffix) && texts[i].Text.size() > longest.size())
      longest = texts[i].Text;
  return longest;
}

// The texts of every page against the file's section; returns how many were compared.
int CompareCaptions(wizard::TForm1& form, const std::map<std::string, int>& ids,
                    const localisation::TLang_CompTranslation& section) {
  int compared = 0;
  for (int page = 0; page < wizard::kPageCount; ++page) {
    form.ShowPage(page);
    std::vector<platform::TControl*> shown;
    ShownControls(form.Parts().Notebook1->Page(page), shown);
    for (platform::TControl* c : shown) {
      if (auto* header = dynamic_cast<controls::TWizardHeader*>(c)) {
        EXPECT_EQ(header->Captions()->Text(), *section.TextOf(ids.at(c->Name() + ".Captions"))) << c->Name();
        EXPECT_EQ(header->Comments()->Text(), *section.TextOf(ids.at(c->Name() + ".Comments"))) << c->Name();
        ++compared;
        continue;
      }
      const auto id = ids.find(c->Name() + (ids.contains(c->Name() + ".Caption") ? ".Caption" : ".Text"));
      if (id == ids.end()) continue;
      EXPECT_EQ(c->GetText(), *section.TextOf(id->second)) << "page " << page << ", " << c->Name();
      ++compared;
    }
  }
  return compared;
}

// Each question label's balloon: the file's text, wrapped into lines inside a balloon of a
// readable width. Returns how many balloons were looked at.
int CheckBalloons(wizard::TForm1& form, const std::map<std::string, int>& ids,
                  const localisation::TLang_CompTranslation& section) {
  int balloons = 0;
  for (platform::TControl* c : windowlook::Controls(&form)) {
    auto* label = dynamic_cast<controls::TUrlLabel*>(c);
    if (label == nullptr || !ids.contains(label->Name() + ".Hint")) continue;
    SCOPED_TRACE(label->Name());
    label->Click();
    const controls::THintBalloon* b = form.Parts().HintBalloonControl1->LastBalloon();
    if (b == nullptr) {
      ADD_FAILURE() << "no balloon";
      continue;
    }
    EXPECT_EQ(b->Text(), *section.TextOf(ids.at(label->Name() + ".Hint")));
    const controls::TBalloonLayout& l = b->Layout();
    EXPECT_FALSE(l.Scrolled);
    EXPECT_LE(l.PanelWidth, 480);
    EXPECT_LE(l.Text.Right, l.PanelWidth);
    EXPECT_LE(l.Text.Bottom, l.PanelHeight);
    if (b->Text().size() > 80) {
      EXPECT_GT(controls::BalloonTextLines(platform::ToInterfaceQString(b->Text()), l.Text.Width()).size(), 1);
    }
    ++balloons;
  }
  return balloons;
}

}  // namespace

// Chosen on the first page, each language shows its file's texts on every page, in the code
// page of the language; every page still lays out; the question balloons wrap their
// translated texts.
TEST_F(BuilderLanguages, EachLanguageShowsItsTextsAndLaysOut) {
  for (const TChoice& choice : kChoices) {
    SCOPED_TRACE(choice.file);
    Ship();
    Create();
    std::map<std::string, int> ids;
    for (const auto& e : shippedlanguages::WindowTemplate(form_->Parts().lcMain->TemplateLines())) ids[e.Path] = e.Id;
    localisation::TLang_CompTranslations tr;
    tr.LoadFromFile(SourceFile(choice.file), false);
    const localisation::TLang_CompTranslation& section = tr.Sections().at(0);
    form_->ShowForm();
    (form_->Parts().*choice.button)->SetChecked(true);
    Next();
    ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), choice.langId);
    EXPECT_EQ(static_cast<QAbstractButton*>(form_->Parts().NextBtn->Widget())->text().toStdString(), choice.nextUtf8);

    EXPECT_GT(CompareCaptions(*form_, ids, section), 120);
    for (const std::string& f : PageLayoutFaults(Longest("FS", "_1"), Longest("FS", "_2"))) ADD_FAILURE() << f;
    form_->ShowPage(wizard::pgFullOrLite);
    EXPECT_EQ(CheckBalloons(*form_, ids, section), 24);
    form_.reset();
    localisation::FreeLangManager();
  }
}

namespace {

// The text the balloon hint of `control` shows.
std::string ShownHint(wizard::TForm1& form, platform::TControl* control) {
  platform::Application().ActivateHint(control, {100, 100});
  const controls::THintBalloon* b = form.Parts().HintBalloonControl1->LastBalloon();
  return b == nullptr ? "(no balloon)" : b->ShownText().toStdString();
}

}  // namespace

// A hint is a text of the language even on controls whose items are host paths or the user's
// data (the font slots list file paths); a custom font's path shown as a slot's hint keeps its
// own letters.
TEST_F(BuilderLanguages, HintsShowInTheLanguageOnEveryKindOfControl) {
  Ship();
  Create();
  form_->ShowForm();
  form_->Parts().RadioButton5->SetChecked(true);  // Russian
  Next();
  ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);

  // "Этот шрифт изменить нельзя"
  const std::string fixedSlot =
      "\xD0\xAD\xD1\x82\xD0\xBE\xD1\x82 \xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82 "
      "\xD0\xB8\xD0\xB7\xD0\xBC\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x82\xD1\x8C "
      "\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C\xD0\xB7\xD1\x8F";
  EXPECT_EQ(ShownHint(*form_, form_->Parts().FontBoxes[1]), fixedSlot);
  EXPECT_EQ(ShownHint(*form_, form_->Parts().FontBoxes[3]), fixedSlot);

  // No hint of the window shows a character its code page could not decode.
  int hints = 0;
  for (platform::TControl* c : windowlook::Controls(form_.get())) {
    if (c->Hint().empty() || dynamic_cast<controls::TUrlLabel*>(c) != nullptr) continue;
    ++hints;
    EXPECT_EQ(ShownHint(*form_, c).find("\xEF\xBF\xBD"), std::string::npos) << c->Name();
  }
  EXPECT_GT(hints, 2);

  // "шрифты/мой шрифт.fnt"
  const std::string path = WriteFile(
      "\xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82\xD1\x8B/\xD0\xBC\xD0\xBE\xD0\xB9 "
      "\xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82.fnt",
      assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  form_->ShowPage(wizard::pgFonts);
  form_->PageManager1PageChanged(form_->Parts().PageManager1);
  services_.ScriptDialog({path});
  form_->Parts().FontBoxes[2]->UserSelect(1);
  ASSERT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), 1);
  EXPECT_EQ(ShownHint(*form_, form_->Parts().FontBoxes[2]), path);
  EXPECT_EQ(ShownHint(*form_, form_->Parts().FontBoxes[3]), fixedSlot);
}
