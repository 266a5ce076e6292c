#include "platform/ui/consoleservices.h"

#include "platform/system/codepage.h"
#include "platform/system/message.h"
#include "platform/system/uilanguage.h"

#include <cstdio>

namespace platform {

void TConsoleServices::MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) {
  MessageBoxUtf8(ToUtf8(text, InterfaceCodePage()), ToUtf8(caption, InterfaceCodePage()), icon);
}

void TConsoleServices::MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon) {
  if (icon == TMsgIcon::Error || icon == TMsgIcon::Warning) ++failures_;
  std::string line = caption;
  if (!line.empty()) line += ": ";
  line += text;
  line += '\n';
  line = Utf8ToLocale(line);  // standard error is read in the locale's encoding
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace platform
