// Scripted services for tests: records messages, beeps, opened URLs and folders and the
// quit request, and answers file dialogs from a script. Installs itself while it lives.
#pragma once

#include "platform/ui/services.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class TFakeServices : public TServices {
public:
  struct Message {
    std::string text, caption;
    TMsgIcon icon;
    bool utf8 = false;  // shown through MessageBoxUtf8: the texts are UTF-8
  };

  TFakeServices() : previous_(SetServices(this)) {}
  ~TFakeServices() override { SetServices(previous_); }

  // The next file dialog returns these files (the first is the file name), or is cancelled.
  void ScriptDialog(std::vector<std::string> files, int filterIndex = 1) {
    TFileDialogResult r;
    r.Files = std::move(files);
    r.FilterIndex = filterIndex;
    answers_.push_back(r);
  }
  void ScriptDialogCancel() { answers_.push_back(std::nullopt); }
  // Called while a message box is "shown" (a test may act as the user).
  std::function<void(const Message&)> onMessage;

  void MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) override {
    messages.push_back({text, caption, icon});
    if (onMessage) onMessage(messages.back());
  }
  void MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon) override {
    messages.push_back({text, caption, icon, true});
    if (onMessage) onMessage(messages.back());
  }
  bool FileDialog(const TFileDialogRequest& request, TFileDialogResult& result) override {
    dialogs.push_back(request);
    if (answers_.empty()) throw std::logic_error("File dialog without a scripted answer: " + request.Title);
    std::optional<TFileDialogResult> a = answers_.front();
    answers_.pop_front();
    if (!a) return false;
    result = *a;
    return true;
  }
  // The next colour dialog returns this colour, or is cancelled.
  void ScriptColor(TColor c) { colors_.push_back(c); }
  void ScriptColorCancel() { colors_.push_back(std::nullopt); }
  bool ChooseColor(TColor& color) override {
    if (colors_.empty()) throw std::logic_error("Colour dialog without a scripted answer");
    std::optional<TColor> c = colors_.front();
    colors_.pop_front();
    if (!c) return false;
    color = *c;
    return true;
  }
  void Beep() override { ++beeps; }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return urlsOpen;
  }
  bool OpenFolder(const std::string& folder) override {
    folders.push_back(folder);
    return foldersOpen;
  }
  void ProcessMessages() override { ++processed; }
  void RequestQuit() override { quitRequested = true; }

  std::vector<Message> messages;
  std::vector<TFileDialogRequest> dialogs;
  std::vector<std::string> urls, folders;
  bool foldersOpen = true;  // what OpenFolder answers
  bool urlsOpen = true;     // what OpenUrl answers
  int beeps = 0;
  int processed = 0;
  bool quitRequested = false;
  bool AllAnswersUsed() const { return answers_.empty() && colors_.empty(); }

private:
  TServices* previous_;
  std::deque<std::optional<TFileDialogResult>> answers_;
  std::deque<std::optional<TColor>> colors_;
};

}  // namespace platform
