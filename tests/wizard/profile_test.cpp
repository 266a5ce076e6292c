#include "wizard/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace wizard;

namespace {

std::string TempFile(const char* name) {
  std::filesystem::path p = std::filesystem::temp_directory_path() / "qw_wizard_profile";
  std::filesystem::create_directories(p);
  p /= name;
  std::filesystem::remove(p);
  return p.string();
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(Profile, MissingFileAndKeysGiveDefaults) {
  TProfile ini(TempFile("missing.ini"));
  EXPECT_EQ(ini.ReadInteger("PI_FINISHPAGE", "cbDirectory", 1), 1);
  EXPECT_EQ(ini.ReadString("PI_X", "k", "def"), "def");
}

TEST(Profile, ReadsLikeTheSettingsCalls) {
  std::string path = TempFile("read.ini");
  std::ofstream(path) << "; comment\r\n[pi_phonemodelpage]\r\ncbphonemodel = 42\r\nspJARLimit=12abc\r\n"
                         "bad=abc\r\nneg=-7\r\ntext= \"quoted value\" \r\n[Other]\r\ncbPhoneModel=1\r\n";
  TProfile ini(path);
  EXPECT_EQ(ini.ReadInteger("PI_PHONEMODELPAGE", "cbPhoneModel", 0), 42);
  EXPECT_EQ(ini.ReadInteger("PI_PHONEMODELPAGE", "spJARLimit", 0), 12);
  EXPECT_EQ(ini.ReadInteger("PI_PHONEMODELPAGE", "bad", 5), 0);  // present but not a number
  EXPECT_EQ(ini.ReadInteger("PI_PHONEMODELPAGE", "neg", 0), -7);
  EXPECT_EQ(ini.ReadString("PI_PHONEMODELPAGE", "text", ""), "quoted value");
  EXPECT_EQ(ini.ReadInteger("other", "cbPhoneModel", 0), 1);
}

TEST(Profile, WritesInPlaceAndAppends) {
  std::string path = TempFile("write.ini");
  std::ofstream(path) << "; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n";
  TProfile ini(path);
  EXPECT_TRUE(ini.WriteString("a", "X", "10"));
  EXPECT_TRUE(ini.WriteString("A", "z", "3"));
  EXPECT_TRUE(ini.WriteString("C", "w", "line1\r\nline2"));
  EXPECT_EQ(Slurp(path), "; keep me\r\n[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=line1  line2\r\n");
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 10);
  EXPECT_EQ(ini.ReadString("C", "w", ""), "line1  line2");
}
