// The room a book midlet keeps free under the JAR limit, for parts with and without pictures.
#include "assembly/bookbuild.h"

#include "assembly/tables.h"
#include "assembly/tempdir_support.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"
#include "fake_host_support.h"
#include "sample_archive_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace assembly;
using assembly::testing::FakeTexts;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Words(std::mt19937& rng, std::size_t length) {
  std::string s;
  while (s.size() < length) {
    if (!s.empty()) s += ' ';
    const int n = 2 + int(rng() % 8);
    for (int i = 0; i < n; ++i) s += char('a' + rng() % 26);
  }
  return s;
}

TMIDLETCONFIG Record(int64_t limit) {
  TMIDLETCONFIG c;
  c.Core = 3;
  c.Edition = 2;
  c.KeysConfig = DefaultKeysByCore[3];
  c.JarLimit = int32_t(limit);
  c.FontNames = {"6x3we", "", "", "", ""};
  c.FontSources = {"ZIP:fonts\\EnglishWE\\6x3we.fnt", "", "", "", ""};
  return c;
}

}  // namespace

// Every midlet leaves 512 bytes of its JAR limit free, whether its last part took pictures or
// not. Limits a few bytes apart put the parts' sizes at every distance from the limit.
TEST(BookMidletReserve, PartsWithPicturesKeep512BytesFree) {
  TempDir dir;
  const char* pictures[] = {"rgb.png", "rose.jpg", "logo.gif", "palette.png", "interlaced.png"};
  for (const char* p : pictures) fs::copy_file(QW_TEST_DATA "/pictures/" + std::string(p), dir.File(p));
  std::mt19937 rng(11);
  std::string html = "<html><body>";
  for (int i = 0; i < 40; ++i)
    html += "<p>" + Words(rng, 200 + rng() % 900) + " <img src=\"" + pictures[i % 5] + "\"></p>";
  WriteFile(dir.File("book.htm"), html + "</body></html>");

  BuildInputs inputs;
  inputs.Vendor = "Quire Vendor";
  inputs.MidletName = "MyBook";
  inputs.BookTitle = "My Book";
  inputs.LiteVersion = true;
  inputs.ImageParams.Colors = 3;
  inputs.ImageParams.MaxWidth = 64;
  inputs.ImageParams.MaxHeight = 64;
  inputs.TextFiles = {dir.File("book.htm")};

  int jars = 0;
  for (int64_t limit = 20 * 1024; limit < 20 * 1024 + 12 * 89; limit += 89) {
    SCOPED_TRACE(limit);
    const fs::path out = dir.Path() / ("out" + std::to_string(limit));
    fs::create_directories(out);
    RecordingHost host;
    FakeTexts texts;
    bool warned = false;
    ASSERT_TRUE(BuildBookMidlets(BuildContext{SampleArchive(), host, inputs, texts, &warned}, false, Record(limit),
                                 false, (out / "MyBook").string())
                    .Ok());
    for (const auto& entry : fs::directory_iterator(out)) {
      if (entry.path().extension() != ".jar") continue;
      EXPECT_LE(int64_t(fs::file_size(entry.path())), limit - 512) << entry.path().filename();
      ++jars;
    }
    fs::remove_all(out);
  }
  EXPECT_GT(jars, 24);
}
