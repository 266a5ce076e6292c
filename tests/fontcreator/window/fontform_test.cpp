#include "fontcreator/window/fontform.h"
#include "assembly/fontfile.h"
#include "controls/htmlhelp.h"
#include "localisation/langmanager.h"
#include "platform/imaging/textrender.h"
#include "platform/system/codepage.h"
#include "platform/system/exedir.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/menuitem.h"
#include "support/fakeservices.h"
#include "support/russianlocale.h"
#include "support/tempdir.h"
#include "support/windowlook.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;
using namespace fontcreator;
using platform::TMsgIcon;
using testing_support::ReadFile;
using windowlook::TitleBarText;

namespace {

// A program folder <root>/bin with a "fonts" folder holding DejaVu Serif and a Russian
// language file of its own; the installed fonts are DejaVu Sans alone.
class FontFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    tmp_ = new testing_support::TempDir;
    root_ = new fs::path(tmp_->Path());
    fs::create_directories(*root_ / "installed");
    fs::create_directories(*root_ / "bin" / "fonts");
    fs::create_directories(*root_ / "bin" / "languages" / "glyphkiln");
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", *root_ / "installed" / "DejaVuSans.ttf");
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", *root_ / "bin" / "fonts" / "serif.ttf");
    std::ofstream(*root_ / "bin" / "languages" / "glyphkiln" / "russian.lng", std::ios::binary)
        << "LANGID=1049\r\n[$CONSTANTS]\r\nFontHeightLabel=\xC2\xFB\xF1\xEE\xF2\xE0:\r\n"
           "[Form1]\r\n00000031=\xD1\xEE\xE7\xE4\xE0\xF2\xFC\r\n00000010=A\\nB\\nC\\n\r\n";
  }
  static void TearDownTestSuite() {
    delete root_;
    delete tmp_;
  }

  void SetUp() override {
    // Afresh for every window: removing the fonts folder's fonts also forgets private folders.
    ASSERT_TRUE(platform::UsePrivateFontDirs({(*root_ / "installed").string()}));
    platform::SetExecutableDirForTesting((*root_ / "bin").string() + "/");
    localisation::FreeLangManager();
    localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
    SetIsWindowsXPForTesting(std::nullopt);
    form_ = platform::CreateForm<TForm1>();
  }
  void TearDown() override {
    form_.reset();
    localisation::FreeLangManager();
    platform::Application().ResetTerminated();
    SetIsWindowsXPForTesting(std::nullopt);
    platform::SetInterfaceLanguage(0);
  }

  platform::TMenuItem* Item(const char* name) { return dynamic_cast<platform::TMenuItem*>(form_->FindComponent(name)); }
  std::string Out(const std::string& name) { return (*root_ / name).string(); }

  static testing_support::TempDir* tmp_;
  static fs::path* root_;
  platform::TFakeServices services_;
  platform::TOwned<TForm1> form_;
};
testing_support::TempDir* FontFormTest::tmp_ = nullptr;
fs::path* FontFormTest::root_ = nullptr;

