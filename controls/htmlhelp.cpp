#include "controls/htmlhelp.h"

#include "platform/system/codepage.h"
#include "platform/ui/application.h"
#include "platform/ui/services.h"
#include "platform/system/uilanguage.h"

#include <QFile>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace controls {

std::string ManualHelpFile(const std::string& programDir, const std::string& name) {
  std::string dir = programDir;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  const size_t slash = dir.find_last_of('/');
  const std::string parent = slash == std::string::npos ? std::string() : dir.substr(0, slash);
  return parent + "/manual/" + name;
}

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

void THtmlHelpViewer::DisplayHelpByContext(int context, const std::string& helpFile) {
  // The given file must exist, but the file opened is the dispatch's or the application's.
  if (GetHelpFileName(helpFile).empty()) return;
  const std::string file = GetHelpFileName();
  if (!file.empty()) desk_.HtmlHelp(file, HH_HELP_CONTEXT, std::to_string(context));
}

void TDesktopHelpDesk::HtmlHelp(const std::string& file, int command, const std::string&) {
  if (command == HH_CLOSE_ALL || file.empty()) return;  // viewers of the desktop close themselves
  std::string path = file, topic;
  const size_t sep = file.find(" ::/");
  if (sep != std::string::npos) {
    path = file.substr(0, sep);
    topic = file.substr(sep + 4);
  }
  QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
  const std::string ext = std::filesystem::path(path).extension().string();
  const bool html = ext == ".htm" || ext == ".html" || ext == ".HTM" || ext == ".HTML";
  if (html && !topic.empty()) url.setFragment(QString::fromUtf8(topic.c_str()));
  // Without a viewer for the manual the user still learns where it is.
  if (!platform::Services().OpenUrl(url.toString(QUrl::FullyEncoded).toStdString()))
    platform::Services().MessageBoxUtf8("Unable to open the help file \"" + path + "\".", "Warning",
                                        platform::TMsgIcon::Warning);
}

bool TDesktopHelpDesk::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

namespace {

struct Installed {
  std::unique_ptr<TDesktopHelpDesk> OwnDesk;
  std::unique_ptr<THtmlHelpViewer> Viewer;
};
Installed& Bridge() {
  static Installed b;
  return b;
}

}  // namespace

THtmlHelpViewer& InstallHtmlHelp(THelpDesk* desk) {
  UninstallHtmlHelp();
  Installed& b = Bridge();
  if (desk == nullptr) {
    b.OwnDesk = std::make_unique<TDesktopHelpDesk>();
    desk = b.OwnDesk.get();
  }
  auto helpFile = [] { return platform::Application().HelpFile(); };
  b.Viewer = std::make_unique<THtmlHelpViewer>(*desk, THelpFileSource{helpFile, helpFile});
  THtmlHelpViewer* v = b.Viewer.get();
  platform::Application().SetHelpHandler([v](int context, const std::string& file) {
    v->DisplayHelpByContext(context, file);
    return true;
  });
  return *v;
}

void UninstallHtmlHelp() {
  Installed& b = Bridge();
  if (!b.Viewer) return;
  b.Viewer->ShutDown();
  platform::Application().SetHelpHandler(nullptr);
  b.Viewer.reset();
  b.OwnDesk.reset();
}

THtmlHelpViewer* InstalledHtmlHelp() { return Bridge().Viewer.get(); }

}  // namespace controls
