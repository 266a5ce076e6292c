// The builder's window as a user sees it: help balloons, the web link, disabled controls,
// the title bar, the phone model list, the picture size boxes, a cancelled phone list and
// refused custom fonts.
#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "assembly/phones.h"
#include "assembly/zipfile.h"
#include "controls/hintballoon.h"
#include "localisation/langmanager.h"
#include "platform/system/exedir.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/radiobutton.h"
#include "support/fakeservices.h"
#include "support/tempdir.h"
#include "support/windowlook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

using namespace wizard;
using windowlook::DescribedText;
using windowlook::TitleBarText;
namespace fs = std::filesystem;

namespace {

class BuilderLook : public wizard::testing::BuilderWindowTest {
protected:
  // The fonts page of a lite midlet for one phone, as the user reaches it.
  void FontsPageFor(int row) {
    Create();
    form_->Parts().rbLiteVersion->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(row);
    form_->SetInterfaceLanguage(kEnglishWE);
    Enter(pgFonts);
  }
  std::string BuiltInFont(const char* entry) const {
    return assembly::ReadArchiveEntry(*form_->Parts().FResArchive, entry);
  }
};

std::vector<controls::TUrlLabel*> LinkLabels(platform::TComponent* root) {
  std::vector<controls::TUrlLabel*> labels;
  for (platform::TControl* c : windowlook::Controls(root))
    if (auto* l = dynamic_cast<controls::TUrlLabel*>(c)) labels.push_back(l);
  return labels;
}

}  // namespace

// Every link label: the question labels show the hint written for them in the description,
// one opens the web page, two open help topics.
TEST_F(BuilderLook, EveryLinkLabelShowsItsDescribedHint) {
  Create();
  form_->ShowForm();
  const std::vector<controls::TUrlLabel*> labels = LinkLabels(form_.get());
  ASSERT_EQ(labels.size(), 27u);
  int balloons = 0;
  for (controls::TUrlLabel* label : labels) {
    SCOPED_TRACE(label->Name());
    const std::string described = DescribedText(kForm1Description, label->Name(), "Hint");
    controls::THintBalloon* before = form_->Parts().HintBalloonControl1->LastBalloon();
    help_.clear();
    services_.urls.clear();
    label->Click();
    if (label->Name() == "UrlLabel2") {
      EXPECT_EQ(label->URLType(), controls::utHttp);
      EXPECT_EQ(services_.urls, (std::vector<std::string>{"http://tomefalcon.example.org"}));
      EXPECT_EQ(label->Hint(), "http://tomefalcon.example.org");  // the target, in its hint
      EXPECT_EQ(form_->Parts().HintBalloonControl1->LastBalloon(), before);
    } else if (label->Name() == "UrlLabel22" || label->Name() == "ulFinalNote") {
      EXPECT_EQ(label->URLType(), controls::utClickEvent);
      EXPECT_EQ(help_.size(), 1u);
      EXPECT_TRUE(services_.urls.empty());
    } else {
      EXPECT_EQ(label->URLType(), controls::utClickEvent);
      ASSERT_NE(described, "<absent>");
      EXPECT_GT(described.size(), 20u);
      controls::THintBalloon* b = form_->Parts().HintBalloonControl1->LastBalloon();
      ASSERT_NE(b, nullptr);
      ASSERT_NE(b, before);
      EXPECT_EQ(b->Title(), label->Caption());
      EXPECT_EQ(b->Text(), described);
      EXPECT_EQ(b->IconName(), "INFO");
      EXPECT_TRUE(services_.urls.empty());
      ++balloons;
    }
  }
  EXPECT_EQ(balloons, 24);
}

