#include "controls/htmlhelp.h"

#include <gtest/gtest.h>

#include <set>

namespace controls {
namespace {

class RecordingDesk : public THelpDesk {
public:
  struct Call {
    std::string file;
    int command;
    std::string data;
    bool operator==(const Call&) const = default;
  };
  void HtmlHelp(const std::string& file, int command, const std::string& data) override {
    calls.push_back({file, command, data});
  }
  bool FileExists(const std::string& path) override { return existing.count(path) != 0; }
  std::vector<Call> calls;
  std::set<std::string> existing;
};

struct Fixture {
  RecordingDesk desk;
  std::string dispatch, app;
  THtmlHelpViewer viewer{desk, {[this] { return dispatch; }, [this] { return app; }}};
};

TEST(HelpBridge, FileNameRules) {
  Fixture f;
  f.desk.existing = {"/m/given.chm", "/m/dispatch.chm", "/m/app.chm"};
  struct {
    const char* name;
    const char* dispatch;
    const char* app;
    const char* want;
  } cases[] = {
      {"/m/given.chm", "/m/dispatch.chm", "/m/app.chm", "/m/given.chm"},
      {"", "/m/dispatch.chm", "/m/app.chm", "/m/dispatch.chm"},
      {"", "", "/m/app.chm", "/m/app.chm"},
      {"", "", "/m/missing.chm", ""},
      {"/m/missing.chm", "/m/dispatch.chm", "/m/app.chm", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    f.dispatch = c.dispatch;
    f.app = c.app;
    EXPECT_EQ(f.viewer.GetHelpFileName(c.name), c.want) << c.name << "|" << c.dispatch << "|" << c.app;
  }
}

TEST(HelpBridge, RequestsReachTheDeskWithTheirCommands) {
  Fixture f;
  f.app = "/m/app.chm";
  f.desk.existing = {"/m/app.chm", "/m/other.chm"};
  f.viewer.ShowTableOfContents();
  f.viewer.ShowHelp("fonts");
  f.viewer.DisplayTopic("intro.htm");
  f.viewer.DisplayHelpByContext(20);
  f.viewer.DisplayHelpByContext(7, "/m/other.chm");  // it exists; the application's opens
  f.viewer.ShutDown();
  using C = RecordingDesk::Call;
  EXPECT_EQ(f.desk.calls, (std::vector<C>{{"/m/app.chm", HH_DISPLAY_TOC, "0"},
                                          {"/m/app.chm", HH_DISPLAY_INDEX, "fonts"},
                                          {"/m/app.chm ::/intro.htm", HH_DISPLAY_TOPIC, "0"},
                                          {"/m/app.chm", HH_HELP_CONTEXT, "20"},
                                          {"/m/app.chm", HH_HELP_CONTEXT, "7"},
                                          {"", HH_CLOSE_ALL, "0"}}));
}

// A context request names a file that must exist, but what opens is the dispatch's or the
// application's file, which must exist too.
TEST(HelpBridge, ContextRequestOpensTheDispatchOrApplicationFile) {
  struct {
    const char* given;
    const char* dispatch;
    const char* app;
    const char* opened;  // "" when nothing opens
  } cases[] = {
      {"/m/given.chm", "", "", ""},
      {"/m/given.chm", "", "/m/app.chm", "/m/app.chm"},
      {"/m/given.chm", "/m/dispatch.chm", "/m/app.chm", "/m/dispatch.chm"},
      {"/m/given.chm", "", "/m/missing.chm", ""},
      {"/m/missing.chm", "", "/m/app.chm", ""},
      {"", "", "/m/app.chm", "/m/app.chm"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.desk.existing = {"/m/given.chm", "/m/dispatch.chm", "/m/app.chm"};
    f.dispatch = c.dispatch;
    f.app = c.app;
    f.viewer.DisplayHelpByContext(20, c.given);
    std::vector<RecordingDesk::Call> want;
    if (*c.opened != '\0') want.push_back({c.opened, HH_HELP_CONTEXT, "20"});
    EXPECT_EQ(f.desk.calls, want) << c.given << "|" << c.dispatch << "|" << c.app;
  }
}

TEST(HelpBridge, MissingFilesOpenNothing) {
  Fixture f;
  f.app = "/m/gone.chm";
  f.viewer.ShowTableOfContents();
  f.viewer.ShowHelp("x");
  f.viewer.DisplayTopic("t");
  f.viewer.DisplayHelpByContext(3);
  f.desk.existing = {"/m/given.chm"};
  f.app.clear();
  f.viewer.DisplayHelpByContext(3, "/m/nothere.chm");
  EXPECT_TRUE(f.desk.calls.empty());
}

}  // namespace
}  // namespace controls

#include "platform/ui/application.h"
#include "platform/system/uilanguage.h"
#include "support/fakeservices.h"

namespace controls {
namespace {

TEST(HelpBridge, ManualFolderIsBesideTheProgramFolder) {
  struct Case { const char* programDir; const char* expected; } cases[] = {
      {"/opt/quirewright/bin/", "/opt/quirewright/manual/tomefalcon_en.chm"},
      {"/opt/quirewright/bin", "/opt/quirewright/manual/tomefalcon_en.chm"},
      {"/opt/quirewright/bin//", "/opt/quirewright/manual/tomefalcon_en.chm"},
      {"/bin/", "/manual/tomefalcon_en.chm"},
      {"/", "/manual/tomefalcon_en.chm"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ManualHelpFile(c.programDir, "tomefalcon_en.chm"), c.expected) << c.programDir;
}

TEST(HelpBridge, ContextRequestsOfTheApplicationReachTheViewer) {
  RecordingDesk desk;
  desk.existing = {"/m/tomefalcon_en.chm"};
  InstallHtmlHelp(&desk);
  ASSERT_NE(InstalledHtmlHelp(), nullptr);
  platform::Application().SetHelpFile("/m/tomefalcon_en.chm");
  platform::Application().HelpContext(20);
  platform::Application().SetHelpFile("/m/tomefalcon_ru.chm");  // missing: nothing opens
  platform::Application().HelpContext(21);
  UninstallHtmlHelp();
  EXPECT_FALSE(platform::Application().HelpContext(22));
  EXPECT_EQ(InstalledHtmlHelp(), nullptr);
  using C = RecordingDesk::Call;
  EXPECT_EQ(desk.calls, (std::vector<C>{{"/m/tomefalcon_en.chm", HH_HELP_CONTEXT, "20"}, {"", HH_CLOSE_ALL, "0"}}));
  platform::Application().SetHelpFile("");
}

TEST(HelpBridge, DesktopDeskOpensFilesWithTheDefaultViewer) {
  platform::TFakeServices services;
  TDesktopHelpDesk desk;
  desk.HtmlHelp("/m/manual one.chm ::/fonts.htm", HH_DISPLAY_TOPIC, "0");
  desk.HtmlHelp("/m/manual.html ::/fonts", HH_DISPLAY_TOPIC, "0");
  desk.HtmlHelp("/m/manual.chm", HH_HELP_CONTEXT, "20");
  desk.HtmlHelp("", HH_CLOSE_ALL, "0");
  EXPECT_EQ(services.urls, (std::vector<std::string>{"file:///m/manual%20one.chm", "file:///m/manual.html#fonts",
                                                     "file:///m/manual.chm"}));
  EXPECT_TRUE(desk.FileExists(QW_SOURCE_DIR "/CMakeLists.txt"));
  EXPECT_FALSE(desk.FileExists(QW_SOURCE_DIR));
  EXPECT_TRUE(services.messages.empty());
}

// Without a viewer for the manual a warning says where it is; with one nothing is said.
TEST(HelpBridge, AManualThatCannotOpenIsNamed) {
  platform::TFakeServices services;
  services.urlsOpen = false;
  TDesktopHelpDesk desk;
  desk.HtmlHelp("/opt/qw/manual/tomefalcon_en.chm", HH_HELP_CONTEXT, "20");
  desk.HtmlHelp("/opt/qw/manual/tomefalcon_ru.chm ::/fonts.htm", HH_DISPLAY_TOPIC, "0");
  desk.HtmlHelp("", HH_CLOSE_ALL, "0");
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text, "Unable to open the help file \"/opt/qw/manual/tomefalcon_en.chm\".");
  EXPECT_EQ(services.messages[0].caption, "Warning");
  EXPECT_EQ(services.messages[0].icon, platform::TMsgIcon::Warning);
  EXPECT_EQ(services.messages[1].text, "Unable to open the help file \"/opt/qw/manual/tomefalcon_ru.chm\".");
  // The path is a host path: the message shows it as the file system writes it (UTF-8), whatever
  // the interface language, so a Cyrillic folder reads right under English texts too.
  services.messages.clear();
  desk.HtmlHelp("/opt/\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8/tomefalcon_ru.chm", HH_HELP_CONTEXT, "20");
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text,
            "Unable to open the help file \"/opt/\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8/tomefalcon_ru.chm\".");
  EXPECT_TRUE(services.messages[0].utf8);
  services.messages.clear();
  services.urlsOpen = true;
  desk.HtmlHelp("/opt/qw/manual/tomefalcon_en.chm", HH_HELP_CONTEXT, "20");
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(services.urls.size(), 4u);
}

}  // namespace
}  // namespace controls