TEST_F(FontFormTest, CreationRegistersFontsAndLanguagesAndBuildsThePreview) {
  TForm1& f = *form_;
  EXPECT_EQ(f.Caption(), "Glyphkiln v2.5 for Tomefalcon ");
  EXPECT_EQ(platform::Application().Title(), f.Caption());
  // The fonts folder comes first, so its font is listed.
  ASSERT_EQ(f.Parts().ComboBox1->Items()->Count(), 2);
  EXPECT_EQ((*f.Parts().ComboBox1->Items())[0], "DejaVu Sans");
  EXPECT_EQ((*f.Parts().ComboBox1->Items())[1], "DejaVu Serif");
  EXPECT_EQ(f.Parts().ComboBox1->ItemIndex(), 0);
  EXPECT_NE(localisation::LangManager().Sources().Find(1049), nullptr);
  EXPECT_EQ(f.Parts().Charset, 1);
  EXPECT_FALSE(f.Parts().Busy);
  EXPECT_FALSE(f.Parts().TooLarge);
  EXPECT_EQ(platform::Application().HintPause(), 1200);
  EXPECT_EQ(platform::Application().HelpFile(), root_->string() + "/manual/tomefalcon_en.chm");
  // Defaults: size 8, black and white, black on white, neutral bars, default charset.
  EXPECT_EQ(f.Parts().SizeSpin->Value(), 8);
  EXPECT_EQ(f.Parts().SizeSpin->MinValue(), 5);
  EXPECT_EQ(f.Parts().SizeSpin->MaxValue(), 24);
  EXPECT_TRUE(platform::Application().HintHook());  // hints show as balloons
  EXPECT_EQ(f.Parts().HintBalloonControl1->AnimationType(), controls::batNone);
  EXPECT_EQ(f.Parts().ComboBox1->DropDownCount(), 20);
  EXPECT_TRUE(f.Parts().BitBtn3->Default());
  EXPECT_EQ(f.ClientWidth(), 566);
  EXPECT_EQ(f.ClientHeight(), 317);
  EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 0);
  EXPECT_EQ(f.Parts().cbTextColor->Selected(), platform::clBlack);
  EXPECT_EQ(f.Parts().cbBackgroundColor->Selected(), platform::clWhite);
  EXPECT_EQ(f.Parts().trbContrast->Position(), 5);
  EXPECT_EQ(f.Parts().trBrightness->Position(), 5);
  EXPECT_TRUE(Item("DEFAULTCHARSET1")->Checked());
  // The preview of DejaVu Sans 8: one glyph height, a sheet 200 wide, the zoom in the
  // panel's bottom-right corner.
  EXPECT_EQ(f.Preview().Height, 8);
  EXPECT_EQ(f.Parts().Label4->Caption(), "Final font height: 8");
  EXPECT_EQ(f.Parts().lbTooLargeFont->Caption(), "");
  EXPECT_EQ(f.Parts().Image1->Picture().width(), 200);
  EXPECT_EQ(f.Parts().Image1->Picture().height(), f.Preview().Sheet.Height());
  EXPECT_FALSE(f.Parts().Image2->Visible());
  EXPECT_EQ(f.Parts().imgZoom->Left() + f.Parts().imgZoom->Width() + 4, f.Parts().Panel1->Width());
  EXPECT_EQ(f.Parts().imgZoom->Top() + f.Parts().imgZoom->Height() + 4, f.Parts().Panel1->Height());
  EXPECT_EQ(f.Parts().imgZoom->Height(), 4 * 8 + 2);
  EXPECT_TRUE(services_.messages.empty());
}

