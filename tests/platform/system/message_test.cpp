// Messages keep their parts in their own encodings and are converted once: under a Russian
// UTF-8 locale the path of a Cyrillic or an accented folder and the C library's Russian reason
// come out whole, whatever the process code page.
#include "platform/system/message.h"

#include "platform/system/codepage.h"
#include "platform/system/wholefile.h"
#include "support/russianlocale.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <functional>
#include <string>

using namespace platform;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

class CodePageScope {
public:
  explicit CodePageScope(int cp) : old_(AnsiCodePage()) { SetAnsiCodePage(cp); }
  ~CodePageScope() { SetAnsiCodePage(old_); }

private:
  int old_;
};

}  // namespace

TEST(Message, PartsKeepTheirEncodingsUntilShown) {
  TempDir dir;
  testing_support::RussianLocale russian(dir.Path());
  QW_REQUIRE_RUSSIAN_LOCALE(russian);
  TMessage m("\xCD\xE5\xF2 ", 1251);  // "Нет " in the Cyrillic code page
  m.Path("/home/\xD1\x8E/Caf\xC3\xA9").Own(" \xE9t\xE9: ", 1252).Reason(ENOENT);
  EXPECT_EQ(m.Utf8(), "Нет /home/ю/Café été: Нет такого файла или каталога");
  EXPECT_EQ(m.ForTerminal(), "Нет /home/ю/Café été: Нет такого файла или каталога");
  // For the code-page world only: what 1251 can hold, and '?' for the rest.
  EXPECT_EQ(m.InCodePage(1251),
            "\xCD\xE5\xF2 /home/\xFE/Caf? ?t?: \xCD\xE5\xF2 \xF2\xE0\xEA\xEE\xE3\xEE "
            "\xF4\xE0\xE9\xEB\xE0 \xE8\xEB\xE8 \xEA\xE0\xF2\xE0\xEB\xEE\xE3\xE0");
}

// The whole-file reader and writer name the path as the file system writes it and the reason
// as the C library gives it; in the Cyrillic and the Western process code page alike.
TEST(Message, FileErrorsNameThePathAndTheReasonOfTheLocale) {
  TempDir dir;
  testing_support::RussianLocale russian(dir.Path());
  QW_REQUIRE_RUSSIAN_LOCALE(russian);
  const std::string base = dir.Path().string() + "/";
  const std::string folders[] = {"только чтение", "Café"};
  for (int cp : {1251, 1252}) {
    const CodePageScope page(cp);
    for (const std::string& folder : folders) {
      SCOPED_TRACE(std::to_string(cp) + " " + folder);
      const std::string at = base + folder + "/";
      fs::create_directories(at + "x.jar");  // a folder where a file should go
      testing_support::WriteFile(at + "ro.fnt", "old");
      ::chmod((at + "ro.fnt").c_str(), 0444);
      const struct {
        std::function<void()> call;
        std::string shown;
      } calls[] = {
          {[&] { WriteWholeFile(at + "x.jar", "x"); }, "Cannot write file \"" + at + "x.jar\": Это каталог"},
          {[&] { WriteWholeFile(at + "ro.fnt", "x"); }, "Cannot write file \"" + at + "ro.fnt\": Отказано в доступе"},
          {[&] { ReadWholeFile(at + "gone.txt"); },
           "Cannot open file \"" + at + "gone.txt\". Нет такого файла или каталога"},
      };
      for (const auto& c : calls) {
        try {
          c.call();
          ADD_FAILURE() << c.shown;
        } catch (const EFileError& e) {
          EXPECT_EQ(e.Message().Utf8(), c.shown);
          EXPECT_EQ(MessageOf(e).Utf8(), c.shown);
        }
      }
    }
  }
}

// An exception that keeps no parts: its what() read in the code page given.
TEST(Message, PlainExceptionsAreReadInTheirCodePage) {
  const std::runtime_error plain("\xCA\xED\xE8\xE3\xE8");  // "Книги" in 1251
  EXPECT_EQ(MessageOf(plain, 1251).Utf8(), "Книги");
  EXPECT_EQ(MessageOf(plain, 1252).Utf8(), "Êíèãè");
}