// The hints of the question labels are translated with the window: the stored translation
// data gives them ids, and the language-file template lists them with their texts.
TEST_F(BuilderLook, LinkLabelHintsAreInTheTranslationTemplate) {
  Create();
  std::map<std::string, int32_t> stored;  // label -> id of its hint in the stored data
  std::function<void(const localisation::TLang_CompEntry&)> walk = [&](const localisation::TLang_CompEntry& e) {
    int index = 0;
    if (e.Props && e.Props->Find("Hint", index)) stored[e.Name()] = (*e.Props)[index].Id;
    if (e.Children)
      for (int i = 0; i < e.Children->Count(); ++i) walk((*e.Children)[i]);
  };
  walk(form_->Parts().lcMain->Root());
  const std::vector<std::string> lines = form_->Parts().lcMain->TemplateLines();
  int hinted = 0;
  for (controls::TUrlLabel* label : LinkLabels(form_.get())) {
    const std::string described = DescribedText(kForm1Description, label->Name(), "Hint");
    if (described == "<absent>" || described.empty()) continue;
    SCOPED_TRACE(label->Name());
    ++hinted;
    ASSERT_EQ(stored.count(label->Name()), 1u);
    char id[16];
    std::snprintf(id, sizeof id, "%08d", stored[label->Name()]);
    const std::string line = label->Name() + ".Hint=" + id + "," + described;
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
  EXPECT_EQ(hinted, 24);
}

// A translation of a hint reaches the balloon.
TEST_F(BuilderLook, TranslatedHintInTheBalloon) {
  Create();
  int32_t id = 0;
  for (const std::string& line : form_->Parts().lcMain->TemplateLines())
    if (line.starts_with("UrlLabel1.Hint=")) id = std::stoi(line.substr(15, 8));
  ASSERT_GT(id, 0);
  char key[16];
  std::snprintf(key, sizeof key, "%08d", id);
  std::ofstream(WriteLanguageFile("ru.lng", ""), std::ios::binary) << "LANGID=1049\r\n[Form1]\r\n"
                                                                   << key << "=Hint in Russian\r\n";
  localisation::LangManager().RegisterLanguageFolder(LanguagePath(""), "*.lng", false);
  localisation::LangManager().SwitchLanguage(1049);
  form_->Parts().UrlLabels[1]->Click();
  ASSERT_NE(form_->Parts().HintBalloonControl1->LastBalloon(), nullptr);
  EXPECT_EQ(form_->Parts().HintBalloonControl1->LastBalloon()->Text(), "Hint in Russian");
}

// Disabled controls use the style's disabled colours: the text colour of a control is its
// font's only while the control is enabled.
TEST_F(BuilderLook, DisabledControlsLookDisabled) {
  Create();
  form_->ShowForm();
  // Pages whose controls start disabled: the fonts page (slots 1 and 3), the pictures page
  // without pictures.
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  Enter(pgFonts);
  EXPECT_FALSE(form_->Parts().FontBoxes[1]->Enabled());
  Enter(pgImages);
  form_->Parts().rbDontIncludeImages->SetChecked(true);
  EXPECT_FALSE(form_->Parts().spMaxImageWidth->Enabled());
  EXPECT_FALSE(form_->Parts().cbScaleDown->Enabled());
  int checked = 0;
  for (const std::string& f : windowlook::DisabledLookFaults(form_.get(), &checked)) ADD_FAILURE() << f;
  EXPECT_GT(checked, 200);

  // Drawn: the disabled box's text is lighter than the same box's text when enabled.
  QWidget* box = form_->Parts().cbScaleDown->Widget();
  const int disabled = windowlook::DarkestGrey(box);
  form_->Parts().cbScaleDown->SetEnabled(true);
  EXPECT_GT(disabled, windowlook::DarkestGrey(box) + 60);
}

// The title bar shows the caption alone; a language switch keeps the version in it.
TEST_F(BuilderLook, TitleBarShowsTheCaptionWithItsVersion) {
  platform::Application().SetTitle("Tomefalcon Builder Wizard");
  Create();
  std::string captionId;  // the id of the window's caption in the language files
  for (const std::string& line : form_->Parts().lcMain->TemplateLines())
    if (line.starts_with("Caption=")) captionId = line.substr(8, 8);
  ASSERT_EQ(captionId.size(), 8u);
  std::ofstream(WriteLanguageFile("sk.lng", ""), std::ios::binary) << "LANGID=1051\r\n[Form1]\r\n"
                                                                   << captionId << "=Sprievodca\r\n";
  localisation::LangManager().RegisterLanguageFolder(LanguagePath(""), "*.lng", false);
  form_->ShowForm();
  EXPECT_EQ(form_->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_EQ(TitleBarText(form_->Widget()).toStdString(), "Tomefalcon Builder Wizard v.2.5.2");

  form_->Parts().RadioButton2->SetChecked(true);  // Slovak, switched on the welcome page
  form_->Parts().NextBtn->Click();
  ASSERT_EQ(localisation::LangManager().CurrentLanguageId(), 1051);
  EXPECT_EQ(form_->Caption(), "Sprievodca v.2.5.2");
  EXPECT_EQ(TitleBarText(form_->Widget()).toStdString(), "Sprievodca v.2.5.2");

  localisation::LangManager().SwitchLanguage(localisation::LangManager().BuiltInLanguageId());
  EXPECT_EQ(form_->Caption(), "Tomefalcon Builder Wizard v.2.5.2");
  EXPECT_EQ(TitleBarText(form_->Widget()).toStdString(), "Tomefalcon Builder Wizard v.2.5.2");
}

// The phone model list drops down with the description's row count and scrolls the rest.
TEST_F(BuilderLook, PhoneModelListDropsDownWithItsRowCount) {
  Create();
  form_->ShowForm();
  Enter(pgPhoneModel);
  ASSERT_EQ(form_->Parts().cbPhoneModel->DropDownCount(), 24);
  auto* combo = static_cast<QComboBox*>(form_->Parts().cbPhoneModel->Widget());
  ASSERT_EQ(combo->count(), 507);
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const int row = view->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  const int shown = view->viewport()->height() / row;
  EXPECT_GE(shown, 23);
  EXPECT_LE(shown, 24);
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  combo->hidePopup();

  // A list without its own count shows 8 rows.
  auto* keys = static_cast<QComboBox*>(form_->Parts().FontBoxes[1]->Widget());
  EXPECT_EQ(keys->maxVisibleItems(), form_->Parts().FontBoxes[1]->DropDownCount());
}

// The dropped-down phone model list is as wide as its longest name: every name fits beside
// the scroll bar.
TEST_F(BuilderLook, PhoneModelListIsAsWideAsItsLongestName) {
  Create();
  form_->ShowForm();
  Enter(pgPhoneModel);
  auto* combo = static_cast<QComboBox*>(form_->Parts().cbPhoneModel->Widget());
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QFontMetrics metrics(view->font());
  int longest = 0;
  QString name;
  for (int i = 0; i < combo->count(); ++i) {
    const int w = metrics.horizontalAdvance(combo->itemText(i));
    if (w > longest) std::tie(longest, name) = std::make_tuple(w, combo->itemText(i));
  }
  SCOPED_TRACE(name.toStdString());
  EXPECT_GT(longest, combo->width());  // the box itself is narrower than that name
  EXPECT_GE(view->viewport()->width(), longest);
  combo->hidePopup();
}

// The largest picture sizes take any number, typed or from a phone list.
TEST_F(BuilderLook, PictureSizeBoxesKeepLargeValues) {
  Create();
  form_->ShowForm();
  form_->Parts().rbLiteVersion->SetChecked(true);
  Enter(pgImages);
  ASSERT_TRUE(form_->Parts().spMaxImageWidth->Enabled());
  auto* edit = static_cast<QLineEdit*>(form_->Parts().spMaxImageWidth->Widget());
  edit->setFocus();
  edit->selectAll();
  for (char ch : std::string("1500")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (ch - '0'), Qt::NoModifier, QString(QChar(ch)));
    QCoreApplication::sendEvent(edit, &press);
  }
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(edit, &out);
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Value(), 1500);
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Text(), "1500");
  form_->Parts().spMaxImageHeight->SetValue(4000);
  assembly::TMIDLETCONFIG config;
  form_->CollectMidletConfig(config);
  assembly::BuildInputs inputs;
  form_->CollectBuildInputs(inputs);
  EXPECT_EQ(inputs.ImageParams.MaxWidth, 1500);
  EXPECT_EQ(inputs.ImageParams.MaxHeight, 4000);

  // A phone list entry wider than 1024 keeps its width.
  form_->Parts().lbTextFiles->Items()->Add(WriteFile("books/b.txt", "Once upon a time.\r\n"));
  form_->SettingsStore().SetPhonesListFile(
      WriteFile("phones.txt", "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"2000\" \"1200\"\r\n"));
  fs::create_directories(dir_ / "pl");
  form_->BuildFromPhonesList(Path("pl/"));
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Value(), 2000);
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 1200);
}

