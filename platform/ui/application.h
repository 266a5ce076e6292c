// The application: the Qt application object, the main window, hints, the help dispatch,
// and the program-wide requests (process pending events, deferred quit).
#pragma once

#include "platform/system/message.h"
#include "platform/ui/control.h"
#include "platform/ui/services.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

class QTimer;

namespace platform {

class TForm;

class TApplication {
public:
  // Creates the Qt application when there is none yet (tests and tools may skip this:
  // the first control creates one with an empty command line).
  void Initialize(int& argc, char** argv);
  // Runs the event loop until the main window closes or Terminate was called; returns at
  // once when Terminate came before.
  int Run();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t);
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Lets pending window events through (Services().ProcessMessages()).
  void ProcessMessages();
  // Ends the program once control returns to the event loop (deferred).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Tests: forget an earlier Terminate.
  void ResetTerminated() { terminated_ = false; }

  // A modal OK box through the services.
  void MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon);
  // The same for a message kept in parts (converted once, here); the caption is a text of
  // the interface code page.
  void MessageBox(const TMessage& text, const std::string& caption, TMsgIcon icon);
  // What happens to an exception that leaves an event handler: its message is shown in an
  // error box captioned with the application's title, and the program goes on.
  void HandleException(const std::exception& e);

  // --- hints ---
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  // The one hook through which hints show (balloon hints set it). It receives the control,
  // the short hint text and the hint rectangle in screen coordinates (top-left at the
  // mouse pointer, 20 pixels below it). Without a hook hints show as tool tips.
  using THintHook = std::function<void(TControl* control, const std::string& hint, TRect screenRect)>;
  void SetHintHook(THintHook hook) { hintHook_ = std::move(hook); }
  const THintHook& HintHook() const { return hintHook_; }
  // Shows the hint of `control` now (the hint timer calls it after HintPause).
  void ActivateHint(TControl* control, TPoint screenPos);
  void CancelHint();

  // --- help ---
  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& f) { helpFile_ = f; }
  // The help dispatch: a context number with the current help file. The help bridge sets
  // the handler; without one requests are ignored. Returns what the handler returns.
  using THelpHandler = std::function<bool(int context, const std::string& helpFile)>;
  void SetHelpHandler(THelpHandler h) { helpHandler_ = std::move(h); }
  bool HelpContext(int context);

  // The layer's hint timer follows the mouse through these.
  void MouseEntered(TControl* control);
  void MouseLeft(TControl* control);

  // Controls register themselves to be told of code page changes.
  void AddControl(TControl* c);
  void RemoveControl(TControl* c);
  void CodePageChanged();

private:
  friend TApplication& Application();
  TApplication();
  void EnsureTimer();

  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool showHint_ = true;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  THintHook hintHook_;
  std::string helpFile_;
  THelpHandler helpHandler_;
  TControl* hintControl_ = nullptr;
  QTimer* hintTimer_ = nullptr;
  std::vector<TControl*> controls_;
  int languageListener_ = 0;
};

TApplication& Application();
// Makes sure a Qt application exists (called before the first widget is made).
void EnsureQtApplication();

// Runs an event handler on behalf of the event loop: no exception leaves it
// (TApplication::HandleException shows it).
template <class F> void DispatchEvent(F&& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(std::runtime_error("Unknown error"));
  }
}

}  // namespace platform
