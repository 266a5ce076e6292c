// The user's text between the builder window and the engine: typed in the process code page
// whatever the interface language, refused where the code page cannot hold it, and paths shown
// as the file system writes them.
#include "builderwindow_support.h"

#include "assembly/archivecopy.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "platform/system/codepage.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/control.h"
#include "platform/ui/edit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <filesystem>

using namespace wizard;
using wizard::testing::BuilderWindowTest;
namespace fs = std::filesystem;

namespace {

// Letters "A".."P" of each UTF-16 code unit, high nibble first.
std::string LetterHex(std::u16string_view units) {
  std::string out;
  for (char16_t u : units)
    for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char>('A' + ((u >> shift) & 0xF));
  return out;
}

QString Q(std::u16string_view units) {
  return QString(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size()));
}

struct TypedCase;

class UserText : public BuilderWindowTest {
protected:
  void TearDown() override {
    BuilderWindowTest::TearDown();
    platform::SetAnsiCodePage(savedCodePage_);
  }
  // The window with English interface texts over process code page `cp`.
  void CreateWithCodePage(int cp) {
    platform::SetAnsiCodePage(cp);
    Create();
    // The interface language is process-wide: an earlier window may have left another one.
    platform::SetInterfaceLanguage(localisation::LangManager().CurrentLanguageId());
    ASSERT_EQ(platform::InterfaceCodePage(), 1252);
  }
  // Types `units` as key presses into a control's widget (a line edit or a memo).
  static void Type(platform::TControl* control, std::u16string_view units) {
    QWidget* w = control->Widget();
    w->setFocus();
    for (char16_t u : units) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(u)));
      QCoreApplication::sendEvent(w, &press);
    }
  }
  static void Retype(platform::TEdit* edit, std::u16string_view units) {
    edit->LineEdit()->selectAll();
    Type(edit, units);
  }
  static std::string LineOf(const std::string& text, const std::string& key) {
    for (const std::string& line : assembly::SplitLines(text))
      if (line.starts_with(key)) return line;
    return "(no " + key + ")";
  }

  void TypeIntoEveryBox(const TypedCase& c);
  void ExpectTheBuildHolds(const TypedCase& c);

  const int savedCodePage_ = platform::AnsiCodePage();
};

}  // namespace

namespace {

// Letters typed in a code page, their bytes there and a letter it lacks.
struct TypedCase {
  int cp;
  std::u16string typed;    // the letters as UTF-16 code units
  std::string bytes;       // the same in the code page
  std::u16string foreign;  // a letter the code page lacks
};
const TypedCase kTypedCases[] = {
    {1251, u"\u041A\u043D\u0438\u0433\u0430", "\xCA\xED\xE8\xE3\xE0", u"\u0141"},  // Книга; Ł
    {1250, u"\u0141\u00F3d\u017A", "\xA3\xF3\x64\x9F", u"\u0416"},                 // Łódź; Ж
    {1252, u"Caf\u00E9", "Caf\xE9", u"\u0416"},                                    // Café; Ж
};

}  // namespace

// A book ready to build, with the case's letters typed into every text box of the midlet.
void UserText::TypeIntoEveryBox(const TypedCase& c) {
  auto& p = form_->Parts();
  p.rbLiteVersion->SetChecked(true);
  p.cbPhoneModel->SetItemIndex(kNokia6230);
  p.spJARLimit->SetValue(128);
  p.cbKeysConfig->SetItemIndex(8);
  p.lbTextFiles->Items()->Add(WriteFile("books/Book.txt", "Once upon a time there was a phone.\r\n"));
  form_->FontsPage().Load(false);
  Retype(p.edBookTitle, c.typed);
  Retype(p.edTitleLine1, c.typed);
  Retype(p.edTitleLine2, u"2 " + c.typed);
  Retype(p.edVendor, c.typed);
  p.mmIntroText->SetTextValue("");
  Type(p.mmIntroText, c.typed);
}

