#include "assembly/phonelist.h"

#include "support/recordinghost.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace assembly {
namespace {

struct Parsed {
  TPHONESLIST list;
  std::vector<std::string> messages;
  bool ok;
};

Parsed Parse(const std::string& text) {
  testing::RecordingHost host;
  Parsed p;
  p.ok = ParsePhonesList(host, text, p.list);
  for (const auto& m : host.messages) {
    EXPECT_EQ(m.caption, "Error");
    EXPECT_EQ(m.icon, MessageIcon::Error);
    p.messages.push_back(m.text);
  }
  EXPECT_EQ(host.terminateRequests, static_cast<int>(p.messages.size()));
  EXPECT_EQ(p.ok, p.messages.empty());
  return p;
}

const std::string kNokia =
    "\"Nokia 6230\" \"Nokia phones keys config\" \"128\" \"IC_64\" \"128\" \"128\"\r\n";

TEST(ReadListToken, Tokens) {
  struct Case {
    std::string text;
    std::vector<std::string> tokens;
  } cases[] = {
      {"", {}},
      {"; only a comment\r\n  ; another", {}},
      {"\"a\" \"b\"", {"a", "b"}},
      {"words, commas \"  padded\t\" x", {"padded"}},
      {"\"semi;colon\" ; \"hidden\" \"tokens\"\n\"next\"", {"semi;colon", "next"}},
      {"\"two\r\nlines\"", {"two\r\nlines"}},
      {"\"open to the end", {"open to the end"}},
      {"\"first\"\"\"\"after\"", {"first"}},  // an empty token ends the reading
  };
  for (const Case& c : cases) {
    std::vector<std::string> got;
    std::size_t pos = 0;
    for (std::string t = ReadListToken(c.text, pos); !t.empty(); t = ReadListToken(c.text, pos))
      got.push_back(t);
    EXPECT_EQ(got, c.tokens) << c.text;
  }
}

TEST(ParsePhonesList, ReadsModels) {
  Parsed p = Parse("; model, keys, JAR KB, quality, width, height\r\n" + kNokia);
  ASSERT_EQ(p.list.size(), 1u);
  const TPhonesListEntry& e = p.list[0];
  EXPECT_EQ(e.Row, 224);
  EXPECT_EQ(e.KeysConfig, 8);
  EXPECT_EQ(e.JarLimitKB, 128);
  EXPECT_EQ(e.Quality, 3);
  EXPECT_EQ(e.MaxWidth, 128);
  EXPECT_EQ(e.MaxHeight, 128);

  p = Parse("\"nokia 6230\" \"NOKIA PHONES KEYS CONFIG\" \"64\" \"IC_NONE\" \"64\" \"32\""
            "\"Nokia 6230i\" \"generic midp10 phones keys config\" \"200\" \"IC_BW\" \"64\" \"32\""
            "\"Nokia 6230i\" \"SonyErricsson phones keys config\" \"+70\" \"IC_16\" \"99\" \"40\"");
  ASSERT_EQ(p.list.size(), 3u);
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(p.list[0].Row, 224);
  EXPECT_EQ(p.list[1].Row, 225);
  EXPECT_EQ(p.list[1].KeysConfig, 0);
  EXPECT_EQ(p.list[1].Quality, 1);
  EXPECT_EQ(p.list[2].KeysConfig, 12);
  EXPECT_EQ(p.list[2].JarLimitKB, 70);
  EXPECT_EQ(p.list[2].Quality, 2);
}

TEST(ParsePhonesList, Errors) {
  const std::string keys = "\"Nokia phones keys config\"";
  struct Case {
    std::string text;
    std::vector<std::string> messages;
    std::size_t entries;
  } cases[] = {
      {"", {"No models found in list file."}, 0},
      {"; comments only\r\n;\r\n", {"No models found in list file."}, 0},
      {"\"\" " + kNokia, {"No models found in list file."}, 0},
      {"\"Nokia 6230\" " + keys + " \"128\" \"ic_64\" \"128\" \"128\"",
       {"Invalid images quality specified for model: \"Nokia 6230\""},
       1},
      {"\"Nokia 6230\" " + keys + " \"63\" \"IC_64\" \"128\" \"128\"",
       {"Invalid JAR size limit specified for model: \"Nokia 6230\""},
       1},
      {"\"Nokia 6230\" " + keys + " \"64k\" \"IC_64\" \"63\" \"31\"",
       {"Invalid JAR size limit specified for model: \"Nokia 6230\"",
        "Invalid Max Image Width specified for model: \"Nokia 6230\"",
        "Invalid Max Image Height specified for model: \"Nokia 6230\""},
       1},
      {"\"Nokia 9999\" \"Custom keys configuration...\" \"99999999999\" \"IC_64\" \"64\" \"32\"",
       {"Unrecognized token in list file: \"Nokia 9999\"",
        "Unrecognized token in list file: \"Custom keys configuration...\"",
        "Invalid JAR size limit specified for model: \"Nokia 9999\""},
       1},
      // A ";" outside quotes hides the rest of its line.
      {"\"Nokia 6230\" " + keys + " ; \"128\" \"IC_64\"\n \"128\" \"IC_64\" \"128\" \"128\"", {}, 1},
      // The file ends in the middle of a model.
      {"\"Nokia 6230\" " + keys + " \"128\"",
       {"Images Quality not specified for model: \"Nokia 6230\"",
        "Max Image Width not specified for model: \"Nokia 6230\"",
        "Invalid Max Image Width specified for model: \"Nokia 6230\"",
        "Max Image Height not specified for model: \"Nokia 6230\"",
        "Invalid Max Image Height specified for model: \"Nokia 6230\""},
       1},
      {"\" Nokia 6230 \"",
       {"Keys config not specified for model: \"Nokia 6230\"", "Unrecognized token in list file: \"\"",
        "JAR size limit not specified for model: \"Nokia 6230\"",
        "Invalid JAR size limit specified for model: \"Nokia 6230\"",
        "Images Quality not specified for model: \"Nokia 6230\"",
        "Max Image Width not specified for model: \"Nokia 6230\"",
        "Invalid Max Image Width specified for model: \"Nokia 6230\"",
        "Max Image Height not specified for model: \"Nokia 6230\"",
        "Invalid Max Image Height specified for model: \"Nokia 6230\""},
       1},
      // Long and binary tokens are shown shortened to 40 characters, control characters as "?".
      {"\"" + std::string(40, 'A') + "\" " + keys + " \"128\" \"IC_64\" \"128\" \"128\"",
       {"Unrecognized token in list file: \"" + std::string(40, 'A') + "\""},
       1},
      {"\"" + std::string(41, 'A') + "\" " + keys + " \"128\" \"IC_64\" \"128\" \"128\"",
       {"Unrecognized token in list file: \"" + std::string(40, 'A') + "...\""},
       1},
      {"\"Nok\x01\x02ia\t\xFF\x7F\" " + keys + " \"128\" \"IC_64\" \"128\" \"128\"",
       {"Unrecognized token in list file: \"Nok??ia?\xFF?\""},
       1},
      // A quote left open: the token runs to the end of a file of a megabyte.
      {"\"" + std::string(1 << 20, 'Z'),
       {"Unrecognized token in list file: \"" + std::string(40, 'Z') + "...\"",
        "Keys config not specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Unrecognized token in list file: \"\"",
        "JAR size limit not specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Invalid JAR size limit specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Images Quality not specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Max Image Width not specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Invalid Max Image Width specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Max Image Height not specified for model: \"" + std::string(40, 'Z') + "...\"",
        "Invalid Max Image Height specified for model: \"" + std::string(40, 'Z') + "...\""},
       1},
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.text);
    EXPECT_EQ(p.messages, c.messages) << c.text.substr(0, 200);
    EXPECT_EQ(p.list.size(), c.entries) << c.text.substr(0, 200);
  }
}

TEST(LoadPhonesList, ReadsTheFileAndReportsAMissingOne) {
  testing_support::TempDir dir;
  const std::string file = dir.File("phones.txt");
  testing_support::WriteFile(file, kNokia + kNokia);
  testing::RecordingHost host;
  TPHONESLIST list;
  EXPECT_TRUE(LoadPhonesList(host, file, list));
  EXPECT_EQ(list.size(), 2u);
  EXPECT_TRUE(host.messages.empty());

  testing::RecordingHost missing;
  TPHONESLIST none;
  EXPECT_FALSE(LoadPhonesList(missing, dir.File("none.txt"), none));
  ASSERT_EQ(missing.messages.size(), 2u);
  EXPECT_EQ(missing.messages[0].caption, "Fatal error");
  EXPECT_EQ(missing.messages[1].text, "No models found in list file.");
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace assembly
