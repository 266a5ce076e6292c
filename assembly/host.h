// What the midlet engine needs of the program that drives it: message boxes, progress,
// letting pending window events through, enabling the window, and the deferred request to
// end the program. The builder window implements it; tests use a recording fake.
#pragma once

#include "platform/system/message.h"
#include "platform/system/uilanguage.h"

#include <chrono>
#include <string>
#include <thread>

namespace assembly {

enum class MessageIcon { None, Information, Warning, Error };

class BuildHost {
public:
  virtual ~BuildHost() = default;

  // A modal message box with an OK button; the texts are in the interface code page.
  virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
  // The same for a message kept in parts, each in its own encoding (converted once, where it
  // is shown). Without an override: in the interface code page, through ShowMessage.
  virtual void ShowComposedMessage(const platform::TMessage& text, const std::string& caption, MessageIcon icon) {
    ShowMessage(text.InCodePage(platform::InterfaceCodePage()), caption, icon);
  }
  // Ends the program once control returns to the event loop; work in progress goes on.
  virtual void RequestTerminate() = 0;

  // Progress gauge and status line of the build page.
  virtual void SetProgress(int /*position*/, int /*max*/) {}
  virtual void SetStatus(const std::string& /*text*/) {}
  // Lets pending window events through between build steps.
  virtual void ProcessMessages() {}
  // Disables the window and its buttons while a build runs, and enables them again.
  virtual void SetWindowEnabled(bool /*enabled*/) {}
  // Pauses the build, so that the full gauge stays in view a moment.
  virtual void Wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

// Disables the host's window for a build or a batch and enables it again on every way out.
class DisabledWindow {
public:
  explicit DisabledWindow(BuildHost& host) : host_(host) { host_.SetWindowEnabled(false); }
  ~DisabledWindow() { host_.SetWindowEnabled(true); }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

private:
  BuildHost& host_;
};

}  // namespace assembly