// At every size the enlarged "A" stays in the panel's bottom-right corner and clear of the
// sheet shown in the preview; at the small sizes it is four times enlarged.
TEST_F(FontFormTest, ZoomNeverCoversThePreview) {
  TForm1& f = *form_;
  const struct {
    int size;
    int factor;  // 0: whatever fits
  } cases[] = {{8, 4}, {12, 0}, {16, 0}, {20, 0}, {24, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    f.Parts().SizeSpin->SetValue(c.size);
    const platform::TControl* zoom = f.Parts().imgZoom;
    const platform::TControl* sheet = f.Parts().Image1;
    const int shownSheetBottom = sheet->Top() + std::min(f.Preview().Sheet.Height(), sheet->Height());
    EXPECT_GE(zoom->Top(), shownSheetBottom);
    EXPECT_EQ(zoom->Left() + zoom->Width() + 4, f.Parts().Panel1->Width());
    EXPECT_EQ(zoom->Top() + zoom->Height() + 4, f.Parts().Panel1->Height());
    EXPECT_EQ((zoom->Height() - 2) % f.Preview().Height, 0);
    if (c.factor != 0) {
      EXPECT_EQ(zoom->Height(), c.factor * f.Preview().Height + 2);
    }
  }
}

TEST_F(FontFormTest, DestructionRemovesTheFontsOfTheFontsFolder) {
  form_.reset();
  EXPECT_FALSE(platform::Application().HintHook());
  for (const std::string& family : platform::ScreenFontFamilies()) EXPECT_NE(family, "DejaVu Serif");
}

TEST_F(FontFormTest, OptionChangesRebuildUnlessBusy) {
  TForm1& f = *form_;
  f.Parts().SizeSpin->SetValue(16);
  EXPECT_EQ(f.Preview().Height, 16);
  EXPECT_EQ(f.Parts().Label4->Caption(), "Final font height: 16");
  EXPECT_EQ(f.Parts().imgZoom->Height(), 4 * 16 + 2);

  f.Parts().ComboBox1->UserSelect(1);  // DejaVu Serif
  const int serifA = f.Preview().Zoom.Width();
  f.Parts().CheckBox1->SetChecked(true);  // bold widens the letter
  EXPECT_GT(f.Preview().Zoom.Width(), serifA);

  f.Parts().Busy = true;
  f.Parts().SizeSpin->SetValue(10);
  EXPECT_EQ(f.Preview().Height, 16);
  f.Parts().Busy = false;
  f.Parts().trBrightness->UserMove(3);
  EXPECT_EQ(f.Preview().Height, 10);
}

TEST_F(FontFormTest, CharsetMenuChecksOneItemAndRebuilds) {
  TForm1& f = *form_;
  ASSERT_EQ(f.Parts().PopupMenu1->Items()->Count(), 14);  // twelve charsets, two separators
  EXPECT_TRUE(f.Parts().PopupMenu1->Items()->Items(1)->IsLine());
  EXPECT_TRUE(f.Parts().PopupMenu1->Items()->Items(10)->IsLine());
  f.Parts().SizeSpin->SetValue(12);
  Item("Russincharset1")->Click();
  EXPECT_EQ(f.Parts().Charset, 204);
  int checked = 0;
  for (const auto& c : TForm1::kCharsetItems) checked += Item(c.Name)->Checked() ? 1 : 0;
  EXPECT_EQ(checked, 1);
  EXPECT_TRUE(Item("Russincharset1")->Checked());
  for (const auto& [name, value] : std::vector<std::pair<const char*, int>>{
           {"MACchrset1", 77}, {"OEMcharset1", 255}, {"ANSIcharset1", 0}, {"DEFAULTCHARSET1", 1}}) {
    Item(name)->Click();
    EXPECT_EQ(f.Parts().Charset, value) << name;
  }
  EXPECT_TRUE(Item("DEFAULTCHARSET1")->Checked());
  EXPECT_FALSE(Item("MACchrset1")->Checked());

  f.Parts().SpeedButton1->Click();
  ASSERT_NE(f.Parts().PopupMenu1->LastMenu(), nullptr);
  EXPECT_EQ(f.Parts().PopupMenu1->LastMenu()->actions().size(), 14);
  f.Parts().PopupMenu1->LastMenu()->hide();
}

TEST_F(FontFormTest, FontTypeEnablesItsOptions) {
  TForm1& f = *form_;
  struct Case {
    int type;
    FontKind kind;
    bool antialias, colours;
  };
  for (Case c : {Case{1, FontKind::Color, true, true}, Case{2, FontKind::ClearType, false, true},
                 Case{0, FontKind::BlackWhite, false, false}}) {
    f.Parts().FontTypeCBox->UserSelect(c.type);
    SCOPED_TRACE(c.type);
    EXPECT_EQ(f.Settings().FontType, c.kind);
    EXPECT_EQ(f.Parts().cbAntialiazed->Enabled(), c.antialias);
    EXPECT_EQ(f.Parts().trbContrast->Enabled(), c.antialias);
    EXPECT_EQ(f.Parts().trBrightness->Enabled(), c.antialias);
    EXPECT_EQ(f.Parts().Label8->Enabled(), c.antialias);
    EXPECT_EQ(f.Parts().Label9->Enabled(), c.antialias);
    EXPECT_EQ(f.Parts().cbTextColor->Enabled(), c.colours);
    EXPECT_EQ(f.Parts().cbBackgroundColor->Enabled(), c.colours);
    EXPECT_EQ(f.Parts().Label6->Enabled(), c.colours);
    EXPECT_EQ(f.Parts().Label7->Enabled(), c.colours);
    if (c.type == 1) {
      // Colours chosen for a colour font.
      f.Parts().cbTextColor->UserSelect(f.Parts().cbTextColor->ItemCount() - 1);
      f.Parts().cbBackgroundColor->UserSelect(1);
      EXPECT_NE(f.Parts().cbTextColor->Selected(), platform::clBlack);
    }
  }
  // Black and white puts black on white back.
  EXPECT_EQ(f.Parts().cbTextColor->Selected(), platform::clBlack);
  EXPECT_EQ(f.Parts().cbBackgroundColor->Selected(), platform::clWhite);
  EXPECT_TRUE(services_.messages.empty());
}

TEST_F(FontFormTest, ClearTypeWithoutTheSystemFallsBackToColour) {
  SetIsWindowsXPForTesting(false);
  form_->Parts().FontTypeCBox->UserSelect(2);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text,
            "This program is able to create ClearType fonts only under Windows XP system.");
  EXPECT_EQ(services_.messages[0].caption, "ClearType");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::None);
  EXPECT_EQ(form_->Parts().FontTypeCBox->ItemIndex(), 1);
  EXPECT_TRUE(form_->Parts().cbAntialiazed->Enabled());
}