// Typed largest picture sizes below 1 are taken as 1: an HTML book with a flat picture builds
// (no division by a height of 0) and the picture comes out 1 x 1.
TEST_F(BuilderLook, PictureSizeBoxesTakeNothingBelowOne) {
  Create();
  form_->ShowForm();
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  Enter(pgImages);
  auto type = [](controls::TMySpinEdit* box, const std::string& text) {
    auto* edit = static_cast<QLineEdit*>(box->Widget());
    edit->setFocus();
    edit->selectAll();
    for (char ch : text) {
      const int key = ch == '-' ? Qt::Key_Minus : Qt::Key_0 + (ch - '0');
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(ch)));
      QCoreApplication::sendEvent(edit, &press);
    }
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit, &out);
  };
  type(form_->Parts().spMaxImageWidth, "-5");
  type(form_->Parts().spMaxImageHeight, "0");
  EXPECT_EQ(form_->Parts().spMaxImageWidth->Value(), 1);
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 1);
  form_->Parts().spMaxImageHeight->Button()->DownButton()->Click();  // the arrow stops at 1
  EXPECT_EQ(form_->Parts().spMaxImageHeight->Value(), 1);

  // 300 x 40 with a few colours, kept although mostly one colour.
  QImage flat(300, 40, QImage::Format_RGB32);
  flat.fill(QColor(200, 30, 30));
  for (int x = 0; x < 300; x += 3) flat.setPixelColor(x, 5, QColor(0, 0, 255));
  fs::create_directories(dir_ / "books");
  ASSERT_TRUE(flat.save(QString::fromStdString(Path("books/flat.png")), "PNG"));
  form_->Parts().lbTextFiles->Items()->Add(
      WriteFile("books/Flat.htm", "<html><body><p>Once upon a time.</p><img src=\"flat.png\"></body></html>"));
  form_->Parts().rbShowAdvancedOptions->SetChecked(true);
  form_->Parts().rbHideAdvancedOptions->SetChecked(false);
  form_->Parts().cbIgnoreEmptyImages->SetChecked(false);
  form_->FontsPage().Load(false);
  assembly::BuildInputs inputs;
  form_->CollectBuildInputs(inputs);
  EXPECT_EQ(inputs.ImageParams.MaxWidth, 1);
  EXPECT_EQ(inputs.ImageParams.MaxHeight, 1);
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/Flat.jad")});
  ASSERT_TRUE(form_->StartBuild());
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
  assembly::TZipFile jar;
  jar.LoadFromFile(Path("out/Flat.jar"));
  const int entry = assembly::LookupArchiveEntry(jar, "res/1.png");
  ASSERT_GE(entry, 0);
  const std::string png = jar.ReadEntryData(entry);
  QImage picture;
  ASSERT_TRUE(picture.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
  EXPECT_EQ(picture.width(), 1);
  EXPECT_EQ(picture.height(), 1);
}

