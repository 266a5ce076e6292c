// Runs a test under a Russian UTF-8 locale, so that the C library gives its reasons in
// Russian; LC_ALL names it too, for programs started by the test and for a Qt application
// created later (which takes its locale from the environment). When the machine has no such
// locale, one is compiled with localedef into the test's own folder and found through LOCPATH.
// The locale, LC_ALL, LOCPATH and LANGUAGE are put back when the object goes.
#pragma once

#include "support/tempdir.h"

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

class RussianLocale {
public:
  // `folder`: the test's own temporary folder, for a compiled locale.
  explicit RussianLocale(const std::filesystem::path& folder) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    oldLocale_ = old != nullptr ? old : "C";
    if (const char* p = std::getenv("LOCPATH")) oldLocPath_ = p;
    if (const char* l = std::getenv("LANGUAGE")) oldLanguage_ = l;
    if (const char* a = std::getenv("LC_ALL")) oldAll_ = a;
    ::unsetenv("LANGUAGE");  // it would choose the language of the C library's messages
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr) {
      active_ = true;
      return;
    }
    if (!HaveTool("localedef")) {
      noLocaledef_ = true;
      problem_ = "the machine has no ru_RU.UTF-8 locale and no localedef to make one";
      return;
    }
    const std::filesystem::path dir = folder / "locales";
    std::filesystem::create_directories(dir);
    std::string output;
    RunCommand("localedef -i ru_RU -f UTF-8 " + ShellQuote((dir / "ru_RU.UTF-8").string()), &output);
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr) active_ = true;
    else problem_ = "localedef could not make ru_RU.UTF-8: " + output;
  }
  ~RussianLocale() {
    std::setlocale(LC_ALL, oldLocale_.c_str());
    if (oldLocPath_) ::setenv("LOCPATH", oldLocPath_->c_str(), 1);
    else ::unsetenv("LOCPATH");
    if (oldLanguage_) ::setenv("LANGUAGE", oldLanguage_->c_str(), 1);
    if (oldAll_) ::setenv("LC_ALL", oldAll_->c_str(), 1);
    else ::unsetenv("LC_ALL");
  }
  RussianLocale(const RussianLocale&) = delete;
  RussianLocale& operator=(const RussianLocale&) = delete;

  bool Active() const { return active_; }
  bool NoLocaledef() const { return noLocaledef_; }
  const std::string& Problem() const { return problem_; }

private:
  std::string oldLocale_;
  std::optional<std::string> oldLocPath_, oldLanguage_, oldAll_;
  bool active_ = false;
  bool noLocaledef_ = false;
  std::string problem_;
};

}  // namespace testing_support

// Skips the running test, saying why, when no Russian UTF-8 locale can be had because
// localedef is missing; fails it when localedef could not make one.
#define QW_REQUIRE_RUSSIAN_LOCALE(locale)                           \
  do {                                                              \
    if ((locale).NoLocaledef()) GTEST_SKIP() << (locale).Problem(); \
    ASSERT_TRUE((locale).Active()) << (locale).Problem();           \
  } while (0)
