// The built-in tables hold every named text that the programs ask for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "localisation/constants.h"

namespace localisation {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(std::span<const TBuiltInText> texts) {
  std::set<std::string> names;
  for (const TBuiltInText& t : texts) {
    std::string upper(t.Name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    names.insert(upper);
  }
  return names;
}

// The names asked for in a source text: the string literal handed to TextByName or to one of its
// wrappers named Text, whether the name comes first (Text("Name")) or after a context argument
// (Text(ctx, "Name")).
std::vector<std::string> AskedNames(const std::string& source) {
  auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  auto skipBlanks = [&](size_t i) {
    while (i < source.size() && std::isspace(static_cast<unsigned char>(source[i]))) ++i;
    return i;
  };
  std::vector<std::string> names;
  for (size_t pos = source.find("Text"); pos != std::string::npos; pos = source.find("Text", pos + 1)) {
    if (pos > 0 && isWord(source[pos - 1])) continue;
    size_t i = pos + 4;
    if (source.compare(i, 6, "ByName") == 0) i += 6;
    i = skipBlanks(i);
    if (i >= source.size() || source[i] != '(') continue;
    i = skipBlanks(i + 1);
    size_t word = i;
    while (word < source.size() && isWord(source[word])) ++word;
    if (word > i) {  // a context argument first: Text(ctx, "Name")
      word = skipBlanks(word);
      if (word >= source.size() || source[word] != ',') continue;
      i = skipBlanks(word + 1);
    }
    if (i >= source.size() || source[i] != '"') continue;
    size_t close = source.find('"', i + 1);
    if (close == std::string::npos) continue;
    names.push_back(source.substr(i + 1, close - i - 1));
  }
  return names;
}

bool Holds(const std::set<std::string>& names, std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return names.count(name) != 0;
}

TEST(BuiltInTexts, EveryNameAskedForInTheSourcesIsInTheProgramsTable) {
  const std::set<std::string> quirewright = Names(QuirewrightTexts());
  const std::set<std::string> glyphkiln = Names(GlyphkilnTexts());
  int calls = 0;
  for (const char* folder : {"platform", "localisation", "assembly", "controls", "wizard", "fontcreator"}) {
    fs::path root = fs::path(QW_SOURCE_DIR) / folder;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      // The font creator's code reads Glyphkiln's table, everything else Quirewright's.
      bool fontCreator = std::string(folder) == "fontcreator";
      for (const std::string& name : AskedNames(source)) {
        ++calls;
        EXPECT_TRUE(Holds(fontCreator ? glyphkiln : quirewright, name))
            << name << " asked for in " << entry.path().string();
      }
    }
  }
  EXPECT_GT(calls, 0);
}

// Every way the programs ask for a text is seen, so a misspelt name fails the check above.
TEST(BuiltInTexts, TheSourceCheckSeesEveryWayANameIsAskedFor) {
  const std::set<std::string> quirewright = Names(QuirewrightTexts());
  struct Case {
    const char* source;
    const char* name;
  } cases[] = {
      {"LangManager().TextByName(\"GeneratingMidlet\");", "GeneratingMidlet"},
      {"ctx.Texts.TextByName(\n    \"GeneratingMidlet\")", "GeneratingMidlet"},
      {"SetCaption(Text(\"GeneratingMidlet\"));", "GeneratingMidlet"},
      {"TForm1::Text(\"GeneratingMidlet\") + \" \"", "GeneratingMidlet"},
      {"host.Error(Text(ctx, \"GeneratingMidlet\"));", "GeneratingMidlet"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names = AskedNames(c.source);
    ASSERT_EQ(names.size(), 1u) << c.source;
    EXPECT_EQ(names[0], c.name) << c.source;
    EXPECT_FALSE(Holds(quirewright, names[0])) << "a misspelt name would pass: " << c.source;
  }
  EXPECT_TRUE(AskedNames("Text(name); SetText(\"x\"); TextWidth(\"y\")").empty());
}

TEST(BuiltInTexts, NamesThatTheBuilderComposesAreInItsTable) {
  const std::set<std::string> quirewright = Names(QuirewrightTexts());
  std::vector<std::string> names = {
      // core descriptions, cores 0..9
      "SiemensCoreDesc", "SiemensMIDP20CoreDesc", "NokiaCoreDesc", "MIDP10CoreDesc", "MIDP10BacklightCoreDesc",
      "MotorolaMIDP10CoreDesc", "MOTOC650CoreDesc", "MIDP20CoreDesc", "MIDP20JSR75CoreDesc", "SX1CoreDesc",
      // key layout descriptions, layouts 0..13
      "MIDP10KeysConfigDesc", "MIDP20KeysConfigDesc", "JOYONLYKeysConfigDesc", "AlcatelKeysConfigDesc",
      "LGKeysConfigDesc", "Motorola1KeysConfigDesc", "Motorola2KeysConfigDesc", "NokiaKeysConfigDesc",
      "SamsungKeysConfigDesc", "SiemensKeysConfigDesc", "SiemensSX1KeysConfigDesc",
      "SonyErricssonKeysConfigDesc", "CustomKeysConfigDesc"};
  // file-system notes of the finish page: stem + "_1" and stem + "_2"
  for (const char* stem : {"FSSIEMENS45", "FSSIEMENS55", "FSSIEMENS65", "FSSIEMENSS75", "FSJSR75", "FSMOTO", "FSMOTOJSR75"}) {
    names.push_back(std::string(stem) + "_1");
    names.push_back(std::string(stem) + "_2");
  }
  for (const std::string& name : names) EXPECT_TRUE(Holds(quirewright, name)) << name;
}

}  // namespace
}  // namespace localisation