// Lite edition, the list row chosen and the file dialog cancelled: row 0 with everything that
// follows from it, the JAR limit first.
TEST_F(BuilderLook, CancelledPhoneListDialogShowsRowZero) {
  for (bool tiny : {false, true}) {
    SCOPED_TRACE(tiny ? "tiny" : "lite");
    Create();
    form_->ShowForm();
    (tiny ? form_->Parts().rbTinyVersion : form_->Parts().rbLiteVersion)->SetChecked(true);
    form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
    Enter(pgPhoneModel);
    services_.ScriptDialogCancel();
    form_->Parts().cbPhoneModel->UserSelect(assembly::kCustomPhoneListRow);
    ASSERT_TRUE(services_.AllAnswersUsed());
    EXPECT_EQ(form_->Parts().cbPhoneModel->ItemIndex(), 0);
    const int limit = assembly::PhoneTable[0].JarLimitKB;
    EXPECT_EQ(form_->Parts().spJARLimit->Value(), limit != 0 ? limit : 64);
    EXPECT_TRUE(form_->Parts().spJARLimit->Enabled());
    EXPECT_EQ(form_->Parts().lbCoreDesc->Caption(), form_->Parts().FCoreDescs[assembly::PhoneTable[0].Core]);
    assembly::TMIDLETCONFIG config;
    form_->CollectMidletConfig(config);
    EXPECT_EQ(config.JarLimit, (limit != 0 ? limit : 64) * 1024);
    EXPECT_TRUE(form_->SettingsStore().PhonesListFile().empty());
    EXPECT_TRUE(services_.messages.empty());
    form_.reset();
  }
}

