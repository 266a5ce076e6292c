// The interface language of the windows and the code page their 8-bit texts are shown in.
#pragma once

#include <functional>

namespace platform {

// The Windows language id of the interface (0: none known yet). Set by the windows'
// language controllers; listeners hear every change (the window layer re-shows its texts).
void SetInterfaceLanguage(int languageId);
int InterfaceLanguage();
// 1033 -> 1252, 1049 and 1058 -> 1251, 1051 and 1045 -> 1250; otherwise the process ANSI
// code page.
int CodePageOfLanguage(int languageId);
int InterfaceCodePage();
// Returns an id for RemoveInterfaceLanguageListener.
int AddInterfaceLanguageListener(std::function<void()> listener);

}  // namespace platform