TEST_F(FontFormTest, LanguageSwitchKeepsTheFontTypeAndPicksTheHelpFile) {
  TForm1& f = *form_;
  f.Parts().FontTypeCBox->UserSelect(2);
  f.Parts().ComboBox2->UserSelect(1);  // Russian
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
  EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 2);
  EXPECT_EQ(f.Parts().Label4->Caption(), "\xC2\xFB\xF1\xEE\xF2\xE0: 8");
  EXPECT_EQ(f.Parts().BitBtn3->Caption(), "\xD1\xEE\xE7\xE4\xE0\xF2\xFC");  // the window's section
  EXPECT_EQ(platform::InterfaceCodePage(), 1251);
  ASSERT_EQ(f.Parts().FontTypeCBox->Items()->Count(), 3);
  EXPECT_EQ((*f.Parts().FontTypeCBox->Items())[2], "C");
  EXPECT_EQ(f.Caption(), "Glyphkiln v2.5 for Tomefalcon ");
  EXPECT_EQ(platform::Application().HelpFile(), root_->string() + "/manual/tomefalcon_ru.chm");
  f.Parts().ComboBox2->UserSelect(2);  // Slovak: no file, the default language
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);
  EXPECT_EQ(f.Parts().Label4->Caption(), "Final font height: 8");
  EXPECT_EQ(f.Parts().BitBtn3->Caption(), "Create");
  EXPECT_EQ(platform::Application().HelpFile(), root_->string() + "/manual/tomefalcon_en.chm");
  EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 2);
}

// Both programs in one folder: the builder's language files (in its own language folder,
// and one left beside the programs) are neither listed nor applied by the font creator,
// whose main window bears the same name; a language it has no file for is English.
TEST_F(FontFormTest, OnlyItsOwnLanguageFilesAreListedAndApplied) {
  const fs::path bin = *root_ / "bin";
  const std::string builderForm =
      "[Form1]\r\n00000002=\xD0\xF3:Tomefalcon Builder Wizard\r\n00000010=\r\n00000028=\r\n00000031=Next\r\n";
  fs::create_directories(bin / "languages" / "quirewright");
  std::ofstream(bin / "languages" / "quirewright" / "ru.lng", std::ios::binary) << "LANGID=1049\r\n" << builderForm;
  std::ofstream(bin / "languages" / "quirewright" / "uk.lng", std::ios::binary) << "LANGID=1058\r\n" << builderForm;
  std::ofstream(bin / "beside.lng", std::ios::binary) << "LANGID=1058\r\n" << builderForm;
  form_.reset();
  localisation::FreeLangManager();
  localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
  form_ = platform::CreateForm<TForm1>();
  TForm1& f = *form_;

  const auto& sources = localisation::LangManager().Sources().Items();
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0].LangId, 1049);
  EXPECT_EQ(sources[0].Name, (bin / "languages" / "glyphkiln" / "russian.lng").string());

  f.Parts().FontTypeCBox->UserSelect(2);
  const struct {
    int index;  // in the language list
    uint16_t language;
    const char* create;  // the Create button's caption
  } cases[] = {{1, 1049, "\xD1\xEE\xE7\xE4\xE0\xF2\xFC"},
               {3, 1033, "Create"},
               {1, 1049, "\xD1\xEE\xE7\xE4\xE0\xF2\xFC"},
               {0, 1033, "Create"}};
  for (const auto& c : cases) {
    f.Parts().ComboBox2->UserSelect(c.index);
    EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), c.language) << c.index;
    EXPECT_EQ(f.Caption(), "Glyphkiln v2.5 for Tomefalcon ") << c.index;
    EXPECT_EQ(f.Parts().BitBtn3->Caption(), c.create) << c.index;
    EXPECT_EQ(f.Parts().FontTypeCBox->Items()->Count(), 3) << c.index;
    EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 2) << c.index;
    EXPECT_EQ(f.Parts().ComboBox2->Items()->Count(), 5) << c.index;
    EXPECT_EQ(f.Parts().ComboBox2->ItemIndex(), c.index) << c.index;
  }
  EXPECT_TRUE(services_.messages.empty());
  fs::remove_all(bin / "languages" / "quirewright");
  fs::remove(bin / "beside.lng");
}

