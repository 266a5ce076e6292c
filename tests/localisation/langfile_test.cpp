#include "localisation/langfile.h"

#include <gtest/gtest.h>

#include "platform/system/codepage.h"

namespace localisation {
namespace {

const std::string kData = QW_TEST_DATA;

std::string ParseError(std::string_view text) {
  TLang_CompTranslations tr;
  try {
    ParseLanguageText(tr, text, false);
  } catch (const ELangError& e) {
    return e.what();
  }
  return "no error";
}

std::string Constant(const TLang_CompTranslations& tr, std::string_view name) {
  int index = tr.Constants().IndexOf(name);
  return index < 0 ? "<absent>" : tr.Constants()[index].Text;
}

TEST(LanguageFile, CyrillicFileKeepsItsBytes) {
  TLang_CompTranslations tr;
  tr.LoadFromFile(kData + "/russian.lng", false);
  EXPECT_EQ(tr.Param("langid"), "1049");
  EXPECT_EQ(platform::ToUtf8(tr.Param("LANGNAME"), 1251), "Русский");
  EXPECT_EQ(platform::ToUtf8(Constant(tr, "TooManyMidletsMsg"), 1251),
            "Слишком много мидлетов.\r\nРазделите книгу на части.");
  EXPECT_EQ(Constant(tr, "TooManyMidletsTitle"), platform::FromUtf8("Ошибка", 1251));
  ASSERT_EQ(tr.Sections().size(), 1u);
  const TLang_CompTranslation* form = tr.FindSection("FORM1");
  ASSERT_NE(form, nullptr);
  ASSERT_NE(form->TextOf(62), nullptr);
  EXPECT_EQ(*form->TextOf(62), platform::FromUtf8("Далее >", 1251));
  EXPECT_EQ(form->IndexOf(1), 0);
  EXPECT_EQ(form->IndexOf(2), -1);
}

TEST(LanguageFile, HeaderOnlyStopsAtTheFirstSection) {
  TLang_CompTranslations tr;
  ParseLanguageText(tr, "LANGID=1049\r\n[Form1]\r\nLANGID=1058\r\n1=x\r\n", true);
  EXPECT_EQ(tr.Param("LANGID"), "1049");
  EXPECT_TRUE(tr.Sections().empty());
  ParseLanguageText(tr, "Name=x\r\n[\r\nLANGID=1058\r\n", true);  // any "[" line stops it
  EXPECT_EQ(tr.Param("LANGID"), "");
  EXPECT_EQ(tr.Param("name"), "x");
}

TEST(LanguageFile, ErrorOnAKnownLineKeepsWhatCameBefore) {
  TLang_CompTranslations tr;
  try {
    tr.LoadFromFile(kData + "/errors.lng", false);
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Loading translations failed.\r\nLine 7: Invalid constant name (\"7bad\")");
  }
  // The unclosed bracket changed nothing: line 5 still went to Form1.
  ASSERT_EQ(tr.Sections().size(), 1u);
  EXPECT_EQ(*tr.Sections()[0].TextOf(2), "Two");
  EXPECT_EQ(Constant(tr, "Chapter"), "<absent>");
}

TEST(LanguageFile, EveryEscapeOfTheFixture) {
  TLang_CompTranslations tr;
  tr.LoadFromFile(kData + "/escapes.lng", false);
  EXPECT_EQ(Constant(tr, "Backslash"), "a\\b");
  EXPECT_EQ(Constant(tr, "Break"), "one\r\ntwo");
  EXPECT_EQ(Constant(tr, "Tab"), "a\tb");
  EXPECT_EQ(Constant(tr, "Digits"), "\t|c|c9");
  EXPECT_EQ(Constant(tr, "Blanks"), " inner ");
  EXPECT_EQ(Constant(tr, "SingleDigit"), "a\\5b\\5");
  EXPECT_EQ(Constant(tr, "Unknown"), "\\q\\N\\T");
  EXPECT_EQ(Constant(tr, "Final"), "end\\");
  EXPECT_EQ(Constant(tr, "Split"), "x = y");
}

TEST(LanguageFile, LinesAndSections) {
  TLang_CompTranslations tr;
  ParseLanguageText(tr,
                    "   ; a comment\n"
                    "LANGID=1\rLANGID=2\r\n"  // a repeated name replaces, CR alone ends a line
                    "Gone=x\nGone=\n"         // an empty value removes
                    "no equals sign\n"
                    " = no name\n"
                    "[  $constants  ]\n"
                    "First=1\n"
                    "[]\n"
                    "Second=2\n"
                    "[Form1]\n"
                    "00000062=sixty-two\n"
                    "0=zero\n-5=minus\nword=w\n$10=sixteen\n0x11=seventeen\n"
                    "[Other]\n"
                    "1=other\n"
                    "[Form1\n"
                    "4=four\n"
                    "[FORM1]\n"
                    "3=three\n",
                    false);
  EXPECT_EQ(tr.Param("LANGID"), "2");
  EXPECT_EQ(tr.Params().size(), 1u);
  EXPECT_EQ(Constant(tr, "First"), "1");
  EXPECT_EQ(Constant(tr, "Second"), "2");
  ASSERT_EQ(tr.Sections().size(), 2u);
  const TLang_CompTranslation& form = tr.Sections()[0];
  EXPECT_EQ(form.Name(), "Form1");
  std::vector<int32_t> ids;
  for (int i = 0; i < form.Count(); ++i) ids.push_back(form[i].Id);
  EXPECT_EQ(ids, (std::vector<int32_t>{3, 16, 17, 62}));
  EXPECT_EQ(*form.TextOf(62), "sixty-two");
  EXPECT_EQ(tr.Sections()[1].Count(), 2);  // "[Form1" without "]" left Other current
  EXPECT_EQ(*tr.Sections()[1].TextOf(4), "four");
}

TEST(LanguageFile, ZeroByteEndsTheText) {
  TLang_CompTranslations tr;
  ParseLanguageText(tr, std::string_view("[$CONSTANTS]\nA=1\n\0B=2\n", 22), false);
  EXPECT_EQ(Constant(tr, "A"), "1");
  EXPECT_EQ(Constant(tr, "B"), "<absent>");
}

TEST(LanguageFile, FailuresNameTheLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"[$CONSTANTS]\nA=1\na=2\n", "Loading translations failed.\r\nLine 2: Duplicate constant name (\"a\")"},
      {"x=1\n[Form1]\n5=a\n[Other]\n[form1]\n00005=b\n",
       "Loading translations failed.\r\nLine 5: Duplicate property value translation ID (5)"},
      {"[$CONSTANTS]\r\n\r\n\r\nBad Name=1\r\n",
       "Loading translations failed.\r\nLine 3: Invalid constant name (\"Bad Name\")"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(ParseError(text), message) << text;
}

TEST(LanguageFile, ParsingEmptiesTheObjectFirst) {
  TLang_CompTranslations tr;
  ParseLanguageText(tr, "LANGID=1\n[$CONSTANTS]\nA=1\n[W]\n1=x\n", false);
  ParseLanguageText(tr, "Other=2\n", false);
  EXPECT_EQ(tr.Param("LANGID"), "");
  EXPECT_EQ(tr.Constants().Count(), 0);
  EXPECT_TRUE(tr.Sections().empty());
}

TEST(LanguageFile, MissingSourcesFailBeforeReading) {
  TLang_CompTranslations tr;
  EXPECT_THROW(tr.LoadFromFile(kData + "/no such file.lng", false), EFOpenError);
  EXPECT_THROW(tr.LoadFromResource(kMainModule, "NO_SUCH_RESOURCE", false), EFOpenError);
  EXPECT_THROW(tr.LoadFromResource(kMainModule, 4711, false), EFOpenError);
}

TEST(LanguageFile, LoadsFromResourcesByNameAndNumber) {
  const HModule module = 77;
  SetRcData(module, "russian", "LANGID=1049\n[$CONSTANTS]\nChapter=Glava\n");
  SetRcData(module, 12, "LANGID=1058\n");
  TLang_CompTranslations tr;
  tr.LoadFromResource(module, "RUSSIAN", false);
  EXPECT_EQ(Constant(tr, "chapter"), "Glava");
  tr.LoadFromResource(module, 12, true);
  EXPECT_EQ(tr.Param("LANGID"), "1058");
}

TEST(TemplateLines, WindowLinesCarryPathIdAndEscapedDefault) {
  EXPECT_EQ(ControllerTemplateLine("", "Caption", 1, "Tomefalcon Builder Wizard"),
            "Caption=00000001,Tomefalcon Builder Wizard");
  EXPECT_EQ(ControllerTemplateLine("Panel1.NextBtn.", "Caption", 62, "Next >"),
            "Panel1.NextBtn.Caption=00000062,Next >");
  EXPECT_EQ(ControllerTemplateLine("cbFont1.", "Items", 510, "None\r\nCustom... "),
            "cbFont1.Items=00000510,None\\nCustom...\\32");
}

}  // namespace
}  // namespace localisation
