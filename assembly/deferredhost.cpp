#include "assembly/deferredhost.h"

namespace assembly {

void DeferredHost::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  calls_.emplace_back([=](BuildHost& h) { h.ShowMessage(text, caption, icon); });
}

void DeferredHost::ShowComposedMessage(const platform::TMessage& text, const std::string& caption, MessageIcon icon) {
  calls_.emplace_back([=](BuildHost& h) { h.ShowComposedMessage(text, caption, icon); });
}

void DeferredHost::RequestTerminate() {
  calls_.emplace_back([](BuildHost& h) { h.RequestTerminate(); });
}

void DeferredHost::SetProgress(int position, int max) {
  calls_.emplace_back([=](BuildHost& h) { h.SetProgress(position, max); });
}

void DeferredHost::SetStatus(const std::string& text) {
  calls_.emplace_back([=](BuildHost& h) { h.SetStatus(text); });
}

void DeferredHost::ProcessMessages() {
  calls_.emplace_back([](BuildHost& h) { h.ProcessMessages(); });
}

void DeferredHost::SetWindowEnabled(bool enabled) {
  calls_.emplace_back([=](BuildHost& h) { h.SetWindowEnabled(enabled); });
}

void DeferredHost::Wait(int milliseconds) {
  calls_.emplace_back([=](BuildHost& h) { h.Wait(milliseconds); });
}

void DeferredHost::Replay(BuildHost& host) const {
  for (const auto& call : calls_) call(host);
}

}  // namespace assembly
