// The help bridge: every help request of the programs (table of contents, keyword, topic,
// context number) reaches one viewer named "HtmlHelp", which opens the help file with the
// desktop's viewer for its type. A request for a missing file does nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace controls {

// Commands of the help viewer call.
constexpr int HH_DISPLAY_TOPIC = 0, HH_DISPLAY_TOC = 1, HH_DISPLAY_INDEX = 2, HH_HELP_CONTEXT = 0x0F,
              HH_CLOSE_ALL = 0x12;

// What the viewer hands to the desktop. `file` is the help file (for a topic, file +
// " ::/" + topic), `data` the keyword or the context number as text.
class THelpDesk {
public:
  virtual ~THelpDesk() = default;
  virtual void HtmlHelp(const std::string& file, int command, const std::string& data) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

// Where the viewer finds the help file: the dispatch's file and the application's.
struct THelpFileSource {
  std::function<std::string()> DispatchHelpFile;
  std::function<std::string()> ApplicationHelpFile;
};

class THtmlHelpViewer {
public:
  THtmlHelpViewer(THelpDesk& desk, THelpFileSource files) : desk_(desk), files_(std::move(files)) {}

  // `name` when given; else the dispatch's help file; when that is empty too, the
  // application's. Empty unless the file exists.
  std::string GetHelpFileName(const std::string& name = {}) const;

  void ShowTableOfContents();
  void ShowHelp(const std::string& keyword);
  void SoftShutDown();
  void ShutDown();
  void DisplayTopic(const std::string& topic);
  // Opens the dispatch's or the application's help file at the context number, when both
  // it and the given file (when one is given) exist.
  void DisplayHelpByContext(int context, const std::string& helpFile = {});

private:
  THelpDesk& desk_;
  THelpFileSource files_;
};

}  // namespace controls

namespace controls {

// Opens help with the desktop's viewer for the file's type through the window layer's
// services. A topic reaches viewers of HTML pages as the address's fragment; other help
// files (compiled help) open at their start, as the desktop cannot pass them a topic. When
// the desktop cannot open the file, a warning names it.
class TDesktopHelpDesk : public THelpDesk {
public:
  void HtmlHelp(const std::string& file, int command, const std::string& data) override;
  bool FileExists(const std::string& path) override;
};

// The help file `name` in the "manual" folder beside the program folder: <parent of
// programDir>/manual/<name> (trailing separators of programDir aside; the root is its own
// parent).
std::string ManualHelpFile(const std::string& programDir, const std::string& name);

// Plugs the viewer into the application's help dispatch (every help context request of the
// programs reaches it with the application's help file); `desk` defaults to the desktop.
// Returns the viewer, which lives until UninstallHtmlHelp.
THtmlHelpViewer& InstallHtmlHelp(THelpDesk* desk = nullptr);
// Closes the help it opened and unplugs the viewer.
void UninstallHtmlHelp();
// The installed viewer, or nullptr.
THtmlHelpViewer* InstalledHtmlHelp();

}  // namespace controls
