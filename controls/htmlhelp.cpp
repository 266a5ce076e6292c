#include "controls/htmlhelp.h"

namespace controls {

std::string THtmlHelpViewer::GetHelpFileName(const std::string& name) const {
  std::string file = name;
  if (file.empty() && files_.DispatchHelpFile) file = files_.DispatchHelpFile();
  if (file.empty() && files_.ApplicationHelpFile) file = files_.ApplicationHelpFile();
  if (file.empty() || !desk_.FileExists(file)) return {};
  return file;
}

void THtmlHelpViewer::ShowTableOfContents() {
  const std::string file = GetHelpFileName();
  if (!file.empty()) desk_.HtmlHelp(file, HH_DISPLAY_TOC, "0");
}

void THtmlHelpViewer::ShowHelp(const std::string& keyword) {
  const std::string file = GetHelpFileName();
  if (!file.empty()) desk_.HtmlHelp(file, HH_DISPLAY_INDEX, keyword);
}

void THtmlHelpViewer::SoftShutDown() { desk_.HtmlHelp({}, HH_CLOSE_ALL, "0"); }

void THtmlHelpViewer::ShutDown() { SoftShutDown(); }

void THtmlHelpViewer::DisplayTopic(const std::string& topic) {
  const std::string file = GetHelpFileName();
  if (!file.empty()) desk_.HtmlHelp(file + " ::/" + topic, HH_DISPLAY_TOPIC, "0");
}

void THtmlHelpViewer::DisplayHelpByContext(int context, const std::string& help_file) {
  const std::string file = GetHelpFileName(help_file);
  if (!file.empty()) desk_.HtmlHelp(file, HH_HELP_CONTEXT, std::to_string(context));
}

}  // namespace controls
