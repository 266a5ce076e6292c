#include "platform/ui/services.h"

#include "platform/system/codepage.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/qtservices.h"

namespace platform {

namespace {

TServices* g_services = nullptr;

}  // namespace

void TServices::MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon) {
  MessageBox(FromUtf8(text, InterfaceCodePage()), FromUtf8(caption, InterfaceCodePage()), icon);
}

TServices& Services() { return g_services != nullptr ? *g_services : QtServices(); }

TServices* SetServices(TServices* services) {
  TServices* old = g_services;
  g_services = services;
  return old;
}

}  // namespace platform
