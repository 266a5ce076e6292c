#include "platform/system/uilanguage.h"

#include "platform/system/codepage.h"

#include <atomic>
#include <map>
#include <mutex>

namespace platform {

namespace {
std::atomic<int> g_language{0};
std::mutex g_mutex;
std::map<int, std::function<void()>>& Listeners() {
  static std::map<int, std::function<void()>> m;
  return m;
}
int g_next_id = 1;
}  // namespace

void SetInterfaceLanguage(int languageId) {
  if (g_language.exchange(languageId) == languageId) return;
  std::map<int, std::function<void()>> copy;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    copy = Listeners();
  }
  for (auto& [id, f] : copy) f();
}

int InterfaceLanguage() { return g_language.load(); }

int CodePageOfLanguage(int languageId) {
  switch (languageId) {
    case 1033: return 1252;
    case 1049:
    case 1058: return 1251;
    case 1051:
    case 1045: return 1250;
    default: return AnsiCodePage();
  }
}

int InterfaceCodePage() { return CodePageOfLanguage(g_language.load()); }

int AddInterfaceLanguageListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(g_mutex);
  int id = g_next_id++;
  Listeners()[id] = std::move(listener);
  return id;
}

}  // namespace platform
