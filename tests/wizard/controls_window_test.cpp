// The builder window's controls as a user meets them: Return in its spin edits, its link
// labels under the mouse, help without a viewer and the language files it reads.
#include "builderwindow_support.h"

#include "controls/htmlhelp.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/radiobutton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>

using namespace wizard;
using platform::TMsgIcon;
namespace fs = std::filesystem;

namespace {

class BuilderControls : public wizard::testing::BuilderWindowTest {
protected:
  void TearDown() override {
    controls::UninstallHtmlHelp();
    BuilderWindowTest::TearDown();
  }
};

// Return typed in a spin edit beeps and leaves the page where it is, although "Next" is the
// window's default button.
TEST_F(BuilderControls, ReturnInASpinEditStaysOnThePage) {
  Create();
  form_->ShowForm();
  QApplication::setActiveWindow(form_->Widget());
  ASSERT_TRUE(form_->Parts().NextBtn->Default());
  const struct {
    int page;
    controls::TMySpinEdit* spin;
    const char* typed;
    platform::TCheckBox* enabling;  // the check box that enables the box, if any
  } cases[] = {
      {pgPhoneModel, form_->Parts().spJARLimit, "300", nullptr},
      {pgAdvancedOptions, form_->Parts().spForceHeight, "220", form_->Parts().cbForceHeight},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.spin->Name());
    Enter(c.page);
    ASSERT_EQ(Page(), c.page);
    if (c.page == pgAdvancedOptions) form_->Parts().rbShowAdvancedOptions->SetChecked(true);
    if (c.enabling != nullptr) c.enabling->SetChecked(true);
    ASSERT_TRUE(c.spin->Enabled());
    c.spin->SetTextValue(c.typed);
    c.spin->LineEdit()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(c.spin->Focused());
    const int beeps = services_.beeps;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(c.spin->LineEdit(), &enter);
    EXPECT_EQ(Page(), c.page);
    EXPECT_EQ(services_.beeps, beeps + 1);
    EXPECT_EQ(c.spin->Text(), c.typed);
    EXPECT_TRUE(services_.messages.empty());
  }
}

// Every link label of the window starts without underline, is underlined while the mouse is
// over it and loses the underline when the mouse leaves.
TEST_F(BuilderControls, LinkLabelsAreUnderlinedOnlyUnderTheMouse) {
  Create();
  form_->ShowForm();
  std::vector<controls::TUrlLabel*> labels;
  for (int i = 0; i < form_->ComponentCount(); ++i)
    if (auto* l = dynamic_cast<controls::TUrlLabel*>(form_->Components(i))) labels.push_back(l);
  ASSERT_EQ(labels.size(), 27u);
  for (controls::TUrlLabel* l : labels) {
    SCOPED_TRACE(l->Name());
    EXPECT_EQ(l->Font()->Style() & platform::fsUnderline, 0u);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(l->Widget(), &enter);
    EXPECT_NE(l->Font()->Style() & platform::fsUnderline, 0u);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(l->Widget(), &leave);
    EXPECT_EQ(l->Font()->Style() & platform::fsUnderline, 0u);
  }
}

// Help through the desktop: a manual that no viewer opens is named in a warning, from the
// Help button and from the storage folder's help link alike; a missing manual opens nothing
// and says nothing.
TEST_F(BuilderControls, HelpWithoutAViewerSaysWhereTheManualIs) {
  Create();
  controls::InstallHtmlHelp();  // the desktop's viewer, through the scripted services
  services_.urlsOpen = false;
  const std::string manual = WriteFile("manual/tomefalcon_en.chm", "ITSF");
  const std::string warning = "Unable to open the help file \"" + manual + "\".";
  form_->ShowPage(pgPhoneModel);
  form_->Parts().BitBtn5->Click();
  form_->Parts().UrlLabels[22]->Click();
  ASSERT_EQ(services_.messages.size(), 2u);
  for (const auto& m : services_.messages) {
    EXPECT_EQ(m.text, warning);
    EXPECT_EQ(m.caption, "Warning");
    EXPECT_EQ(m.icon, TMsgIcon::Warning);
  }
  EXPECT_EQ(services_.urls, std::vector<std::string>(2, "file://" + manual));

  services_.messages.clear();
  services_.urls.clear();
  fs::remove(manual);
  form_->Parts().BitBtn5->Click();
  form_->Parts().UrlLabels[22]->Click();
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_TRUE(services_.urls.empty());
}

// With the font creator beside it, the builder lists and applies only the files of its own
// language folder: Russian, for which only the font creator has a file, is English here.
TEST_F(BuilderControls, OnlyItsOwnLanguageFilesAreListedAndApplied) {
  WriteFile(
      "bin/languages/glyphkiln/russian.lng",
      "LANGID=1049\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Font creator text\r\n[Form1]\r\n00000159=Font creator button\r\n");
  WriteFile("bin/beside.lng", "LANGID=1051\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Beside the programs\r\n");
  const std::string ukrainian =
      WriteLanguageFile("uk.lng", "LANGID=1058\r\n[$CONSTANTS]\r\nMIDP10CoreDesc=Core three in Ukrainian\r\n");
  Create();
  const auto& sources = localisation::LangManager().Sources().Items();
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0].LangId, kLangUkrainian);
  EXPECT_EQ(sources[0].Name, ukrainian);

  const std::string english = form_->Parts().FCoreDescs[3];
  const std::string next = form_->Parts().NextBtn->Caption();
  const struct {
    platform::TRadioButton* button;
    uint16_t language;
    std::string coreDesc;
  } cases[] = {
      {form_->Parts().RadioButton5, kLangEnglish, english},  // Russian: the font creator's file only
      {form_->Parts().RadioButton3, kLangUkrainian, "Core three in Ukrainian"},
      {form_->Parts().RadioButton2, kLangEnglish, english},  // Slovak: a file beside the programs only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button->Name());
    while (Page() != pgWizardLanguage) Back();
    c.button->SetChecked(true);
    Next();
    EXPECT_EQ(localisation::LangManager().CurrentLanguageId(), c.language);
    EXPECT_EQ(form_->Parts().FCoreDescs[3], c.coreDesc);
    EXPECT_EQ(form_->Parts().NextBtn->Caption(), next);
  }
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_EQ(localisation::LanguageFolder("/opt/qw/bin/", localisation::TProgram::Quirewright),
            "/opt/qw/bin/languages/quirewright/");
  EXPECT_EQ(localisation::LanguageFolder("/opt/qw/bin", localisation::TProgram::Glyphkiln),
            "/opt/qw/bin/languages/glyphkiln/");
}

}  // namespace
