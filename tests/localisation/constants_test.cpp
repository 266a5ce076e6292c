#include "localisation/constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace localisation {
namespace {

TEST(Identifiers, LettersDigitsAndUnderscore) {
  for (const char* good : {"a", "_", "AppTitle", "c14", "MultipleVersions_FULL", "_9"})
    EXPECT_TRUE(IsValidIdent(good)) << good;
  for (const char* bad : {"", "7bad", "Not An Ident", "a-b", "a.b", "\xC0x", "x\xC0"})
    EXPECT_FALSE(IsValidIdent(bad)) << bad;
}

TEST(Identifiers, OrderFoldsAsciiLettersOnly) {
  EXPECT_EQ(CompareNames("apptitle", "AppTitle"), 0);
  EXPECT_LT(CompareNames("c14", "c2"), 0);
  EXPECT_LT(CompareNames("C", "c14"), 0);
  // "_" (95) sorts after the upper-case letters, so also after folded lower-case ones.
  EXPECT_LT(CompareNames("z", "_"), 0);
  EXPECT_GT(CompareNames("\xE0", "\xC0"), 0);
}

TEST(Constants, KeepsSortedOrderAndFindsWithoutCase) {
  TLang_Constants table;
  for (const char* name : {"Zeta", "alpha", "Mid", "_under", "beta"}) table.Add(name, std::string(name) + "!");
  std::vector<std::string> names;
  for (int i = 0; i < table.Count(); ++i) names.push_back(table[i].Name);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "beta", "Mid", "Zeta", "_under"}));
  EXPECT_EQ(table.IndexOf("ZETA"), 3);
  EXPECT_EQ(table[table.IndexOf("mid")].Text, "Mid!");
  EXPECT_EQ(table[table.IndexOf("mid")].BuiltInText, "Mid!");
  int index = -1;
  EXPECT_FALSE(table.Find("c", index));
  EXPECT_EQ(index, 2);  // insertion place
  EXPECT_EQ(table.IndexOf("missing"), -1);
}

TEST(Constants, RejectsInvalidAndDuplicateNames) {
  TLang_Constants table;
  table.Add("AppTitle", "x");
  try {
    table.Add("APPTITLE", "y");
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Duplicate constant name (\"APPTITLE\")");
  }
  try {
    table.Add("1st", "y");
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "Invalid constant name (\"1st\")");
  }
  EXPECT_EQ(table.Count(), 1);
}

TEST(Constants, TemplateLinesInTableOrderSkippingMaskedFlags) {
  TLang_Constants table;
  table.Add("b", "two\r\nlines");
  table.Add("a", "Title ");
  table.Add("c", "flagged", 4);
  EXPECT_EQ(table.TemplateLines(0), (std::vector<std::string>{"a=Title\\32", "b=two\\nlines", "c=flagged"}));
  EXPECT_EQ(table.TemplateLines(4), (std::vector<std::string>{"a=Title\\32", "b=two\\nlines"}));
}

TEST(BuiltInResource, RoundTripsInNameOrder) {
  const TBuiltInText texts[] = {{"b", "B\r\ntext"}, {"A", ""}, {"c", std::string_view("\0z", 2)}};
  std::string bytes = EncodeLangConsts(texts);
  EXPECT_EQ(bytes.substr(0, 5), std::string("\x01\x03\x00\x00\x00", 5));
  EXPECT_EQ(bytes.substr(5, 5), std::string("\x01\x00" "A\x00\x00", 5));
  EXPECT_EQ(bytes.back(), '\0');
  TLang_Constants table;
  LoadLangConsts(table, bytes);
  EXPECT_EQ(table.Flag, 1);
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table[1].Text, "B\r\ntext");
  EXPECT_EQ(table[2].Text, std::string("\0z", 2));
  EXPECT_EQ(table[2].Flags, 0);
}

TEST(BuiltInResource, DamagedOrInvalidTablesFail) {
  const TBuiltInText texts[] = {{"Name", "Text"}};
  std::string bytes = EncodeLangConsts(texts);
  TLang_Constants table;
  EXPECT_THROW(LoadLangConsts(table, bytes.substr(0, bytes.size() - 3)), ELangError);
  EXPECT_THROW(LoadLangConsts(table, ""), ELangError);
  const TBuiltInText bad[] = {{"Bad Name", "x"}};
  EXPECT_THROW(LoadLangConsts(table, EncodeLangConsts(bad)), ELangError);
  const TBuiltInText twice[] = {{"Same", "x"}, {"SAME", "y"}};
  EXPECT_THROW(LoadLangConsts(table, EncodeLangConsts(twice)), ELangError);
}

TEST(GlyphkilnTable, HoldsTheSeventeenTexts) {
  EXPECT_EQ(GlyphkilnTexts().size(), 17u);
  TLang_Constants table;
  LoadLangConsts(table, EncodeLangConsts(GlyphkilnTexts()));
  EXPECT_EQ(table[table.IndexOf("apptitle")].Text, "Glyphkiln v2.5 for Tomefalcon ");
  EXPECT_EQ(table[table.IndexOf("InfoMsgBoxText")].Text,
            "A new font has been created.\r\n\r\nFonts can be embeded in midlet or installed separately.\r\n"
            "Please use \"Help\" button for getting help on fonts installation.");
  EXPECT_EQ(table[table.IndexOf("c14")].Text, "");
}

TEST(QuirewrightTable, NamesAreValidAndUnique) {
  std::set<std::string> seen;
  for (const TBuiltInText& t : QuirewrightTexts()) {
    EXPECT_TRUE(IsValidIdent(t.Name)) << t.Name;
    std::string upper(t.Name);
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(seen.insert(upper).second) << t.Name;
    EXPECT_LT(t.Text.size(), 65536u);
  }
}

}  // namespace
}  // namespace localisation