// A chosen custom font file that is no font is refused with one message; the slot keeps
// what it showed and the builder goes on.
TEST_F(BuilderLook, UnusableCustomFontIsRefused) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  FontsPageFor(kNokia6230);
  std::string damaged = BuiltInFont("fonts\\EnglishWE\\8x5we_Aqua.fnt");
  damaged.resize(damaged.size() - 100);  // into the negative sheet
  std::string badType = BuiltInFont("fonts\\EnglishWE\\8x5we_Aqua.fnt");
  badType[7] = 9;
  const Case cases[] = {
      {"text", "Not a font at all, just words.\r\n"},
      {"empty", ""},
      {"cut short", damaged},
      {"unknown kind", badType},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    services_.messages.clear();
    const std::string before = form_->Parts().FontBoxes[2]->Text();
    const int index = form_->Parts().FontBoxes[2]->ItemIndex();
    ASSERT_GT(index, 1);
    const std::string path = WriteFile(std::string("fonts/") + c.what + ".fnt", c.bytes);
    services_.ScriptDialog({path});
    form_->Parts().FontBoxes[2]->UserSelect(1);
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, platform::TMsgIcon::Error);
    EXPECT_NE(services_.messages[0].text.find(path), std::string::npos) << services_.messages[0].text;
    EXPECT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), index);
    EXPECT_EQ(form_->Parts().FontBoxes[2]->Text(), before);
    EXPECT_EQ(form_->Parts().FontBoxes[2]->Items()->Strings(1), "Custom...");
    EXPECT_TRUE(form_->FontsPage().CustomFontFile(2).empty());
    EXPECT_FALSE(platform::Application().Terminated());
  }
  // A sound one afterwards is taken.
  const std::string good = WriteFile("fonts/good.fnt", BuiltInFont("fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.messages.clear();
  services_.ScriptDialog({good});
  form_->Parts().FontBoxes[2]->UserSelect(1);
  EXPECT_TRUE(services_.messages.empty());
  EXPECT_EQ(form_->FontsPage().CustomFontFile(2), good);
}

// A custom font that vanished after it was chosen ends the builder with one fatal message.
TEST_F(BuilderLook, VanishedCustomFontIsFatalOnce) {
  FontsPageFor(kNokia6230);
  const std::string path = WriteFile("gone.fnt", BuiltInFont("fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.ScriptDialog({path});
  form_->Parts().FontBoxes[5]->UserSelect(1);
  ASSERT_TRUE(services_.messages.empty());
  fs::remove(path);
  // The user changes another slot: the page reads every slot's font again.
  const int other = form_->Parts().FontBoxes[2]->ItemIndex() == 2 ? 3 : 2;
  form_->Parts().FontBoxes[2]->UserSelect(other);
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_EQ(services_.messages[0].text,
            "Unable to open file. File does not exist or is locked by other application: \"" + path + "\"");
  EXPECT_EQ(services_.messages[0].caption, "Fatal error");
  EXPECT_TRUE(platform::Application().Terminated());
}

// The first page's proxy names a page; the proxy of "DummyPage1" names none and is empty.
TEST_F(BuilderLook, ProxyOfNoPageHasNoName) {
  Create();
  const auto& proxies = form_->Parts().PageManager1->PageProxies();
  ASSERT_EQ(proxies.size(), 9u);
  EXPECT_EQ(proxies[0]->PageName(), "WizardLanguagePage");
  EXPECT_EQ(proxies[7]->PageName(), "");
  EXPECT_EQ(proxies[8]->PageName(), "FinishPage");
}

// Every page, in each edition and with the advanced options shown or not, every tab of the
// advanced options: nothing sticks out, lies on a group's caption or frame, overlaps another
// control or is cut off.
TEST_F(BuilderLook, PagesLayOutWithoutOverlaps) {
  Create();
  form_->ShowForm();
  std::vector<std::string> faults = PageLayoutFaults("A note on the phone's file system.", "How to copy the files");
  // The group of the book midlet stands under the show/hide choice; the tabs follow it, or
  // take its place in the full edition.
  form_->Parts().rbFullVersion->SetChecked(true);
  form_->ShowPage(pgAdvancedOptions);
  form_->UpdateControls();
  EXPECT_EQ(form_->Parts().tcAdvancedOptions->Top(), form_->Parts().gbBookMidletOptions->Top());
  EXPECT_LT(form_->Parts().tcAdvancedOptions->Top() -
                (form_->Parts().rbShowAdvancedOptions->Top() + form_->Parts().rbShowAdvancedOptions->Height()),
            10);
  for (const std::string& f : faults) ADD_FAILURE() << f;
}

// The page shot tool renders the pages a person asks for, in the edition asked for.
TEST_F(BuilderLook, ShotToolRendersThePages) {
  const std::string out = Path("shots");
  std::string log;
  ASSERT_EQ(testing_support::RunCommand("QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 " +
                                            testing_support::ShellQuote(std::string(QW_BIN_DIR) + "/wizard_shot_ui") +
                                            " --lite --advanced " + testing_support::ShellQuote(out) + " 11 12",
                                        &log),
            0)
      << log;
  for (const char* page : {"page11.png", "page12.png"}) {
    const QImage shot(QString::fromStdString(out + "/" + page));
    EXPECT_EQ(shot.size(), QSize(494, 358)) << page;
  }
  EXPECT_FALSE(fs::exists(out + "/page0.png"));
}

// Resting the mouse on a control with a hint shows that hint in a balloon after the hint
// pause, as every hint of the builder is a balloon: "Move up" on the book page, a disabled
// font slot and a custom font slot (its path). A control without a hint shows none.
TEST_F(BuilderLook, ControlHintsShowAsBalloons) {
  FontsPageFor(kNokia6230);
  form_->ShowForm();
  const std::string path = WriteFile("мои шрифты/dv12ct.fnt", BuiltInFont("fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.ScriptDialog({path});
  form_->Parts().FontBoxes[2]->UserSelect(1);
  struct Case {
    int page;
    platform::TControl* control;
    const char* expected;  // nullptr: no balloon
  };
  const Case cases[] = {
      {pgFonts, form_->Parts().FontBoxes[1], "This slot can not be changed"},
      {pgFonts, form_->Parts().FontBoxes[2], nullptr},  // its path, below
      {pgEmbed, form_->Parts().SpeedButton1, "Move up"},
      {pgEmbed, form_->Parts().BitBtn4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->Name());
    form_->ShowPage(c.page);
    controls::THintBalloon* before = form_->Parts().HintBalloonControl1->LastBalloon();
    const std::string expected = c.expected == nullptr ? path : c.expected;
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(c.control->Widget(), &enter);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < platform::Application().HintPause() + 400)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    controls::THintBalloon* b = form_->Parts().HintBalloonControl1->LastBalloon();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c.control->Widget(), &leave);
    if (expected.empty()) {
      EXPECT_EQ(b, before);
      continue;
    }
    ASSERT_NE(b, nullptr);
    ASSERT_NE(b, before);
    EXPECT_EQ(b->Text(), expected);
    EXPECT_EQ(b->ShownText(), QString::fromUtf8(expected));  // a Cyrillic path too
    EXPECT_EQ(b->Title(), "");
    EXPECT_EQ(b->IconName(), "");
  }
}
