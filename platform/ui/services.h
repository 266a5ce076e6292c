// What the windows ask of the desktop: message boxes, open and save dialogs, the colour
// dialog, the default beep, opening a URL or a folder, letting pending events through and the deferred quit.
// The Qt implementation is the default; tests install a scripted fake.
// Texts are 8-bit and shown through the interface code page; paths are host paths.
#pragma once

#include "platform/components/graphics.h"

#include <string>
#include <vector>

namespace platform {

enum class TMsgIcon { None, Information, Warning, Error, Question };

struct TFileDialogRequest {
  bool Save = false;
  std::string Title;
  // "Description|*.a;*.b|Other|*.c" as the dialogs' Filter property writes it.
  std::string Filter;
  int FilterIndex = 1;      // 1-based
  std::string DefaultExt;   // without the dot; added when the chosen name has none
  std::string InitialDir;
  std::string FileName;     // proposed name (may be a pattern such as "*.fnt")
  bool OverwritePrompt = false;
  bool AllowMultiSelect = false;
  bool FileMustExist = false;
};

struct TFileDialogResult {
  std::vector<std::string> Files;  // at least one when accepted
  int FilterIndex = 1;
};

class TServices {
public:
  virtual ~TServices() = default;
  // A modal box with an OK button.
  virtual void MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) = 0;
  // The same with the texts in UTF-8, for messages that name host paths. The default shows
  // them through the interface code page.
  virtual void MessageBoxUtf8(const std::string& text, const std::string& caption, TMsgIcon icon);
  // False when the user cancels.
  virtual bool FileDialog(const TFileDialogRequest& request, TFileDialogResult& result) = 0;
  // The colour dialog; false when cancelled.
  virtual bool ChooseColor(TColor& color) = 0;
  virtual void Beep() = 0;
  // With the desktop's default handler (never through a shell command line).
  virtual bool OpenUrl(const std::string& url) = 0;
  virtual bool OpenFolder(const std::string& folder) = 0;
  virtual void ProcessMessages() = 0;
  // Ends the program once control returns to the event loop.
  virtual void RequestQuit() = 0;
};

// The services in use (the Qt ones unless replaced).
TServices& Services();
// Replaces them (nullptr: back to the Qt ones); returns the previous replacement or nullptr.
TServices* SetServices(TServices* services);

}  // namespace platform