// A language file of its own whose lists are shorter than the choices made: the choices
// that the lists no longer hold fall back to their first entries.
TEST_F(FontFormTest, ChoicesComeBackOnlyWhereTheRefilledListsHoldThem) {
  const fs::path polish = *root_ / "bin" / "languages" / "glyphkiln" / "polish.lng";
  std::ofstream(polish, std::ios::binary)
      << "LANGID=1045\r\n[Form1]\r\n00000010=Czarno-bia\xB3y\\n\r\n00000028=English\\nPolski\\n\r\n";
  form_.reset();
  localisation::FreeLangManager();
  localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
  form_ = platform::CreateForm<TForm1>();
  TForm1& f = *form_;
  f.Parts().FontTypeCBox->UserSelect(2);
  f.Parts().ComboBox2->UserSelect(4);  // Polish
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1045);
  ASSERT_EQ(f.Parts().FontTypeCBox->Items()->Count(), 1);
  EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 0);
  EXPECT_EQ(f.Parts().FontTypeCBox->Text(), "Czarno-bia\xB3y");
  ASSERT_EQ(f.Parts().ComboBox2->Items()->Count(), 2);
  EXPECT_EQ(f.Parts().ComboBox2->ItemIndex(), 0);
  EXPECT_EQ(f.Preview().Height, 8);  // the preview is built again, black and white
  EXPECT_TRUE(services_.messages.empty());
  // English again from the first entry of the shortened list.
  f.Parts().ComboBox2->UserSelect(0);
  EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1033);
  EXPECT_EQ(f.Parts().ComboBox2->Items()->Count(), 5);
  EXPECT_EQ(f.Parts().FontTypeCBox->Items()->Count(), 3);
  EXPECT_EQ(f.Parts().FontTypeCBox->ItemIndex(), 0);
  fs::remove(polish);
}

// Return typed in the size box beeps there; "Create", the default button, is not pressed
// (its save dialog would have no scripted answer).
TEST_F(FontFormTest, ReturnInTheSizeBoxCreatesNothing) {
  TForm1& f = *form_;
  f.ShowForm();
  QApplication::setActiveWindow(f.Widget());
  ASSERT_TRUE(f.Parts().BitBtn3->Default());
  f.Parts().SizeSpin->SetTextValue("12");
  f.Parts().SizeSpin->LineEdit()->setFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(f.Parts().SizeSpin->Focused());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(f.Parts().SizeSpin->LineEdit(), &enter);
  EXPECT_TRUE(services_.dialogs.empty());
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_EQ(services_.beeps, 1);
  EXPECT_EQ(f.Parts().SizeSpin->Text(), "12");
  EXPECT_EQ(f.Preview().Height, 12);
}

// "Help" with a manual that no desktop viewer opens: a warning says where the manual is.
TEST_F(FontFormTest, HelpWithoutAViewerSaysWhereTheManualIs) {
  const fs::path manual = *root_ / "manual" / "tomefalcon_en.chm";
  fs::create_directories(manual.parent_path());
  std::ofstream(manual, std::ios::binary) << "ITSF";
  controls::InstallHtmlHelp();  // the desktop's viewer, through the scripted services
  services_.urlsOpen = false;
  form_->Parts().BitBtn1->Click();
  controls::UninstallHtmlHelp();
  fs::remove_all(manual.parent_path());
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text, "Unable to open the help file \"" + manual.string() + "\".");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Warning);
  EXPECT_EQ(services_.urls, std::vector<std::string>{"file://" + manual.string()});
}

TEST_F(FontFormTest, HelpAndFinishButtons) {
  int context = 0;
  std::string file;
  platform::Application().SetHelpHandler([&](int c, const std::string& f) {
    context = c;
    file = f;
    return true;
  });
  form_->Parts().BitBtn1->Click();
  platform::Application().SetHelpHandler(nullptr);
  EXPECT_EQ(context, 49);
  EXPECT_EQ(file, root_->string() + "/manual/tomefalcon_en.chm");

  form_->ShowForm();
  form_->Parts().BitBtn2->Click();
  EXPECT_FALSE(form_->Visible());
  EXPECT_TRUE(platform::Application().Terminated());
}