// Builds out/Book: the titles reach res/config.txt and the vendor the descriptor and manifest.
void UserText::ExpectTheBuildHolds(const TypedCase& c) {
  fs::create_directories(dir_ / "out");
  services_.ScriptDialog({Path("out/Book.jad")});
  ASSERT_TRUE(form_->StartBuild());
  for (const auto& m : services_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
  assembly::TZipFile jar;
  jar.LoadFromFile(Path("out/Book.jar"));
  const int configEntry = assembly::LookupArchiveEntry(jar, "res/config.txt");
  ASSERT_GE(configEntry, 0);
  const std::string config = jar.ReadEntryData(configEntry);
  EXPECT_EQ(LineOf(config, "Title1: "), "Title1: " + LetterHex(c.typed));
  EXPECT_EQ(LineOf(config, "Title2: "), "Title2: " + LetterHex(u"2 " + c.typed));
  EXPECT_EQ(LineOf(config, "BookTitle: "), "BookTitle: " + LetterHex(c.typed));
  const std::string vendor = "MIDlet-Vendor: " + c.bytes;
  EXPECT_EQ(LineOf(testing_support::ReadFile(Path("out/Book.jad")), "MIDlet-Vendor:"), vendor);
  const int manifest = assembly::LookupArchiveEntry(jar, "META-INF/MANIFEST.MF");
  ASSERT_GE(manifest, 0);
  EXPECT_EQ(LineOf(jar.ReadEntryData(manifest), "MIDlet-Vendor:"), vendor);
}

TEST_F(UserText, TypedLettersReachTheMidletInTheProcessCodePage) {
  for (const TypedCase& c : kTypedCases) {
    SCOPED_TRACE(c.cp);
    services_.messages.clear();
    CreateWithCodePage(c.cp);
    auto& p = form_->Parts();
    TypeIntoEveryBox(c);
    EXPECT_EQ(p.edBookTitle->Text(), c.bytes);
    EXPECT_EQ(p.edBookTitle->LineEdit()->text(), Q(c.typed));

    // A letter the code page cannot hold is refused with a beep, in an edit and in a memo.
    const int beeps = services_.beeps;
    Type(p.edVendor, c.foreign);
    Type(p.mmIntroText, c.foreign);
    EXPECT_EQ(services_.beeps, beeps + 2);
    EXPECT_EQ(p.edVendor->Text(), c.bytes);
    EXPECT_EQ(p.edVendor->LineEdit()->text(), Q(c.typed));
    EXPECT_EQ(static_cast<QPlainTextEdit*>(p.mmIntroText->Widget())->toPlainText(), Q(c.typed));

    assembly::BuildInputs inputs;
    form_->CollectBuildInputs(inputs);
    EXPECT_EQ(inputs.IntroText, c.bytes + "\r\n\r\n");

    ASSERT_NO_FATAL_FAILURE(ExpectTheBuildHolds(c));
    form_.reset();
    fs::remove_all(dir_ / "out");
  }
}

TEST_F(UserText, PastedTextKeepsOnlyWhatTheCodePageHolds) {
  CreateWithCodePage(1251);
  auto& p = form_->Parts();
  // A paste arrives as one edit: the letters that cannot be stored are taken out, with a beep.
  QLineEdit* edit = p.edIgnoreImagesWithNames->LineEdit();
  edit->setText(QString());
  edit->insert(Q(u"\u0440\u0435\u043A\u043B\u0430\u043C\u0430;\u0141\u00F3d\u017A"));  // реклама;Łódź
  EXPECT_EQ(p.edIgnoreImagesWithNames->Text(), "\xF0\xE5\xEA\xEB\xE0\xEC\xE0;d");
  EXPECT_EQ(edit->text(), Q(u"\u0440\u0435\u043A\u043B\u0430\u043C\u0430;d"));
  EXPECT_EQ(services_.beeps, 1);
}

TEST_F(UserText, NamesFromCyrillicFilesAreShownAsWritten) {
  const std::string folder =
      "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8 \xD0\xB8 "
      "\xD1\x80\xD0\xB0\xD1\x81\xD1\x81\xD0\xBA\xD0\xB0\xD0\xB7\xD1\x8B";  // Книги и рассказы
  const std::string name = "\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt";
  const std::u16string title = u"\u0412\u043E\u0439\u043D\u0430 \u0438 \u043C\u0438\u0440";  // Война и мир
  struct Case {
    int cp;
    std::u16string shownTitle;
  };
  const Case cases[] = {{1251, title}, {1252, u"MyBook"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp);
    CreateWithCodePage(c.cp);
    const std::string book = BookFile(folder + "/" + name);
    services_.ScriptDialog({book});
    form_->Parts().BitBtn4->Click();
    EXPECT_EQ(form_->Parts().edBookTitle->LineEdit()->text(), Q(c.shownTitle));
    EXPECT_FALSE(form_->Parts().edBookTitle->Text().find('?') != std::string::npos);
    QListWidget* list = form_->Parts().lbTextFiles->List();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(),
              QString::fromStdU16String(dir_.u16string()) + Q(u"/\u041A\u043D\u0438\u0433\u0438 \u0438 "
                                                              u"\u0440\u0430\u0441\u0441\u043A\u0430\u0437\u044B/" +
                                                              title + u".txt"));
    EXPECT_EQ(form_->BookFiles(), std::vector<std::string>{book});
    form_.reset();
  }
}

TEST_F(UserText, PathsInShownTextsReadAsTheFileSystemWritesThem) {
  CreateWithCodePage(1251);  // a Russian desktop, English interface texts
  form_->ShowForm();
  auto& p = form_->Parts();
  // Finish's warning names the folder as written, whatever the interface's code page holds.
  const std::string folder = "/out/\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4 Caf\xC3\xA9";  // Выход Café
  form_->ShowPage(pgFinish);
  p.SaveDialog->SetFileName(folder + "/Reader.jad");
  p.cbDirectory->SetChecked(true);
  services_.foldersOpen = false;
  p.CancelBtn->Click();
  ASSERT_EQ(services_.messages.size(), 1u);
  EXPECT_TRUE(services_.messages[0].utf8);
  EXPECT_EQ(QString::fromUtf8(services_.messages[0].text),
            Q(u"Unable to open the folder \"/out/\u0412\u044B\u0445\u043E\u0434 Caf\u00E9\"."));
  EXPECT_EQ(services_.folders, std::vector<std::string>{folder});
  form_.reset();

  // A custom font slot shows its path as written.
  CreateWithCodePage(1251);
  form_->Parts().rbLiteVersion->SetChecked(true);
  form_->Parts().cbPhoneModel->SetItemIndex(kNokia6230);
  form_->FontsPage().Load(false);
  const std::string font =
      WriteFile("Caf\xC3\xA9/Big.fnt",
                assembly::ReadArchiveEntry(*form_->Parts().FResArchive, "fonts\\EnglishWE\\8x5we_Aqua.fnt"));
  services_.ScriptDialog({font});
  form_->Parts().FontBoxes[2]->UserSelect(1);
  ASSERT_EQ(form_->Parts().FontBoxes[2]->ItemIndex(), 1);
  EXPECT_EQ(form_->Parts().FontBoxes[2]->Combo()->itemText(1),
            "Custom... (" + QString::fromStdU16String(fs::path(font).u16string()) + ")");
  EXPECT_EQ(form_->FontsPage().CustomFontFile(2), font);
}
