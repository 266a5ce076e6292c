#pragma once

#include "platform/ui/qtservices.h"
#include "platform/ui/services.h"

namespace platform {

// For runs without anyone at the screen: messages go to standard error as "caption: text"
// lines and dialogs answer "cancelled" at once, so nothing ever waits. Installs itself while
// it lives and counts the error and warning messages.
class TConsoleServices : public TServices {
public:
  TConsoleServices() : previous_(SetServices(this)) {}
  ~TConsoleServices() override { SetServices(previous_); }
  TConsoleServices(const TConsoleServices&) = delete;
  TConsoleServices& operator=(const TConsoleServices&) = delete;

  void MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) override;
  void MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon) override;
  bool FileDialog(const TFileDialogRequest&, TFileDialogResult&) override { return false; }
  bool ChooseColor(TColor&) override { return false; }
  void Beep() override {}
  bool OpenUrl(const std::string&) override { return false; }
  bool OpenFolder(const std::string&) override { return false; }
  void ProcessMessages() override { QtServices().ProcessMessages(); }
  void RequestQuit() override { QtServices().RequestQuit(); }

  int Failures() const { return failures_; }

private:
  TServices* previous_;
  int failures_ = 0;
};

}  // namespace platform