TEST_F(FontFormTest, CreateWritesTheFontOfThePreview) {
  TForm1& f = *form_;
  f.Parts().SizeSpin->SetValue(11);
  services_.ScriptDialog({Out("sans11.fnt")});
  f.Parts().BitBtn3->Click();
  ASSERT_EQ(services_.dialogs.size(), 1u);
  EXPECT_TRUE(services_.dialogs[0].Save);
  EXPECT_EQ(services_.dialogs[0].FileName, "*.fnt");
  EXPECT_EQ(services_.dialogs[0].DefaultExt, "fnt");
  EXPECT_EQ(services_.dialogs[0].Filter, "Tomefalcon font files|*.fnt");
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].caption, "Installing font");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Information);
  EXPECT_EQ(services_.messages[0].text,
            "A new font has been created.\r\n\r\nFonts can be embeded in midlet or installed separately.\r\n"
            "Please use \"Help\" button for getting help on fonts installation.");

  const std::string bytes = ReadFile(Out("sans11.fnt"));
  std::string reason;
  auto font = assembly::ReadFontFile(bytes, &reason);
  ASSERT_TRUE(font) << reason;
  EXPECT_EQ(font->Height, 11);
  EXPECT_EQ(font->Type, 0);
  EXPECT_EQ(font->TextColor, 0u);
  EXPECT_EQ(font->BackgroundColor, 0xFFFFFFu);
  EXPECT_TRUE(font->HasNegativeSheet);
  EXPECT_EQ(f.Preview().Height, 11);

  // A colour font keeps the chosen colours, red in bits 16..23.
  f.Parts().FontTypeCBox->UserSelect(1);
  f.Parts().cbTextColor->UserSelect(10);  // the custom item first, then the standard colours: Red
  ASSERT_EQ(f.Parts().cbTextColor->Selected(), platform::clRed);
  services_.ScriptDialog({Out("red.fnt")});
  f.Parts().BitBtn3->Click();
  font = assembly::ReadFontFile(ReadFile(Out("red.fnt")), &reason);
  ASSERT_TRUE(font) << reason;
  EXPECT_EQ(font->Type, 1);
  EXPECT_EQ(font->TextColor, 0xFF0000u);
  EXPECT_EQ(font->BackgroundColor, 0xFFFFFFu);
}

TEST_F(FontFormTest, CreateRefusesWhatItCannotSave) {
  TForm1& f = *form_;
  // Cancelled: nothing.
  services_.ScriptDialogCancel();
  f.Parts().BitBtn3->Click();
  EXPECT_TRUE(services_.messages.empty());

  // A name of Cyrillic letters is refused; a Cyrillic folder is fine.
  services_.ScriptDialog({Out("\xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82.fnt")});
  f.Parts().BitBtn3->Click();
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text, "Only english letters are allowed in font filename.");
  EXPECT_EQ(services_.messages[0].caption, "Invalid filename");
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
  EXPECT_FALSE(fs::exists(Out("\xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82.fnt")));
  fs::create_directories(Out("\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"));
  services_.ScriptDialog({Out("\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0/font.fnt")});
  f.Parts().BitBtn3->Click();
  ASSERT_EQ(services_.messages.size(), 2u);
  EXPECT_EQ(services_.messages[1].caption, "Installing font");
  EXPECT_TRUE(assembly::CheckFontBytes(ReadFile(Out("\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0/font.fnt"))).empty());

  // A folder that does not exist: the error, no confirmation.
  services_.ScriptDialog({Out("missing/font.fnt")});
  f.Parts().BitBtn3->Click();
  ASSERT_EQ(services_.messages.size(), 3u);
  EXPECT_EQ(services_.messages[2].icon, TMsgIcon::Error);
  EXPECT_NE(services_.messages[2].text.find("missing/font.fnt"), std::string::npos);
  EXPECT_FALSE(f.Parts().Busy);

  // Too large: the message, no dialog.
  f.Parts().CheckBox1->SetChecked(true);
  f.Parts().SizeSpin->SetValue(24);
  ASSERT_TRUE(f.Parts().TooLarge);
  EXPECT_EQ(f.Parts().lbTooLargeFont->Caption(), "*Font is too large");
  EXPECT_TRUE(f.Parts().Image2->Visible());
  EXPECT_EQ(f.Preview().Sheet.Height(), 255);
  const size_t dialogs = services_.dialogs.size();
  f.Parts().BitBtn3->Click();
  EXPECT_EQ(services_.dialogs.size(), dialogs);
  ASSERT_EQ(services_.messages.size(), 4u);
  EXPECT_EQ(services_.messages[3].text, "Resulting font image is too large. Please decrease font size.");
  EXPECT_EQ(services_.messages[3].caption, "Error");
  EXPECT_EQ(services_.messages[3].icon, TMsgIcon::Warning);
  // Back under the limit, the state clears.
  f.Parts().SizeSpin->SetValue(8);
  EXPECT_FALSE(f.Parts().TooLarge);
  EXPECT_EQ(f.Parts().lbTooLargeFont->Caption(), "");
}

