#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

int RunTool(const std::string& args) {
  std::string cmd = "QT_QPA_PLATFORM=offscreen \"" QW_BIN_DIR "/langdata_ui\" " + args + " 2>/dev/null";
  return std::system(cmd.c_str());
}

const char* const kSource = R"(// A window.
#include <string_view>
extern const std::string_view kDesc = R"qwd(
object Form1: TForm
  Caption = 'Window'
  object Label1: TLabel
    Caption = 'Hello'
  end
  object lcMain: TLangController
    IgnoreList = ('*.Font.Name')
  end
end
)qwd";
)";

}  // namespace

// The refresh tool stores LangData in the description's source, gives new properties the
// next ids and never renumbers the ones it gave before.
TEST(LangDataTool, StoresLangDataAndKeepsIds) {
  const testing_support::TempDir tmp;
  const fs::path& dir = tmp.Path();
  fs::path src = dir / "form1_desc.cpp";
  fs::path tpl = dir / "template.lng";
  {
    std::ofstream f(src, std::ios::binary);
    f << kSource;
  }
  ASSERT_EQ(RunTool(src.string() + " " + tpl.string()), 0);
  std::string once = ReadAll(src);
  EXPECT_NE(once.find("    LangData = {"), std::string::npos);
  EXPECT_EQ(ReadAll(tpl), "[Form1]\r\nCaption=00000001,Window\r\nLabel1.Caption=00000002,Hello\r\n");

  ASSERT_EQ(RunTool(src.string() + " " + tpl.string()), 0);
  EXPECT_EQ(ReadAll(src), once);  // nothing new: nothing changes

  // A control is added in front of the label: it gets id 3 and its entry comes after the
  // entries already stored; the label keeps 2.
  std::string more = once;
  more.insert(more.find("  object Label1"), "  object Button1: TButton\n    Caption = 'Go'\n  end\n");
  {
    std::ofstream f(src, std::ios::binary);
    f << more;
  }
  ASSERT_EQ(RunTool(src.string() + " " + tpl.string()), 0);
  EXPECT_EQ(ReadAll(tpl),
            "[Form1]\r\nCaption=00000001,Window\r\nLabel1.Caption=00000002,Hello\r\nButton1.Caption=00000003,Go\r\n");

  // With the program's named texts in front.
  ASSERT_EQ(RunTool("--program glyphkiln " + src.string() + " " + tpl.string()), 0);
  std::string with = ReadAll(tpl);
  EXPECT_EQ(with.rfind("[$CONSTANTS]\r\n", 0), 0u);
  EXPECT_NE(with.find("\r\nAppTitle=Glyphkiln v2.5 for Tomefalcon"), std::string::npos);
  EXPECT_NE(with.find("\r\n[Form1]\r\nCaption=00000001,Window\r\n"), std::string::npos);
}
