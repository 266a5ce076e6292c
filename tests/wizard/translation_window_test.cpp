// The builder window's translation data: which properties get ids, and switching languages.
#include "builderwindow_support.h"

#include "assembly/utils.h"
#include "localisation/langcontroller.h"
#include "support/tempdir.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

using wizard::testing::BuilderWindowTest;

namespace {

// "Path=00000012,text": the path of a template line.
std::string PathOf(const std::string& line) { return line.substr(0, line.find('=')); }
std::string IdOf(const std::string& line) {
  const std::size_t eq = line.find('=');
  return line.substr(eq + 1, line.find(',', eq) - eq - 1);
}

bool EndsWithFontName(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
  return path.ends_with(".font.name") || path == "font.name";
}

class Translation : public BuilderWindowTest {};

}  // namespace

// The stored LangData is what a refresh of the description gives, and no font name has an id.
TEST_F(Translation, StoredLangDataIsCurrentAndHoldsNoFontNames) {
  testing_support::TempDir dir;
  const std::string source = testing_support::ReadFile(QW_SOURCE_DIR "/wizard/mainform_dfm.cpp");
  const std::string copy = dir.File("mainform_dfm.cpp"), lng = dir.File("template.lng");
  testing_support::WriteFile(copy, source);
  std::string output;
  ASSERT_EQ(testing_support::RunCommand("QT_QPA_PLATFORM=offscreen " QW_BIN_DIR "/langdata_ui " +
                                            testing_support::ShellQuote(copy) + " " +
                                            testing_support::ShellQuote(lng),
                                        &output),
            0)
      << output;
  EXPECT_TRUE(testing_support::ReadFile(copy) == source) << "the stored LangData is out of date: " << output;

  const std::vector<std::string> lines = assembly::SplitLines(testing_support::ReadFile(lng));
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0], "[Form1]");
  for (const std::string& line : lines) EXPECT_FALSE(EndsWithFontName(PathOf(line))) << line;
  // The page names stay out: the page manager finds its pages by them.
  for (const std::string& line : lines) {
    EXPECT_EQ(PathOf(line).find("PageName"), std::string::npos) << line;
    EXPECT_FALSE(PathOf(line).starts_with("Notebook1.") && PathOf(line).ends_with("Page.Caption")) << line;
  }

  // The running window's tree agrees.
  Create();
  for (const std::string& line : form_->Parts().lcMain->TemplateLines())
    EXPECT_FALSE(EndsWithFontName(PathOf(line))) << line;
}

// Every translatable property takes its translation and gets its own text back.
TEST_F(Translation, SwitchingToALanguageAndBackRestoresEveryText) {
  Create();
  const std::string fontName = form_->Font()->Name();
  const std::vector<std::string> before = form_->Parts().lcMain->TemplateLines();
  ASSERT_GT(before.size(), 100u);
  std::string lng = "LANGID=1049\r\n[Form1]\r\n";
  for (const std::string& line : before) lng += IdOf(line) + "=T" + IdOf(line) + "\r\n";
  WriteFile("bin/all.lng", lng);
  ASSERT_TRUE(localisation::LangManager().AddLanguageFile(Path("bin/all.lng")));

  const std::string caption = form_->Parts().rbFullVersion->Caption();
  localisation::LangManager().SwitchLanguage(1049);
  EXPECT_EQ(form_->Parts().rbFullVersion->Caption().substr(0, 1), "T");
  EXPECT_EQ(form_->Font()->Name(), fontName);
  localisation::LangManager().SwitchLanguage(1033);
  EXPECT_EQ(form_->Parts().rbFullVersion->Caption(), caption);
  EXPECT_EQ(form_->Parts().lcMain->TemplateLines(), before);
}