// A font that cannot be written: under a Russian UTF-8 locale the message names the Cyrillic
// or accented folder whole, with the C library's Russian reason, in the Cyrillic process code
// page as in the Western one.
TEST_F(FontFormTest, FailedSaveNamesTheFolderAndTheReasonWhole) {
  testing_support::TempDir own;
  testing_support::RussianLocale russian(own.Path());
  QW_REQUIRE_RUSSIAN_LOCALE(russian);
  const int oldPage = platform::AnsiCodePage();
  for (int cp : {1251, 1252}) {
    platform::SetAnsiCodePage(cp);
    for (const std::string folder : {"только чтение", "Café"}) {
      SCOPED_TRACE(std::to_string(cp) + " " + folder);
      const fs::path at = own.Path() / folder;
      fs::create_directories(at / "sub.fnt");
      testing_support::WriteFile((at / "ro.fnt").string(), "old");
      fs::permissions(at / "ro.fnt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
      const struct {
        const char* name;
        const char* reason;
      } cases[] = {{"ro.fnt", "Отказано в доступе"}, {"sub.fnt", "Это каталог"}};
      for (const auto& c : cases) {
        services_.messages.clear();
        services_.ScriptDialog({(at / c.name).string()});
        form_->Parts().BitBtn3->Click();
        ASSERT_EQ(services_.messages.size(), 1u);
        const auto& m = services_.messages[0];
        EXPECT_TRUE(m.utf8);
        EXPECT_EQ(QString::fromStdString(m.text),
                  QString::fromUtf8("Cannot write the font file \"" + (at / c.name).string() + "\": " + c.reason));
        EXPECT_EQ(m.icon, TMsgIcon::Error);
      }
      EXPECT_EQ(ReadFile((at / "ro.fnt").string()), "old");
    }
  }
  platform::SetAnsiCodePage(oldPage);
}

TEST_F(FontFormTest, CreateWithoutAnyInstalledFontSaysSoAndWritesNothing) {
  // A program folder without a fonts folder, and no installed fonts at all.
  const testing_support::TempDir empty;
  fs::create_directories(empty.Path() / "bin");
  form_.reset();
  ASSERT_TRUE(platform::UsePrivateFontDirs({}));
  platform::SetExecutableDirForTesting((empty.Path() / "bin").string() + "/");
  form_ = platform::CreateForm<TForm1>();
  TForm1& f = *form_;
  ASSERT_EQ(f.Parts().ComboBox1->Items()->Count(), 0);
  services_.messages.clear();
  services_.ScriptDialog({(empty.Path() / "none.fnt").string()});
  f.Parts().BitBtn3->Click();
  EXPECT_TRUE(services_.dialogs.empty());
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
  EXPECT_EQ(services_.messages[0].text, "There is no installed font to make a font from.");
  EXPECT_NE(services_.messages[0].caption, "Installing font");
  EXPECT_FALSE(fs::exists(empty.Path() / "none.fnt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(empty.Path()), fs::directory_iterator()), 1);
  EXPECT_FALSE(f.Parts().Busy);
  form_.reset();
}

// Every control with a hint shows, in its balloon, the text its description writes.
TEST_F(FontFormTest, BalloonsShowTheDescribedHints) {
  TForm1& f = *form_;
  f.Parts().FontTypeCBox->UserSelect(1);  // Color: every option enabled
  std::vector<std::string> names;
  std::function<void(const platform::TDescNode&)> walk = [&](const platform::TDescNode& n) {
    for (const platform::TDescProp& p : n.Props)
      if (p.Path == "Hint") names.push_back(n.Name);
    for (const platform::TDescNode& c : n.Children) walk(c);
  };
  walk(platform::ParseDescription(kForm1Description));
  ASSERT_EQ(names.size(), 14u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    auto* control = dynamic_cast<platform::TControl*>(f.FindComponent(name));
    ASSERT_NE(control, nullptr);
    controls::THintBalloon* before = f.Parts().HintBalloonControl1->LastBalloon();
    platform::Application().ActivateHint(control, {100, 100});
    controls::THintBalloon* b = f.Parts().HintBalloonControl1->LastBalloon();
    ASSERT_NE(b, nullptr);
    ASSERT_NE(b, before);
    EXPECT_EQ(b->Text(), windowlook::DescribedText(kForm1Description, name, "Hint"));
    EXPECT_GT(b->Text().size(), 8u);
  }
}

// Disabled controls use the style's disabled colours.
TEST_F(FontFormTest, DisabledControlsLookDisabled) {
  TForm1& f = *form_;
  f.Parts().FontTypeCBox->UserSelect(0);  // Black and white: antialias, contrast and colours disabled
  EXPECT_FALSE(f.Parts().cbAntialiazed->Enabled());
  EXPECT_FALSE(f.Parts().cbTextColor->Enabled());
  EXPECT_FALSE(f.Parts().trbContrast->Enabled());
  int checked = 0;
  for (const std::string& fault : windowlook::DisabledLookFaults(&f, &checked)) ADD_FAILURE() << fault;
  EXPECT_GT(checked, 25);
  // Drawn: the disabled box's caption is lighter than when it is enabled.
  const int disabled = windowlook::DarkestGrey(f.Parts().cbAntialiazed->Widget());
  f.Parts().FontTypeCBox->UserSelect(1);
  ASSERT_TRUE(f.Parts().cbAntialiazed->Enabled());
  EXPECT_GT(disabled, windowlook::DarkestGrey(f.Parts().cbAntialiazed->Widget()) + 60);
}

// Each font type: nothing sticks out, overlaps another control or is cut off.
TEST_F(FontFormTest, WindowLaysOutWithoutOverlaps) {
  TForm1& f = *form_;
  f.ShowForm();
  for (int type : {0, 1, 2}) {
    f.Parts().FontTypeCBox->UserSelect(type);
    for (const std::string& fault : windowlook::LayoutFaults(&f)) ADD_FAILURE() << type << ": " << fault;
  }
}

// The title bar shows the caption alone, also after a language switch.
TEST_F(FontFormTest, TitleBarShowsTheCaption) {
  TForm1& f = *form_;
  f.ShowForm();
  EXPECT_EQ(TitleBarText(f.Widget()).toStdString(), "Glyphkiln v2.5 for Tomefalcon ");
  f.Parts().ComboBox2->UserSelect(1);  // Russian
  EXPECT_EQ(f.Caption(), "Glyphkiln v2.5 for Tomefalcon ");
  EXPECT_EQ(TitleBarText(f.Widget()), f.Widget()->windowTitle());
  EXPECT_EQ(f.Widget()->windowTitle().toStdString(), "Glyphkiln v2.5 for Tomefalcon ");
}

// The shot tool renders the window at the size its description gives.
TEST(GlyphkilnShotTool, RendersTheWindow) {
  const testing_support::TempDir dir;
  const std::string out = dir.File("glyphkiln.png");
  std::string log;
  ASSERT_EQ(testing_support::RunCommand("QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 " +
                                            testing_support::ShellQuote(std::string(QW_BIN_DIR) + "/glyphkiln_shot_ui") +
                                            " " + testing_support::ShellQuote(out) + " 2 12",
                                        &log),
            0)
      << log;
  const QImage shot(QString::fromStdString(out));
  EXPECT_EQ(shot.size(), QSize(566, 317));
}

}  // namespace

TEST_F(FontFormTest, ALanguageThatCannotBeLoadedLeavesTheLanguageAsItWas) {
  // The header registers; the body holds one constant twice.
  std::ofstream(*root_ / "bin" / "languages" / "glyphkiln" / "slovak.lng", std::ios::binary)
      << "LANGID=1051\r\n[$CONSTANTS]\r\nFontHeightLabel=a\r\nFontHeightLabel=b\r\n";
  std::ofstream(*root_ / "bin" / "languages" / "glyphkiln" / "ukrainian.lng", std::ios::binary)
      << "LANGID=1058\r\n[$CONSTANTS]\r\n";
  form_.reset();
  localisation::FreeLangManager();
  localisation::UseBuiltInTexts(localisation::TProgram::Glyphkiln);
  form_ = platform::CreateForm<TForm1>();
  fs::remove(*root_ / "bin" / "languages" / "glyphkiln" / "ukrainian.lng");  // gone since the start
  TForm1& f = *form_;
  f.Parts().ComboBox2->UserSelect(1);  // Russian
  ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
  const std::string russian = f.Parts().Label4->Caption();

  const struct {
    int index;
    const char* message;
  } cases[] = {{2, "Duplicate constant name (\"FontHeightLabel\")"}, {3, "ukrainian.lng"}};
  for (const auto& c : cases) {
    services_.messages.clear();
    f.Parts().ComboBox2->UserSelect(c.index);
    ASSERT_EQ(services_.messages.size(), 1u) << c.message;
    EXPECT_NE(services_.messages[0].text.find(c.message), std::string::npos) << services_.messages[0].text;
    EXPECT_EQ(services_.messages[0].icon, TMsgIcon::Error);
    EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), 1049);
    EXPECT_EQ(f.Parts().ComboBox2->ItemIndex(), 1);
    EXPECT_EQ(f.Parts().Label4->Caption(), russian);
  }
  fs::remove(*root_ / "bin" / "languages" / "glyphkiln" / "slovak.lng");
}
